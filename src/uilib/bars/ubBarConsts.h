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

}  // namespace zel
