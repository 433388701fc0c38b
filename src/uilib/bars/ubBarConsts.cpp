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

const TResStringRec ubSubCustomizeFormCaption{"ubSubCustomizeFormCaption", "Customize"};
const TResStringRec ubSubCustomizeToolbarsPage{"ubSubCustomizeToolbarsPage", " Toolbars "};
const TResStringRec ubSubCustomizeCommandsPage{"ubSubCustomizeCommandsPage", " Commands "};
const TResStringRec ubSubCustomizeOptionsPage{"ubSubCustomizeOptionsPage", " Options "};
const TResStringRec ubSubCustomizeAllCommandsPage{"ubSubCustomizeAllCommandsPage", " All commands "};
const TResStringRec ubSubCustomizeGroupsPage{"ubSubCustomizeGroupsPage", "Groups"};
const TResStringRec ubSubCustomizeToolbars{"ubSubCustomizeToolbars", "Toolb&ars:"};
const TResStringRec ubSubCustomizeNew{"ubSubCustomizeNew", "&New..."};
const TResStringRec ubSubCustomizeRename{"ubSubCustomizeRename", "R&ename..."};
const TResStringRec ubSubCustomizeDelete{"ubSubCustomizeDelete", "&Delete"};
const TResStringRec ubSubCustomizeReset{"ubSubCustomizeReset", "&Reset..."};
const TResStringRec ubSubCustomizeCategories{"ubSubCustomizeCategories", "Cate&gories:"};
const TResStringRec ubSubCustomizeCommands{"ubSubCustomizeCommands", "Comman&ds:"};
const TResStringRec ubSubCustomizeDescription{"ubSubCustomizeDescription", "Description  "};
const TResStringRec ubSubCustomizeClose{"ubSubCustomizeClose", "Close"};
const TResStringRec ubSubCustomizeShowHint{"ubSubCustomizeShowHint", "Show Tool&Tips on toolbars"};
const TResStringRec ubSubCustomizeShowShortCutInHint{"ubSubCustomizeShowShortCutInHint",
                                                     "Show s&hortcut keys in ToolTips"};
const TResStringRec ubSubCustomizeLargeIcons{"ubSubCustomizeLargeIcons", "&Large icons"};
const TResStringRec ubSubCustomizeMenuAnimations{"ubSubCustomizeMenuAnimations", "&Menu animations:"};
const TResStringRec ubSubCustomizeOther{"ubSubCustomizeOther", "Other  "};
const TResStringRec ubSubCustomizePersonalized{"ubSubCustomizePersonalized", "Personalized Menus and Toolbars  "};
const TResStringRec ubSubCustomizeRecentItemsFirst{"ubSubCustomizeRecentItemsFirst",
                                                   "Me&nus show recently used commands first"};
const TResStringRec ubSubCustomizeFullMenusAfterDelay{"ubSubCustomizeFullMenusAfterDelay",
                                                      "Show f&ull menus after a short delay"};
const TResStringRec ubSubCustomizeResetUsageData{"ubSubCustomizeResetUsageData", "&Reset my usage data"};
const TResStringRec ubSubCustomizeShowCommandsWithShortCut{"ubSubCustomizeShowCommandsWithShortCut",
                                                           "Show commands that may have a shortcut"};
const TResStringRec ubSubCustomizeGroupsBox{"ubSubCustomizeGroupsBox", " Groups "};
const TResStringRec ubSubCustomizeItemsBox{"ubSubCustomizeItemsBox", " Items "};
const TResStringRec ubSubCustomizeAdd{"ubSubCustomizeAdd", "Add"};
const TResStringRec ubSubCustomizeAddEllipsis{"ubSubCustomizeAddEllipsis", "&Add..."};
const TResStringRec ubSubCustomizeDeletePlain{"ubSubCustomizeDeletePlain", "Delete"};
const TResStringRec ubSubCustomizeMoveUp{"ubSubCustomizeMoveUp", "Move Up"};
const TResStringRec ubSubCustomizeMoveDown{"ubSubCustomizeMoveDown", "Move Down"};
const TResStringRec ubSubMenuAnimationNone{"ubSubMenuAnimationNone", "(None)"};
const TResStringRec ubSubMenuAnimationRandom{"ubSubMenuAnimationRandom", "Random"};
const TResStringRec ubSubMenuAnimationUnfold{"ubSubMenuAnimationUnfold", "Unfold"};
const TResStringRec ubSubMenuAnimationSlide{"ubSubMenuAnimationSlide", "Slide"};
const TResStringRec ubSubMenuAnimationFade{"ubSubMenuAnimationFade", "Fade"};
const TResStringRec ubSubCustomizePopupAdd{"ubSubCustomizePopupAdd", "Add..."};
const TResStringRec ubSubCustomizePopupInsert{"ubSubCustomizePopupInsert", "Insert..."};
const TResStringRec ubSubCustomizePopupRename{"ubSubCustomizePopupRename", "Rename..."};
const TResStringRec ubSubCustomizePopupVisible{"ubSubCustomizePopupVisible", "Visible"};
const TResStringRec ubSubCustomizePopupItemsVisible{"ubSubCustomizePopupItemsVisible", "Items Visible:"};
const TResStringRec ubSubCustomizePopupClear{"ubSubCustomizePopupClear", "Clear"};
const TResStringRec ubSubCustomizePopupSubMenuEditor{"ubSubCustomizePopupSubMenuEditor", "SubMenu Editor..."};
const TResStringRec ubSubCustomizeModify{"ubSubCustomizeModify", "... modify"};
const TResStringRec ubSubCustomBarName{"ubSubCustomBarName", "Custom "};
const TResStringRec ubSubDeleteToolbarConfirmation{"ubSubDeleteToolbarConfirmation",
                                                   "Are you sure you want to delete the '%s' toolbar?"};
const TResStringRec ubSubDeleteCategoryConfirmation{"ubSubDeleteCategoryConfirmation",
                                                    "Are you sure you want to delete the '%s' category?"};
const TResStringRec ubSubClearCommandsConfirmation{
    "ubSubClearCommandsConfirmation", "Are you sure you want to delete all commands in the '%s' category?"};
const TResStringRec ubSubResetUsageDataConfirmation{
    "ubSubResetUsageDataConfirmation",
    "This will delete the record of the commands you've used in this application and restore the default set of "
    "visible commands to the menus and toolbars. It will not undo any explicit customizations.   Are you sure you want "
    "to proceed?"};
const TResStringRec ubSubAddToolbar{"ubSubAddToolbar", "Add Toolbar"};
const TResStringRec ubSubRenameToolbar{"ubSubRenameToolbar", "Rename Toolbar"};
const TResStringRec ubSubToolbarName{"ubSubToolbarName", "&Toolbar name:"};
const TResStringRec ubSubAddCategory{"ubSubAddCategory", "Add Category"};
const TResStringRec ubSubInsertCategory{"ubSubInsertCategory", "Insert Category"};
const TResStringRec ubSubRenameCategory{"ubSubRenameCategory", "Rename Category"};
const TResStringRec ubSubCategoryName{"ubSubCategoryName", "&Category name:"};
const TResStringRec ubSubOK{"ubSubOK", "OK"};
const TResStringRec ubSubCancel{"ubSubCancel", "Cancel"};
const TResStringRec ubSubToolbarExists{"ubSubToolbarExists", "A toolbar named '%s' already exists. Type another name."};

}  // namespace zel
