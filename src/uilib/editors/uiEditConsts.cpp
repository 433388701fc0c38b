#include "uilib/editors/uiEditConsts.h"

namespace zel {

const TResStringRec uiSEditButtonCancel{"uiSEditButtonCancel", "Cancel"};
const TResStringRec uiSEditButtonOK{"uiSEditButtonOK", "OK"};
const TResStringRec uiSEditDateConvertError{"uiSEditDateConvertError", "Could not convert to date"};
const TResStringRec uiSEditInvalidRepositoryItem{"uiSEditInvalidRepositoryItem",
                                                 "The repository item is not acceptable"};
const TResStringRec uiSEditNumericValueConvertError{"uiSEditNumericValueConvertError",
                                                    "Could not convert to numeric value"};
const TResStringRec uiSEditPopupCircularReferencingError{"uiSEditPopupCircularReferencingError",
                                                         "Circular referencing is not allowed"};
const TResStringRec uiSEditPostError{"uiSEditPostError", "An error occured during posting edit value"};
const TResStringRec uiSEditTimeConvertError{"uiSEditTimeConvertError", "Could not convert to time"};
const TResStringRec uiSEditValidateErrorText{"uiSEditValidateErrorText",
                                             "Invalid input value. Use escape key to abandon changes"};
const TResStringRec uiSEditValueOutOfBounds{"uiSEditValueOutOfBounds", "Value out of bounds"};
const TResStringRec uiSEditCheckBoxChecked{"uiSEditCheckBoxChecked", "True"};
const TResStringRec uiSEditCheckBoxGrayed{"uiSEditCheckBoxGrayed", ""};
const TResStringRec uiSEditCheckBoxUnchecked{"uiSEditCheckBoxUnchecked", "False"};
const TResStringRec uiSRadioGroupDefaultCaption{"uiSRadioGroupDefaultCaption", ""};
const TResStringRec uiSTextTrue{"uiSTextTrue", "True"};
const TResStringRec uiSTextFalse{"uiSTextFalse", "False"};
const TResStringRec uiSBlobButtonOK{"uiSBlobButtonOK", "&OK"};
const TResStringRec uiSBlobButtonCancel{"uiSBlobButtonCancel", "&Cancel"};
const TResStringRec uiSBlobButtonClose{"uiSBlobButtonClose", "&Close"};
const TResStringRec uiSBlobMemo{"uiSBlobMemo", "(MEMO)"};
const TResStringRec uiSBlobMemoEmpty{"uiSBlobMemoEmpty", "(memo)"};
const TResStringRec uiSBlobPicture{"uiSBlobPicture", "(PICTURE)"};
const TResStringRec uiSBlobPictureEmpty{"uiSBlobPictureEmpty", "(picture)"};
const TResStringRec uiSMenuItemCaptionCut{"uiSMenuItemCaptionCut", "Cu&t"};
const TResStringRec uiSMenuItemCaptionCopy{"uiSMenuItemCaptionCopy", "&Copy"};
const TResStringRec uiSMenuItemCaptionPaste{"uiSMenuItemCaptionPaste", "&Paste"};
const TResStringRec uiSMenuItemCaptionDelete{"uiSMenuItemCaptionDelete", "&Delete"};
const TResStringRec uiSMenuItemCaptionLoad{"uiSMenuItemCaptionLoad", "&Load..."};
const TResStringRec uiSMenuItemCaptionSave{"uiSMenuItemCaptionSave", "Save &As..."};
const TResStringRec uiSDatePopupClear{"uiSDatePopupClear", "Clear"};
const TResStringRec uiSDatePopupNow{"uiSDatePopupNow", "Now"};
const TResStringRec uiSDatePopupOK{"uiSDatePopupOK", "OK"};
const TResStringRec uiSDatePopupToday{"uiSDatePopupToday", "Today"};
const TResStringRec uiSDateError{"uiSDateError", "Invalid Date"};
const TResStringRec suiSCalcError{"suiSCalcError", "Error"};
const TResStringRec suiSHyperLinkPrefix{"suiSHyperLinkPrefix", "http://"};
const TResStringRec suiSHyperLinkDoubleSlash{"suiSHyperLinkDoubleSlash", "//"};
const TResStringRec uiNavigatorHint_First{"uiNavigatorHint_First", "First record"};
const TResStringRec uiNavigatorHint_Prior{"uiNavigatorHint_Prior", "Prior record"};
const TResStringRec uiNavigatorHint_PriorPage{"uiNavigatorHint_PriorPage", "Prior page"};
const TResStringRec uiNavigatorHint_Next{"uiNavigatorHint_Next", "Next record"};
const TResStringRec uiNavigatorHint_NextPage{"uiNavigatorHint_NextPage", "Next page"};
const TResStringRec uiNavigatorHint_Last{"uiNavigatorHint_Last", "Last record"};
const TResStringRec uiNavigatorHint_Insert{"uiNavigatorHint_Insert", "Insert record"};
const TResStringRec uiNavigatorHint_Append{"uiNavigatorHint_Append", "Append record"};
const TResStringRec uiNavigatorHint_Delete{"uiNavigatorHint_Delete", "Delete record"};
const TResStringRec uiNavigatorHint_Edit{"uiNavigatorHint_Edit", "Edit record"};
const TResStringRec uiNavigatorHint_Post{"uiNavigatorHint_Post", "Post edit"};
const TResStringRec uiNavigatorHint_Cancel{"uiNavigatorHint_Cancel", "Cancel edit"};
const TResStringRec uiNavigatorHint_Refresh{"uiNavigatorHint_Refresh", "Refresh data"};
const TResStringRec uiNavigatorHint_SaveBookmark{"uiNavigatorHint_SaveBookmark", "Save Bookmark"};
const TResStringRec uiNavigatorHint_GotoBookmark{"uiNavigatorHint_GotoBookmark", "Goto Bookmark"};
const TResStringRec uiNavigatorHint_Filter{"uiNavigatorHint_Filter", "Filter data"};
const TResStringRec uiNavigator_DeleteRecordQuestion{"uiNavigator_DeleteRecordQuestion", "Delete record?"};
const TResStringRec suiSEditRepositoryBlobItem{"suiSEditRepositoryBlobItem", "BlobEdit|Represents the BLOB editor"};
const TResStringRec suiSEditRepositoryButtonItem{"suiSEditRepositoryButtonItem",
                                                 "ButtonEdit|Represents an edit control with embedded buttons"};
const TResStringRec suiSEditRepositoryCalcItem{"suiSEditRepositoryCalcItem",
                                               "CalcEdit|Represents an edit control with a dropdown calculator window"};
const TResStringRec suiSEditRepositoryCheckBoxItem{
    "suiSEditRepositoryCheckBoxItem", "CheckBox|Represents a check box control that allows selecting an option"};
const TResStringRec suiSEditRepositoryComboBoxItem{"suiSEditRepositoryComboBoxItem",
                                                   "ComboBox|Represents the combo box editor"};
const TResStringRec suiSEditRepositoryCurrencyItem{"suiSEditRepositoryCurrencyItem",
                                                   "CurrencyEdit|Represents an editor enabling editing currency data"};
const TResStringRec suiSEditRepositoryDateItem{"suiSEditRepositoryDateItem",
                                               "DateEdit|Represents an edit control with a dropdown calendar"};
const TResStringRec suiSEditRepositoryHyperLinkItem{"suiSEditRepositoryHyperLinkItem",
                                                    "HyperLink|Represents a text editor with hyperlink functionality"};
const TResStringRec suiSEditRepositoryImageComboBoxItem{
    "suiSEditRepositoryImageComboBoxItem",
    "ImageComboBox|Represents an editor displaying the list of images and text strings within the dropdown window"};
const TResStringRec suiSEditRepositoryImageItem{"suiSEditRepositoryImageItem", "Image|Represents an image editor"};
const TResStringRec suiSEditRepositoryLookupComboBoxItem{"suiSEditRepositoryLookupComboBoxItem",
                                                         "LookupComboBox|Represents a lookup combo box control"};
const TResStringRec suiSEditRepositoryMaskItem{"suiSEditRepositoryMaskItem",
                                               "MaskEdit|Represents a generic masked edit control."};
const TResStringRec suiSEditRepositoryMemoItem{"suiSEditRepositoryMemoItem",
                                               "Memo|Represents an edit control that allows editing memo data"};
const TResStringRec suiSEditRepositoryMRUItem{
    "suiSEditRepositoryMRUItem",
    "MRUEdit|Represents a text editor displaying the list of most recently used items (MRU) within a dropdown window"};
const TResStringRec suiSEditRepositoryPopupItem{"suiSEditRepositoryPopupItem",
                                                "PopupEdit|Represents an edit control with a dropdown list"};
const TResStringRec suiSEditRepositorySpinItem{"suiSEditRepositorySpinItem", "SpinEdit|Represents a spin editor"};
const TResStringRec suiSEditRepositoryRadioGroupItem{"suiSEditRepositoryRadioGroupItem",
                                                     "RadioGroup|Represents a group of radio buttons"};
const TResStringRec suiSEditRepositoryTextItem{"suiSEditRepositoryTextItem",
                                               "TextEdit|Represents a single line text editor"};
const TResStringRec suiSEditRepositoryTimeItem{"suiSEditRepositoryTimeItem",
                                               "TimeEdit|Represents an editor displaying time values"};
const TResStringRec suiRegExprLine{"suiRegExprLine", "Line"};
const TResStringRec suiRegExprChar{"suiRegExprChar", "Char"};
const TResStringRec suiRegExprNotAssignedSourceStream{"suiRegExprNotAssignedSourceStream",
                                                      "The source stream is not assigned"};
const TResStringRec suiRegExprEmptySourceStream{"suiRegExprEmptySourceStream", "The source stream is empty"};
const TResStringRec suiRegExprCantUsePlusQuantifier{"suiRegExprCantUsePlusQuantifier",
                                                    "The '+' quantifier cannot be applied here"};
const TResStringRec suiRegExprCantUseStarQuantifier{"suiRegExprCantUseStarQuantifier",
                                                    "The '*' quantifier cannot be applied here"};
const TResStringRec suiRegExprCantCreateEmptyAlt{"suiRegExprCantCreateEmptyAlt", "The alternative should not be empty"};
const TResStringRec suiRegExprCantCreateEmptyBlock{"suiRegExprCantCreateEmptyBlock", "The block should not be empty"};
const TResStringRec suiRegExprIllegalSymbol{"suiRegExprIllegalSymbol", "Illegal '%s'"};
const TResStringRec suiRegExprIllegalQuantifier{"suiRegExprIllegalQuantifier", "Illegal quantifier '%s'"};
const TResStringRec suiRegExprNotSupportQuantifier{"suiRegExprNotSupportQuantifier",
                                                   "The parameter quantifiers are not supported"};
const TResStringRec suiRegExprIllegalIntegerValue{"suiRegExprIllegalIntegerValue", "Illegal integer value"};
const TResStringRec suiRegExprTooBigReferenceNumber{"suiRegExprTooBigReferenceNumber", "Too big reference number"};
const TResStringRec suiRegExprCantCreateEmptyEnum{"suiRegExprCantCreateEmptyEnum", "Can't create empty enumeration"};
const TResStringRec suiRegExprSubrangeOrder{
    "suiRegExprSubrangeOrder", "The starting character of the subrange must be less than the finishing one"};
const TResStringRec suiRegExprHexNumberExpected0{"suiRegExprHexNumberExpected0", "Hexadecimal number expected"};
const TResStringRec suiRegExprHexNumberExpected{"suiRegExprHexNumberExpected",
                                                "Hexadecimal number expected but '%s' found"};
const TResStringRec suiRegExprMissing{"suiRegExprMissing", "Missing '%s'"};
const TResStringRec suiRegExprUnnecessary{"suiRegExprUnnecessary", "Unnecessary '%s'"};
const TResStringRec suiRegExprIncorrectSpace{"suiRegExprIncorrectSpace",
                                             "The space character is not allowed after '\\'"};
const TResStringRec suiRegExprNotCompiled{"suiRegExprNotCompiled", "Regular expression is not compiled"};
const TResStringRec suiRegExprIncorrectParameterQuantifier{"suiRegExprIncorrectParameterQuantifier",
                                                           "Incorrect parameter quantifier"};
const TResStringRec suiRegExprCantUseParameterQuantifier{"suiRegExprCantUseParameterQuantifier",
                                                         "The parameter quantifier cannot be applied here"};
const TResStringRec suiMaskEditRegExprError{"suiMaskEditRegExprError", "Regular expression errors:"};
const TResStringRec suiMaskEditInvalidEditValue{"suiMaskEditInvalidEditValue", "The edit value is invalid"};
const TResStringRec suiMaskEditNoMask{"suiMaskEditNoMask", "None"};
const TResStringRec suiMaskEditIllegalFileFormat{"suiMaskEditIllegalFileFormat", "Illegal file format"};
const TResStringRec suiMaskEditEmptyMaskCollectionFile{"suiMaskEditEmptyMaskCollectionFile",
                                                       "The mask collection file is empty"};
const TResStringRec suiMaskEditMaskCollectionFiles{"suiMaskEditMaskCollectionFiles", "Mask collection files"};
const TResStringRec uiSSpinEditInvalidNumericValue{"uiSSpinEditInvalidNumericValue", "Invalid numeric value"};

void uiEditConstsRegisterResourceStrings(TubProductResourceStrings* Product) {
    Product->Add("uiSEditButtonCancel", &uiSEditButtonCancel);
    Product->Add("uiSEditButtonOK", &uiSEditButtonOK);
    Product->Add("uiSEditDateConvertError", &uiSEditDateConvertError);
    Product->Add("uiSEditInvalidRepositoryItem", &uiSEditInvalidRepositoryItem);
    Product->Add("uiSEditNumericValueConvertError", &uiSEditNumericValueConvertError);
    Product->Add("uiSEditPopupCircularReferencingError", &uiSEditPopupCircularReferencingError);
    Product->Add("uiSEditPostError", &uiSEditPostError);
    Product->Add("uiSEditTimeConvertError", &uiSEditTimeConvertError);
    Product->Add("uiSEditValidateErrorText", &uiSEditValidateErrorText);
    Product->Add("uiSEditValueOutOfBounds", &uiSEditValueOutOfBounds);
    Product->Add("uiSEditCheckBoxChecked", &uiSEditCheckBoxChecked);
    Product->Add("uiSEditCheckBoxGrayed", &uiSEditCheckBoxGrayed);
    Product->Add("uiSEditCheckBoxUnchecked", &uiSEditCheckBoxUnchecked);
    Product->Add("uiSRadioGroupDefaultCaption", &uiSRadioGroupDefaultCaption);
    Product->Add("uiSTextTrue", &uiSTextTrue);
    Product->Add("uiSTextFalse", &uiSTextFalse);
    Product->Add("uiSBlobButtonOK", &uiSBlobButtonOK);
    Product->Add("uiSBlobButtonCancel", &uiSBlobButtonCancel);
    Product->Add("uiSBlobButtonClose", &uiSBlobButtonClose);
    Product->Add("uiSBlobMemo", &uiSBlobMemo);
    Product->Add("uiSBlobMemoEmpty", &uiSBlobMemoEmpty);
    Product->Add("uiSBlobPicture", &uiSBlobPicture);
    Product->Add("uiSBlobPictureEmpty", &uiSBlobPictureEmpty);
    Product->Add("uiSMenuItemCaptionCut", &uiSMenuItemCaptionCut);
    Product->Add("uiSMenuItemCaptionCopy", &uiSMenuItemCaptionCopy);
    Product->Add("uiSMenuItemCaptionPaste", &uiSMenuItemCaptionPaste);
    Product->Add("uiSMenuItemCaptionDelete", &uiSMenuItemCaptionDelete);
    Product->Add("uiSMenuItemCaptionLoad", &uiSMenuItemCaptionLoad);
    Product->Add("uiSMenuItemCaptionSave", &uiSMenuItemCaptionSave);
    Product->Add("uiSDatePopupClear", &uiSDatePopupClear);
    Product->Add("uiSDatePopupNow", &uiSDatePopupNow);
    Product->Add("uiSDatePopupOK", &uiSDatePopupOK);
    Product->Add("uiSDatePopupToday", &uiSDatePopupToday);
    Product->Add("uiSDateError", &uiSDateError);
    Product->Add("suiSCalcError", &suiSCalcError);
    Product->Add("suiSHyperLinkPrefix", &suiSHyperLinkPrefix);
    Product->Add("suiSHyperLinkDoubleSlash", &suiSHyperLinkDoubleSlash);
    Product->Add("uiNavigatorHint_First", &uiNavigatorHint_First);
    Product->Add("uiNavigatorHint_Prior", &uiNavigatorHint_Prior);
    Product->Add("uiNavigatorHint_PriorPage", &uiNavigatorHint_PriorPage);
    Product->Add("uiNavigatorHint_Next", &uiNavigatorHint_Next);
    Product->Add("uiNavigatorHint_NextPage", &uiNavigatorHint_NextPage);
    Product->Add("uiNavigatorHint_Last", &uiNavigatorHint_Last);
    Product->Add("uiNavigatorHint_Insert", &uiNavigatorHint_Insert);
    Product->Add("uiNavigatorHint_Append", &uiNavigatorHint_Append);
    Product->Add("uiNavigatorHint_Delete", &uiNavigatorHint_Delete);
    Product->Add("uiNavigatorHint_Edit", &uiNavigatorHint_Edit);
    Product->Add("uiNavigatorHint_Post", &uiNavigatorHint_Post);
    Product->Add("uiNavigatorHint_Cancel", &uiNavigatorHint_Cancel);
    Product->Add("uiNavigatorHint_Refresh", &uiNavigatorHint_Refresh);
    Product->Add("uiNavigatorHint_SaveBookmark", &uiNavigatorHint_SaveBookmark);
    Product->Add("uiNavigatorHint_GotoBookmark", &uiNavigatorHint_GotoBookmark);
    Product->Add("uiNavigatorHint_Filter", &uiNavigatorHint_Filter);
    Product->Add("uiNavigator_DeleteRecordQuestion", &uiNavigator_DeleteRecordQuestion);
    Product->Add("suiSEditRepositoryBlobItem", &suiSEditRepositoryBlobItem);
    Product->Add("suiSEditRepositoryButtonItem", &suiSEditRepositoryButtonItem);
    Product->Add("suiSEditRepositoryCalcItem", &suiSEditRepositoryCalcItem);
    Product->Add("suiSEditRepositoryCheckBoxItem", &suiSEditRepositoryCheckBoxItem);
    Product->Add("suiSEditRepositoryComboBoxItem", &suiSEditRepositoryComboBoxItem);
    Product->Add("suiSEditRepositoryCurrencyItem", &suiSEditRepositoryCurrencyItem);
    Product->Add("suiSEditRepositoryDateItem", &suiSEditRepositoryDateItem);
    Product->Add("suiSEditRepositoryHyperLinkItem", &suiSEditRepositoryHyperLinkItem);
    Product->Add("suiSEditRepositoryImageComboBoxItem", &suiSEditRepositoryImageComboBoxItem);
    Product->Add("suiSEditRepositoryImageItem", &suiSEditRepositoryImageItem);
    Product->Add("suiSEditRepositoryLookupComboBoxItem", &suiSEditRepositoryLookupComboBoxItem);
    Product->Add("suiSEditRepositoryMaskItem", &suiSEditRepositoryMaskItem);
    Product->Add("suiSEditRepositoryMemoItem", &suiSEditRepositoryMemoItem);
    Product->Add("suiSEditRepositoryMRUItem", &suiSEditRepositoryMRUItem);
    Product->Add("suiSEditRepositoryPopupItem", &suiSEditRepositoryPopupItem);
    Product->Add("suiSEditRepositorySpinItem", &suiSEditRepositorySpinItem);
    Product->Add("suiSEditRepositoryRadioGroupItem", &suiSEditRepositoryRadioGroupItem);
    Product->Add("suiSEditRepositoryTextItem", &suiSEditRepositoryTextItem);
    Product->Add("suiSEditRepositoryTimeItem", &suiSEditRepositoryTimeItem);
    Product->Add("suiRegExprLine", &suiRegExprLine);
    Product->Add("suiRegExprChar", &suiRegExprChar);
    Product->Add("suiRegExprNotAssignedSourceStream", &suiRegExprNotAssignedSourceStream);
    Product->Add("suiRegExprEmptySourceStream", &suiRegExprEmptySourceStream);
    Product->Add("suiRegExprCantUsePlusQuantifier", &suiRegExprCantUsePlusQuantifier);
    Product->Add("suiRegExprCantUseStarQuantifier", &suiRegExprCantUseStarQuantifier);
    Product->Add("suiRegExprCantCreateEmptyAlt", &suiRegExprCantCreateEmptyAlt);
    Product->Add("suiRegExprCantCreateEmptyBlock", &suiRegExprCantCreateEmptyBlock);
    Product->Add("suiRegExprIllegalSymbol", &suiRegExprIllegalSymbol);
    Product->Add("suiRegExprIllegalQuantifier", &suiRegExprIllegalQuantifier);
    Product->Add("suiRegExprNotSupportQuantifier", &suiRegExprNotSupportQuantifier);
    Product->Add("suiRegExprIllegalIntegerValue", &suiRegExprIllegalIntegerValue);
    Product->Add("suiRegExprTooBigReferenceNumber", &suiRegExprTooBigReferenceNumber);
    Product->Add("suiRegExprCantCreateEmptyEnum", &suiRegExprCantCreateEmptyEnum);
    Product->Add("suiRegExprSubrangeOrder", &suiRegExprSubrangeOrder);
    Product->Add("suiRegExprHexNumberExpected0", &suiRegExprHexNumberExpected0);
    Product->Add("suiRegExprHexNumberExpected", &suiRegExprHexNumberExpected);
    Product->Add("suiRegExprMissing", &suiRegExprMissing);
    Product->Add("suiRegExprUnnecessary", &suiRegExprUnnecessary);
    Product->Add("suiRegExprIncorrectSpace", &suiRegExprIncorrectSpace);
    Product->Add("suiRegExprNotCompiled", &suiRegExprNotCompiled);
    Product->Add("suiRegExprIncorrectParameterQuantifier", &suiRegExprIncorrectParameterQuantifier);
    Product->Add("suiRegExprCantUseParameterQuantifier", &suiRegExprCantUseParameterQuantifier);
    Product->Add("suiMaskEditRegExprError", &suiMaskEditRegExprError);
    Product->Add("suiMaskEditInvalidEditValue", &suiMaskEditInvalidEditValue);
    Product->Add("suiMaskEditNoMask", &suiMaskEditNoMask);
    Product->Add("suiMaskEditIllegalFileFormat", &suiMaskEditIllegalFileFormat);
    Product->Add("suiMaskEditEmptyMaskCollectionFile", &suiMaskEditEmptyMaskCollectionFile);
    Product->Add("suiMaskEditMaskCollectionFiles", &suiMaskEditMaskCollectionFiles);
    Product->Add("uiSSpinEditInvalidNumericValue", &uiSSpinEditInvalidNumericValue);
}

void uiEditConstsStartup() { ubRegisterProduct(uiEditConstsProductName, uiEditConstsRegisterResourceStrings); }

void uiEditConstsShutdown() { ubUnregisterProduct(uiEditConstsProductName); }

}  // namespace zel
