#include "uilib/editors/uiExtEditConsts.h"

namespace zel {

const TResStringRec suiSEditRepositoryColorComboBoxItem{"suiSEditRepositoryColorComboBoxItem",
                                                        "ColorComboBox |Represents a editor with color functionality"};
const TResStringRec suiSEditRepositoryFontNameComboBoxItem{
    "suiSEditRepositoryFontNameComboBoxItem", "FontNameComboBox |Represents a editor with font functionality"};
const TResStringRec suiSEditRepositoryLabelItem{"suiSEditRepositoryLabelItem", "Label|Represents a Label"};
const TResStringRec suiSEditRepositoryProgressBarItem{"suiSEditRepositoryProgressBarItem",
                                                      "ProgressBar|Represents a ProgressBar"};
const TResStringRec suiSEditRepositoryTrackBarItem{"suiSEditRepositoryTrackBarItem", "TrackBar|Represents a TrackBar"};
const TResStringRec suiSEditRepositorySpinButtonItem{"suiSEditRepositorySpinButtonItem",
                                                     "SpinButton|Represents a SpinButton"};
const TResStringRec suiSEditRepositoryCheckComboBox{"suiSEditRepositoryCheckComboBox",
                                                    "CheckComboBox|Represents a CheckComboBox"};
const TResStringRec suiSEditRepositoryShellComboBoxItem{
    "suiSEditRepositoryShellComboBoxItem", "ShellComboBox|Represents a combo box with a dropdown shell tree view"};
const TResStringRec suiSEditRepositoryCheckGroupItem{"suiSEditRepositoryCheckGroupItem",
                                                     "CheckGroup|Represents a group of check boxes"};
const TResStringRec suiUDAssociated{"suiUDAssociated", " is already associated with "};
const TResStringRec suiHotZoneStyleMediaPlayer9{"suiHotZoneStyleMediaPlayer9", "MediaPlayer9"};
const TResStringRec suiHotZoneStyleMediaPlayer8{"suiHotZoneStyleMediaPlayer8", "MediaPlayer8"};
const TResStringRec suiHotZoneStyleXPTaskBar{"suiHotZoneStyleXPTaskBar", "XPTaskBar"};
const TResStringRec suiHotZoneStyleSimple{"suiHotZoneStyleSimple", "Simple"};
const TResStringRec suiLoadingFonts{"suiLoadingFonts", "Loading ..."};
const TResStringRec uiSEditCheckGroupCaptionStateDelimiter{"uiSEditCheckGroupCaptionStateDelimiter", ": "};
const TResStringRec uiSEditCheckGroupFilterColumnSeparator{"uiSEditCheckGroupFilterColumnSeparator", "; "};
const TResStringRec uiSEditCheckGroupChecked{"uiSEditCheckGroupChecked", "Checked"};
const TResStringRec uiSEditCheckGroupGrayed{"uiSEditCheckGroupGrayed", "Grayed"};
const TResStringRec uiSEditCheckGroupUnchecked{"uiSEditCheckGroupUnchecked", "Unchecked"};
const TResStringRec uiSCheckComboBoxStatesItemsPropertyDlgCaption{"uiSCheckComboBoxStatesItemsPropertyDlgCaption",
                                                                  "uiCheckComboBox - CheckStates editor"};
const TResStringRec uiSCheckGroupStatesItemsPropertyDlgCaption{"uiSCheckGroupStatesItemsPropertyDlgCaption",
                                                               "uiCheckGroup - CheckStates editor"};
const TResStringRec uiSCheckComboBoxEmptySelectionText{"uiSCheckComboBoxEmptySelectionText", "None selected"};
const TResStringRec uiSColorComboBoxDefaultDescription{"uiSColorComboBoxDefaultDescription", "Color not selected"};
const TResStringRec suiRichEditLibraryLoadError{"suiRichEditLibraryLoadError",
                                                "The rich text library could not be loaded"};
const TResStringRec suiRichEditLineInsertionError{"suiRichEditLineInsertionError", "The line could not be inserted"};
const TResStringRec suiRichEditLoadFail{"suiRichEditLoadFail", "The text could not be loaded"};
const TResStringRec suiRichEditSaveFail{"suiRichEditSaveFail", "The text could not be saved"};
const TResStringRec suiRichEditSelectionSaveFail{"suiRichEditSelectionSaveFail",
                                                 "The selected text could not be saved"};
const TResStringRec suiRichEditOleInterfaceFail{"suiRichEditOleInterfaceFail",
                                                "The rich text editor's object interface is not available"};
const TResStringRec suiRichEditCallBackFail{"suiRichEditCallBackFail",
                                            "The rich text editor's call-back interface could not be set"};
const TResStringRec suiRichEditInvalidLink{"suiRichEditInvalidLink", "The link is not valid"};
const TResStringRec suiSEditRepositoryRichItem{"suiSEditRepositoryRichItem", "RichEdit|Represents a rich text editor"};
const TResStringRec suiRichEditUndoCaption{"suiRichEditUndoCaption", "&Undo"};
const TResStringRec suiRichEditRedoCaption{"suiRichEditRedoCaption", "&Redo"};
const TResStringRec suiRichEditCutCaption{"suiRichEditCutCaption", "Cu&t"};
const TResStringRec suiRichEditCopyCaption{"suiRichEditCopyCaption", "&Copy"};
const TResStringRec suiRichEditPasteCaption{"suiRichEditPasteCaption", "&Paste"};
const TResStringRec suiRichEditDeleteCaption{"suiRichEditDeleteCaption", "&Delete"};
const TResStringRec suiRichEditSelectAllCaption{"suiRichEditSelectAllCaption", "Select &All"};

namespace {
int g_registrations = 0;
}  // namespace

void uiExtEditConstsRegisterResourceStrings(TubProductResourceStrings* Product) {
    Product->Add("suiSEditRepositoryColorComboBoxItem", &suiSEditRepositoryColorComboBoxItem);
    Product->Add("suiSEditRepositoryFontNameComboBoxItem", &suiSEditRepositoryFontNameComboBoxItem);
    Product->Add("suiSEditRepositoryLabelItem", &suiSEditRepositoryLabelItem);
    Product->Add("suiSEditRepositoryProgressBarItem", &suiSEditRepositoryProgressBarItem);
    Product->Add("suiSEditRepositoryTrackBarItem", &suiSEditRepositoryTrackBarItem);
    Product->Add("suiSEditRepositorySpinButtonItem", &suiSEditRepositorySpinButtonItem);
    Product->Add("suiSEditRepositoryCheckComboBox", &suiSEditRepositoryCheckComboBox);
    Product->Add("suiSEditRepositoryShellComboBoxItem", &suiSEditRepositoryShellComboBoxItem);
    Product->Add("suiSEditRepositoryCheckGroupItem", &suiSEditRepositoryCheckGroupItem);
    Product->Add("suiUDAssociated", &suiUDAssociated);
    Product->Add("suiHotZoneStyleMediaPlayer9", &suiHotZoneStyleMediaPlayer9);
    Product->Add("suiHotZoneStyleMediaPlayer8", &suiHotZoneStyleMediaPlayer8);
    Product->Add("suiHotZoneStyleXPTaskBar", &suiHotZoneStyleXPTaskBar);
    Product->Add("suiHotZoneStyleSimple", &suiHotZoneStyleSimple);
    Product->Add("suiLoadingFonts", &suiLoadingFonts);
    Product->Add("uiSEditCheckGroupCaptionStateDelimiter", &uiSEditCheckGroupCaptionStateDelimiter);
    Product->Add("uiSEditCheckGroupFilterColumnSeparator", &uiSEditCheckGroupFilterColumnSeparator);
    Product->Add("uiSEditCheckGroupChecked", &uiSEditCheckGroupChecked);
    Product->Add("uiSEditCheckGroupGrayed", &uiSEditCheckGroupGrayed);
    Product->Add("uiSEditCheckGroupUnchecked", &uiSEditCheckGroupUnchecked);
    Product->Add("uiSCheckComboBoxStatesItemsPropertyDlgCaption", &uiSCheckComboBoxStatesItemsPropertyDlgCaption);
    Product->Add("uiSCheckGroupStatesItemsPropertyDlgCaption", &uiSCheckGroupStatesItemsPropertyDlgCaption);
    Product->Add("uiSCheckComboBoxEmptySelectionText", &uiSCheckComboBoxEmptySelectionText);
    Product->Add("uiSColorComboBoxDefaultDescription", &uiSColorComboBoxDefaultDescription);
    Product->Add("suiRichEditLibraryLoadError", &suiRichEditLibraryLoadError);
    Product->Add("suiRichEditLineInsertionError", &suiRichEditLineInsertionError);
    Product->Add("suiRichEditLoadFail", &suiRichEditLoadFail);
    Product->Add("suiRichEditSaveFail", &suiRichEditSaveFail);
    Product->Add("suiRichEditSelectionSaveFail", &suiRichEditSelectionSaveFail);
    Product->Add("suiRichEditOleInterfaceFail", &suiRichEditOleInterfaceFail);
    Product->Add("suiRichEditCallBackFail", &suiRichEditCallBackFail);
    Product->Add("suiRichEditInvalidLink", &suiRichEditInvalidLink);
    Product->Add("suiSEditRepositoryRichItem", &suiSEditRepositoryRichItem);
    Product->Add("suiRichEditUndoCaption", &suiRichEditUndoCaption);
    Product->Add("suiRichEditRedoCaption", &suiRichEditRedoCaption);
    Product->Add("suiRichEditCutCaption", &suiRichEditCutCaption);
    Product->Add("suiRichEditCopyCaption", &suiRichEditCopyCaption);
    Product->Add("suiRichEditPasteCaption", &suiRichEditPasteCaption);
    Product->Add("suiRichEditDeleteCaption", &suiRichEditDeleteCaption);
    Product->Add("suiRichEditSelectAllCaption", &suiRichEditSelectAllCaption);
}

void uiExtEditConstsRegister() {
    if (g_registrations++ == 0) ubRegisterProduct(uiExtEditConstsProductName, uiExtEditConstsRegisterResourceStrings);
}

void uiExtEditConstsUnregister() {
    if (g_registrations == 0) return;
    if (--g_registrations == 0) ubUnregisterProduct(uiExtEditConstsProductName);
}

}  // namespace zel
