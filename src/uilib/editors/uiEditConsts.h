#pragma once
// The editors' user-visible texts, registered as the product "UIEditors Library".
#include "uilib/base/ubCore.h"

namespace zel {

inline constexpr const char* uiEditConstsProductName = "UIEditors Library";

extern const TResStringRec uiSEditButtonCancel;
extern const TResStringRec uiSEditButtonOK;
extern const TResStringRec uiSEditDateConvertError;
extern const TResStringRec uiSEditInvalidRepositoryItem;
extern const TResStringRec uiSEditNumericValueConvertError;
extern const TResStringRec uiSEditPopupCircularReferencingError;
extern const TResStringRec uiSEditPostError;
extern const TResStringRec uiSEditTimeConvertError;
extern const TResStringRec uiSEditValidateErrorText;
extern const TResStringRec uiSEditValueOutOfBounds;
extern const TResStringRec uiSEditCheckBoxChecked;
extern const TResStringRec uiSEditCheckBoxGrayed;
extern const TResStringRec uiSEditCheckBoxUnchecked;
extern const TResStringRec uiSRadioGroupDefaultCaption;
extern const TResStringRec uiSTextTrue;
extern const TResStringRec uiSTextFalse;
extern const TResStringRec uiSBlobButtonOK;
extern const TResStringRec uiSBlobButtonCancel;
extern const TResStringRec uiSBlobButtonClose;
extern const TResStringRec uiSBlobMemo;
extern const TResStringRec uiSBlobMemoEmpty;
extern const TResStringRec uiSBlobPicture;
extern const TResStringRec uiSBlobPictureEmpty;
extern const TResStringRec uiSMenuItemCaptionCut;
extern const TResStringRec uiSMenuItemCaptionCopy;
extern const TResStringRec uiSMenuItemCaptionPaste;
extern const TResStringRec uiSMenuItemCaptionDelete;
extern const TResStringRec uiSMenuItemCaptionLoad;
extern const TResStringRec uiSMenuItemCaptionSave;
extern const TResStringRec uiSDatePopupClear;
extern const TResStringRec uiSDatePopupNow;
extern const TResStringRec uiSDatePopupOK;
extern const TResStringRec uiSDatePopupToday;
extern const TResStringRec uiSDateError;
extern const TResStringRec suiSCalcError;
extern const TResStringRec suiSHyperLinkPrefix;
extern const TResStringRec suiSHyperLinkDoubleSlash;
extern const TResStringRec uiNavigatorHint_First;
extern const TResStringRec uiNavigatorHint_Prior;
extern const TResStringRec uiNavigatorHint_PriorPage;
extern const TResStringRec uiNavigatorHint_Next;
extern const TResStringRec uiNavigatorHint_NextPage;
extern const TResStringRec uiNavigatorHint_Last;
extern const TResStringRec uiNavigatorHint_Insert;
extern const TResStringRec uiNavigatorHint_Append;
extern const TResStringRec uiNavigatorHint_Delete;
extern const TResStringRec uiNavigatorHint_Edit;
extern const TResStringRec uiNavigatorHint_Post;
extern const TResStringRec uiNavigatorHint_Cancel;
extern const TResStringRec uiNavigatorHint_Refresh;
extern const TResStringRec uiNavigatorHint_SaveBookmark;
extern const TResStringRec uiNavigatorHint_GotoBookmark;
extern const TResStringRec uiNavigatorHint_Filter;
extern const TResStringRec uiNavigator_DeleteRecordQuestion;
extern const TResStringRec suiSEditRepositoryBlobItem;
extern const TResStringRec suiSEditRepositoryButtonItem;
extern const TResStringRec suiSEditRepositoryCalcItem;
extern const TResStringRec suiSEditRepositoryCheckBoxItem;
extern const TResStringRec suiSEditRepositoryComboBoxItem;
extern const TResStringRec suiSEditRepositoryCurrencyItem;
extern const TResStringRec suiSEditRepositoryDateItem;
extern const TResStringRec suiSEditRepositoryHyperLinkItem;
extern const TResStringRec suiSEditRepositoryImageComboBoxItem;
extern const TResStringRec suiSEditRepositoryImageItem;
extern const TResStringRec suiSEditRepositoryLookupComboBoxItem;
extern const TResStringRec suiSEditRepositoryMaskItem;
extern const TResStringRec suiSEditRepositoryMemoItem;
extern const TResStringRec suiSEditRepositoryMRUItem;
extern const TResStringRec suiSEditRepositoryPopupItem;
extern const TResStringRec suiSEditRepositorySpinItem;
extern const TResStringRec suiSEditRepositoryRadioGroupItem;
extern const TResStringRec suiSEditRepositoryTextItem;
extern const TResStringRec suiSEditRepositoryTimeItem;
extern const TResStringRec suiRegExprLine;
extern const TResStringRec suiRegExprChar;
extern const TResStringRec suiRegExprNotAssignedSourceStream;
extern const TResStringRec suiRegExprEmptySourceStream;
extern const TResStringRec suiRegExprCantUsePlusQuantifier;
extern const TResStringRec suiRegExprCantUseStarQuantifier;
extern const TResStringRec suiRegExprCantCreateEmptyAlt;
extern const TResStringRec suiRegExprCantCreateEmptyBlock;
extern const TResStringRec suiRegExprIllegalSymbol;
extern const TResStringRec suiRegExprIllegalQuantifier;
extern const TResStringRec suiRegExprNotSupportQuantifier;
extern const TResStringRec suiRegExprIllegalIntegerValue;
extern const TResStringRec suiRegExprTooBigReferenceNumber;
extern const TResStringRec suiRegExprCantCreateEmptyEnum;
extern const TResStringRec suiRegExprSubrangeOrder;
extern const TResStringRec suiRegExprHexNumberExpected0;
extern const TResStringRec suiRegExprHexNumberExpected;
extern const TResStringRec suiRegExprMissing;
extern const TResStringRec suiRegExprUnnecessary;
extern const TResStringRec suiRegExprIncorrectSpace;
extern const TResStringRec suiRegExprNotCompiled;
extern const TResStringRec suiRegExprIncorrectParameterQuantifier;
extern const TResStringRec suiRegExprCantUseParameterQuantifier;
extern const TResStringRec suiMaskEditRegExprError;
extern const TResStringRec suiMaskEditInvalidEditValue;
extern const TResStringRec suiMaskEditNoMask;
extern const TResStringRec suiMaskEditIllegalFileFormat;
extern const TResStringRec suiMaskEditEmptyMaskCollectionFile;
extern const TResStringRec suiMaskEditMaskCollectionFiles;
extern const TResStringRec uiSSpinEditInvalidNumericValue;

// Lists the strings into the product, in their fixed order.
void uiEditConstsRegisterResourceStrings(TubProductResourceStrings* Product);
// The unit's start-up registers the product; its shutdown unregisters it.
void uiEditConstsStartup();
void uiEditConstsShutdown();

}  // namespace zel
