#pragma once
// The resource strings of the data filter (operator words and filter-box captions), registered as the product group
// "UIDataFilter".
#include "uilib/base/ubCore.h"

namespace zel {

inline constexpr const char* uiFilterConstsProductName = "UIDataFilter";

extern const TResStringRec uiSFilterOperatorEqual;
extern const TResStringRec uiSFilterOperatorNotEqual;
extern const TResStringRec uiSFilterOperatorLess;
extern const TResStringRec uiSFilterOperatorLessEqual;
extern const TResStringRec uiSFilterOperatorGreater;
extern const TResStringRec uiSFilterOperatorGreaterEqual;
extern const TResStringRec uiSFilterOperatorLike;
extern const TResStringRec uiSFilterOperatorNotLike;
extern const TResStringRec uiSFilterOperatorBetween;
extern const TResStringRec uiSFilterOperatorNotBetween;
extern const TResStringRec uiSFilterOperatorInList;
extern const TResStringRec uiSFilterOperatorNotInList;
extern const TResStringRec uiSFilterOperatorYesterday;
extern const TResStringRec uiSFilterOperatorToday;
extern const TResStringRec uiSFilterOperatorTomorrow;
extern const TResStringRec uiSFilterOperatorLast7Days;
extern const TResStringRec uiSFilterOperatorLastWeek;
extern const TResStringRec uiSFilterOperatorLast14Days;
extern const TResStringRec uiSFilterOperatorLastTwoWeeks;
extern const TResStringRec uiSFilterOperatorLast30Days;
extern const TResStringRec uiSFilterOperatorLastMonth;
extern const TResStringRec uiSFilterOperatorLastYear;
extern const TResStringRec uiSFilterOperatorPast;
extern const TResStringRec uiSFilterOperatorThisWeek;
extern const TResStringRec uiSFilterOperatorThisMonth;
extern const TResStringRec uiSFilterOperatorThisYear;
extern const TResStringRec uiSFilterOperatorNext7Days;
extern const TResStringRec uiSFilterOperatorNextWeek;
extern const TResStringRec uiSFilterOperatorNext14Days;
extern const TResStringRec uiSFilterOperatorNextTwoWeeks;
extern const TResStringRec uiSFilterOperatorNext30Days;
extern const TResStringRec uiSFilterOperatorNextMonth;
extern const TResStringRec uiSFilterOperatorNextYear;
extern const TResStringRec uiSFilterOperatorFuture;
extern const TResStringRec uiSFilterAndCaption;
extern const TResStringRec uiSFilterOrCaption;
extern const TResStringRec uiSFilterNotCaption;
extern const TResStringRec uiSFilterBlankCaption;
extern const TResStringRec uiSFilterOperatorIsNull;
extern const TResStringRec uiSFilterOperatorIsNotNull;
extern const TResStringRec uiSFilterOperatorBeginsWith;
extern const TResStringRec uiSFilterOperatorDoesNotBeginWith;
extern const TResStringRec uiSFilterOperatorEndsWith;
extern const TResStringRec uiSFilterOperatorDoesNotEndWith;
extern const TResStringRec uiSFilterOperatorContains;
extern const TResStringRec uiSFilterOperatorDoesNotContain;
extern const TResStringRec uiSFilterBoxAllCaption;
extern const TResStringRec uiSFilterBoxCustomCaption;
extern const TResStringRec uiSFilterBoxBlanksCaption;
extern const TResStringRec uiSFilterBoxNonBlanksCaption;

// Lists the group's names in their fixed order.
void uiFilterConstsRegisterResourceStrings(TubProductResourceStrings* Product);

// The unit's start-up registers its product group; its shutdown unregisters it.
void uiFilterConstsStartup();
void uiFilterConstsShutdown();

}  // namespace zel
