#include "uilib/bars/ubBarDesignConsts.h"

namespace zel {

const TResStringRec ubSubDialogOK{"ubSubDialogOK", "OK"};
const TResStringRec ubSubDialogCancel{"ubSubDialogCancel", "Cancel"};
const TResStringRec ubSubNewItemCaption{"ubSubNewItemCaption", "New Item"};
const TResStringRec ubSubItemEditorCaption{"ubSubItemEditorCaption", "Add New UIBars Item"};
const TResStringRec ubSubItemEditorName{"ubSubItemEditorName", "Name:"};
const TResStringRec ubSubItemEditorItemCaption{"ubSubItemEditorItemCaption", "Caption:"};
const TResStringRec ubSubItemEditorType{"ubSubItemEditorType", "Type:"};
const TResStringRec ubSubItemEditorCategory{"ubSubItemEditorCategory", "Category:"};
const TResStringRec ubSubItemEditorCannotCreate{"ubSubItemEditorCannotCreate", "Class %s cannot be created"};
const TResStringRec ubSubAddGroupItemsCaption{"ubSubAddGroupItemsCaption", "Add Group Items"};
const TResStringRec ubSubAddGroupItemsGroups{"ubSubAddGroupItemsGroups", "< Groups >"};
const TResStringRec ubSubSubMenuEditorCaption{"ubSubSubMenuEditorCaption", "UIBars SubMenu Editor"};
const TResStringRec ubSubCustomizingPopupAddSubItem{"ubSubCustomizingPopupAddSubItem", "Add &SubItem"};
const TResStringRec ubSubCustomizingPopupAddButton{"ubSubCustomizingPopupAddButton", "Add &Button"};
const TResStringRec ubSubCustomizingPopupAddItem{"ubSubCustomizingPopupAddItem", "Add &Item"};
const TResStringRec ubSubCustomizingPopupDeleteBar{"ubSubCustomizingPopupDeleteBar", "Delete Bar"};
const TResStringRec ubSubCustomizingPopupCaption{"ubSubCustomizingPopupCaption", "&Caption:"};
const TResStringRec ubSubCustomizingPopupVisible{"ubSubCustomizingPopupVisible", "&Visible"};
const TResStringRec ubSubCustomizingPopupMostRecentlyUsed{"ubSubCustomizingPopupMostRecentlyUsed",
                                                          "&Most recently used"};

}  // namespace zel
