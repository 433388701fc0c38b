#include "uilib/base/uiFilterConsts.h"

namespace zel {

const TResStringRec uiSFilterOperatorEqual{"uiSFilterOperatorEqual", "equals"};
const TResStringRec uiSFilterOperatorNotEqual{"uiSFilterOperatorNotEqual", "does not equal"};
const TResStringRec uiSFilterOperatorLess{"uiSFilterOperatorLess", "is less than"};
const TResStringRec uiSFilterOperatorLessEqual{"uiSFilterOperatorLessEqual", "is less than or equal to"};
const TResStringRec uiSFilterOperatorGreater{"uiSFilterOperatorGreater", "is greater than"};
const TResStringRec uiSFilterOperatorGreaterEqual{"uiSFilterOperatorGreaterEqual", "is greater than or equal to"};
const TResStringRec uiSFilterOperatorLike{"uiSFilterOperatorLike", "like"};
const TResStringRec uiSFilterOperatorNotLike{"uiSFilterOperatorNotLike", "not like"};
const TResStringRec uiSFilterOperatorBetween{"uiSFilterOperatorBetween", "between"};
const TResStringRec uiSFilterOperatorNotBetween{"uiSFilterOperatorNotBetween", "not between"};
const TResStringRec uiSFilterOperatorInList{"uiSFilterOperatorInList", "in"};
const TResStringRec uiSFilterOperatorNotInList{"uiSFilterOperatorNotInList", "not in"};
const TResStringRec uiSFilterOperatorYesterday{"uiSFilterOperatorYesterday", "is yesterday"};
const TResStringRec uiSFilterOperatorToday{"uiSFilterOperatorToday", "is today"};
const TResStringRec uiSFilterOperatorTomorrow{"uiSFilterOperatorTomorrow", "is tomorrow"};
const TResStringRec uiSFilterOperatorLast7Days{"uiSFilterOperatorLast7Days", "is last 7 days"};
const TResStringRec uiSFilterOperatorLastWeek{"uiSFilterOperatorLastWeek", "is last week"};
const TResStringRec uiSFilterOperatorLast14Days{"uiSFilterOperatorLast14Days", "is last 14 days"};
const TResStringRec uiSFilterOperatorLastTwoWeeks{"uiSFilterOperatorLastTwoWeeks", "is last two weeks"};
const TResStringRec uiSFilterOperatorLast30Days{"uiSFilterOperatorLast30Days", "is last 30 days"};
const TResStringRec uiSFilterOperatorLastMonth{"uiSFilterOperatorLastMonth", "is last month"};
const TResStringRec uiSFilterOperatorLastYear{"uiSFilterOperatorLastYear", "is last year"};
const TResStringRec uiSFilterOperatorPast{"uiSFilterOperatorPast", "is past"};
const TResStringRec uiSFilterOperatorThisWeek{"uiSFilterOperatorThisWeek", "is this week"};
const TResStringRec uiSFilterOperatorThisMonth{"uiSFilterOperatorThisMonth", "is this month"};
const TResStringRec uiSFilterOperatorThisYear{"uiSFilterOperatorThisYear", "is this year"};
const TResStringRec uiSFilterOperatorNext7Days{"uiSFilterOperatorNext7Days", "is next 7 days"};
const TResStringRec uiSFilterOperatorNextWeek{"uiSFilterOperatorNextWeek", "is next week"};
const TResStringRec uiSFilterOperatorNext14Days{"uiSFilterOperatorNext14Days", "is next 14 days"};
const TResStringRec uiSFilterOperatorNextTwoWeeks{"uiSFilterOperatorNextTwoWeeks", "is next two weeks"};
const TResStringRec uiSFilterOperatorNext30Days{"uiSFilterOperatorNext30Days", "is next 30 days"};
const TResStringRec uiSFilterOperatorNextMonth{"uiSFilterOperatorNextMonth", "is next month"};
const TResStringRec uiSFilterOperatorNextYear{"uiSFilterOperatorNextYear", "is next year"};
const TResStringRec uiSFilterOperatorFuture{"uiSFilterOperatorFuture", "is future"};
const TResStringRec uiSFilterAndCaption{"uiSFilterAndCaption", "and"};
const TResStringRec uiSFilterOrCaption{"uiSFilterOrCaption", "or"};
const TResStringRec uiSFilterNotCaption{"uiSFilterNotCaption", "not"};
const TResStringRec uiSFilterBlankCaption{"uiSFilterBlankCaption", "blank"};
const TResStringRec uiSFilterOperatorIsNull{"uiSFilterOperatorIsNull", "is blank"};
const TResStringRec uiSFilterOperatorIsNotNull{"uiSFilterOperatorIsNotNull", "is not blank"};
const TResStringRec uiSFilterOperatorBeginsWith{"uiSFilterOperatorBeginsWith", "begins with"};
const TResStringRec uiSFilterOperatorDoesNotBeginWith{"uiSFilterOperatorDoesNotBeginWith", "does not begin with"};
const TResStringRec uiSFilterOperatorEndsWith{"uiSFilterOperatorEndsWith", "ends with"};
const TResStringRec uiSFilterOperatorDoesNotEndWith{"uiSFilterOperatorDoesNotEndWith", "does not end with"};
const TResStringRec uiSFilterOperatorContains{"uiSFilterOperatorContains", "contains"};
const TResStringRec uiSFilterOperatorDoesNotContain{"uiSFilterOperatorDoesNotContain", "does not contain"};
const TResStringRec uiSFilterBoxAllCaption{"uiSFilterBoxAllCaption", "(All)"};
const TResStringRec uiSFilterBoxCustomCaption{"uiSFilterBoxCustomCaption", "(Custom...)"};
const TResStringRec uiSFilterBoxBlanksCaption{"uiSFilterBoxBlanksCaption", "(Blanks)"};
const TResStringRec uiSFilterBoxNonBlanksCaption{"uiSFilterBoxNonBlanksCaption", "(NonBlanks)"};

void uiFilterConstsRegisterResourceStrings(TubProductResourceStrings* Product) {
    Product->Add("uiSFilterOperatorEqual", &uiSFilterOperatorEqual);
    Product->Add("uiSFilterOperatorNotEqual", &uiSFilterOperatorNotEqual);
    Product->Add("uiSFilterOperatorLess", &uiSFilterOperatorLess);
    Product->Add("uiSFilterOperatorLessEqual", &uiSFilterOperatorLessEqual);
    Product->Add("uiSFilterOperatorGreater", &uiSFilterOperatorGreater);
    Product->Add("uiSFilterOperatorGreaterEqual", &uiSFilterOperatorGreaterEqual);
    Product->Add("uiSFilterOperatorLike", &uiSFilterOperatorLike);
    Product->Add("uiSFilterOperatorNotLike", &uiSFilterOperatorNotLike);
    Product->Add("uiSFilterOperatorBetween", &uiSFilterOperatorBetween);
    Product->Add("uiSFilterOperatorNotBetween", &uiSFilterOperatorNotBetween);
    Product->Add("uiSFilterOperatorInList", &uiSFilterOperatorInList);
    Product->Add("uiSFilterOperatorNotInList", &uiSFilterOperatorNotInList);
    Product->Add("uiSFilterOperatorYesterday", &uiSFilterOperatorYesterday);
    Product->Add("uiSFilterOperatorToday", &uiSFilterOperatorToday);
    Product->Add("uiSFilterOperatorTomorrow", &uiSFilterOperatorTomorrow);
    Product->Add("uiSFilterOperatorLast7Days", &uiSFilterOperatorLast7Days);
    Product->Add("uiSFilterOperatorLastWeek", &uiSFilterOperatorLastWeek);
    Product->Add("uiSFilterOperatorLast14Days", &uiSFilterOperatorLast14Days);
    Product->Add("uiSFilterOperatorLastTwoWeeks", &uiSFilterOperatorLastTwoWeeks);
    Product->Add("uiSFilterOperatorLast30Days", &uiSFilterOperatorLast30Days);
    Product->Add("uiSFilterOperatorLastMonth", &uiSFilterOperatorLastMonth);
    Product->Add("uiSFilterOperatorLastYear", &uiSFilterOperatorLastYear);
    Product->Add("uiSFilterOperatorPast", &uiSFilterOperatorPast);
    Product->Add("uiSFilterOperatorThisWeek", &uiSFilterOperatorThisWeek);
    Product->Add("uiSFilterOperatorThisMonth", &uiSFilterOperatorThisMonth);
    Product->Add("uiSFilterOperatorThisYear", &uiSFilterOperatorThisYear);
    Product->Add("uiSFilterOperatorNext7Days", &uiSFilterOperatorNext7Days);
    Product->Add("uiSFilterOperatorNextWeek", &uiSFilterOperatorNextWeek);
    Product->Add("uiSFilterOperatorNext14Days", &uiSFilterOperatorNext14Days);
    Product->Add("uiSFilterOperatorNextTwoWeeks", &uiSFilterOperatorNextTwoWeeks);
    Product->Add("uiSFilterOperatorNext30Days", &uiSFilterOperatorNext30Days);
    Product->Add("uiSFilterOperatorNextMonth", &uiSFilterOperatorNextMonth);
    Product->Add("uiSFilterOperatorNextYear", &uiSFilterOperatorNextYear);
    Product->Add("uiSFilterOperatorFuture", &uiSFilterOperatorFuture);
    Product->Add("uiSFilterAndCaption", &uiSFilterAndCaption);
    Product->Add("uiSFilterOrCaption", &uiSFilterOrCaption);
    Product->Add("uiSFilterNotCaption", &uiSFilterNotCaption);
    Product->Add("uiSFilterBlankCaption", &uiSFilterBlankCaption);
    Product->Add("uiSFilterOperatorIsNull", &uiSFilterOperatorIsNull);
    Product->Add("uiSFilterOperatorIsNotNull", &uiSFilterOperatorIsNotNull);
    Product->Add("uiSFilterOperatorBeginsWith", &uiSFilterOperatorBeginsWith);
    Product->Add("uiSFilterOperatorDoesNotBeginWith", &uiSFilterOperatorDoesNotBeginWith);
    Product->Add("uiSFilterOperatorEndsWith", &uiSFilterOperatorEndsWith);
    Product->Add("uiSFilterOperatorDoesNotEndWith", &uiSFilterOperatorDoesNotEndWith);
    Product->Add("uiSFilterOperatorContains", &uiSFilterOperatorContains);
    Product->Add("uiSFilterOperatorDoesNotContain", &uiSFilterOperatorDoesNotContain);
    Product->Add("uiSFilterBoxAllCaption", &uiSFilterBoxAllCaption);
    Product->Add("uiSFilterBoxCustomCaption", &uiSFilterBoxCustomCaption);
    Product->Add("uiSFilterBoxBlanksCaption", &uiSFilterBoxBlanksCaption);
    Product->Add("uiSFilterBoxNonBlanksCaption", &uiSFilterBoxNonBlanksCaption);
}

void uiFilterConstsStartup() { ubRegisterProduct(uiFilterConstsProductName, uiFilterConstsRegisterResourceStrings); }

void uiFilterConstsShutdown() { ubUnregisterProduct(uiFilterConstsProductName); }

}  // namespace zel
