#pragma once
// The single-line text editor: its settings (echo mode, character case, maximum length, completion items,
// formats), the borderless EDIT inside it that holds the text, the completion data that steps through the
// items, the list that shows them, and the view that paints the text when the EDIT does not.
// The masked, spin and drop-down editors descend from TuiCustomTextEdit and TuiCustomTextEditProperties.
#include <bitset>
#include <functional>
#include <string>

#include "platform/rtl/StringList.h"
#include "platform/rtl/Units.h"
#include "platform/rtl/Variants.h"
#include "platform/vcl/StdCtrls.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiControls.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiEditControl.h"
#include "uilib/editors/uiEditViewData.h"
#include "uilib/editors/uiFilterControlUtils.h"
#include "uilib/editors/uiFormats.h"

namespace zel {

enum TuiEditEchoMode { eemNormal, eemPassword };
// How typing relates to the completion items.
enum TuiTextEditingStyle { tesFreeText, tesListCompletion, tesListOnly, tesNoTyping };
enum TuiTextEditViewMode { tvmNormal, tvmNoCaret, tvmButtonsOnly, tvmButtonsFillWidth };
enum TImeMode {
    imDisable,
    imClose,
    imOpen,
    imDontCare,
    imSAlpha,
    imAlpha,
    imHira,
    imSKata,
    imKata,
    imChinese,
    imSHanguel,
    imHanguel
};
// The lookup steps of TuiCustomTextEditLookupData::Go.
enum TuiEditLookupDirection { egdFirst, egdLast, egdNext, egdPrior, egdPageUp, egdPageDown };

using TuiNewLookupDisplayTextEvent = std::function<void(TObject* Sender, const std::string& AText)>;

class TuiCustomTextEdit;
class TuiCustomTextEditProperties;
struct THintInfo;

// ------------------------------------------------------------------------------------------- properties

// Which of the text settings were set on the settings object itself rather than taken from the data.
class TuiTextEditPropertiesValues : public TPersistent {
public:
    explicit TuiTextEditPropertiesValues(TuiCustomTextEditProperties* AOwner) : owner_(AOwner) {}
    std::string ClassName() const override { return "TuiTextEditPropertiesValues"; }
    TPersistent* GetOwner() const override;
    // The three flags, inside one update of the owner.
    void Assign(TPersistent* Source) override;
    void RestoreDefaults();

    bool GetDisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(bool Value);
    bool GetEditFormat() const { return editFormat_; }
    void SetEditFormat(bool Value);
    bool GetMaxLength() const { return maxLength_; }
    void SetMaxLength(bool Value);
    // Whether the flag is written to a stream: only when set, the owner's text is empty and the owner's class
    // shows the property (the spin editor's does).
    bool IsDisplayFormatStored() const;
    bool IsEditFormatStored() const;

private:
    TuiCustomTextEditProperties* owner_;
    bool displayFormat_ = false;
    bool editFormat_ = false;
    bool maxLength_ = false;
};

// What GetEditFormat answers.
struct TuiEditFormat {
    bool IsCurrency = false;
    bool HandledByData = false;
    std::string Format;
};

class TuiCustomTextEditProperties : public TuiCustomEditProperties, public IuiFormatControllerListener {
public:
    explicit TuiCustomTextEditProperties(TPersistent* AOwner);
    ~TuiCustomTextEditProperties() override;
    std::string ClassName() const override { return "TuiCustomTextEditProperties"; }
    static TClass StaticClass();
    // From another text settings object: everything below, in one update; from other settings the base only.
    void Assign(TPersistent* Source) override;
    // Text view data: the text's place, colours and display text, for an editor or a painted cell.
    TuiCustomEditViewData* CreateViewData(TuiCustomEditStyle* AStyle, bool AInPlace) override;

    TuiTextEditPropertiesValues* TextAssignedValues() const { return textValues_; }

    TEditCharCase GetCharCase() const { return charCase_; }
    virtual void SetCharCase(TEditCharCase Value);
    TuiEditEchoMode GetEchoMode() const { return echoMode_; }
    void SetEchoMode(TuiEditEchoMode Value);
    char GetPasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char Value);
    bool GetHideSelection() const { return hideSelection_; }
    void SetHideSelection(bool Value);
    TImeMode GetImeMode() const { return imeMode_; }
    void SetImeMode(TImeMode Value);
    const std::string& GetImeName() const { return imeName_; }
    void SetImeName(const std::string& Value);
    virtual bool GetIncrementalSearch() const { return incrementalSearch_; }
    void SetIncrementalSearch(bool Value);
    bool GetImmediateUpdateText() const { return immediateUpdateText_; }
    void SetImmediateUpdateText(bool Value) { immediateUpdateText_ = Value; }
    // Duplicates are accepted; any change of the lines is a change of the settings.
    TStringList* LookupItems() const { return lookupItems_; }
    void SetLookupItems(TStrings* Value);
    bool GetLookupItemsSorted() const { return lookupItems_->GetSorted(); }
    void SetLookupItemsSorted(bool Value);
    // The set value, else the data's limit, else 0 (no limit).
    virtual int GetMaxLength() const;
    void SetMaxLength(int Value);
    bool GetOEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool Value);
    std::string GetDisplayFormat() const;
    void SetDisplayFormat(const std::string& Value);
    std::string GetEditFormatText() const { return editFormat_; }
    void SetEditFormat(const std::string& Value);
    bool GetUseDisplayFormatWhenEditing() const { return useDisplayFormatWhenEditing_; }
    void SetUseDisplayFormatWhenEditing(bool Value);
    bool GetListMatchHighlight() const { return listMatchHighlight_; }
    void SetListMatchHighlight(bool Value);
    bool GetTypingDisabled() const { return typingDisabled_; }
    void SetTypingDisabled(bool Value);
    bool GetExactMatchOnTextChange() const { return exactMatchOnTextChange_; }
    void SetExactMatchOnTextChange(bool Value);
    // Characters accepted besides the editor's own rule, by their byte.
    std::bitset<256>& ExtraValidChars() { return extraValidChars_; }
    const std::bitset<256>& ExtraValidChars() const { return extraValidChars_; }
    bool GetFormatChanging() const { return formatChanging_; }

    TuiTextEditViewMode GetViewMode() const;
    void SetViewMode(TuiTextEditViewMode Value);

    // Answers of the class.
    virtual TuiTextEditingStyle GetEditingStyle() const { return typingDisabled_ ? tesNoTyping : tesFreeText; }
    // Whether completion data is made for the editor (the text editors' own completion data).
    virtual bool UsesLookupData() const { return true; }
    virtual int GetDropDownRows() const { return 8; }
    virtual int GetDisplayFormatOptions() const { return 1; }
    virtual std::string DefaultDisplayFormat() const { return {}; }
    virtual std::string EmptyDisplayValue() const { return {}; }
    // Whether the editor holds a number (the spin editor's settings do).
    virtual bool HasValueType() const { return false; }
    virtual bool UseThousandSeparator() const { return false; }

    bool IsLookupItem(const std::string& AText) const;
    // Whether the value may show: empty, or not a list style, or one of the items; a valid value gets the
    // character case applied.
    virtual bool IsValidDisplayValue(Variant& Value) const;
    bool CanDisplayValue(const Variant& Value) const;
    // The password characters, or the text in the character case.
    std::string TransformDisplayText(const std::string& AText) const;
    // The value as text for display, in its format; raises EConvertError for a value of another kind where
    // a number is held.
    virtual std::string PrepareDisplayText(const Variant& AEditValue, bool AEditing) const;
    std::string GetDisplayText(const Variant& AEditValue, bool AEditing) const;
    void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue) const override;
    bool DisplayValuesEqual(const Variant& A, const Variant& B) const;
    TuiEditFormat GetEditFormat(bool AInPlace) const;
    // 0 the minimum, 1 the maximum.
    bool IsMinMaxInForce(int AWhich) const;
    bool IsRangeInForce() const { return IsMinMaxInForce(0) || IsMinMaxInForce(1); }
    // Checks a number against the bounds in force; the editor converts the shown text.
    void ValidateRange(const Variant& AEditValue, std::string& ErrorText, bool& Error) const;
    // 1 for a value out of bounds.
    std::string GetValidateErrorTextOf(int AKind) const;
    // Reads the older streams' flag into the display-format flag.
    void ReadIsDisplayFormatAssigned(bool Value) { textValues_->SetDisplayFormat(Value); }

    // IuiFormatControllerListener
    void FormatChanged() override;

    TuiNewLookupDisplayTextEvent OnNewLookupDisplayText;

protected:
    friend class TuiTextEditPropertiesValues;
    virtual void MaxLengthChanged() { Changed(); }
    // The owner's class shows the named property in its streams.
    virtual bool PublishesFormat(const std::string& /*AName*/) const { return false; }

private:
    template <class T>
    void Store(T& AField, const T& Value) {
        if (AField == Value) return;
        AField = Value;
        Changed();
    }

    TuiTextEditPropertiesValues* textValues_ = nullptr;
    TStringList* lookupItems_ = nullptr;
    TEditCharCase charCase_ = ecNormal;
    TuiEditEchoMode echoMode_ = eemNormal;
    char passwordChar_ = 0;
    bool hideSelection_ = true;
    TImeMode imeMode_ = imDontCare;
    std::string imeName_;
    bool incrementalSearch_ = true;
    bool immediateUpdateText_ = false;
    int maxLength_ = 0;
    bool oemConvert_ = false;
    std::string displayFormat_;
    std::string editFormat_;
    bool useDisplayFormatWhenEditing_ = false;
    bool listMatchHighlight_ = true;
    bool typingDisabled_ = false;
    bool exactMatchOnTextChange_ = false;
    std::bitset<256> extraValidChars_;
    bool formatChanging_ = false;
};

class TuiTextEditProperties : public TuiCustomTextEditProperties {
public:
    using TuiCustomTextEditProperties::TuiCustomTextEditProperties;
    std::string ClassName() const override { return "TuiTextEditProperties"; }
    std::string EditorClassName() const override { return "TuiTextEdit"; }
    static TClass StaticClass();
};

// ------------------------------------------------------------------------------------------- lookup data

class TuiCustomEditListBox;

// Finds and steps through the completion items of a text editor.
class TuiCustomTextEditLookupData : public TuiInterfacedPersistent {
public:
    explicit TuiCustomTextEditLookupData(TuiCustomTextEdit* AOwner);
    ~TuiCustomTextEditLookupData() override;
    std::string ClassName() const override { return "TuiCustomTextEditLookupData"; }

    TuiCustomTextEdit* Owner() const { return owner_; }
    int GetCurrentKey() const { return currentKey_; }
    // With the owner writing from the list: sets the key and tells OnSelectItem when it changed or the
    // owner's text is not the item's.
    void SetCurrentKey(int AKey);
    int GetItemIndex() const { return itemIndex_; }
    std::string GetItem(int AIndex) const;
    int GetItemCount() const;
    bool IsEmpty() const { return GetItemCount() == 0; }
    int IndexOf(const std::string& AText) const;
    bool IsValidText(const std::string& AText) const { return IndexOf(AText) != -1; }
    std::string GetDisplayText(int AKey) const;

    // The first item (after the highlighted one with ANext) that starts with AText, ignoring case: AText
    // becomes the item's own beginning and ATail the rest. True when found.
    bool Locate(std::string& AText, std::string& ATail, bool ANext) { return Locate(AText, ATail, false, ANext); }
    bool Locate(std::string& AText, std::string& ATail, bool AFromTextChange, bool ANext);
    void Go(TuiEditLookupDirection ADirection, bool ACircular);
    // Commits the highlighted item.
    void SelectItem();
    // The owner's text changed by itself: finds it again.
    void TextChanged();
    void SyncSelected();

    // The list (made on the first Initialize by descendants that name a list class).
    TuiCustomEditListBox* GetList() const { return list_; }
    virtual void Initialize(TWinControl* AParent);
    void PositionVisualArea(const TRect& R);
    void ListChanged();
    bool IsMouseOverList(TPoint AScreenPoint) const;

    TNotifyEvent OnCurrentKeyChanged;
    TNotifyEvent OnSelectItem;

protected:
    // The list class; none for the text editor.
    virtual bool UsesList() const { return false; }
    // Makes the list (for descendants that use one).
    virtual TuiCustomEditListBox* CreateList();
    void SetCurrentKeyInternal(int AKey);
    void SetListIndex(int AIndex);
    void ListIndexChanged();

private:
    TuiCustomTextEdit* owner_;
    int currentKey_ = -1;
    int itemIndex_ = -1;
    TuiCustomEditListBox* list_ = nullptr;
};

// The list of the completion items in a drop-down.
class TuiCustomEditListBox : public TuiCustomInnerListBox {
public:
    explicit TuiCustomEditListBox(TComponent* AOwner);
    std::string ClassName() const override { return "TuiCustomEditListBox"; }
    bool HotTrack = true;
    // The row height: the text height of "Wg".
    int GetItemHeight();
    int GetHeight(int ARowCount) { return ARowCount * GetItemHeight(); }
    int GetItemWidth(int AIndex);
    std::function<void()> OnIndexChanged;
    TuiCustomTextEdit* Edit = nullptr;

protected:
    void WndProc(TMessage& Message) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Click() override;
};

// ---------------------------------------------------------------------------------------- view info/data

class TuiCustomTextEditViewInfo : public TuiCustomEditViewInfo {
public:
    std::string ClassName() const override { return "TuiCustomTextEditViewInfo"; }
    void Paint(TCanvas* ACanvas) override;

    std::string Text;
    TRect TextRect{0, 0, 0, 0};
    TFont* Font = nullptr;
    TColor TextColor = clWindowText;
    int SelStart = 0;
    int SelLength = 0;
    TColor SelTextColor = clHighlightText;
    TColor SelBackgroundColor = clHighlight;
    bool DrawSelectionBar = false;
    TuiTextEditingStyle EditingStyle = tesFreeText;
    bool IsEditClass = false;  // the inner EDIT shows the text
    bool IsPaintCopy = false;  // painting a copy of the editor (not the editor's own window)
    bool IsStandalone = true;
    bool Focused = false;
    bool HasPopupWindow = false;
    UINT DrawTextFlags = 0;
    int MaxLineCount = 0;
};

// The text editor's view data: the base layout, then the text's place (where the editor's inner EDIT goes),
// its colours and the display text. Without an editor it shows EditValue, as a host's cell does.
class TuiCustomTextEditViewData : public TuiCustomEditViewData {
public:
    TuiCustomTextEditViewData(TuiCustomTextEditProperties* AProperties, TuiCustomEditStyle* AStyle, bool AInPlace)
        : TuiCustomEditViewData(AProperties, AStyle, AInPlace) {}
    // The value a cell shows when there is no editor.
    Variant EditValue;
    // The base calculation, then the text part of a text view info.
    void Calculate(TCanvas* ACanvas, const TRect& ABounds, TPoint P, TShiftState AShift,
                   TuiCustomEditViewInfo& AViewInfo) override;
    // The text part alone, over a view info whose rectangles are laid out already.
    void CalculateText(TCanvas* ACanvas, TuiCustomTextEditViewInfo& AViewInfo);
    // The draw-text flags of an alignment.
    static UINT DrawTextFlagsOf(const TuiEditAlignment* AAlignment);
    // The selection colours from the given ones (clNone for none) and the style's colour.
    static void SelectionColors(TColor AGivenText, TColor AGivenBackground, TColor AStyleColor, TColor& AText,
                                TColor& ABackground);

private:
    TuiCustomTextEdit* TextEdit() const;
};

// ----------------------------------------------------------------------------------------- inner edit

class TuiCustomInnerTextEdit;

// What the owner asks of its inner text edit.
class IuiInnerTextEdit {
public:
    virtual ~IuiInnerTextEdit() = default;
    virtual TWinControl* GetControl() = 0;
    // The EDIT's own window procedure, past every subclass.
    virtual LRESULT CallDefWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) = 0;
    virtual Variant GetEditValue() = 0;
    virtual void SetEditValue(const Variant& Value) = 0;
    virtual bool GetReadOnly() = 0;
    virtual void SetReadOnly(bool Value) = 0;
    virtual void LockBounds(bool ALock) = 0;
    virtual void SafelySetFocus() = 0;
    virtual void ClearSelection() = 0;
    virtual void CopyToClipboard() = 0;
    virtual TAlignment GetAlignment() = 0;
    virtual void SetAlignment(TAlignment Value) = 0;
    virtual bool GetAutoSelect() = 0;
    virtual void SetAutoSelect(bool Value) = 0;
    virtual TEditCharCase GetCharCase() = 0;
    virtual void SetCharCase(TEditCharCase Value) = 0;
    virtual TuiEditEchoMode GetEchoMode() = 0;
    virtual void SetEchoMode(TuiEditEchoMode Value) = 0;
    virtual int GetFirstVisibleCharIndex() = 0;
    virtual bool GetHideSelection() = 0;
    virtual void SetHideSelection(bool Value) = 0;
    virtual char GetImeLastChar() = 0;
    virtual TImeMode GetImeMode() = 0;
    virtual void SetImeMode(TImeMode Value) = 0;
    virtual std::string GetImeName() = 0;
    virtual void SetImeName(const std::string& Value) = 0;
    virtual bool GetOwnerHandledKey() = 0;
    virtual void SetOwnerHandledKey(bool Value) = 0;
    virtual int GetMaxLength() = 0;
    virtual void SetMaxLength(int Value) = 0;
    virtual bool GetMultiLine() = 0;
    virtual bool GetOEMConvert() = 0;
    virtual void SetOEMConvert(bool Value) = 0;
    virtual TNotifyEvent GetOnSelChange() = 0;
    virtual void SetOnSelChange(TNotifyEvent Value) = 0;
    virtual char GetPasswordChar() = 0;
    virtual void SetPasswordChar(char Value) = 0;
    virtual int GetSelStart() = 0;
    virtual void SetSelStart(int Value) = 0;
    virtual int GetSelLength() = 0;
    virtual void SetSelLength(int Value) = 0;
    virtual std::string GetSelText() = 0;
    virtual void SetSelText(const std::string& Value) = 0;
    virtual void SelectAll() = 0;
};

// Answers the owner for the inner edit; keeps the selection while an IME character arrives.
class TuiCustomInnerTextEditHelper : public TuiInterfacedPersistent, public IuiInnerTextEdit {
public:
    explicit TuiCustomInnerTextEditHelper(TuiCustomInnerTextEdit* AEdit);
    std::string ClassName() const override { return "TuiCustomInnerTextEditHelper"; }

    TWinControl* GetControl() override;
    LRESULT CallDefWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    Variant GetEditValue() override;
    void SetEditValue(const Variant& Value) override;
    bool GetReadOnly() override;
    void SetReadOnly(bool Value) override;
    void LockBounds(bool ALock) override;
    void SafelySetFocus() override;
    void ClearSelection() override;
    void CopyToClipboard() override;
    TAlignment GetAlignment() override;
    void SetAlignment(TAlignment Value) override;
    bool GetAutoSelect() override;
    void SetAutoSelect(bool Value) override;
    TEditCharCase GetCharCase() override;
    void SetCharCase(TEditCharCase Value) override;
    TuiEditEchoMode GetEchoMode() override;
    void SetEchoMode(TuiEditEchoMode Value) override;
    int GetFirstVisibleCharIndex() override;
    bool GetHideSelection() override;
    void SetHideSelection(bool Value) override;
    char GetImeLastChar() override;
    TImeMode GetImeMode() override;
    void SetImeMode(TImeMode Value) override;
    std::string GetImeName() override;
    void SetImeName(const std::string& Value) override;
    bool GetOwnerHandledKey() override;
    void SetOwnerHandledKey(bool Value) override;
    int GetMaxLength() override;
    void SetMaxLength(int Value) override;
    bool GetMultiLine() override { return false; }
    bool GetOEMConvert() override;
    void SetOEMConvert(bool Value) override;
    TNotifyEvent GetOnSelChange() override;
    void SetOnSelChange(TNotifyEvent Value) override;
    char GetPasswordChar() override;
    void SetPasswordChar(char Value) override;
    int GetSelStart() override;
    void SetSelStart(int Value) override;
    int GetSelLength() override;
    void SetSelLength(int Value) override;
    std::string GetSelText() override;
    void SetSelText(const std::string& Value) override;
    void SelectAll() override;

    TuiCustomInnerTextEdit* Edit = nullptr;
    bool AlignmentLock = false;
    int SavedSelStart = 0;
    int SavedSelLength = 0;
};

// The borderless EDIT inside a text editor; its keys, mouse, focus and clipboard go to the owner first.
class TuiCustomInnerTextEdit : public TCustomEdit {
public:
    explicit TuiCustomInnerTextEdit(TComponent* AOwner);
    ~TuiCustomInnerTextEdit() override;
    std::string ClassName() const override { return "TuiCustomInnerTextEdit"; }

    TuiCustomInnerTextEditHelper* Helper() const { return helper_; }
    TuiCustomTextEdit* OwnerEdit() const;
    LRESULT CallDefWndProc(UINT Msg, WPARAM WParam, LPARAM LParam);

    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    TuiEditEchoMode GetEchoMode() const { return echoMode_; }
    void SetEchoMode(TuiEditEchoMode Value);
    char GetInnerPasswordChar() const { return passwordChar_; }
    void SetInnerPasswordChar(char Value);
    void SetCharCase(TEditCharCase Value);
    bool GetHideSelection() const { return hideSelection_; }
    void SetHideSelection(bool Value) { hideSelection_ = Value; }
    bool GetOEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool Value) { oemConvert_ = Value; }
    TImeMode ImeMode = imDontCare;
    std::string ImeName;
    TNotifyEvent OnSelChange;

    TuiTimer* DblClickTimer() const { return dblClickTimer_; }
    bool IsCreating = false;
    int LockBoundsCount = 0;
    bool OwnerHandledKey = false;
    int ImeCharCount = 0;
    char ImeLastChar = 0;
    bool RepaintOnGlass = false;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    bool CanFocus() const override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    bool DoKeyDown(WORD& Key, TShiftState Shift) override;
    bool DoKeyPress(char& Key) override;
    bool DoKeyUp(WORD& Key, TShiftState Shift) override;
    // The mouse and the clicks go to the owner too, the points in the owner's coordinates.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Click() override;
    void DblClick() override;

private:
    void ApplyPasswordChar();
    void UpdateStyle();
    // The alignment while editing: left while the owner is being edited, the settings' otherwise.
    void UpdateEditingAlignment();
    void SetMargins();

    TuiCustomInnerTextEditHelper* helper_ = nullptr;
    TuiTimer* dblClickTimer_ = nullptr;
    TAlignment alignment_ = taLeftJustify;
    TuiEditEchoMode echoMode_ = eemNormal;
    char passwordChar_ = 0;
    bool hideSelection_ = true;
    bool oemConvert_ = false;
};

// -------------------------------------------------------------------------------------------- the editor

class TuiCustomTextEdit : public TuiCustomEdit, public IuiFormatControllerListener {
public:
    explicit TuiCustomTextEdit(TComponent* AOwner);
    ~TuiCustomTextEdit() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;
    std::string ClassName() const override { return "TuiCustomTextEdit"; }

    TuiCustomTextEditProperties* Properties() const {
        return static_cast<TuiCustomTextEditProperties*>(TuiCustomEdit::Properties());
    }
    TuiCustomTextEditProperties* ActiveProperties() const {
        return static_cast<TuiCustomTextEditProperties*>(TuiCustomEdit::ActiveProperties());
    }
    TuiCustomInnerTextEdit* InnerEdit() const { return innerEdit_; }
    IuiInnerTextEdit* InnerTextEdit() const { return innerEdit_ != nullptr ? innerEdit_->Helper() : nullptr; }
    TuiCustomTextEditLookupData* LookupData() const { return lookupData_; }
    TuiCustomTextEditViewInfo* TextViewInfo() const { return static_cast<TuiCustomTextEditViewInfo*>(ViewInfo()); }

    bool BeepOnEnter = true;
    bool FindSelection = false;
    bool SettingTextFromLookup = false;
    bool LookupNavigating = false;
    bool InSetText = false;
    bool SwallowEnterEscape = false;
    bool ApplyingLookupValue = false;
    bool InsertingText = false;
    const std::string& GetSavedText() const { return savedText_; }

    std::string GetDisplayText() const override;
    void SetDisplayText(const std::string& Value) override;

    int GetSelStart() const;
    void SetSelStart(int Value);
    int GetSelLength() const;
    void SetSelLength(int Value);
    std::string GetSelText() const;
    // Replaces the selection through CanChangeSelText.
    virtual void SetSelText(const std::string& Value);
    void SelectAll() override;
    virtual void ClearSelection();
    void CutToClipboard() override;
    void CopyToClipboard() override;
    void PasteFromClipboard() override;
    // Inserts the text at the selection as the user's change; with APost, a standalone editor without the focus
    // takes it as its value at once.
    virtual void InsertText(const std::string& AText, bool APost);
    void SetTextFromCode(const std::string& AText);

    int GetItemIndex() const;
    void SetItemIndex(int Value);
    TObject* GetSelectedItemObject() const;
    TuiTextEditingStyle EditingStyle() const { return ActiveProperties()->GetEditingStyle(); }
    bool IsFocused() const;
    // Whether keys and the wheel step through the items.
    virtual bool CanNavigateLookup(bool /*AFromWheel*/) const { return false; }
    bool HasPlainReadOnlyText() const;

    // The one gate of every text insertion: the whole new text and the caret after it, or false when the
    // change is refused.
    virtual bool CanChangeSelText(const std::string& ASelText, std::string& NewText, int& NewSelStart);

    // IuiFormatControllerListener
    void FormatChanged() override;

    // Called by the inner edit.
    virtual void InnerMessageHandled(TMessage& Message);
    virtual void SpellRedraw();
    virtual void InnerScrolled();
    virtual void InnerSelectionChanged();
    virtual void InnerTextChanged();
    void UpdateInnerEditColors();
    void ResetFindSelection();
    void ClearFindSelection();
    virtual void SynchronizeDisplayValue();
    virtual void SynchronizeEditValue();
    bool IsUserChange() const { return userChange_; }
    bool IsInplace() const { return const_cast<TuiCustomTextEdit*>(this)->IsInPlaceEditor(); }
    virtual bool HasPopupWindow() const { return false; }
    // A key the settings claim for the open popup's list.
    virtual bool IsPopupKey(WORD /*Key*/, TShiftState /*Shift*/) const { return false; }
    virtual TWinControl* PopupList() const { return nullptr; }

protected:
    TuiCustomEditProperties* CreateProperties() override { return new TuiCustomTextEditProperties(this); }
    bool CanAcceptRepositoryItem(TuiEditRepositoryItem* AItem) override;
    TuiContainerViewInfo* CreateViewInfo() override { return new TuiCustomTextEditViewInfo; }
    virtual TuiCustomInnerTextEdit* CreateInnerEdit() { return new TuiCustomInnerTextEdit(this); }
    // The completion data, made when the settings use one.
    virtual TuiCustomTextEditLookupData* CreateLookupData() { return new TuiCustomTextEditLookupData(this); }
    bool CanTypeChar(char C) override;
    bool HandleKeyDown(WORD& Key, TShiftState Shift) override;
    bool InnerControlKeyHook(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void AdjustInnerControlBounds() override;
    void UpdateInnerControlLook() override;
    void ActivePropertiesApplied() override { PropertiesChanged(); }
    // The settings read with the form apply once it is whole.
    void Loaded() override;
    // The control's Text is the shown text; setting it is a change made by the program.
    std::string GetTextImpl() const override { return GetDisplayText(); }
    void SetTextImpl(const std::string& Value) override;
    // Shows the text when the settings accept it; false when they refuse it.
    bool SetDisplayTextChecked(const std::string& Value);

    // Text-edit key rules, run before the EDIT sees the key; true when consumed.
    virtual bool TextKeyDown(WORD& Key, TShiftState Shift);
    // Completion on typed characters; true when consumed.
    virtual bool TextKeyPress(char& Key);
    virtual void PropertiesChanged();
    virtual void DoNewLookupDisplayText(const std::string& AText);
    virtual int GetInnerTextHeight();
    // One line of the shown text in the style's font.
    TSize TextContentSize() override;
    virtual void LookupItemSelected(TObject* Sender);
    virtual void InnerSelChange(TObject* /*Sender*/) {}
    virtual void CheckMinMaxValue();
    virtual void ApplyMinMaxValue() {}
    virtual Variant LookupKeyToEditValue(int AKey);
    bool IsStandaloneUnbound();
    // One step of completion; true when an item was found.
    bool Search(std::string AText);
    // Marks a change of the text by the user (an edit key or a completion).
    void MarkModified();
    void SetUserChange(bool Value) { userChange_ = Value; }

private:
    friend class TuiCustomInnerTextEdit;  // hands its mouse and clicks to the editor
    void HandleGetText(TMessage& Message);
    void HandleSetText(TMessage& Message);
    // The whole text as the hint when it does not fit its rectangle.
    void TextHint(THintInfo& AInfo);
    void StepLookup(TuiEditLookupDirection ADirection);
    bool HandleWheel(bool AUp);

    TuiCustomInnerTextEdit* innerEdit_ = nullptr;
    TuiCustomTextEditLookupData* lookupData_ = nullptr;
    std::string savedText_;
    bool propertiesGone_ = false;
    bool userChange_ = false;
    int innerFirstVisibleChar_ = 0;
    int innerSelLength_ = 0;
    char innerPasswordChar_ = 0;
    bool placingInner_ = false;
};

class TuiTextEdit : public TuiCustomTextEdit {
public:
    using TuiCustomTextEdit::TuiCustomTextEdit;
    std::string ClassName() const override { return "TuiTextEdit"; }
    TuiTextEditProperties* Properties() const {
        return static_cast<TuiTextEditProperties*>(TuiCustomEdit::Properties());
    }
    // Copies the given settings into the editor's own.
    void SetProperties(TuiTextEditProperties* Value) { Properties()->Assign(Value); }

protected:
    TuiCustomEditProperties* CreateProperties() override { return new TuiTextEditProperties(this); }
};

// The text editor of filter rows: the editor class, and the settings it needs there.
class TuiFilterTextEditHelper : public TuiCustomFilterEditHelper {
public:
    static TClass StaticClass();
    std::string GetFilterEditClassName() const override { return "TuiTextEdit"; }
    // The filter row's settings, selecting all on entry and showing the text with a caret.
    void InitializeProperties(TuiCustomEditProperties* AProperties, TuiCustomEditProperties* AEditProperties,
                              bool AHasButtons) const override;
    // The condition's value becomes the editor's value.
    void SetFilterValue(TuiCustomEdit* AEdit, TuiCustomEditProperties* AEditProperties,
                        const Variant& AValue) const override;
};

// The registered message that repaints the spell checker's marks.
UINT WM_REDRAWMISSPELLS();

TUnitRow uiTextEditUnitRow();

}  // namespace zel
