#pragma once
// The filter builder's user-visible texts, registered as the product group "UIFilterControl".
#include "uilib/base/ubCore.h"

namespace zel {

inline constexpr const char* uiFilterControlStrsProductName = "UIFilterControl";

extern const TResStringRec uiSFilterBoolOperatorAnd;
extern const TResStringRec uiSFilterBoolOperatorOr;
extern const TResStringRec uiSFilterBoolOperatorNotAnd;
extern const TResStringRec uiSFilterBoolOperatorNotOr;
extern const TResStringRec uiSFilterRootButtonCaption;
extern const TResStringRec uiSFilterAddCondition;
extern const TResStringRec uiSFilterAddGroup;
extern const TResStringRec uiSFilterRemoveRow;
extern const TResStringRec uiSFilterClearAll;
extern const TResStringRec uiSFilterFooterAddCondition;
extern const TResStringRec uiSFilterGroupCaption;
extern const TResStringRec uiSFilterRootGroupCaption;
extern const TResStringRec uiSFilterControlNullString;
extern const TResStringRec uiSFilterErrorBuilding;
extern const TResStringRec uiSFilterDialogCaption;
extern const TResStringRec uiSFilterDialogInvalidValue;
extern const TResStringRec uiSFilterDialogUse;
extern const TResStringRec uiSFilterDialogSingleCharacter;
extern const TResStringRec uiSFilterDialogCharactersSeries;
extern const TResStringRec uiSFilterDialogOperationAnd;
extern const TResStringRec uiSFilterDialogOperationOr;
extern const TResStringRec uiSFilterDialogRows;
extern const TResStringRec uiSFilterControlDialogCaption;
extern const TResStringRec uiSFilterControlDialogNewFile;
extern const TResStringRec uiSFilterControlDialogOpenDialogCaption;
extern const TResStringRec uiSFilterControlDialogSaveDialogCaption;
extern const TResStringRec uiSFilterControlDialogActionSaveCaption;
extern const TResStringRec uiSFilterControlDialogActionOpenCaption;
extern const TResStringRec uiSFilterControlDialogActionApplyCaption;
extern const TResStringRec uiSFilterControlDialogActionOkCaption;
extern const TResStringRec uiSFilterControlDialogActionCancelCaption;
extern const TResStringRec uiSFilterControlDialogFileExt;
extern const TResStringRec uiSFilterControlDialogFileFilter;

// Lists the group's names in their fixed order.
void uiFilterControlStrsRegisterResourceStrings(TubProductResourceStrings* Product);

// The start-up registers the group once: a count of start-ups makes later ones (and all shutdowns but the
// last) do nothing.
void uiFilterControlStrsStartup();
void uiFilterControlStrsShutdown();

}  // namespace zel
