#pragma once
// The user-visible texts of the toolbar framework, as resource strings read through LoadLibraryString.
#include "uilib/base/ubCore.h"

namespace zel {

extern const TResStringRec ubSubBarManagerBadOwner;
extern const TResStringRec ubSubBarManagerMoreThanOne;
extern const TResStringRec ubSubCustomizeItem;
extern const TResStringRec ubSubCustomizingPopupReset;
extern const TResStringRec ubSubCustomizingPopupDelete;
extern const TResStringRec ubSubCustomizingPopupName;
extern const TResStringRec ubSubCustomizingPopupDefaultStyle;
extern const TResStringRec ubSubCustomizingPopupTextOnlyAlways;
extern const TResStringRec ubSubCustomizingPopupTextOnlyInMenus;
extern const TResStringRec ubSubCustomizingPopupImageAndText;
extern const TResStringRec ubSubCustomizingPopupBeginGroup;
extern const TResStringRec ubSubCustomizingPopupBlankName;
extern const TResStringRec ubSubDefaultCategoryName;
extern const TResStringRec ubSubDragToMakeMenuFloat;
extern const TResStringRec ubSubExpandMenu;
extern const TResStringRec ubSubMoreButtons;
extern const TResStringRec ubSubNoBarManagers;
extern const TResStringRec ubSubRecursiveGroups;
extern const TResStringRec ubSubRecursiveSubItems;
extern const TResStringRec ubSubResetBarConfirmation;
extern const TResStringRec ubSubQuickCustomizeAddOrRemove;
extern const TResStringRec ubSubQuickCustomizeResetToolbar;

// The customizing form and its name dialog.
extern const TResStringRec ubSubCustomizeFormCaption;
extern const TResStringRec ubSubCustomizeToolbarsPage;
extern const TResStringRec ubSubCustomizeCommandsPage;
extern const TResStringRec ubSubCustomizeOptionsPage;
extern const TResStringRec ubSubCustomizeAllCommandsPage;
extern const TResStringRec ubSubCustomizeGroupsPage;
extern const TResStringRec ubSubCustomizeToolbars;
extern const TResStringRec ubSubCustomizeNew;
extern const TResStringRec ubSubCustomizeRename;
extern const TResStringRec ubSubCustomizeDelete;
extern const TResStringRec ubSubCustomizeReset;
extern const TResStringRec ubSubCustomizeCategories;
extern const TResStringRec ubSubCustomizeCommands;
extern const TResStringRec ubSubCustomizeDescription;
extern const TResStringRec ubSubCustomizeClose;
extern const TResStringRec ubSubCustomizeShowHint;
extern const TResStringRec ubSubCustomizeShowShortCutInHint;
extern const TResStringRec ubSubCustomizeLargeIcons;
extern const TResStringRec ubSubCustomizeMenuAnimations;
extern const TResStringRec ubSubCustomizeOther;
extern const TResStringRec ubSubCustomizePersonalized;
extern const TResStringRec ubSubCustomizeRecentItemsFirst;
extern const TResStringRec ubSubCustomizeFullMenusAfterDelay;
extern const TResStringRec ubSubCustomizeResetUsageData;
extern const TResStringRec ubSubCustomizeShowCommandsWithShortCut;
extern const TResStringRec ubSubCustomizeGroupsBox;
extern const TResStringRec ubSubCustomizeItemsBox;
extern const TResStringRec ubSubCustomizeAdd;
extern const TResStringRec ubSubCustomizeAddEllipsis;
extern const TResStringRec ubSubCustomizeDeletePlain;
extern const TResStringRec ubSubCustomizeMoveUp;
extern const TResStringRec ubSubCustomizeMoveDown;
extern const TResStringRec ubSubMenuAnimationNone;
extern const TResStringRec ubSubMenuAnimationRandom;
extern const TResStringRec ubSubMenuAnimationUnfold;
extern const TResStringRec ubSubMenuAnimationSlide;
extern const TResStringRec ubSubMenuAnimationFade;
extern const TResStringRec ubSubCustomizePopupAdd;
extern const TResStringRec ubSubCustomizePopupInsert;
extern const TResStringRec ubSubCustomizePopupRename;
extern const TResStringRec ubSubCustomizePopupVisible;
extern const TResStringRec ubSubCustomizePopupItemsVisible;
extern const TResStringRec ubSubCustomizePopupClear;
extern const TResStringRec ubSubCustomizePopupSubMenuEditor;
extern const TResStringRec ubSubCustomizeModify;
extern const TResStringRec ubSubCustomBarName;
extern const TResStringRec ubSubDeleteToolbarConfirmation;
extern const TResStringRec ubSubDeleteCategoryConfirmation;
extern const TResStringRec ubSubClearCommandsConfirmation;
extern const TResStringRec ubSubResetUsageDataConfirmation;
extern const TResStringRec ubSubAddToolbar;
extern const TResStringRec ubSubRenameToolbar;
extern const TResStringRec ubSubToolbarName;
extern const TResStringRec ubSubAddCategory;
extern const TResStringRec ubSubInsertCategory;
extern const TResStringRec ubSubRenameCategory;
extern const TResStringRec ubSubCategoryName;
extern const TResStringRec ubSubOK;
extern const TResStringRec ubSubCancel;
extern const TResStringRec ubSubToolbarExists;

}  // namespace zel
