#include "uilib/editors/uiFilterControlStrs.h"

namespace zel {

const TResStringRec uiSFilterBoolOperatorAnd{"uiSFilterBoolOperatorAnd", "AND"};
const TResStringRec uiSFilterBoolOperatorOr{"uiSFilterBoolOperatorOr", "OR"};
const TResStringRec uiSFilterBoolOperatorNotAnd{"uiSFilterBoolOperatorNotAnd", "NOT AND"};
const TResStringRec uiSFilterBoolOperatorNotOr{"uiSFilterBoolOperatorNotOr", "NOT OR"};
const TResStringRec uiSFilterRootButtonCaption{"uiSFilterRootButtonCaption", "Filter"};
const TResStringRec uiSFilterAddCondition{"uiSFilterAddCondition", "Add &Condition"};
const TResStringRec uiSFilterAddGroup{"uiSFilterAddGroup", "Add &Group"};
const TResStringRec uiSFilterRemoveRow{"uiSFilterRemoveRow", "&Remove Row"};
const TResStringRec uiSFilterClearAll{"uiSFilterClearAll", "Clear &All"};
const TResStringRec uiSFilterFooterAddCondition{"uiSFilterFooterAddCondition",
                                                "press the button to add a new condition"};
const TResStringRec uiSFilterGroupCaption{"uiSFilterGroupCaption", "applies to the following conditions"};
const TResStringRec uiSFilterRootGroupCaption{"uiSFilterRootGroupCaption", "<root>"};
const TResStringRec uiSFilterControlNullString{"uiSFilterControlNullString", "<empty>"};
const TResStringRec uiSFilterErrorBuilding{"uiSFilterErrorBuilding", "Can't build filter from source"};
const TResStringRec uiSFilterDialogCaption{"uiSFilterDialogCaption", "Custom Filter"};
const TResStringRec uiSFilterDialogInvalidValue{"uiSFilterDialogInvalidValue", "Invalid value"};
const TResStringRec uiSFilterDialogUse{"uiSFilterDialogUse", "Use"};
const TResStringRec uiSFilterDialogSingleCharacter{"uiSFilterDialogSingleCharacter",
                                                   "to represent any single character"};
const TResStringRec uiSFilterDialogCharactersSeries{"uiSFilterDialogCharactersSeries",
                                                    "to represent any series of characters"};
const TResStringRec uiSFilterDialogOperationAnd{"uiSFilterDialogOperationAnd", "AND"};
const TResStringRec uiSFilterDialogOperationOr{"uiSFilterDialogOperationOr", "OR"};
const TResStringRec uiSFilterDialogRows{"uiSFilterDialogRows", "Show rows where:"};
const TResStringRec uiSFilterControlDialogCaption{"uiSFilterControlDialogCaption", "Filter builder"};
const TResStringRec uiSFilterControlDialogNewFile{"uiSFilterControlDialogNewFile", "untitled.flt"};
const TResStringRec uiSFilterControlDialogOpenDialogCaption{"uiSFilterControlDialogOpenDialogCaption",
                                                            "Open an existing filter"};
const TResStringRec uiSFilterControlDialogSaveDialogCaption{"uiSFilterControlDialogSaveDialogCaption",
                                                            "Save the active filter to file"};
const TResStringRec uiSFilterControlDialogActionSaveCaption{"uiSFilterControlDialogActionSaveCaption", "&Save As..."};
const TResStringRec uiSFilterControlDialogActionOpenCaption{"uiSFilterControlDialogActionOpenCaption", "&Open..."};
const TResStringRec uiSFilterControlDialogActionApplyCaption{"uiSFilterControlDialogActionApplyCaption", "&Apply"};
const TResStringRec uiSFilterControlDialogActionOkCaption{"uiSFilterControlDialogActionOkCaption", "OK"};
const TResStringRec uiSFilterControlDialogActionCancelCaption{"uiSFilterControlDialogActionCancelCaption", "Cancel"};
const TResStringRec uiSFilterControlDialogFileExt{"uiSFilterControlDialogFileExt", "flt"};
const TResStringRec uiSFilterControlDialogFileFilter{"uiSFilterControlDialogFileFilter", "Filters (*.flt)|*.flt"};

void uiFilterControlStrsRegisterResourceStrings(TubProductResourceStrings* Product) {
    Product->Add("uiSFilterBoolOperatorAnd", &uiSFilterBoolOperatorAnd);
    Product->Add("uiSFilterBoolOperatorOr", &uiSFilterBoolOperatorOr);
    Product->Add("uiSFilterBoolOperatorNotAnd", &uiSFilterBoolOperatorNotAnd);
    Product->Add("uiSFilterBoolOperatorNotOr", &uiSFilterBoolOperatorNotOr);
    Product->Add("uiSFilterRootButtonCaption", &uiSFilterRootButtonCaption);
    Product->Add("uiSFilterAddCondition", &uiSFilterAddCondition);
    Product->Add("uiSFilterAddGroup", &uiSFilterAddGroup);
    Product->Add("uiSFilterRemoveRow", &uiSFilterRemoveRow);
    Product->Add("uiSFilterClearAll", &uiSFilterClearAll);
    Product->Add("uiSFilterFooterAddCondition", &uiSFilterFooterAddCondition);
    Product->Add("uiSFilterGroupCaption", &uiSFilterGroupCaption);
    Product->Add("uiSFilterRootGroupCaption", &uiSFilterRootGroupCaption);
    Product->Add("uiSFilterControlNullString", &uiSFilterControlNullString);
    Product->Add("uiSFilterErrorBuilding", &uiSFilterErrorBuilding);
    Product->Add("uiSFilterDialogCaption", &uiSFilterDialogCaption);
    Product->Add("uiSFilterDialogInvalidValue", &uiSFilterDialogInvalidValue);
    Product->Add("uiSFilterDialogUse", &uiSFilterDialogUse);
    Product->Add("uiSFilterDialogSingleCharacter", &uiSFilterDialogSingleCharacter);
    Product->Add("uiSFilterDialogCharactersSeries", &uiSFilterDialogCharactersSeries);
    Product->Add("uiSFilterDialogOperationAnd", &uiSFilterDialogOperationAnd);
    Product->Add("uiSFilterDialogOperationOr", &uiSFilterDialogOperationOr);
    Product->Add("uiSFilterDialogRows", &uiSFilterDialogRows);
    Product->Add("uiSFilterControlDialogCaption", &uiSFilterControlDialogCaption);
    Product->Add("uiSFilterControlDialogNewFile", &uiSFilterControlDialogNewFile);
    Product->Add("uiSFilterControlDialogOpenDialogCaption", &uiSFilterControlDialogOpenDialogCaption);
    Product->Add("uiSFilterControlDialogSaveDialogCaption", &uiSFilterControlDialogSaveDialogCaption);
    Product->Add("uiSFilterControlDialogActionSaveCaption", &uiSFilterControlDialogActionSaveCaption);
    Product->Add("uiSFilterControlDialogActionOpenCaption", &uiSFilterControlDialogActionOpenCaption);
    Product->Add("uiSFilterControlDialogActionApplyCaption", &uiSFilterControlDialogActionApplyCaption);
    Product->Add("uiSFilterControlDialogActionOkCaption", &uiSFilterControlDialogActionOkCaption);
    Product->Add("uiSFilterControlDialogActionCancelCaption", &uiSFilterControlDialogActionCancelCaption);
    Product->Add("uiSFilterControlDialogFileExt", &uiSFilterControlDialogFileExt);
    Product->Add("uiSFilterControlDialogFileFilter", &uiSFilterControlDialogFileFilter);
}

namespace {
int g_registrations = 0;
}  // namespace

void uiFilterControlStrsStartup() {
    if (g_registrations++ == 0)
        ubRegisterProduct(uiFilterControlStrsProductName, uiFilterControlStrsRegisterResourceStrings);
}

void uiFilterControlStrsShutdown() {
    if (g_registrations == 0) return;
    if (--g_registrations == 0) ubUnregisterProduct(uiFilterControlStrsProductName);
}

}  // namespace zel
