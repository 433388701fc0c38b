#include "uilib/bars/ubBarConsts.h"

namespace zel {

const TResStringRec ubSubBarManagerBadOwner{"ubSubBarManagerBadOwner",
                                            "TubBarManager should have as its Owner - TForm (TCustomForm)"};
const TResStringRec ubSubBarManagerMoreThanOne{"ubSubBarManagerMoreThanOne",
                                               "A Form should contain only a single TubBarManager"};
const TResStringRec ubSubCustomizeItem{"ubSubCustomizeItem", "&Customize..."};
const TResStringRec ubSubCustomizingPopupReset{"ubSubCustomizingPopupReset", "&Reset"};
const TResStringRec ubSubCustomizingPopupDelete{"ubSubCustomizingPopupDelete", "&Delete"};
const TResStringRec ubSubCustomizingPopupName{"ubSubCustomizingPopupName", "&Name:"};
const TResStringRec ubSubCustomizingPopupDefaultStyle{"ubSubCustomizingPopupDefaultStyle", "Defa&ult style"};
const TResStringRec ubSubCustomizingPopupTextOnlyAlways{"ubSubCustomizingPopupTextOnlyAlways", "&Text Only (Always)"};
const TResStringRec ubSubCustomizingPopupTextOnlyInMenus{"ubSubCustomizingPopupTextOnlyInMenus",
                                                         "Text &Only (in Menus)"};
const TResStringRec ubSubCustomizingPopupImageAndText{"ubSubCustomizingPopupImageAndText", "Image &and Text"};
const TResStringRec ubSubCustomizingPopupBeginGroup{"ubSubCustomizingPopupBeginGroup", "Begin a &Group"};
const TResStringRec ubSubCustomizingPopupBlankName{"ubSubCustomizingPopupBlankName",
                                                   "A command name cannot be blank. Please enter a name."};
const TResStringRec ubSubDefaultCategoryName{"ubSubDefaultCategoryName", "Default"};
const TResStringRec ubSubDragToMakeMenuFloat{"ubSubDragToMakeMenuFloat", "Drag to make this menu float"};
const TResStringRec ubSubExpandMenu{"ubSubExpandMenu", "Expand (Ctrl-Down)"};
const TResStringRec ubSubMoreButtons{"ubSubMoreButtons", "More Buttons"};
const TResStringRec ubSubNoBarManagers{"ubSubNoBarManagers", "There are no TubBarManagers available"};
const TResStringRec ubSubRecursiveGroups{"ubSubRecursiveGroups", "You cannot create recursive groups"};
const TResStringRec ubSubRecursiveSubItems{"ubSubRecursiveSubItems", "You cannot create recursive subitems"};
const TResStringRec ubSubResetBarConfirmation{"ubSubResetBarConfirmation",
                                              "Are you sure you want to reset the changes made to the '%s' toolbar?"};
const TResStringRec ubSubQuickCustomizeAddOrRemove{"ubSubQuickCustomizeAddOrRemove", "&Add or Remove Buttons"};
const TResStringRec ubSubQuickCustomizeResetToolbar{"ubSubQuickCustomizeResetToolbar", "&Reset Toolbar"};

}  // namespace zel
