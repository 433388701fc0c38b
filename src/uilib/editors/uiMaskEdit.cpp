#include "uilib/editors/uiMaskEdit.h"

#include <algorithm>

#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "uilib/base/ubCore.h"
#include "uilib/editors/uiEditConsts.h"
#include "uilib/editors/uiEditRepository.h"

namespace zel {

// ---- Properties ----

TuiCustomMaskEditProperties::TuiCustomMaskEditProperties(TPersistent* AOwner) : TuiCustomTextEditProperties(AOwner) {
    SetValidateOnEnter(true);
}

TuiCustomMaskEditProperties::~TuiCustomMaskEditProperties() = default;

bool TuiCustomMaskEditProperties::IsMaskBlank(const std::string& AMask) {
    return std::all_of(AMask.begin(), AMask.end(),
                       [](char c) { return c == 0 || c == 9 || c == 10 || c == 12 || c == 13 || c == 32; });
}

std::unique_ptr<TuiMaskEditCustomMode> TuiCustomMaskEditProperties::NewMode(TuiEditMaskKind AKind,
                                                                            TuiCustomMaskEdit* AEdit,
                                                                            TuiCustomMaskEditProperties* AProperties) {
    switch (AKind) {
        case emkRegExpr: return std::make_unique<TuiMaskEditRegExprMode>(AEdit, AProperties);
        case emkRegExprEx: return std::make_unique<TuiMaskEditRegExprExMode>(AEdit, AProperties);
        default: return std::make_unique<TuiMaskEditStandardMode>(AEdit, AProperties);
    }
}

std::string TuiCustomMaskEditProperties::EffectiveMask() const {
    if (maskKind_ == emkStandard && IsMaskBlank(editMask_))
        return GetDefaultValuesProvider() != nullptr ? GetDefaultValuesProvider()->DefaultEditMask() : std::string();
    return editMask_;
}

void TuiCustomMaskEditProperties::Changed() {
    displayMode_.reset();
    TuiCustomTextEditProperties::Changed();
}

void TuiCustomMaskEditProperties::SetMaskKind(TuiEditMaskKind Value) {
    if (maskKind_ == Value) return;
    maskKind_ = Value;
    Changed();
}

void TuiCustomMaskEditProperties::SetEditMask(const TuiEditMask& Value) {
    if (Value == EffectiveMask()) {
        editMask_ = Value;
        return;
    }
    // Raises for an invalid mask before anything is stored.
    NewMode(maskKind_, nullptr, this)->Compile(Value);
    editMask_ = Value;
    Changed();
}

void TuiCustomMaskEditProperties::SetCaseInsensitive(bool Value) {
    const bool value = Value || GetCharCase() != ecNormal;
    if (caseInsensitive_ == value) return;
    caseInsensitive_ = value;
    Changed();
}

void TuiCustomMaskEditProperties::SetIgnoreMaskBlank(bool Value) {
    if (ignoreMaskBlank_ == Value) return;
    ignoreMaskBlank_ = Value;
    Changed();
}

void TuiCustomMaskEditProperties::SetAlwaysShowBlanksAndLiterals(bool Value) {
    if (alwaysShowBlanksAndLiterals_ == Value) return;
    alwaysShowBlanksAndLiterals_ = Value;
    Changed();
}

void TuiCustomMaskEditProperties::SetCharCase(TEditCharCase Value) {
    BeginUpdate();
    TuiCustomTextEditProperties::SetCharCase(Value);
    if (Value != ecNormal) SetCaseInsensitive(true);
    EndUpdate();
}

int TuiCustomMaskEditProperties::GetMaxLength() const {
    return IsMasked() ? 0 : TuiCustomTextEditProperties::GetMaxLength();
}

bool TuiCustomMaskEditProperties::GetIncrementalSearch() const {
    return !IsMasked() && TuiCustomTextEditProperties::GetIncrementalSearch();
}

int TuiCustomMaskEditProperties::GetDisplayFormatOptions() const {
    return IsMasked() ? 0 : TuiCustomTextEditProperties::GetDisplayFormatOptions();
}

void TuiCustomMaskEditProperties::Assign(TPersistent* Source) {
    BeginUpdate();
    const TScopeExit cleanup([&] { EndUpdate(); });
    TuiCustomTextEditProperties::Assign(Source);
    if (auto* source = dynamic_cast<TuiCustomMaskEditProperties*>(Source)) {
        SetMaskKind(source->GetMaskKind());
        SetEditMask(source->GetEditMask());
        SetCaseInsensitive(source->GetCaseInsensitive());
        SetIgnoreMaskBlank(source->GetIgnoreMaskBlank());
        SetAlwaysShowBlanksAndLiterals(source->GetAlwaysShowBlanksAndLiterals());
    }
}

TuiMaskEditCustomMode* TuiCustomMaskEditProperties::DisplayMode() {
    const std::string mask = EffectiveMask();
    if (displayMode_ == nullptr || displayMode_->MaskKind() != maskKind_ || displayMode_->ModeMask != mask) {
        displayMode_ = NewMode(maskKind_, nullptr, this);
        try {
            displayMode_->Compile(mask);
        } catch (const EuiMaskEditError&) {
            // A mask that does not compile under this kind converts nothing.
            displayMode_ = NewMode(maskKind_, nullptr, this);
        }
    }
    return displayMode_.get();
}

std::string TuiCustomMaskEditProperties::MaskDisplayText(const std::string& AEditValue, bool AFocused) {
    TuiMaskEditCustomMode* mode = DisplayMode();
    if (AFocused || maskKind_ != emkStandard) return mode->FormatText(AEditValue, false);
    if (alwaysShowBlanksAndLiterals_) return mode->FormatText(AEditValue, false);
    return mode->DisplayValue(AEditValue, false);
}

std::string TuiCustomMaskEditProperties::PrepareDisplayText(const Variant& AEditValue, bool AEditing) const {
    const bool providerFormats =
        GetDefaultValuesProvider() != nullptr && GetDefaultValuesProvider()->IsDisplayFormatDefined();
    if (!IsMasked() || (!AEditing && providerFormats))
        return TuiCustomTextEditProperties::PrepareDisplayText(AEditValue, AEditing);
    // The display mode is a cache: converting a value leaves the settings as they are.
    auto* self = const_cast<TuiCustomMaskEditProperties*>(this);
    return self->MaskDisplayText(VarIsNull(AEditValue) ? std::string() : VarToStr(AEditValue), AEditing);
}

bool TuiCustomMaskEditProperties::ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error,
                                                       TObject* AEditor, TuiCustomEditProperties* AOwnProperties,
                                                       const std::string& AEditorText) {
    const bool result = TuiCustomTextEditProperties::ValidateDisplayValue(DisplayValue, ErrorText, Error, AEditor,
                                                                          AOwnProperties, AEditorText);
    if (!Error && IsMasked() && !DisplayMode()->IsFullValid(VarToStr(DisplayValue))) {
        Error = true;
        ErrorText = LoadLibraryString(&suiMaskEditInvalidEditValue);
    }
    return result;
}

// ---- Control ----

TuiCustomMaskEdit::TuiCustomMaskEdit(TComponent* AOwner) : TuiCustomTextEdit(AOwner) {}

TuiCustomMaskEdit::~TuiCustomMaskEdit() = default;

bool TuiCustomMaskEdit::IsMasked() const { return mode_ != nullptr && MaskProperties()->IsMasked(); }

bool TuiCustomMaskEdit::CanEditText() {
    return InnerEdit() != nullptr && !InnerEdit()->GetReadOnly() && ActiveProperties()->IsEditValueModifiable() &&
           DoEditing();
}

char TuiCustomMaskEdit::FilterChar(char Ch) {
    if (!CanTypeChar(Ch)) return 0;
    switch (ActiveProperties()->GetCharCase()) {
        case ecUpperCase: return static_cast<char>(AnsiUpperChar(static_cast<unsigned char>(Ch)));
        case ecLowerCase: return static_cast<char>(AnsiLowerChar(static_cast<unsigned char>(Ch)));
        default: return Ch;
    }
}

void TuiCustomMaskEdit::SetModeSelection(int AStart, int ALength) {
    const bool saved = InternalCaret;
    InternalCaret = true;
    SetSelStart(AStart);
    SetSelLength(ALength);
    InternalCaret = saved;
}

void TuiCustomMaskEdit::SetModeSelectionFromTo(int AAnchor, int ACaret) {
    if (InnerEdit() == nullptr || !InnerEdit()->HandleAllocated()) return;
    const bool saved = InternalCaret;
    InternalCaret = true;
    SendMessage(InnerEdit()->GetHandle(), EM_SETSEL, static_cast<WPARAM>(AAnchor), static_cast<LPARAM>(ACaret));
    InternalCaret = saved;
}

void TuiCustomMaskEdit::WriteModeText(const std::string& AText, int ASelStart, int ASelLength) {
    if (InnerEdit() == nullptr) return;
    if (AText != GetDisplayText()) {
        const bool saved = IsUserChange();
        SetUserChange(true);
        InnerTextEdit()->CallDefWndProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(AText.c_str()));
        MarkModified();
        SetUserChange(saved);
    }
    SetModeSelection(ASelStart, ASelLength);
}

void TuiCustomMaskEdit::ApplyModeValue(const std::string& AText) {
    LockChangeEvents(true);
    const TScopeExit cleanup([&] { LockChangeEvents(false, false); });
    SetValueFromDisplayText(AText);
}

void TuiCustomMaskEdit::SendInternalKeys(UINT AMessage, WPARAM AKey, int ACount) {
    if (InnerEdit() == nullptr || !InnerEdit()->HandleAllocated()) return;
    const bool saved = InternalKey;
    InternalKey = true;
    for (int i = 0; i < ACount; ++i) {
        SendMessage(InnerEdit()->GetHandle(), AMessage, AKey, 0);
        if (AMessage == WM_KEYDOWN) SendMessage(InnerEdit()->GetHandle(), WM_KEYUP, AKey, 0);
    }
    InternalKey = saved;
}

void TuiCustomMaskEdit::SetValueFromDisplayText(const std::string& AText) {
    if (IsMasked() && mode_->MaskKind() == emkStandard)
        TuiCustomTextEdit::SetValueFromDisplayText(mode_->DisplayValue(AText, true));
    else TuiCustomTextEdit::SetValueFromDisplayText(AText);
}

void TuiCustomMaskEdit::PropertiesChanged() {
    TuiCustomMaskEditProperties* properties = MaskProperties();
    const std::string mask = properties->EffectiveMask();
    bool recompiled = false;
    if (mode_ == nullptr || mode_->MaskKind() != properties->GetMaskKind()) {
        mode_ = TuiCustomMaskEditProperties::NewMode(properties->GetMaskKind(), this, nullptr);
        recompiled = true;
    } else if (mode_->ModeMask != mask || properties->GetFormatChanging()) {
        recompiled = true;
    }
    if (recompiled) {
        try {
            mode_->Compile(mask);
        } catch (const EuiMaskEditError&) {
            // A mask valid under another kind: this kind takes the text as it comes.
            mode_ = TuiCustomMaskEditProperties::NewMode(properties->GetMaskKind(), this, nullptr);
            mode_->ModeMask = mask;
        }
    }
    mode_->UpdateCaseInsensitive();
    TuiCustomTextEdit::PropertiesChanged();
    if (recompiled && IsMasked() && InnerEdit() != nullptr && InnerEdit()->HandleAllocated()) mode_->ResyncValue();
    mode_->UpdateEditValue();
    properties->EmptyValue = mode_->EmptyEditValue();
    DisplayText = IsMasked() ? mode_->DisplayValue(VarToStr(GetEditValue()), false) : GetDisplayText();
}

void TuiCustomMaskEdit::SetDisplayText(const std::string& Value) {
    if (!IsMasked()) {
        TuiCustomTextEdit::SetDisplayText(Value);
        return;
    }
    const std::string text = MaskProperties()->MaskDisplayText(Value, IsFocused());
    TuiCustomTextEdit::SetDisplayText(text);
    mode_->TextReplaced(GetDisplayText());
}

void TuiCustomMaskEdit::ShowValueForFocus() {
    if (GetModifiedSinceEnter()) return;
    const bool selectAll =
        InnerTextEdit()->GetAutoSelect() && GetSelLength() == static_cast<int>(GetDisplayText().size());
    SetDisplayText(VarIsNull(GetEditValue()) ? std::string() : VarToStr(GetEditValue()));
    if (selectAll) SelectAll();
}

void TuiCustomMaskEdit::Loaded() {
    TuiCustomTextEdit::Loaded();
    if (!IsMasked()) return;
    LockChangeEvents(true);
    SetEditValue(GetEditValue());
    LockChangeEvents(false, false);
}

void TuiCustomMaskEdit::SelectAll() {
    if (IsMasked()) mode_->PrepareSelectAll();
    TuiCustomTextEdit::SelectAll();
}

void TuiCustomMaskEdit::CutToClipboard() {
    if (!IsMasked()) {
        TuiCustomTextEdit::CutToClipboard();
        return;
    }
    if (GetSelLength() <= 0) return;
    CopyToClipboard();
    if (!CanEditText()) return;
    // Cutting from a masked text must leave a text the mask still holds: the mode deletes the selection.
    if (mode_->DeleteKey()) SendInternalKeys(WM_KEYDOWN, VK_DELETE, 1);
}

void TuiCustomMaskEdit::PasteFromClipboard() {
    if (!IsMasked()) {
        TuiCustomTextEdit::PasteFromClipboard();
        return;
    }
    if (!IsClipboardFormatAvailable(CF_TEXT)) return;
    PasteText(
        ClipboardText(InnerEdit() != nullptr && InnerEdit()->HandleAllocated() ? InnerEdit()->GetHandle() : nullptr));
}

void TuiCustomMaskEdit::PasteText(const std::string& AText) {
    if (!IsMasked()) {
        InsertText(AText, false);
        return;
    }
    if (!CanEditText()) return;
    // One line: the paste ends at the first line break.
    const std::string text = AText.substr(0, AText.find_first_of("\r\n"));
    mode_->PastedLength = static_cast<int>(text.size());
    mode_->BeforePaste();
    const std::string current = GetDisplayText();
    const auto start = static_cast<std::size_t>(std::clamp(GetSelStart(), 0, static_cast<int>(current.size())));
    const auto end = std::min(current.size(), start + static_cast<std::size_t>(std::max(0, GetSelLength())));
    const std::string shown = mode_->FormatText(current.substr(0, start) + text + current.substr(end), true);
    WriteModeText(shown, static_cast<int>(start), 0);
    // The expression modes put the caret after what the pasted text became once the mask took it.
    if (mode_->MaskKind() != emkStandard)
        mode_->PastedLength =
            static_cast<int>(mode_->FormatText(current.substr(0, start) + text, true).size()) - static_cast<int>(start);
    mode_->TextReplaced(shown);
    mode_->AfterPaste();
    mode_->PastedLength = 0;
}

bool TuiCustomMaskEdit::TextKeyDown(WORD& Key, TShiftState Shift) {
    if (InternalKey || !IsMasked()) return TuiCustomTextEdit::TextKeyDown(Key, Shift);
    if (Key == VK_TAB) return TuiCustomTextEdit::TextKeyDown(Key, Shift);
    ShiftSelecting = Shift.Contains(ssShift);
    switch (Key) {
        case VK_UP:
        case VK_DOWN:
            if (!HasPopupWindow()) {
                HandleKeyDown(Key, Shift);
                return true;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT: {
            const bool left = Key == VK_LEFT;
            const bool atEnd = left ? mode_->CaretAtStart() : mode_->CaretAtEnd();
            if (Shift.Contains(ssCtrl)) {
                if (left ? mode_->HomeKey() : mode_->EndKey()) SendInternalKeys(WM_KEYDOWN, left ? VK_HOME : VK_END, 1);
                return true;
            }
            if (!(left ? mode_->LeftKey() : mode_->RightKey())) {
                if (atEnd) HandleKeyDown(Key, Shift);
                return true;
            }
            break;
        }
        case VK_DELETE:
            if (Shift.Contains(ssShift) && GetSelLength() > 0) break;
            if (!CanEditText()) return true;
            if (!(Shift.Contains(ssShift) ? mode_->Backspace() : mode_->DeleteKey())) return true;
            break;
        case VK_HOME:
            if (!mode_->HomeKey()) return true;
            break;
        case VK_END:
            if (!mode_->EndKey()) return true;
            break;
        default: break;
    }
    return TuiCustomTextEdit::TextKeyDown(Key, Shift);
}

bool TuiCustomMaskEdit::TextKeyPress(char& Key) {
    if (InternalKey || !IsMasked()) return TuiCustomTextEdit::TextKeyPress(Key);
    switch (Key) {
        case VK_TAB:
        case VK_ESCAPE:
        case VK_RETURN: return true;
        case 3:
        case 22:
        case 24: return TuiCustomTextEdit::TextKeyPress(Key);
        default: break;
    }
    if (!CanEditText()) return true;
    const char typed = Key;
    const bool pass = Key == VK_BACK ? mode_->Backspace() : mode_->TypeChar(Key);
    if (!pass) return true;
    if (Key != typed) {
        // The mask rewrote the character (its own letter case): the edit types the rewritten one.
        SendInternalKeys(WM_CHAR, static_cast<unsigned char>(Key), 1);
        return true;
    }
    return TuiCustomTextEdit::TextKeyPress(Key);
}

void TuiCustomMaskEdit::InnerMessageHandled(TMessage& Message) {
    TuiCustomTextEdit::InnerMessageHandled(Message);
    if (!IsMasked() || InternalCaret) return;
    switch (Message.Msg) {
        case WM_SETFOCUS:
            // Focused, the mask shows its blanks and literals.
            ShowValueForFocus();
            mode_->MouseCaretMoved();
            break;
        case WM_KILLFOCUS: ShowValueForFocus(); break;
        case WM_LBUTTONDOWN: mode_->MouseCaretMoved(); break;
        case WM_LBUTTONDBLCLK:
            mode_->PrepareSelectAll();
            TuiCustomTextEdit::SelectAll();
            break;
        case WM_MOUSEMOVE:
            if ((Message.WParam & MK_LBUTTON) != 0) {
                const bool saved = ShiftSelecting;
                ShiftSelecting = true;
                mode_->MouseCaretMoved();
                ShiftSelecting = saved;
            }
            break;
        default: break;
    }
}

// ---- Filter editors ----

TClass TuiFilterMaskEditHelper::StaticClass() {
    return MakeHelperClass<TuiFilterMaskEditHelper>("TuiFilterMaskEditHelper", TuiFilterTextEditHelper::StaticClass());
}

TuiFilterOperators TuiFilterMaskEditHelper::GetSupportedFilterOperators(TuiCustomEditProperties* AProperties,
                                                                        TuiValueTypeClass AValueTypeClass,
                                                                        bool AExtendedSet) const {
    TuiFilterOperators operators =
        TuiFilterTextEditHelper::GetSupportedFilterOperators(AProperties, AValueTypeClass, AExtendedSet);
    auto* properties = dynamic_cast<TuiCustomMaskEditProperties*>(AProperties);
    const bool masked = properties != nullptr && properties->IsMasked();
    if (!masked && AValueTypeClass != nullptr && AValueTypeClass->IsString()) operators |= TuiFilterOperators(384);
    return operators;
}

void TuiFilterMaskEditHelper::InitializeProperties(TuiCustomEditProperties* AProperties,
                                                   TuiCustomEditProperties* AEditProperties, bool AHasButtons) const {
    TUpdateBracket update(AProperties);
    TuiFilterTextEditHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
    auto* properties = dynamic_cast<TuiCustomMaskEditProperties*>(AProperties);
    if (properties == nullptr) return;
    if (properties->GetMaskKind() == emkRegExpr) properties->SetMaskKind(emkRegExprEx);
    properties->SetAutoSelect(!properties->IsMasked());
}

// ---- The unit ----

TClass TuiCustomMaskEditProperties::StaticClass() {
    static const TClassInfo info{"TuiCustomMaskEditProperties", TuiCustomTextEditProperties::StaticClass()};
    return &info;
}

TClass TuiMaskEditProperties::StaticClass() {
    static const TClassInfo info{"TuiMaskEditProperties", TuiCustomMaskEditProperties::StaticClass()};
    return &info;
}

namespace {

void uiMaskEditStartup() {
    GetRegisteredEditProperties()->Register(TuiMaskEditProperties::StaticClass(), suiSEditRepositoryMaskItem.Text);
    FilterEditsController()->Register(TuiMaskEditProperties::StaticClass(), TuiFilterMaskEditHelper::StaticClass());
}

void uiMaskEditShutdown() {
    FilterEditsController()->Unregister(TuiMaskEditProperties::StaticClass(), TuiFilterMaskEditHelper::StaticClass());
    GetRegisteredEditProperties()->Unregister(TuiMaskEditProperties::StaticClass());
}

}  // namespace

TUnitRow uiMaskEditUnitRow() { return {"uiMaskEdit", uiMaskEditStartup, uiMaskEditShutdown}; }

}  // namespace zel
