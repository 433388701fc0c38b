#pragma once
// The customizing form: the window that accompanies a manager's customizing mode, and the routines through
// which the rest of the framework keeps it up to date. At most one form exists in the process.
#include "platform/rtl/Classes.h"
#include "platform/win/Windows.h"

namespace zel {

class TubBar;
class TubBarItem;
class TubBarManager;
class TubBarCustomizingForm;

// The open form's window, nullptr while none is open (the item drag keeps the mouse there).
HWND CustomizingFormHandle();
// Shows the form for the manager (nothing when one exists), or hides and frees it.
void ShowCustomizingForm(TubBarManager* AManager, bool AShow);
// The open form, nullptr when none is open.
TubBarCustomizingForm* GetCustomizingForm();
// false: disables every manager's enabled form and remembers it; true: enables again each one remembered.
void DisableOtherForms(bool ARestore);

// The manager's form was activated (or deactivated: AActive false) while the customizing form is open; the
// form keeps its own active look and follows the activation.
void CustomizingFormActivate(bool AActive, HWND AOtherWindow);
// The manager's form moved, or was shown or hidden: the customizing form follows it.
void CustomizingFormOwnerMoved(const WINDOWPOS& APos);
void CustomizingFormUpdateAll();
void CustomizingFormUpdateHelpButton();
void CustomizingFormBarDeleted(TubBar* ABar);
void CustomizingFormBarChanged(TubBar* ABar);
void CustomizingFormCommandsChanged();
void CustomizingFormSelectItem(TubBarItem* AItem, bool ASwitchCategory);
void CustomizingFormItemsChanged();
void CustomizingFormOptionsChanged();
void CustomizingFormCategoryChanged(TubBarItem* AItem);
void CustomizingFormItemWidthsChanged();
void CustomizingFormGroupsChanged();
void CustomizingFormGroupItemsChanged();

// What the item drag needs of the category list. kOutsideCategoryList when the screen point is not over the
// open form's category list (or no form is open), -1 over the list but below its entries, else the index in
// the manager's categories of the entry under the point.
constexpr int kOutsideCategoryList = -2;
int CustomizingFormCategoryAt(TPoint AScreenPoint);
// Selects the entry of the category (an index in the manager's categories) in the category list.
void CustomizingFormShowCategory(int ACategory);

}  // namespace zel
