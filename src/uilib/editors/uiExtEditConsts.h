#pragma once
// The texts of the extended editors, registered as the product "uiExtEdit". The product is shared: each
// registration is counted, and the last unregistration takes it away.
#include "uilib/base/ubCore.h"

namespace zel {

inline constexpr const char* uiExtEditConstsProductName = "uiExtEdit";

extern const TResStringRec suiSEditRepositoryColorComboBoxItem;
extern const TResStringRec suiSEditRepositoryFontNameComboBoxItem;
extern const TResStringRec suiSEditRepositoryLabelItem;
extern const TResStringRec suiSEditRepositoryProgressBarItem;
extern const TResStringRec suiSEditRepositoryTrackBarItem;
extern const TResStringRec suiSEditRepositorySpinButtonItem;
extern const TResStringRec suiSEditRepositoryCheckComboBox;
extern const TResStringRec suiSEditRepositoryShellComboBoxItem;
extern const TResStringRec suiSEditRepositoryCheckGroupItem;
extern const TResStringRec suiUDAssociated;
extern const TResStringRec suiHotZoneStyleMediaPlayer9;
extern const TResStringRec suiHotZoneStyleMediaPlayer8;
extern const TResStringRec suiHotZoneStyleXPTaskBar;
extern const TResStringRec suiHotZoneStyleSimple;
extern const TResStringRec suiLoadingFonts;
extern const TResStringRec uiSEditCheckGroupCaptionStateDelimiter;
extern const TResStringRec uiSEditCheckGroupFilterColumnSeparator;
extern const TResStringRec uiSEditCheckGroupChecked;
extern const TResStringRec uiSEditCheckGroupGrayed;
extern const TResStringRec uiSEditCheckGroupUnchecked;
extern const TResStringRec uiSCheckComboBoxStatesItemsPropertyDlgCaption;
extern const TResStringRec uiSCheckGroupStatesItemsPropertyDlgCaption;
extern const TResStringRec uiSCheckComboBoxEmptySelectionText;
extern const TResStringRec uiSColorComboBoxDefaultDescription;
// The rich-text editor's texts.
extern const TResStringRec suiRichEditLibraryLoadError;
extern const TResStringRec suiRichEditLineInsertionError;
extern const TResStringRec suiRichEditLoadFail;
extern const TResStringRec suiRichEditSaveFail;
extern const TResStringRec suiRichEditSelectionSaveFail;
extern const TResStringRec suiRichEditOleInterfaceFail;
extern const TResStringRec suiRichEditCallBackFail;
extern const TResStringRec suiRichEditInvalidLink;
extern const TResStringRec suiSEditRepositoryRichItem;
extern const TResStringRec suiRichEditUndoCaption;
extern const TResStringRec suiRichEditRedoCaption;
extern const TResStringRec suiRichEditCutCaption;
extern const TResStringRec suiRichEditCopyCaption;
extern const TResStringRec suiRichEditPasteCaption;
extern const TResStringRec suiRichEditDeleteCaption;
extern const TResStringRec suiRichEditSelectAllCaption;

// Lists the texts into the product, in their fixed order.
void uiExtEditConstsRegisterResourceStrings(TubProductResourceStrings* Product);
// Counted: the first registration adds the product, the last unregistration removes it.
void uiExtEditConstsRegister();
void uiExtEditConstsUnregister();

}  // namespace zel
