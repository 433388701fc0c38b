// The borderless EDIT inside the text editors and the helper that answers the editor for it.
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/HintInfo.h"
#include "platform/win/Windows.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel {

// ------------------------------------------------------------------------------------------------ helper

TuiCustomInnerTextEditHelper::TuiCustomInnerTextEditHelper(TuiCustomInnerTextEdit* AEdit)
    : TuiInterfacedPersistent(AEdit), Edit(AEdit) {}

TWinControl* TuiCustomInnerTextEditHelper::GetControl() { return Edit; }

LRESULT TuiCustomInnerTextEditHelper::CallDefWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    return Edit->CallDefWndProc(Msg, WParam, LParam);
}

Variant TuiCustomInnerTextEditHelper::GetEditValue() { return Variant(Edit->GetText()); }

void TuiCustomInnerTextEditHelper::SetEditValue(const Variant& Value) {
    const std::string old = Edit->GetText();
    Edit->SetText(VarToStr(Value));
    if (Edit->ComponentState().Contains(csDesigning) && old != Edit->GetText() && Edit->OnChange) Edit->OnChange(Edit);
}

bool TuiCustomInnerTextEditHelper::GetReadOnly() { return Edit->GetReadOnly(); }
void TuiCustomInnerTextEditHelper::SetReadOnly(bool Value) { Edit->SetReadOnly(Value); }

void TuiCustomInnerTextEditHelper::LockBounds(bool ALock) {
    if (ALock) ++Edit->LockBoundsCount;
    else if (Edit->LockBoundsCount > 0) --Edit->LockBoundsCount;
}

void TuiCustomInnerTextEditHelper::SafelySetFocus() {
    const bool autoSelect = Edit->AutoSelect;
    Edit->AutoSelect = false;
    const TScopeExit cleanup([&] { Edit->AutoSelect = autoSelect; });
    Edit->SetFocus();
}

void TuiCustomInnerTextEditHelper::ClearSelection() {
    if (Edit->HandleAllocated()) SendMessage(Edit->GetHandle(), WM_CLEAR, 0, 0);
}

void TuiCustomInnerTextEditHelper::CopyToClipboard() {
    if (Edit->HandleAllocated()) Edit->CallDefWndProc(WM_COPY, 0, 0);
}

TAlignment TuiCustomInnerTextEditHelper::GetAlignment() { return Edit->GetAlignment(); }

void TuiCustomInnerTextEditHelper::SetAlignment(TAlignment Value) {
    if (AlignmentLock) return;
    TuiCustomTextEdit* owner = Edit->OwnerEdit();
    if (owner != nullptr && owner->ActiveProperties()->GetUseLeftAlignmentOnEditing() && owner->IsInplace())
        Value = taLeftJustify;
    if (Value == Edit->GetAlignment()) return;
    AlignmentLock = true;
    const TScopeExit cleanup([&] { AlignmentLock = false; });
    Edit->SetAlignment(Value);
}

bool TuiCustomInnerTextEditHelper::GetAutoSelect() { return Edit->AutoSelect; }
void TuiCustomInnerTextEditHelper::SetAutoSelect(bool Value) { Edit->AutoSelect = Value; }
TEditCharCase TuiCustomInnerTextEditHelper::GetCharCase() { return Edit->CharCase; }
void TuiCustomInnerTextEditHelper::SetCharCase(TEditCharCase Value) { Edit->SetCharCase(Value); }
TuiEditEchoMode TuiCustomInnerTextEditHelper::GetEchoMode() { return Edit->GetEchoMode(); }
void TuiCustomInnerTextEditHelper::SetEchoMode(TuiEditEchoMode Value) { Edit->SetEchoMode(Value); }

int TuiCustomInnerTextEditHelper::GetFirstVisibleCharIndex() {
    if (!Edit->HandleAllocated()) return 0;
    return LOWORD(static_cast<DWORD>(SendMessage(Edit->GetHandle(), EM_CHARFROMPOS, 0, 0)));
}

bool TuiCustomInnerTextEditHelper::GetHideSelection() { return Edit->GetHideSelection(); }
void TuiCustomInnerTextEditHelper::SetHideSelection(bool Value) { Edit->SetHideSelection(Value); }
char TuiCustomInnerTextEditHelper::GetImeLastChar() { return Edit->ImeCharCount == 2 ? Edit->ImeLastChar : '\0'; }
TImeMode TuiCustomInnerTextEditHelper::GetImeMode() { return Edit->ImeMode; }
void TuiCustomInnerTextEditHelper::SetImeMode(TImeMode Value) { Edit->ImeMode = Value; }
std::string TuiCustomInnerTextEditHelper::GetImeName() { return Edit->ImeName; }
void TuiCustomInnerTextEditHelper::SetImeName(const std::string& Value) { Edit->ImeName = Value; }
bool TuiCustomInnerTextEditHelper::GetOwnerHandledKey() { return Edit->OwnerHandledKey; }
void TuiCustomInnerTextEditHelper::SetOwnerHandledKey(bool Value) { Edit->OwnerHandledKey = Value; }
int TuiCustomInnerTextEditHelper::GetMaxLength() { return Edit->GetMaxLength(); }
void TuiCustomInnerTextEditHelper::SetMaxLength(int Value) { Edit->SetMaxLength(Value); }
bool TuiCustomInnerTextEditHelper::GetOEMConvert() { return Edit->GetOEMConvert(); }
void TuiCustomInnerTextEditHelper::SetOEMConvert(bool Value) { Edit->SetOEMConvert(Value); }
TNotifyEvent TuiCustomInnerTextEditHelper::GetOnSelChange() { return Edit->OnSelChange; }
void TuiCustomInnerTextEditHelper::SetOnSelChange(TNotifyEvent Value) { Edit->OnSelChange = std::move(Value); }
char TuiCustomInnerTextEditHelper::GetPasswordChar() { return Edit->GetInnerPasswordChar(); }
void TuiCustomInnerTextEditHelper::SetPasswordChar(char Value) { Edit->SetInnerPasswordChar(Value); }

int TuiCustomInnerTextEditHelper::GetSelStart() {
    if (Edit->ImeCharCount > 0) return SavedSelStart;
    return Edit->HandleAllocated() ? Edit->GetSelStart() : 0;
}

void TuiCustomInnerTextEditHelper::SetSelStart(int Value) {
    if (Edit->ImeCharCount > 0) SavedSelStart = Value;
    else if (Edit->HandleAllocated()) Edit->SetSelStart(Value);
}

int TuiCustomInnerTextEditHelper::GetSelLength() {
    if (Edit->ImeCharCount > 0) return SavedSelLength;
    return Edit->HandleAllocated() ? Edit->GetSelLength() : 0;
}

void TuiCustomInnerTextEditHelper::SetSelLength(int Value) {
    if (Edit->ImeCharCount > 0) SavedSelLength = Value;
    else if (Edit->HandleAllocated()) Edit->SetSelLength(Value);
}

std::string TuiCustomInnerTextEditHelper::GetSelText() {
    return Edit->HandleAllocated() ? Edit->GetSelText() : std::string();
}

void TuiCustomInnerTextEditHelper::SetSelText(const std::string& Value) {
    if (Edit->HandleAllocated()) Edit->CallDefWndProc(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TuiCustomInnerTextEditHelper::SelectAll() {
    if (Edit->HandleAllocated()) Edit->SelectAll();
}

// ------------------------------------------------------------------------------------------- inner edit

TuiCustomInnerTextEdit::TuiCustomInnerTextEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    IsCreating = true;
    dblClickTimer_ = new TuiTimer(this);
    dblClickTimer_->SetEnabled(false);
    dblClickTimer_->SetInterval(GetDoubleClickTime());
    dblClickTimer_->SetOnTimer([this](TObject*) { dblClickTimer_->SetEnabled(false); });
    helper_ = new TuiCustomInnerTextEditHelper(this);
    ControlStyle.Include(csDoubleClicks);
    SetParentColor(true);
    SetParentFont(false);
    BorderStyle = bsNone;
    ApplyPasswordChar();
    IsCreating = false;
}

TuiCustomInnerTextEdit::~TuiCustomInnerTextEdit() { delete helper_; }

TuiCustomTextEdit* TuiCustomInnerTextEdit::OwnerEdit() const { return dynamic_cast<TuiCustomTextEdit*>(GetOwner()); }

LRESULT TuiCustomInnerTextEdit::CallDefWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (!HandleAllocated()) return 0;
    return CallWindowProc(defWndProc_, GetHandle(), Msg, WParam, LParam);
}

void TuiCustomInnerTextEdit::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    UpdateStyle();
}

void TuiCustomInnerTextEdit::UpdateStyle() {
    if (!HandleAllocated()) return;
    // The EDIT reads these style bits as it draws and inserts, so the window keeps its text, selection and
    // focus instead of being made anew.
    static constexpr DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    static constexpr DWORD kCases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
    auto style = static_cast<DWORD>(GetWindowLong(GetHandle(), GWL_STYLE));
    style &= ~(ES_LEFT | ES_RIGHT | ES_CENTER | ES_UPPERCASE | ES_LOWERCASE);
    style |= kAlignments[alignment_] | kCases[CharCase];
    SetWindowLong(GetHandle(), GWL_STYLE, static_cast<LONG>(style));
    Invalidate();
}

void TuiCustomInnerTextEdit::SetEchoMode(TuiEditEchoMode Value) {
    if (echoMode_ == Value) return;
    echoMode_ = Value;
    ApplyPasswordChar();
}

void TuiCustomInnerTextEdit::SetInnerPasswordChar(char Value) {
    if (passwordChar_ == Value) return;
    passwordChar_ = Value;
    if (echoMode_ == eemPassword) ApplyPasswordChar();
}

void TuiCustomInnerTextEdit::SetCharCase(TEditCharCase Value) {
    if (CharCase == Value) return;
    CharCase = Value;
    UpdateStyle();
}

void TuiCustomInnerTextEdit::ApplyPasswordChar() {
    const char shown = echoMode_ == eemPassword ? (passwordChar_ != 0 ? passwordChar_ : '*') : '\0';
    PasswordChar = shown;
    if (HandleAllocated()) {
        SendMessage(GetHandle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(shown), 0);
        Invalidate();
    }
}

void TuiCustomInnerTextEdit::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    static constexpr DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    Params.Style &= ~(ES_LEFT | ES_RIGHT | ES_CENTER | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME);
    Params.Style |= kAlignments[alignment_] | ES_AUTOHSCROLL;
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

void TuiCustomInnerTextEdit::CreateWnd() {
    TuiCustomTextEdit* owner = OwnerEdit();
    // The window starts with no caption; the text goes to the EDIT itself afterwards.
    const std::string text = GetText();
    TCustomEdit::CreateWnd();
    CallDefWndProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SetMargins();
    if (owner != nullptr) owner->UpdateInnerEditColors();
}

void TuiCustomInnerTextEdit::SetMargins() {
    if (HandleAllocated()) SendMessage(GetHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(0, 1));
}

void TuiCustomInnerTextEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (IsCreating || LockBoundsCount > 0) return;
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
}

bool TuiCustomInnerTextEdit::CanFocus() const {
    TuiCustomTextEdit* owner = OwnerEdit();
    return owner != nullptr ? owner->CanFocus() : TCustomEdit::CanFocus();
}

void TuiCustomInnerTextEdit::UpdateEditingAlignment() {
    TuiCustomTextEdit* owner = OwnerEdit();
    if (owner == nullptr || ComponentState().Contains(csDestroying)) return;
    TuiCustomTextEditProperties* properties = owner->ActiveProperties();
    const TAlignment wanted = properties->GetAlignment()->GetHorz();
    if (!properties->GetUseLeftAlignmentOnEditing() || wanted == taLeftJustify) return;
    const bool editing = GetFocus() == GetHandle() || owner->IsInplace();
    helper_->SetAlignment(editing ? taLeftJustify : wanted);
}

bool TuiCustomInnerTextEdit::DoKeyDown(WORD& Key, TShiftState Shift) {
    dblClickTimer_->SetEnabled(false);
    return TCustomEdit::DoKeyDown(Key, Shift);
}

bool TuiCustomInnerTextEdit::DoKeyPress(char& Key) { return TCustomEdit::DoKeyPress(Key); }

bool TuiCustomInnerTextEdit::DoKeyUp(WORD& Key, TShiftState Shift) {
    if (Key == VK_TAB) Key = 0;
    return TCustomEdit::DoKeyUp(Key, Shift);
}

void TuiCustomInnerTextEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomEdit::MouseDown(Button, Shift, X, Y);
    TuiCustomTextEdit* owner = OwnerEdit();
    if (owner == nullptr) return;
    owner->InnerControlMouseDown = true;
    TScopeExit lower([owner] { owner->InnerControlMouseDown = false; });
    owner->MouseDown(Button, Shift, X + GetLeft(), Y + GetTop());
}

void TuiCustomInnerTextEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomEdit::MouseUp(Button, Shift, X, Y);
    if (TuiCustomTextEdit* owner = OwnerEdit(); owner != nullptr)
        owner->MouseUp(Button, Shift, X + GetLeft(), Y + GetTop());
}

void TuiCustomInnerTextEdit::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomEdit::MouseMove(Shift, X, Y);
    if (TuiCustomTextEdit* owner = OwnerEdit(); owner != nullptr) owner->MouseMove(Shift, X + GetLeft(), Y + GetTop());
}

void TuiCustomInnerTextEdit::Click() {
    TCustomEdit::Click();
    if (TuiCustomTextEdit* owner = OwnerEdit(); owner != nullptr) owner->Click();
}

void TuiCustomInnerTextEdit::DblClick() {
    TCustomEdit::DblClick();
    if (TuiCustomTextEdit* owner = OwnerEdit(); owner != nullptr) owner->DblClick();
}

void TuiCustomInnerTextEdit::WndProc(TMessage& Message) {
    TuiCustomTextEdit* owner = OwnerEdit();
    if (owner == nullptr) {
        TCustomEdit::WndProc(Message);
        return;
    }
    switch (Message.Msg) {
        case WM_CUT:
            if (GetReadOnly()) owner->CopyToClipboard();
            else owner->CutToClipboard();
            Message.Result = 0;
            break;
        case WM_COPY:
            owner->CopyToClipboard();
            Message.Result = 0;
            break;
        case WM_PASTE:
            if (!GetReadOnly()) owner->PasteFromClipboard();
            Message.Result = 0;
            break;
        case WM_CLEAR:
            if (!GetReadOnly()) owner->ClearSelection();
            Message.Result = 0;
            break;
        case EM_SETSEL:
            TCustomEdit::WndProc(Message);
            if (OnSelChange) OnSelChange(this);
            break;
        case WM_IME_CHAR: {
            const auto code = static_cast<unsigned>(Message.WParam);
            const bool lead = (code & 0xFF00u) != 0;
            ImeCharCount = lead ? 2 : 1;
            ImeLastChar = lead ? static_cast<char>(code >> 8) : '\0';
            helper_->SavedSelStart = HandleAllocated() ? GetSelStart() : 0;
            helper_->SavedSelLength = HandleAllocated() ? GetSelLength() : 0;
            TCustomEdit::WndProc(Message);
            break;
        }
        case WM_IME_COMPOSITION:
            if (owner->ActiveProperties()->IsEditValueModifiable()) TCustomEdit::WndProc(Message);
            else Message.Result = 0;
            break;
        case WM_GETDLGCODE: {
            TCustomEdit::WndProc(Message);
            Message.Result |= DLGC_WANTCHARS;
            if (owner->IsInplace() || owner->HasPopupWindow()) Message.Result |= DLGC_WANTALLKEYS;
            break;
        }
        case CM_HINTSHOW: {
            // The editor decides, in its own coordinates.
            auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
            info->CursorPos = TPoint{info->CursorPos.x + GetLeft(), info->CursorPos.y + GetTop()};
            Message.Result = owner->Perform(CM_HINTSHOW, Message.WParam, Message.LParam);
            info->CursorPos = TPoint{info->CursorPos.x - GetLeft(), info->CursorPos.y - GetTop()};
            OffsetRect(&info->CursorRect, -GetLeft(), -GetTop());
            break;
        }
        case WM_ERASEBKGND: Message.Result = 1; break;
        case WM_NCPAINT: Message.Result = 0; break;
        case WM_PAINT:
            TCustomEdit::WndProc(Message);
            owner->SpellRedraw();
            break;
        case WM_SIZE:
            TCustomEdit::WndProc(Message);
            SetMargins();
            break;
        case WM_SETFOCUS:
            if (ComponentState().Contains(csDestroying)) {
                TCustomEdit::WndProc(Message);
                break;
            }
            UpdateEditingAlignment();
            TCustomEdit::WndProc(Message);
            break;
        case WM_KILLFOCUS:
            TCustomEdit::WndProc(Message);
            if (!ComponentState().Contains(csDestroying)) {
                dblClickTimer_->SetEnabled(false);
                UpdateEditingAlignment();
            }
            break;
        case WM_LBUTTONDOWN: {
            TuiCustomTextEditProperties* properties = owner->ActiveProperties();
            const bool leftWhileEditing = properties->GetUseLeftAlignmentOnEditing() &&
                                          properties->GetAlignment()->GetHorz() != taLeftJustify &&
                                          alignment_ != taLeftJustify;
            if (leftWhileEditing) {
                // The first click takes the focus, which turns the text to the left; a second click soon
                // after is a double click although the text moved under it.
                if (CanFocus()) SetFocus();
                TCustomEdit::WndProc(Message);
                dblClickTimer_->SetEnabled(true);
            } else if (dblClickTimer_->GetEnabled()) {
                dblClickTimer_->SetEnabled(false);
                Message.Msg = WM_LBUTTONDBLCLK;
                TCustomEdit::WndProc(Message);
                Message.Msg = WM_LBUTTONDOWN;
            } else {
                TCustomEdit::WndProc(Message);
            }
            break;
        }
        case WM_LBUTTONDBLCLK:
            dblClickTimer_->SetEnabled(false);
            TCustomEdit::WndProc(Message);
            break;
        default: TCustomEdit::WndProc(Message);
    }
    owner->InnerMessageHandled(Message);
}

}  // namespace zel
