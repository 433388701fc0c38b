#include "uilib/bars/ubBarCustForm.h"

namespace zel {

// No form exists yet: every routine has nothing to update.
void ShowCustomizingForm(TubBarManager* /*AManager*/, bool /*AShow*/) {}
TubBarCustomizingForm* GetCustomizingForm() { return nullptr; }
HWND CustomizingFormHandle() { return nullptr; }
void CustomizingFormActivate(bool /*AActive*/, HWND /*AOtherWindow*/) {}
void CustomizingFormOwnerMoved(const WINDOWPOS& /*APos*/) {}
void DisableOtherForms(bool /*ARestore*/) {}
void CustomizingFormUpdateAll() {}
void CustomizingFormUpdateHelpButton() {}
void CustomizingFormBarDeleted(TubBar* /*ABar*/) {}
void CustomizingFormBarChanged(TubBar* /*ABar*/) {}
void CustomizingFormCommandsChanged() {}
void CustomizingFormSelectItem(TubBarItem* /*AItem*/, bool /*ASwitchCategory*/) {}
void CustomizingFormItemsChanged() {}
void CustomizingFormOptionsChanged() {}
void CustomizingFormCategoryChanged(TubBarItem* /*AItem*/) {}
void CustomizingFormItemWidthsChanged() {}
void CustomizingFormGroupsChanged() {}
void CustomizingFormGroupItemsChanged() {}
int CustomizingFormCategoryAt(TPoint /*AScreenPoint*/) { return kOutsideCategoryList; }
void CustomizingFormShowCategory(int /*ACategory*/) {}

}  // namespace zel
