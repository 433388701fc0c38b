#include "platform/vcl/StdCtrls.h"

#include "platform/vcl/FormReader.h"

#include <algorithm>
#include <cctype>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Forms.h"
#include "platform/win/SysInfo.h"

namespace zel {

// ------------------------------------------------------------------------------------------ TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    width_ = 65;
    height_ = 17;
    SetParentColor(true);
}

void TCustomLabel::SetAutoSize(bool Value) {
    if (Value == autoSize_) return;
    autoSize_ = Value;
    AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    if (Value == alignment_) return;
    alignment_ = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    if (Value == layout_) return;
    layout_ = Value;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
    if (Value == transparent_) return;
    transparent_ = Value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
    if (Value == wordWrap_) return;
    wordWrap_ = Value;
    AdjustBounds();
    Invalidate();
}

UINT TCustomLabel::TextFlags() const {
    UINT f = DT_EXPANDTABS;
    f |= alignment_ == taRightJustify ? DT_RIGHT : alignment_ == taCenter ? DT_CENTER : DT_LEFT;
    if (wordWrap_) f |= DT_WORDBREAK;
    if (!ShowAccelChar) f |= DT_NOPREFIX;
    return f;
}

void TCustomLabel::AdjustBounds() {
    if (!autoSize_ || ComponentState().Contains(csLoading)) return;
    UINT flags = TextFlags() & ~(DT_RIGHT | DT_CENTER);
    if (!wordWrap_) flags |= DT_SINGLELINE;
    TSize s = MeasureText(Font(), GetText(), flags, wordWrap_ ? GetWidth() : 0);
    int w = wordWrap_ ? GetWidth() : s.cx;
    int l = GetLeft();
    if (alignment_ == taRightJustify) l = GetLeft() + GetWidth() - w;
    else if (alignment_ == taCenter) l = GetLeft() + (GetWidth() - w) / 2;
    SetBounds(l, GetTop(), w, s.cy);
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_TEXTCHANGED || Message.Msg == CM_FONTCHANGED) {
        AdjustBounds();
        Invalidate();
        return;
    }
    TGraphicControl::Dispatch(Message);
}

void TCustomLabel::Paint() {
    TCanvas* c = Canvas();
    TRect r = GetClientRect();
    if (!transparent_) {
        c->Brush()->SetColor(GetColor());
        c->FillRect(r);
    }
    c->Brush()->SetStyle(bsClear);
    std::string text = GetText();
    UINT flags = TextFlags();
    if (!wordWrap_) flags |= DT_SINGLELINE;
    if (layout_ != tlTop) {
        TSize s = MeasureText(Font(), text, flags & ~(DT_RIGHT | DT_CENTER), r.Width());
        int dy = layout_ == tlCenter ? (r.Height() - s.cy) / 2 : r.Height() - s.cy;
        r.top += dy;
    }
    HDC dc = c->GetHandle();
    c->MoveTo(0, 0);  // selects the font and colours
    if (!GetEnabled()) {
        RECT shifted{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
        SetTextColor(dc, ColorToCOLORREF(clBtnHighlight));
        DrawText(dc, text, static_cast<int>(text.size()), &shifted, flags);
        SetTextColor(dc, ColorToCOLORREF(clBtnShadow));
    }
    DrawText(dc, text, static_cast<int>(text.size()), &r, flags);
}

// ---------------------------------------------------------------------------------------- TButtonControl

TButtonControl::TButtonControl(TComponent* AOwner) : TCustomControl(AOwner) {
    TabStop = true;
    ControlStyle.Exclude(csClickEvents);
}

void TButtonControl::DrawFocus(const TRect& R) {
    if (Focused()) Canvas()->DrawFocusRect(R);
}

void TButtonControl::PaintMarkAndText(UINT State, TAlignment Alignment) {
    TCanvas* c = Canvas();
    HDC dc = c->GetHandle();
    TRect r = GetClientRect();
    c->Brush()->SetColor(GetColor());
    c->FillRect(r);
    const int box = 13;
    int top = (r.Height() - box) / 2;
    int boxLeft = Alignment == taRightJustify ? 0 : r.right - box;
    RECT b{boxLeft, top, boxLeft + box, top + box};
    DrawFrameControl(dc, &b, DFC_BUTTON, State);
    std::string text = GetText();
    c->Brush()->SetStyle(bsClear);
    c->MoveTo(0, 0);
    SetTextColor(dc, ColorToCOLORREF(GetEnabled() ? Font()->GetColor() : clGrayText));
    RECT t =
        Alignment == taRightJustify ? RECT{box + 4, 0, r.right, r.bottom} : RECT{0, 0, r.right - box - 4, r.bottom};
    DrawText(dc, text, static_cast<int>(text.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (Focused()) {
        TSize s = MeasureText(Font(), text);
        int ty = (r.Height() - s.cy) / 2;
        c->DrawFocusRect(Rect(t.left - 1, ty - 1, std::min<int>(t.left + s.cx + 1, r.right), ty + s.cy + 1));
    }
}

void TButtonControl::Dispatch(TMessage& Message) {
    const int x = GET_X_LPARAM(Message.LParam), y = GET_Y_LPARAM(Message.LParam);
    switch (Message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            NotePress();
            if (CanFocus() && TabStop) SetFocus();
            pressed_ = tracking_ = true;
            SetCapture(GetHandle());
            Invalidate();
            MouseDown(mbLeft, KeysToShiftState(Message.WParam), x, y);
            return;
        case WM_MOUSEMOVE:
            if (pressed_) {
                TRect r = GetClientRect();
                bool inside = PtInRect(&r, Point(x, y)) != 0;
                if (inside != tracking_) {
                    tracking_ = inside;
                    Invalidate();
                }
            }
            MouseMove(KeysToShiftState(Message.WParam), x, y);
            return;
        case WM_LBUTTONUP:
            if (pressed_) {
                pressed_ = false;
                const bool click = tracking_;
                tracking_ = false;
                if (GetCapture() == GetHandle()) ReleaseCapture();
                Invalidate();
                if (click) Click();
            }
            MouseUp(mbLeft, KeysToShiftState(Message.WParam), x, y);
            return;
        case WM_CANCELMODE:
        case CM_CANCELMODE:
            if (pressed_) {
                pressed_ = tracking_ = false;
                if (HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
                Invalidate();
            }
            return;
        case WM_KEYUP:
            if (Message.WParam == VK_SPACE) {
                Click();
                return;
            }
            break;
        case WM_GETDLGCODE: Message.Result = DLGC_BUTTON; return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Invalidate(); break;
        default: break;
    }
    TCustomControl::Dispatch(Message);
}

// ------------------------------------------------------------------------------------------------ TButton

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
    width_ = 75;
    height_ = 25;
}

void TButton::SetDefault(bool Value) {
    if (Value == default_) return;
    default_ = Value;
    Invalidate();
}

void TButton::Click() {
    if (ModalResult != mrNone)
        if (TCustomForm* form = GetParentForm()) form->ModalResult = ModalResult;
    TButtonControl::Click();
}

void TButton::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_DIALOGKEY) {
        const WORD key = static_cast<WORD>(Message.WParam);
        if (((key == VK_RETURN && (default_ || Focused())) || (key == VK_ESCAPE && Cancel)) && GetVisible() &&
            GetEnabled()) {
            Click();
            Message.Result = 1;
        }
        return;
    }
    TButtonControl::Dispatch(Message);
}

void TButton::Paint() {
    TCanvas* c = Canvas();
    HDC dc = c->GetHandle();
    TRect r = GetClientRect();
    c->Brush()->SetColor(GetColor());
    c->FillRect(r);
    if (default_ || Focused()) {
        c->Brush()->SetColor(clWindowFrame);
        c->FrameRect(r);
        InflateRect(&r, -1, -1);
    }
    const bool down = pressed_ && tracking_;
    RECT e = r;
    if (down) {
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(r);
    } else {
        DrawEdge(dc, &e, EDGE_RAISED, BF_RECT);
    }
    TRect content = r;
    InflateRect(&content, -4, -4);
    if (down) OffsetRect(&content, 1, 1);
    c->Brush()->SetStyle(bsClear);
    PaintGlyph(c, content);
    std::string text = GetText();
    c->MoveTo(0, 0);  // selects the font
    if (!GetEnabled()) {
        RECT shifted = content;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, ColorToCOLORREF(clBtnHighlight));
        DrawText(dc, text, static_cast<int>(text.size()), &shifted, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SetTextColor(dc, ColorToCOLORREF(clBtnShadow));
    } else {
        SetTextColor(dc, ColorToCOLORREF(Font()->GetColor()));
    }
    DrawText(dc, text, static_cast<int>(text.size()), &content, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    TRect focus = r;
    InflateRect(&focus, -3, -3);
    DrawFocus(focus);
}

// ---------------------------------------------------------------------------------------------- TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
    width_ = 97;
    height_ = 17;
}

void TCheckBox::SetState(TCheckBoxState Value) {
    if (Value == state_) return;
    state_ = Value;
    Invalidate();
    if (!ComponentState().Contains(csLoading)) TButtonControl::Click();
}

void TCheckBox::Toggle() {
    switch (state_) {
        case cbUnchecked: SetState(AllowGrayed ? cbGrayed : cbChecked); break;
        case cbGrayed: SetState(cbChecked); break;
        case cbChecked: SetState(cbUnchecked); break;
    }
}

void TCheckBox::Click() { Toggle(); }

void TCheckBox::Paint() {
    UINT state = DFCS_BUTTONCHECK;
    if (state_ != cbUnchecked) state |= DFCS_CHECKED;
    if (!GetEnabled() || state_ == cbGrayed) state |= DFCS_INACTIVE;
    if (pressed_ && tracking_) state |= DFCS_PUSHED;
    PaintMarkAndText(state, Alignment);
}

// ------------------------------------------------------------------------------------------- TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
    width_ = 113;
    height_ = 17;
}

void TRadioButton::SetChecked(bool Value) {
    if (Value == checked_) return;
    checked_ = Value;
    Invalidate();
    if (!Value) return;
    if (GetParent() != nullptr)
        for (int i = 0; i < GetParent()->ControlCount(); ++i)
            if (auto* r = dynamic_cast<TRadioButton*>(GetParent()->Controls(i)); r != nullptr && r != this)
                r->SetChecked(false);
    if (!ComponentState().Contains(csLoading)) TButtonControl::Click();
}

void TRadioButton::Click() { SetChecked(true); }

void TRadioButton::Paint() {
    PaintMarkAndText(DFCS_BUTTONRADIO | (checked_ ? DFCS_CHECKED : 0) | (GetEnabled() ? 0 : DFCS_INACTIVE), Alignment);
}

// ---------------------------------------------------------------------------------------- TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    width_ = 185;
    height_ = 105;
}

void TCustomGroupBox::AlignControls(TControl* AControl, TRect& Rect) {
    Rect.top += MeasureText(Font(), "0").cy;
    InflateRect(&Rect, -2, -2);
    TCustomControl::AlignControls(AControl, Rect);
}

void TCustomGroupBox::Paint() {
    TCanvas* c = Canvas();
    HDC dc = c->GetHandle();
    TRect r = GetClientRect();
    c->Brush()->SetColor(GetColor());
    c->FillRect(r);
    std::string text = GetText();
    TSize s = MeasureText(Font(), text.empty() ? std::string("0") : text);
    RECT frame{0, s.cy / 2, r.right, r.bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!text.empty()) {
        RECT t{8, 0, 8 + s.cx + 2, s.cy};
        c->Brush()->SetColor(GetColor());
        c->FillRect(t);
        c->Brush()->SetStyle(bsClear);
        c->MoveTo(0, 0);
        SetTextColor(dc, ColorToCOLORREF(GetEnabled() ? Font()->GetColor() : clGrayText));
        t.left += 1;
        DrawText(dc, text, static_cast<int>(text.size()), &t, DT_SINGLELINE | DT_LEFT | DT_TOP);
    }
}

// ------------------------------------------------------------------------------------------- TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 121;
    height_ = 21;
    TabStop = true;
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "EDIT");
    Params.Style |= ES_AUTOHSCROLL;
    if (readOnly_) Params.Style |= ES_READONLY;
    if (CharCase == ecUpperCase) Params.Style |= ES_UPPERCASE;
    if (CharCase == ecLowerCase) Params.Style |= ES_LOWERCASE;
    if (BorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessage(GetHandle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (PasswordChar != 0) SendMessage(GetHandle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(PasswordChar), 0);
    SendMessage(GetHandle(), EM_SETMODIFY, modified_ ? 1 : 0, 0);
}

void TCustomEdit::SetMaxLength(int Value) {
    maxLength_ = std::max(0, Value);
    if (HandleAllocated()) SendMessage(GetHandle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
    readOnly_ = Value;
    if (HandleAllocated()) SendMessage(GetHandle(), EM_SETREADONLY, Value ? 1 : 0, 0);
}

bool TCustomEdit::GetModified() const {
    if (HandleAllocated()) return SendMessage(const_cast<TCustomEdit*>(this)->GetHandle(), EM_GETMODIFY, 0, 0) != 0;
    return modified_;
}

int TCustomEdit::GetSelStart() {
    DWORD a = 0, b = 0;
    SendMessage(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return static_cast<int>(a);
}

void TCustomEdit::SetSelStart(int Value) { SendMessage(GetHandle(), EM_SETSEL, static_cast<WPARAM>(Value), Value); }

int TCustomEdit::GetSelLength() {
    DWORD a = 0, b = 0;
    SendMessage(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return static_cast<int>(b - a);
}

void TCustomEdit::SetSelLength(int Value) {
    int start = GetSelStart();
    SendMessage(GetHandle(), EM_SETSEL, static_cast<WPARAM>(start), start + Value);
}

std::string TCustomEdit::GetSelText() {
    int start = GetSelStart(), n = GetSelLength();
    return GetText().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(n));
}

void TCustomEdit::SelectAll() {
    if (HandleAllocated()) SendMessage(GetHandle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CN_COMMAND:
            if (HIWORD(Message.WParam) == EN_CHANGE && !ComponentState().Contains(csLoading)) Change();
            return;
        case WM_SETFOCUS:
            TWinControl::Dispatch(Message);
            if (AutoSelect && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
            return;
        default: TWinControl::Dispatch(Message);
    }
}

// ------------------------------------------------------------------------------------------ TMemoStrings

std::vector<std::string> TMemoStrings::Split() const {
    std::vector<std::string> lines;
    std::string text = memo_->GetText();
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) {
            lines.push_back(text.substr(at));
            break;
        }
        std::size_t stop = end > at && text[end - 1] == '\r' ? end - 1 : end;
        lines.push_back(text.substr(at, stop - at));
        at = end + 1;
    }
    return lines;
}

void TMemoStrings::Join(const std::vector<std::string>& Lines) {
    std::string text;
    for (const std::string& l : Lines) text += l + "\r\n";
    memo_->SetText(text);
}

// With a window, lines are read through the window's line messages, which answer from its line table
// without reading the whole text.
std::string TMemoStrings::Get(int Index) const {
    if (!memo_->HandleAllocated()) {
        std::vector<std::string> lines = Split();
        if (Index < 0 || Index >= static_cast<int>(lines.size()))
            throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
        return lines[static_cast<std::size_t>(Index)];
    }
    if (Index < 0 || Index >= GetCount())
        throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
    HWND h = memo_->GetHandle();
    const LRESULT start = SendMessage(h, EM_LINEINDEX, static_cast<WPARAM>(Index), 0);
    const auto length = static_cast<std::size_t>(SendMessage(h, EM_LINELENGTH, static_cast<WPARAM>(start), 0));
    // EM_GETLINE takes the room in a WORD; a longer line is cut from the whole text.
    if (length > 0xFFFF) return memo_->GetText().substr(static_cast<std::size_t>(start), length);
    std::string line(std::max<std::size_t>(length, sizeof(WORD)), '\0');
    const WORD room = static_cast<WORD>(length);
    std::copy_n(reinterpret_cast<const char*>(&room), sizeof room, line.data());
    line.resize(static_cast<std::size_t>(
        SendMessage(h, EM_GETLINE, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(line.data()))));
    return line;
}

// The lines end at each line break; after a final break (or in an empty text) the window's empty last line
// is no line.
int TMemoStrings::GetCount() const {
    if (!memo_->HandleAllocated()) return static_cast<int>(Split().size());
    const auto lines = static_cast<int>(SendMessage(memo_->GetHandle(), EM_GETLINECOUNT, 0, 0));
    return LastLineEmpty() ? lines - 1 : lines;
}

bool TMemoStrings::LastLineEmpty() const {
    HWND h = memo_->GetHandle();
    const LRESULT last = SendMessage(h, EM_GETLINECOUNT, 0, 0) - 1;
    return SendMessage(h, EM_LINEINDEX, static_cast<WPARAM>(last), 0) == SendMessage(h, WM_GETTEXTLENGTH, 0, 0);
}

void TMemoStrings::Clear() { memo_->SetText(""); }

void TMemoStrings::Delete(int Index) {
    std::vector<std::string> lines = Split();
    if (Index < 0 || Index >= static_cast<int>(lines.size()))
        throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
    lines.erase(lines.begin() + Index);
    Join(lines);
}

void TMemoStrings::Insert(int Index, const std::string& S) {
    std::vector<std::string> lines = Split();
    if (Index < 0 || Index > static_cast<int>(lines.size()))
        throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
    if (Index == static_cast<int>(lines.size())) {
        Add(S);
        return;
    }
    lines.insert(lines.begin() + Index, S);
    Join(lines);
}

int TMemoStrings::Add(const std::string& S) {
    HWND h = memo_->GetHandle();
    const int index = GetCount();
    const LRESULT end = SendMessage(h, WM_GETTEXTLENGTH, 0, 0);
    std::string insert = S + "\r\n";
    // A text not ending in a line break gets one first: its last line is a line of the list.
    if (!LastLineEmpty()) insert = "\r\n" + insert;
    SendMessage(h, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessage(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(insert.c_str()));
    SendMessage(h, EM_SCROLLCARET, 0, 0);
    return index;
}

// ---------------------------------------------------------------------------------------------- TCustomMemo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), lines_(new TMemoStrings(this)) {
    width_ = 185;
    height_ = 89;
    AutoSelect = false;
}

TCustomMemo::~TCustomMemo() { delete lines_; }

void TCustomMemo::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    Params.Style = (Params.Style & ~ES_AUTOHSCROLL) | ES_MULTILINE;
    if (!WordWrap) Params.Style |= ES_AUTOHSCROLL;
    if (ScrollBars == ssVertical || ScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
}

bool TCustomMemo::WantsKey(WORD Key) {
    if (Key == VK_RETURN) return WantReturns;
    return TCustomEdit::WantsKey(Key);
}

// ------------------------------------------------------------------------------------------ TListBoxStrings

std::string TListBoxStrings::Get(int Index) const {
    if (!listBox_->HandleAllocated()) return saved_.Get(Index);
    HWND h = listBox_->GetHandle();
    LRESULT len = SendMessage(h, LB_GETTEXTLEN, static_cast<WPARAM>(Index), 0);
    if (len == LB_ERR) throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
    std::string s(static_cast<std::size_t>(len) + 1, '\0');
    SendMessage(h, LB_GETTEXT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<std::size_t>(len));
    return s;
}

int TListBoxStrings::GetCount() const {
    if (!listBox_->HandleAllocated()) return saved_.GetCount();
    return static_cast<int>(SendMessage(listBox_->GetHandle(), LB_GETCOUNT, 0, 0));
}

void TListBoxStrings::Clear() {
    if (!listBox_->HandleAllocated()) {
        saved_.Clear();
        return;
    }
    SendMessage(listBox_->GetHandle(), LB_RESETCONTENT, 0, 0);
}

void TListBoxStrings::Delete(int Index) {
    if (!listBox_->HandleAllocated()) {
        saved_.Delete(Index);
        return;
    }
    if (SendMessage(listBox_->GetHandle(), LB_DELETESTRING, static_cast<WPARAM>(Index), 0) == LB_ERR)
        throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TListBoxStrings::Insert(int Index, const std::string& S) {
    if (listBox_->GetSorted()) throw EStringListError("Operation not allowed on sorted list");
    if (!listBox_->HandleAllocated()) {
        saved_.Insert(Index, S);
        return;
    }
    if (Index < 0 || Index > GetCount())
        throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
    SendMessage(listBox_->GetHandle(), LB_INSERTSTRING, static_cast<WPARAM>(Index),
                reinterpret_cast<LPARAM>(S.c_str()));
}

int TListBoxStrings::Add(const std::string& S) {
    if (!listBox_->HandleAllocated()) return saved_.Add(S);
    return static_cast<int>(SendMessage(listBox_->GetHandle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(S.c_str())));
}

TObject* TListBoxStrings::GetObject(int Index) const {
    if (!listBox_->HandleAllocated()) return saved_.GetObject(Index);
    LRESULT d = SendMessage(listBox_->GetHandle(), LB_GETITEMDATA, static_cast<WPARAM>(Index), 0);
    if (d == LB_ERR) throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
    return reinterpret_cast<TObject*>(d);
}

void TListBoxStrings::PutObject(int Index, TObject* AObject) {
    if (!listBox_->HandleAllocated()) {
        saved_.PutObject(Index, AObject);
        return;
    }
    SendMessage(listBox_->GetHandle(), LB_SETITEMDATA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject));
}

// ---------------------------------------------------------------------------------------- TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(new TListBoxStrings(this)), canvas_(new TControlCanvas(this)) {
    width_ = 121;
    height_ = 97;
    TabStop = true;
    ControlStyle.Exclude(csClickEvents);
    SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() {
    DestroyHandle();
    delete canvas_;
    delete items_;
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
    if (Value == style_) return;
    style_ = Value;
    RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool Value) {
    if (Value == multiSelect_) return;
    multiSelect_ = Value;
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value) {
    if (Value == extendedSelect_) return;
    extendedSelect_ = Value;
    RecreateWnd();
}

bool TCustomListBox::Selected(int Index) {
    const LRESULT r = SendMessage(GetHandle(), LB_GETSEL, static_cast<WPARAM>(Index), 0);
    if (r == LB_ERR) throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
    return r != 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
    LRESULT r = 0;
    if (multiSelect_) r = SendMessage(GetHandle(), LB_SETSEL, Value ? TRUE : FALSE, static_cast<LPARAM>(Index));
    else if (Value) r = SendMessage(GetHandle(), LB_SETCURSEL, static_cast<WPARAM>(Index), 0);
    else if (GetItemIndex() == Index) SetItemIndex(-1);
    if (r == LB_ERR) throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
}

int TCustomListBox::SelCount() {
    const LRESULT r = SendMessage(GetHandle(), LB_GETSELCOUNT, 0, 0);
    return r == LB_ERR ? (GetItemIndex() >= 0 ? 1 : 0) : static_cast<int>(r);
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    canvas_->FillRect(Rect);
    if (Index >= 0 && Index < items_->Count()) canvas_->TextOut(Rect.left + 2, Rect.top, items_->Get(Index));
}

void TCustomListBox::MeasureItem(int Index, int& Height) {
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomListBox::SetItems(TStrings* Value) {
    items_->Clear();
    if (Value != nullptr) items_->AddStrings(Value);
}

int TCustomListBox::GetItemIndex() {
    if (!HandleAllocated()) return savedIndex_;
    return static_cast<int>(SendMessage(GetHandle(), LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int Value) {
    if (!HandleAllocated()) {
        savedIndex_ = Value;
        return;
    }
    SendMessage(GetHandle(), LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

int TCustomListBox::GetTopIndex() { return static_cast<int>(SendMessage(GetHandle(), LB_GETTOPINDEX, 0, 0)); }

void TCustomListBox::SetTopIndex(int Value) { SendMessage(GetHandle(), LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0); }

int TCustomListBox::GetItemHeight() { return static_cast<int>(SendMessage(GetHandle(), LB_GETITEMHEIGHT, 0, 0)); }

void TCustomListBox::SetItemHeight(int Value) {
    if (Value <= 0) return;
    itemHeight_ = Value;
    if (HandleAllocated() && style_ == lbOwnerDrawFixed)
        SendMessage(GetHandle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(static_cast<WORD>(Value), 0));
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) {
    LRESULT r =
        SendMessage(GetHandle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(static_cast<WORD>(Pos.x), static_cast<WORD>(Pos.y)));
    if (HIWORD(static_cast<std::uintptr_t>(r)) != 0) return Existing ? -1 : items_->Count();
    return LOWORD(static_cast<std::uintptr_t>(r));
}

TRect TCustomListBox::ItemRect(int Index) {
    RECT r;
    if (SendMessage(GetHandle(), LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
        return TRect{};
    return r;
}

void TCustomListBox::SetSorted(bool Value) {
    if (Value == sorted_) return;
    sorted_ = Value;
    RecreateWnd();
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "LISTBOX");
    Params.Style |= LBS_NOTIFY;
    if (sorted_) Params.Style |= LBS_SORT;
    if (multiSelect_) Params.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (style_ == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    if (style_ == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
    if (!IntegralHeight) Params.Style |= LBS_NOINTEGRALHEIGHT;
    if (BorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd() {
    TWinControl::CreateWnd();
    HWND h = GetHandle();
    if (style_ == lbOwnerDrawFixed && itemHeight_ > 0)
        SendMessage(h, LB_SETITEMHEIGHT, 0, MAKELPARAM(static_cast<WORD>(itemHeight_), 0));
    for (int i = 0; i < items_->saved_.Count(); ++i) {
        std::string s = items_->saved_.Get(i);
        LRESULT at = SendMessage(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
        SendMessage(h, LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(items_->saved_.GetObject(i)));
    }
    items_->saved_.Clear();
    if (savedIndex_ >= 0) SendMessage(h, LB_SETCURSEL, static_cast<WPARAM>(savedIndex_), 0);
    savedIndex_ = -1;
}

void TCustomListBox::DestroyWnd() {
    if (HandleAllocated()) {
        HWND h = GetHandle();
        TStringList keep;
        int n = static_cast<int>(SendMessage(h, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) keep.AddObject(items_->Get(i), items_->GetObject(i));
        savedIndex_ = static_cast<int>(SendMessage(h, LB_GETCURSEL, 0, 0));
        items_->saved_.Clear();
        items_->saved_.AddStrings(&keep);
    }
    TWinControl::DestroyWnd();
}

void TCustomListBox::Dispatch(TMessage& Message) {
    if (Message.Msg == CN_MEASUREITEM) {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
        // An item starts at the list's own item height when it has one.
        if (itemHeight_ > 0) mis->itemHeight = static_cast<UINT>(itemHeight_);
        int height = static_cast<int>(mis->itemHeight);
        MeasureItem(static_cast<int>(mis->itemID), height);
        mis->itemHeight = static_cast<UINT>(std::max(0, height));
        Message.Result = 1;
        return;
    }
    if (Message.Msg == CN_DRAWITEM) {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
        TOwnerDrawState state;
        if (dis->itemState & ODS_SELECTED) state.Include(odSelected);
        if (dis->itemState & ODS_FOCUS) state.Include(odFocused);
        if (dis->itemState & ODS_DISABLED) state.Include(odDisabled);
        // The canvas draws into the list's context with the list's font and the colours of the item's state.
        canvas_->SetHandle(dis->hDC);
        TScopeExit release([&] { canvas_->SetHandle(nullptr); });
        canvas_->SetFont(Font());
        const bool selected = state.Contains(odSelected);
        canvas_->Brush()->SetColor(selected ? clHighlight : GetColor());
        canvas_->Font()->SetColor(selected ? clHighlightText : Font()->GetColor());
        if (static_cast<int>(dis->itemID) < 0) {
            canvas_->FillRect(dis->rcItem);
        } else {
            DrawItem(static_cast<int>(dis->itemID), dis->rcItem, state);
            // A handler of its own draws its own focus.
            if (state.Contains(odFocused) && !OnDrawItem) DrawFocusRect(dis->hDC, &dis->rcItem);
        }
        Message.Result = 1;
        return;
    }
    if (Message.Msg == CN_COMMAND) {
        switch (HIWORD(Message.WParam)) {
            case LBN_SELCHANGE: Click(); break;
            case LBN_DBLCLK: DblClick(); break;
            default: break;
        }
        return;
    }
    if (Message.Msg == WM_LBUTTONDBLCLK) {
        // The window reports the double click (LBN_DBLCLK); only the mouse event goes out here.
        DefaultHandler(Message);
        TShiftState s = KeysToShiftState(Message.WParam);
        s.Include(ssDouble);
        MouseDown(mbLeft, s, GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        return;
    }
    TWinControl::Dispatch(Message);
}

// ------------------------------------------------------------------------------------------- TComboListBox

TComboListBox::TComboListBox(TComponent* AOwner) : TCustomListBox(AOwner) {
    SetVisible(false);
    TabStop = false;
    BorderStyle = bsNone;
    IntegralHeight = false;
}

void TComboListBox::CreateParams(TCreateParams& Params) {
    TCustomListBox::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER | LBS_NOINTEGRALHEIGHT;
    Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    Params.WndParent = nullptr;
}

// --------------------------------------------------------------------------------------- TComboBoxStrings

TStrings& TComboBoxStrings::List() const { return *comboBox_->list_->Items(); }

std::string TComboBoxStrings::Get(int Index) const { return List().Get(Index); }

int TComboBoxStrings::GetCount() const { return List().GetCount(); }

TObject* TComboBoxStrings::GetObject(int Index) const { return List().GetObject(Index); }

void TComboBoxStrings::PutObject(int Index, TObject* AObject) { List().PutObject(Index, AObject); }

// While the form is read the chosen index is the stored number, checked against the items once they are
// all there; afterwards it follows its item through insertions and deletions.
void TComboBoxStrings::Clear() {
    List().Clear();
    if (!comboBox_->ComponentState().Contains(csLoading)) comboBox_->itemIndex_ = -1;
    comboBox_->Invalidate();
}

void TComboBoxStrings::Delete(int Index) {
    List().Delete(Index);
    int& chosen = comboBox_->itemIndex_;
    if (!comboBox_->ComponentState().Contains(csLoading)) {
        if (chosen == Index) chosen = -1;
        else if (chosen > Index) --chosen;
    }
    comboBox_->Invalidate();
}

void TComboBoxStrings::Insert(int Index, const std::string& S) {
    List().Insert(Index, S);
    int& chosen = comboBox_->itemIndex_;
    if (!comboBox_->ComponentState().Contains(csLoading) && chosen >= Index) ++chosen;
    comboBox_->Invalidate();
}

int TComboBoxStrings::Add(const std::string& S) {
    const int at = List().Add(S);
    int& chosen = comboBox_->itemIndex_;
    if (!comboBox_->ComponentState().Contains(csLoading) && chosen >= at) ++chosen;
    comboBox_->Invalidate();
    return at;
}

// ---------------------------------------------------------------------------------------- TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TCustomControl(AOwner), items_(new TComboBoxStrings(this)) {
    width_ = 145;
    height_ = 21;
    TabStop = true;
    // The box holds the mouse itself while its list is down, across the button's release.
    ControlStyle.Exclude(csClickEvents);
    ControlStyle.Exclude(csCaptureMouse);
    SetColor(clWindow);
    list_ = Construct<TComboListBox>(this);
}

TCustomComboBox::~TCustomComboBox() {
    if (HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
    delete items_;
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomComboBox::SetItems(TStrings* Value) {
    items_->Clear();
    if (Value != nullptr) items_->AddStrings(Value);
}

void TCustomComboBox::SetItemIndex(int Value) {
    if (ComponentState().Contains(csLoading)) {
        itemIndex_ = Value;
        return;
    }
    if (Value < 0 || Value >= items_->GetCount()) Value = -1;
    if (Value == itemIndex_) return;
    itemIndex_ = Value;
    if (droppedDown_) list_->SetItemIndex(Value);
    Invalidate();
}

void TCustomComboBox::Loaded() {
    TCustomControl::Loaded();
    if (itemIndex_ < -1 || itemIndex_ >= items_->GetCount()) itemIndex_ = -1;
    Invalidate();
}

void TCustomComboBox::SetDropDownCount(int Value) { dropDownCount_ = std::max(1, Value); }

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (Value == style_) return;
    style_ = Value;
    Invalidate();
}

void TCustomComboBox::SetDroppedDown(bool Value) {
    if (Value) DropDown();
    else CloseUp(false);
}

std::string TCustomComboBox::GetTextImpl() const {
    if (itemIndex_ < 0 || itemIndex_ >= items_->GetCount()) return "";
    return items_->Get(itemIndex_);
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

TRect TCustomComboBox::ButtonRect() {
    TRect r = GetClientRect();
    r.left = std::max<int>(r.left, r.right - GetSystemMetrics(SM_CXVSCROLL));
    return r;
}

void TCustomComboBox::Paint() {
    TCanvas* c = Canvas();
    HDC dc = c->GetHandle();
    const TRect client = GetClientRect();
    const bool enabled = GetEnabled();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(enabled ? GetColor() : clBtnFace);
    c->FillRect(client);
    TRect button = ButtonRect();
    UINT state = DFCS_SCROLLCOMBOBOX;
    if (!enabled) state |= DFCS_INACTIVE;
    if (pressed_ && droppedDown_) state |= DFCS_PUSHED | DFCS_FLAT;
    DrawFrameControl(dc, &button, DFC_SCROLL, state);
    // The chosen item, highlighted while the box has the focus and its list is closed.
    TRect text{client.left + 1, client.top + 1, button.left - 1, client.bottom - 1};
    const bool highlight = enabled && Focused() && !droppedDown_;
    if (highlight) {
        c->Brush()->SetColor(clHighlight);
        c->FillRect(text);
    }
    c->Brush()->SetStyle(bsClear);
    c->MoveTo(0, 0);  // selects the font
    SetTextColor(dc, ColorToCOLORREF(!enabled ? clGrayText : highlight ? clHighlightText : Font()->GetColor()));
    const std::string s = GetTextImpl();
    TRect t = text;
    t.left += 2;
    DrawText(dc, s, static_cast<int>(s.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    if (highlight) c->DrawFocusRect(text);
}

void TCustomComboBox::DropDown() {
    if (droppedDown_) return;
    if (OnDropDown) OnDropDown(this);
    list_->Font()->Assign(Font());
    list_->HandleNeeded();
    const int itemHeight = std::max(1, list_->GetItemHeight());
    const int rows = std::clamp(items_->GetCount(), 1, dropDownCount_);
    const int border = 2 * GetSystemMetrics(SM_CYBORDER);
    const int height = rows * itemHeight + border;
    RECT box;
    GetWindowRect(GetHandle(), &box);
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    int top = box.bottom;
    // Above the box when it does not fit below and does above.
    if (top + height > work.bottom && box.top - height >= work.top) top = box.top - height;
    list_->SetBounds(box.left, top, box.right - box.left, height);
    list_->SetTopIndex(0);
    list_->SetItemIndex(itemIndex_);
    droppedDown_ = true;
    list_->SetVisible(true);
    SetCapture(GetHandle());
    Invalidate();
}

void TCustomComboBox::CloseUp(bool Accept) {
    if (!droppedDown_) return;
    const int chosen = list_->GetItemIndex();
    droppedDown_ = false;
    pressed_ = listPressed_ = false;
    list_->SetVisible(false);
    if (HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
    Invalidate();
    if (OnCloseUp) OnCloseUp(this);
    if (Accept && chosen >= 0) UserSelect(chosen);
}

void TCustomComboBox::UserSelect(int Index) {
    if (Index < 0 || Index >= items_->GetCount() || Index == itemIndex_) return;
    itemIndex_ = Index;
    Invalidate();
    Change();
}

int TCustomComboBox::ListItemAt(POINT Screen, bool& Inside) {
    Inside = false;
    if (!droppedDown_ || !list_->HandleAllocated()) return -1;
    RECT window;
    GetWindowRect(list_->GetHandle(), &window);
    Inside = PtInRect(&window, Screen) != FALSE;
    if (!Inside) return -1;
    const TPoint p = list_->ScreenToClient(TPoint{Screen.x, Screen.y});
    TRect client = list_->GetClientRect();
    if (ListHasScrollBar()) client.right -= GetSystemMetrics(SM_CXVSCROLL);
    if (!PtInRect(&client, POINT{p.x, p.y})) return -1;
    return list_->ItemAtPos(p, true);
}

bool TCustomComboBox::ListHasScrollBar() {
    return items_->GetCount() > list_->ClientHeight() / std::max(1, list_->GetItemHeight());
}

void TCustomComboBox::TrackMouse(POINT Screen, UINT Msg) {
    bool inside = false;
    const int item = ListItemAt(Screen, inside);
    switch (Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (!inside) {
                // A press on the box or anywhere else closes the list unchanged.
                CloseUp(false);
                return;
            }
            const TPoint p = list_->ScreenToClient(TPoint{Screen.x, Screen.y});
            const TRect client = list_->GetClientRect();
            if (ListHasScrollBar() && p.x >= client.right - GetSystemMetrics(SM_CXVSCROLL)) {
                list_->SetTopIndex(std::max(0, list_->GetTopIndex() + (p.y < client.bottom / 2 ? -1 : 1)));
                return;
            }
            listPressed_ = true;
            if (item >= 0) list_->SetItemIndex(item);
            return;
        }
        case WM_MOUSEMOVE:
            if (item >= 0 && item != list_->GetItemIndex()) list_->SetItemIndex(item);
            return;
        case WM_LBUTTONUP: {
            const bool fromList = listPressed_;
            pressed_ = listPressed_ = false;
            Invalidate();
            // A release over an item chooses it; the release of the press that opened the list, over the
            // box, leaves the list open.
            if (item >= 0 && (fromList || inside)) {
                list_->SetItemIndex(item);
                CloseUp(true);
            }
            return;
        }
        default: return;
    }
}

bool TCustomComboBox::KeyDown(WORD Key, bool Alt) {
    const int count = items_->GetCount();
    if (droppedDown_) {
        switch (Key) {
            case VK_RETURN: CloseUp(true); return true;
            case VK_ESCAPE: CloseUp(false); return true;
            case VK_F4: CloseUp(true); return true;
            case VK_UP:
            case VK_DOWN:
                if (Alt) {
                    CloseUp(true);
                    return true;
                }
                [[fallthrough]];
            case VK_HOME:
            case VK_END:
            case VK_PRIOR:
            case VK_NEXT:
                if (list_->GetItemIndex() < 0 && count > 0) list_->SetItemIndex(0);
                else SendMessage(list_->GetHandle(), WM_KEYDOWN, Key, 0);
                return true;
            default: return false;
        }
    }
    if ((Key == VK_F4 && !Alt) || (Alt && (Key == VK_DOWN || Key == VK_UP))) {
        DropDown();
        return true;
    }
    if (Alt || count == 0) return false;
    const int page = std::max(1, dropDownCount_ - 1);
    int next = itemIndex_;
    switch (Key) {
        case VK_UP:
        case VK_LEFT: next = itemIndex_ < 0 ? 0 : std::max(0, itemIndex_ - 1); break;
        case VK_DOWN:
        case VK_RIGHT: next = std::min(count - 1, itemIndex_ + 1); break;
        case VK_HOME: next = 0; break;
        case VK_END: next = count - 1; break;
        case VK_PRIOR: next = std::max(0, itemIndex_ - page); break;
        case VK_NEXT: next = std::min(count - 1, std::max(0, itemIndex_) + page); break;
        default: return false;
    }
    UserSelect(next);
    return true;
}

void TCustomComboBox::SelectByChar(char Key) {
    const int count = items_->GetCount();
    if (count == 0) return;
    const int from = droppedDown_ ? list_->GetItemIndex() : itemIndex_;
    const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(Key)));
    for (int k = 1; k <= count; ++k) {
        const int i = (std::max(-1, from) + k) % count;
        const std::string s = items_->Get(i);
        if (!s.empty() && std::toupper(static_cast<unsigned char>(s[0])) == static_cast<unsigned char>(wanted)) {
            if (droppedDown_) list_->SetItemIndex(i);
            else UserSelect(i);
            return;
        }
    }
}

// The box's own keys come after OnKeyDown; the keys it does not take go on to the form (Enter and Escape
// on the closed box are the form's).
bool TCustomComboBox::DoKeyDown(WORD& Key, TShiftState Shift) {
    if (TCustomControl::DoKeyDown(Key, Shift)) return true;
    return KeyDown(Key, Shift.Contains(ssAlt));
}

bool TCustomComboBox::DoKeyPress(char& Key) {
    if (TCustomControl::DoKeyPress(Key)) return true;
    if (static_cast<unsigned char>(Key) < 0x20) return false;
    SelectByChar(Key);
    return true;
}

void TCustomComboBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            const TPoint p = ClientToScreen(TPoint{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
            if (droppedDown_) {
                TrackMouse(POINT{p.x, p.y}, Message.Msg);
                return;
            }
            if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) {
                if (CanFocus() && !Focused()) SetFocus();
                pressed_ = true;
                DropDown();
                return;
            }
            break;
        }
        case WM_MOUSEWHEEL:
            if (droppedDown_) {
                const int notches = static_cast<SHORT>(HIWORD(Message.WParam)) / WHEEL_DELTA;
                list_->SetTopIndex(std::max(0, list_->GetTopIndex() - notches * 3));
                Message.Result = 1;
                return;
            }
            break;
        case WM_CAPTURECHANGED:
            if (droppedDown_ && reinterpret_cast<HWND>(Message.LParam) != GetHandle()) CloseUp(false);
            return;
        case WM_CANCELMODE:
        case CM_CANCELMODE: CloseUp(false); return;
        case WM_KILLFOCUS:
            CloseUp(false);
            Invalidate();
            break;
        case WM_SETFOCUS:
        case CM_FONTCHANGED:
        case CM_ENABLEDCHANGED: Invalidate(); break;
        case WM_GETDLGCODE:
            Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (droppedDown_ ? DLGC_WANTALLKEYS : 0);
            return;
        default: break;
    }
    TCustomControl::Dispatch(Message);
}

// ------------------------------------------------------------------------------------------- form classes

void RegisterStdCtrlsClasses() {
    auto labelTable = RegisterComponent<TLabel>("TLabel", "TControl");
    labelTable.Bool("AutoSize", [](TLabel& c, bool v) { c.SetAutoSize(v); })
        .Enum<TAlignment>("Alignment", AlignmentNames(), [](TLabel& c, TAlignment v) { c.SetAlignment(v); })
        .Enum<TTextLayout>("Layout", {{"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}},
                           [](TLabel& c, TTextLayout v) { c.SetLayout(v); })
        .Bool("Transparent", [](TLabel& c, bool v) { c.SetTransparent(v); })
        .Bool("WordWrap", [](TLabel& c, bool v) { c.SetWordWrap(v); })
        .Bool("ShowAccelChar", [](TLabel& c, bool v) { c.ShowAccelChar = v; })
        .Custom("FocusControl", [](TLabel& c, const TFormValue& v, TReadContext& ctx) {
            std::string name = ctx.Ident(v);
            TReadContext* context = &ctx;
            int line = ctx.Line;
            ctx.Fixups.push_back([&c, name, context, line]() {
                auto* target = dynamic_cast<TWinControl*>(context->Root->FindComponent(name));
                if (target == nullptr) {
                    context->Line = line;
                    context->Error("Invalid property value " + name + " for FocusControl");
                }
                c.FocusControl = target;
            });
        });

    RegisterComponent<TButton>("TButton", "TWinControl")
        .Bool("Default", [](TButton& c, bool v) { c.SetDefault(v); })
        .Bool("Cancel", [](TButton& c, bool v) { c.Cancel = v; })
        .Int("ModalResult", [](TButton& c, int v) { c.ModalResult = v; });

    RegisterComponent<TCheckBox>("TCheckBox", "TWinControl")
        .Bool("Checked", [](TCheckBox& c, bool v) { c.SetChecked(v); })
        .Enum<TCheckBoxState>("State", {{"cbUnchecked", cbUnchecked}, {"cbChecked", cbChecked}, {"cbGrayed", cbGrayed}},
                              [](TCheckBox& c, TCheckBoxState v) { c.SetState(v); })
        .Bool("AllowGrayed", [](TCheckBox& c, bool v) { c.AllowGrayed = v; })
        .Enum<TAlignment>("Alignment", AlignmentNames(), [](TCheckBox& c, TAlignment v) { c.Alignment = v; });

    RegisterComponent<TGroupBox>("TGroupBox", "TWinControl");

    RegisterComponent<TRadioButton>("TRadioButton", "TWinControl")
        .Bool("Checked", [](TRadioButton& c, bool v) { c.SetChecked(v); })
        .Enum<TAlignment>("Alignment", AlignmentNames(), [](TRadioButton& c, TAlignment v) { c.Alignment = v; });

    RegisterComponent<TEdit>("TEdit", "TWinControl")
        .Str("Text", [](TEdit& c, const std::string& v) { c.SetText(v); })
        .Int("MaxLength", [](TEdit& c, int v) { c.SetMaxLength(v); })
        .Bool("ReadOnly", [](TEdit& c, bool v) { c.SetReadOnly(v); })
        .Bool("AutoSelect", [](TEdit& c, bool v) { c.AutoSelect = v; })
        .Ignore("AutoSize")
        .Enum<TEditCharCase>("CharCase",
                             {{"ecNormal", ecNormal}, {"ecUpperCase", ecUpperCase}, {"ecLowerCase", ecLowerCase}},
                             [](TEdit& c, TEditCharCase v) { c.CharCase = v; })
        .Enum<TBorderStyle>("BorderStyle", BorderStyleNames(), [](TEdit& c, TBorderStyle v) { c.BorderStyle = v; })
        .Custom("PasswordChar",
                [](TEdit& c, const TFormValue& v, TReadContext& ctx) {
                    std::string s = ctx.Str(v);
                    c.PasswordChar = s.empty() ? 0 : s[0];
                })
        .Event("OnChange", &TEdit::OnChange);

    RegisterComponent<TMemo>("TMemo", "TEdit")
        .Custom("Lines.Strings",
                [](TMemo& c, const TFormValue& v, TReadContext& ctx) {
                    if (v.Kind != TFormValue::TKind::List) ctx.Error("List of strings expected");
                    std::string text;
                    for (const TFormValue& item : v.List) text += ctx.Str(item) + "\r\n";
                    c.SetText(text);
                })
        .Enum<TScrollStyle>(
            "ScrollBars",
            {{"ssNone", ssNone}, {"ssHorizontal", ssHorizontal}, {"ssVertical", ssVertical}, {"ssBoth", ssBoth}},
            [](TMemo& c, TScrollStyle v) { c.ScrollBars = v; })
        .Bool("WantReturns", [](TMemo& c, bool v) { c.WantReturns = v; })
        .Bool("WordWrap", [](TMemo& c, bool v) { c.WordWrap = v; });

    RegisterComponent<TListBox>("TListBox", "TWinControl")
        .Custom("Items.Strings",
                [](TListBox& c, const TFormValue& v, TReadContext& ctx) { ReadStrings(*c.Items(), v, ctx); })
        .Bool("Sorted", [](TListBox& c, bool v) { c.SetSorted(v); })
        .Bool("IntegralHeight", [](TListBox& c, bool v) { c.IntegralHeight = v; })
        .Int("ItemHeight", [](TListBox& c, int v) { c.SetItemHeight(v); })
        .Enum<TListBoxStyle>("Style",
                             {{"lbStandard", lbStandard},
                              {"lbOwnerDrawFixed", lbOwnerDrawFixed},
                              {"lbOwnerDrawVariable", lbOwnerDrawVariable}},
                             [](TListBox& c, TListBoxStyle v) { c.SetStyle(v); })
        .Bool("MultiSelect", [](TListBox& c, bool v) { c.SetMultiSelect(v); })
        .Bool("ExtendedSelect", [](TListBox& c, bool v) { c.SetExtendedSelect(v); })
        .Event("OnDrawItem", &TListBox::OnDrawItem)
        .Event("OnMeasureItem", &TListBox::OnMeasureItem)
        .Enum<TBorderStyle>("BorderStyle", BorderStyleNames(), [](TListBox& c, TBorderStyle v) { c.BorderStyle = v; });

    RegisterComponent<TComboBox>("TComboBox", "TWinControl")
        .Custom("Items.Strings",
                [](TComboBox& c, const TFormValue& v, TReadContext& ctx) { ReadStrings(*c.Items(), v, ctx); })
        .Int("ItemIndex", [](TComboBox& c, int v) { c.SetItemIndex(v); })
        .Int("DropDownCount", [](TComboBox& c, int v) { c.SetDropDownCount(v); })
        .Enum<TComboBoxStyle>("Style",
                              {{"csDropDown", csDropDown},
                               {"csSimple", csSimple},
                               {"csDropDownList", csDropDownList},
                               {"csOwnerDrawFixed", csOwnerDrawFixed},
                               {"csOwnerDrawVariable", csOwnerDrawVariable}},
                              [](TComboBox& c, TComboBoxStyle v) { c.SetStyle(v); })
        .Ignore("ItemHeight")
        .Ignore("Text")
        .Event("OnChange", &TComboBox::OnChange)
        .Event("OnDropDown", &TComboBox::OnDropDown)
        .Event("OnCloseUp", &TComboBox::OnCloseUp);
}

}  // namespace zel
