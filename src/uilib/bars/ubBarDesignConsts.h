#pragma once
// The user-visible texts of the design-mode dialogs and entries, as resource strings read through
// LoadLibraryString.
#include "uilib/base/ubCore.h"

namespace zel {

extern const TResStringRec ubSubDialogOK;
extern const TResStringRec ubSubDialogCancel;
extern const TResStringRec ubSubNewItemCaption;
extern const TResStringRec ubSubItemEditorCaption;
extern const TResStringRec ubSubItemEditorName;
extern const TResStringRec ubSubItemEditorItemCaption;
extern const TResStringRec ubSubItemEditorType;
extern const TResStringRec ubSubItemEditorCategory;
extern const TResStringRec ubSubItemEditorCannotCreate;
extern const TResStringRec ubSubAddGroupItemsCaption;
extern const TResStringRec ubSubAddGroupItemsGroups;
extern const TResStringRec ubSubSubMenuEditorCaption;
extern const TResStringRec ubSubCustomizingPopupAddSubItem;
extern const TResStringRec ubSubCustomizingPopupAddButton;
extern const TResStringRec ubSubCustomizingPopupAddItem;
extern const TResStringRec ubSubCustomizingPopupDeleteBar;
extern const TResStringRec ubSubCustomizingPopupCaption;
extern const TResStringRec ubSubCustomizingPopupVisible;
extern const TResStringRec ubSubCustomizingPopupMostRecentlyUsed;

}  // namespace zel
