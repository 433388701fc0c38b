#include "platform/vcl/Controls.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/SysInfo.h"

namespace zel {

namespace {

// The windows of this layer: the control bound to each (nullptr once the control let go of it) and the
// procedure of the window class the control's class was made from.
struct TBinding {
    TWinControl* control = nullptr;
    WNDPROC defProc = nullptr;
};

std::unordered_map<HWND, TBinding>& Bindings() {
    static std::unordered_map<HWND, TBinding> map;
    return map;
}
std::uint64_t g_bindingsVersion = 0;  // TWinControl::BindingsVersion

TWinControl* g_creating = nullptr;     // the control whose window CreateWindowEx is making
TControl* g_captureControl = nullptr;  // the graphic control that holds the mouse
TControl* g_mouseControl = nullptr;    // the control the mouse is over, told of its entering and leaving

// Makes AControl the control under the mouse: the one before hears CM_MOUSELEAVE, the new one CM_MOUSEENTER
// (each passes it on to its parents). Mouse moves decide it, and a WM_MOUSELEAVE that a window receives.
void SetMouseControl(TControl* AControl) {
    if (AControl == g_mouseControl) return;
    TControl* old = g_mouseControl;
    g_mouseControl = AControl;
    if (old != nullptr) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
    if (AControl != nullptr && g_mouseControl == AControl)
        AControl->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(AControl));
}

std::map<TCursor, HCURSOR>& CustomCursors() {
    static std::map<TCursor, HCURSOR> map;
    return map;
}

}  // namespace

// When the pointer has left every window of the program, no window's mouse move says so: the control under
// the mouse is told at the next idle time, unless a window holds the mouse.
void CheckMouseControlAtIdle() {
    if (g_mouseControl == nullptr || g_captureControl != nullptr || GetCapture() != nullptr) return;
    POINT p{};
    GetCursorPos(&p);
    const HWND over = WindowFromPoint(p);
    if (over == nullptr || TWinControl::FindControl(over) == nullptr) SetMouseControl(nullptr);
}

namespace {
// The window whose message the controls are handling now: a control's default handling answers for that
// window, which is not always its Handle (a second window gets its messages too).
HWND g_messageWindow = nullptr;
}  // namespace

// The drag manager's (DragManager.cpp).
bool DragMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
void ForgetDragControl(TControl* AControl);

LRESULT ControlWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto& map = Bindings();
    auto it = map.find(hwnd);
    if (it == map.end()) {
        if (g_creating == nullptr) return DefWindowProc(hwnd, msg, wp, lp);
        // A control's first window becomes its Handle; a second one (CreateSecondWindow) stays beside it.
        if (g_creating->handle_ == nullptr) g_creating->handle_ = hwnd;
        it = map.emplace(hwnd, TBinding{g_creating, g_creating->defWndProc_}).first;
        ++g_bindingsVersion;
        g_creating = nullptr;
    }
    TBinding b = it->second;
    LRESULT result = 0;
    // The window of a control that is not its Handle (the second window, hidden while not in use) is not
    // painted by the control, which paints through its Handle: its paint requests are answered by default.
    bool notInUse = b.control != nullptr && b.control->handle_ != hwnd &&
                    (msg == WM_PAINT || msg == WM_ERASEBKGND || msg == WM_NCPAINT);
    if (b.control == nullptr || notInUse) {
        result = CallWindowProc(b.defProc ? b.defProc : DefWindowProc, hwnd, msg, wp, lp);
    } else if (DragMessage(hwnd, msg, wp, lp)) {
        result = 0;
    } else if ((msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_KEYUP || msg == WM_CHAR) &&
               b.control->Perform(CN_BASE + msg, wp, lp) != 0) {
        // The control took the key before it arrived (a menu short-cut, say).
        result = 0;
    } else {
        TMessage m{msg, wp, lp, 0};
        const HWND outer = g_messageWindow;
        g_messageWindow = hwnd;
        TScopeExit restore([outer] { g_messageWindow = outer; });
        b.control->MainWndProc(m);
        result = m.Result;
    }
    if (msg == CM_RELEASE) {
        // A form asked to be freed once the message it was handling was done.
        auto again = map.find(hwnd);
        if (again != map.end() && again->second.control != nullptr && again->second.control == b.control)
            if (auto* form = dynamic_cast<TCustomForm*>(b.control)) delete form;
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        auto again = map.find(hwnd);
        if (again != map.end()) {
            if (TWinControl* c = again->second.control) {
                if (c->handle_ == hwnd) c->handle_ = nullptr;
                if (c->secondHandle_ == hwnd) c->secondHandle_ = nullptr;
            }
            map.erase(again);
            ++g_bindingsVersion;
        }
    }
    return result;
}

TShiftState KeysToShiftState(WPARAM Keys) {
    TShiftState s;
    if (Keys & MK_SHIFT) s.Include(ssShift);
    if (Keys & MK_CONTROL) s.Include(ssCtrl);
    if (Keys & MK_LBUTTON) s.Include(ssLeft);
    if (Keys & MK_RBUTTON) s.Include(ssRight);
    if (Keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TShiftState KeyboardStateToShiftState() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

void SetCustomCursor(TCursor Cursor, HCURSOR Handle) { CustomCursors()[Cursor] = Handle; }

HCURSOR CursorHandle(TCursor Cursor) {
    auto it = CustomCursors().find(Cursor);
    if (it != CustomCursors().end()) return it->second;
    int id = IDC_ARROW;
    switch (Cursor) {
        case crNone: return nullptr;
        case crCross: id = IDC_CROSS; break;
        case crIBeam: id = IDC_IBEAM; break;
        case crSizeNESW: id = IDC_SIZENESW; break;
        case crSizeNS:
        case crVSplit: id = IDC_SIZENS; break;
        case crSizeNWSE: id = IDC_SIZENWSE; break;
        case crSizeWE:
        case crHSplit: id = IDC_SIZEWE; break;
        case crUpArrow: id = IDC_UPARROW; break;
        case crHourGlass:
        case crSQLWait: id = IDC_WAIT; break;
        case crNo:
        case crNoDrop: id = IDC_NO; break;
        case crAppStart: id = IDC_APPSTARTING; break;
        case crHelp: id = IDC_HELP; break;
        case crHandPoint: id = IDC_HAND; break;
        case crSizeAll: id = IDC_SIZEALL; break;
        default: break;
    }
    return LoadCursor(nullptr, id);
}

TCustomForm* GetParentForm(TControl* Control) {
    while (Control != nullptr && Control->GetParent() != nullptr) Control = Control->GetParent();
    return dynamic_cast<TCustomForm*>(Control);
}

// -------------------------------------------------------------------------------------------- TControl

// ---- TSizeConstraints

void TSizeConstraints::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TSizeConstraints*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    minWidth_ = source->minWidth_;
    minHeight_ = source->minHeight_;
    maxWidth_ = source->maxWidth_;
    maxHeight_ = source->maxHeight_;
    Change();
}

int TSizeConstraints::Constrain(int Value, int AMin, int AMax) {
    if (AMax > 0) Value = std::min(Value, AMax);
    if (AMin > 0) Value = std::max(Value, AMin);
    return Value;
}

namespace {

// Sets one limit (0 or above); a minimum above its maximum moves the maximum up, a maximum below its minimum
// moves the minimum down. Answers whether the limit changed.
bool SetSizeLimit(int& ALimit, int& AOpposite, bool AIsMinimum, int Value) {
    Value = std::max(0, Value);
    if (Value == ALimit) return false;
    ALimit = Value;
    if (AIsMinimum ? AOpposite > 0 && AOpposite < Value : Value > 0 && AOpposite > Value) AOpposite = Value;
    return true;
}

}  // namespace

void TSizeConstraints::SetMinWidth(int Value) {
    if (SetSizeLimit(minWidth_, maxWidth_, true, Value)) Change();
}

void TSizeConstraints::SetMinHeight(int Value) {
    if (SetSizeLimit(minHeight_, maxHeight_, true, Value)) Change();
}

void TSizeConstraints::SetMaxWidth(int Value) {
    if (SetSizeLimit(maxWidth_, minWidth_, false, Value)) Change();
}

void TSizeConstraints::SetMaxHeight(int Value) {
    if (SetSizeLimit(maxHeight_, minHeight_, false, Value)) Change();
}

void TSizeConstraints::Change() {
    if (control_ != nullptr)
        control_->SetBounds(control_->GetLeft(), control_->GetTop(), control_->GetWidth(), control_->GetHeight());
}

// ---- TControl

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), font_(new TFont), constraints_(new TSizeConstraints(this)) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    font_->OnChange = [this](TObject*) {
        if (!settingParentFont_) parentFont_ = false;
        Perform(CM_FONTCHANGED);
    };
}

TControl::~TControl() {
    ForgetDragControl(this);
    if (g_captureControl == this) g_captureControl = nullptr;
    if (g_mouseControl == this) g_mouseControl = nullptr;
    if (parent_ != nullptr) parent_->RemoveControl(this);
    delete actionLink_;
    delete constraints_;
    delete font_;
}

void TControl::BeforeDestruction() { TComponent::BeforeDestruction(); }

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage m{Msg, WParam, LParam, 0};
    if (WindowProc) WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: controlState_.Include(csLButtonDown); break;
        case WM_LBUTTONUP: controlState_.Exclude(csLButtonDown); break;
        default: break;
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
    const int x = GET_X_LPARAM(Message.LParam), y = GET_Y_LPARAM(Message.LParam);
    switch (Message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            DefaultHandler(Message);
            NotePress();
            TMouseButton b = Message.Msg == WM_LBUTTONDOWN   ? mbLeft
                             : Message.Msg == WM_RBUTTONDOWN ? mbRight
                                                             : mbMiddle;
            if (b == mbLeft && ControlStyle.Contains(csClickEvents)) controlState_.Include(csClicked);
            MouseDown(b, KeysToShiftState(Message.WParam), x, y);
            return;
        }
        case WM_LBUTTONDBLCLK: {
            DefaultHandler(Message);
            TShiftState s = KeysToShiftState(Message.WParam);
            s.Include(ssDouble);
            DblClick();
            MouseDown(mbLeft, s, x, y);
            return;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            DefaultHandler(Message);
            TMouseButton b = Message.Msg == WM_LBUTTONUP ? mbLeft : Message.Msg == WM_RBUTTONUP ? mbRight : mbMiddle;
            if (b == mbLeft && controlState_.Contains(csClicked)) {
                controlState_.Exclude(csClicked);
                TRect r = GetClientRect();
                if (PtInRect(&r, Point(x, y))) Click();
            }
            MouseUp(b, KeysToShiftState(Message.WParam), x, y);
            return;
        }
        case WM_MOUSEMOVE:
            DefaultHandler(Message);
            MouseMove(KeysToShiftState(Message.WParam), x, y);
            return;
        case CM_FONTCHANGED: FontChanged(); return;
        case CM_COLORCHANGED: ColorChanged(); return;
        case CM_PARENTFONTCHANGED: ParentFontChanged(); return;
        case CM_PARENTCOLORCHANGED: ParentColorChanged(); return;
        case CM_ENABLEDCHANGED:
        case CM_TEXTCHANGED: Invalidate(); return;
        case CM_VISIBLECHANGED: return;
        case CM_CANCELMODE: controlState_.Exclude(csClicked); return;
        case WM_CONTEXTMENU: {
            if (Message.Result != 0 || ComponentState().Contains(csDesigning)) return;
            const TPoint p{x, y};
            const bool keyboard = p.x == -1 && p.y == -1;
            bool handled = false;
            DoContextPopup(keyboard ? p : ScreenToClient(p), handled);
            Message.Result = handled ? 1 : 0;
            if (handled) return;
            if (TPopupMenu* menu = GetPopupMenu(); menu != nullptr && menu->AutoPopup) {
                menu->PopupComponent = this;
                const TPoint at = keyboard ? ClientToScreen(TPoint{0, 0}) : p;
                Message.Result = 1;
                menu->Popup(at.x, at.y);
                return;
            }
            DefaultHandler(Message);
            return;
        }
        case WM_MOUSEWHEEL: {
            const auto keys = static_cast<WORD>(LOWORD(static_cast<std::uintptr_t>(Message.WParam)));
            const auto delta = static_cast<short>(HIWORD(static_cast<std::uintptr_t>(Message.WParam)));
            if (DoMouseWheel(KeysToShiftState(keys), delta, TPoint{x, y})) Message.Result = 1;
            else DefaultHandler(Message);
            return;
        }
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            if (parent_ != nullptr) parent_->Perform(Message.Msg, Message.WParam, Message.LParam);
            return;
        default: DefaultHandler(Message);
    }
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
    if (popupMenu_ == Value) return;
    if (popupMenu_ != nullptr) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popupMenu_) popupMenu_ = nullptr;
    if (Operation == opRemove && actionLink_ != nullptr && AComponent == actionLink_->GetAction()) SetAction(nullptr);
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
}

void TControl::DefaultHandler(TMessage& Message) {
    if (Message.Msg == WM_GETTEXT || Message.Msg == WM_GETTEXTLENGTH) {
        // A control without a window answers from its own text.
        if (Message.Msg == WM_GETTEXTLENGTH) {
            Message.Result = static_cast<LRESULT>(text_.size());
        } else if (Message.WParam > 0 && Message.LParam != 0) {
            auto* buf = reinterpret_cast<char*>(Message.LParam);
            std::size_t n = std::min<std::size_t>(text_.size(), Message.WParam - 1);
            std::copy_n(text_.data(), n, buf);
            buf[n] = '\0';
            Message.Result = static_cast<LRESULT>(n);
        }
    }
}

void TControl::NotePress() {
    TCustomForm* form = GetParentForm();
    if (form == nullptr) return;
    // A press inside a multiple-document child that is not the active one activates it.
    if (form->GetFormStyle() == fsMDIChild && form->HandleAllocated())
        if (HWND client = ::zel::GetParent(form->GetHandle()))
            if (reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, 0)) != form->GetHandle())
                SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(form->GetHandle()), 0);
    // The form's active control ends whatever mode it was in (a drag, a pressed state).
    form->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(this));
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == parent_) return;
    if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (parent_ != nullptr) parent_->RemoveControl(this);
    if (AParent != nullptr) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* Value) {
    if (auto* w = dynamic_cast<TWinControl*>(Value)) SetParent(w);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = constraints_->ConstrainWidth(AWidth);
    AHeight = constraints_->ConstrainHeight(AHeight);
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
    InvalidateControl(visible_, false);
    const bool resized = AWidth != width_ || AHeight != height_;
    left_ = ALeft;
    top_ = ATop;
    width_ = std::max(0, AWidth);
    height_ = std::max(0, AHeight);
    Invalidate();
    if (resized) Resize();
    RequestAlign();
}

TRect TControl::GetClientRect() { return Rect(0, 0, width_, height_); }

void TControl::SetClientWidth(int Value) { SetWidth(Value); }
void TControl::SetClientHeight(int Value) { SetHeight(Value); }

TPoint TControl::ClientOrigin() {
    // A window knows where its client area lies on the screen, below a caption and inside a frame.
    if (auto* self = dynamic_cast<TWinControl*>(this); self != nullptr && self->HandleAllocated()) {
        POINT origin{0, 0};
        ::zel::ClientToScreen(self->GetHandle(), &origin);
        return Point(origin.x, origin.y);
    }
    if (parent_ == nullptr) return Point(left_, top_);
    TPoint p = parent_->ClientOrigin();
    return Point(p.x + left_, p.y + top_);
}

TPoint TControl::ClientToScreen(TPoint P) {
    TPoint o = ClientOrigin();
    return Point(P.x + o.x, P.y + o.y);
}

TPoint TControl::ScreenToClient(TPoint P) {
    TPoint o = ClientOrigin();
    return Point(P.x - o.x, P.y - o.y);
}

void TControl::SetAlign(TAlign Value) {
    if (Value == align_) return;
    align_ = Value;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (parent_ != nullptr && align_ != alNone) parent_->Realign();
}

void TControl::SetVisible(bool Value) {
    if (Value == visible_) return;
    VisibleChanging();
    visible_ = Value;
    InvalidateControl(true, false);
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
    if (parent_ != nullptr) parent_->Realign();
}

bool TControl::Showing() const { return visible_ && parent_ != nullptr && parent_->Showing(); }

void TControl::SetEnabled(bool Value) {
    if (Value == enabled_) return;
    enabled_ = Value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string& Value) {
    if (Value == GetText()) return;
    SetTextImpl(Value);
    Perform(CM_TEXTCHANGED);
}

void TControl::SetTextImpl(const std::string& Value) { text_ = Value; }

void TControl::SetColor(TColor Value) {
    if (Value == color_) return;
    color_ = Value;
    parentColor_ = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value) {
    if (Value == parentColor_) return;
    parentColor_ = Value;
    if (Value && parent_ != nullptr) ParentColorChanged();
}

void TControl::SetParentFont(bool Value) {
    if (Value == parentFont_) return;
    parentFont_ = Value;
    if (Value && parent_ != nullptr) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parentFont_ || parent_ == nullptr) return;
    settingParentFont_ = true;
    font_->Assign(parent_->Font());
    settingParentFont_ = false;
}

void TControl::ParentColorChanged() {
    if (!parentColor_ || parent_ == nullptr) return;
    if (color_ == parent_->GetColor()) return;
    color_ = parent_->GetColor();
    Perform(CM_COLORCHANGED);
}

void TControl::FontChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
    if (!IsVisible || parent_ == nullptr || !parent_->HandleAllocated()) return;
    if (dynamic_cast<TWinControl*>(this) != nullptr) return;
    RECT r = BoundsRect();
    InvalidateRect(parent_->GetHandle(), &r, IsOpaque ? FALSE : TRUE);
}

void TControl::Invalidate() { InvalidateControl(visible_, ControlStyle.Contains(csOpaque)); }

void TControl::Update() {
    if (parent_ != nullptr) parent_->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (parent_ == nullptr) {
        // A window of its own: it goes on top of its siblings. A multiple-document child becomes the active
        // one, as a click on it makes it.
        auto* w = dynamic_cast<TWinControl*>(this);
        if (w == nullptr || !w->HandleAllocated()) return;
        const HWND h = w->GetHandle();
        const HWND client = ::zel::GetParent(h);
        if (client != nullptr && (GetWindowLongPtr(h, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0)
            SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(h), 0);
        else SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    if (auto* w = dynamic_cast<TWinControl*>(this); w != nullptr && w->HandleAllocated())
        SetWindowPos(w->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

void TControl::SendToBack() {
    if (parent_ == nullptr) return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
    if (auto* w = dynamic_cast<TWinControl*>(this); w != nullptr && w->HandleAllocated())
        SetWindowPos(w->GetHandle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

TCustomForm* TControl::GetParentForm() const { return ::zel::GetParentForm(const_cast<TControl*>(this)); }

void TControl::Click() {
    if (OnClick) OnClick(this);
    else if (actionLink_ != nullptr) actionLink_->Execute(this);
}

TBasicAction* TControl::GetAction() const { return actionLink_ != nullptr ? actionLink_->GetAction() : nullptr; }

void TControl::SetAction(TBasicAction* Value) {
    if (Value == GetAction()) return;
    if (Value == nullptr) {
        delete actionLink_;
        actionLink_ = nullptr;
        return;
    }
    if (actionLink_ == nullptr) actionLink_ = CreateActionLink();
    actionLink_->SetAction(Value);
    ActionChange(Value, ComponentState().Contains(csLoading));
    Value->FreeNotification(this);
}

TControlActionLink* TControl::CreateActionLink() { return new TControlActionLink(this); }

TControlActionLink* TWinControl::CreateActionLink() { return new TWinControlActionLink(this); }

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (action == nullptr) return;
    if (!CheckDefaults || Caption().empty()) SetCaption(action->GetCaption());
    if (!CheckDefaults || GetEnabled()) SetEnabled(action->GetEnabled());
    if (!CheckDefaults || HelpContext == 0) HelpContext = action->GetHelpContext();
    if (!CheckDefaults || Hint.empty()) Hint = action->GetHint();
    if (!CheckDefaults || GetVisible()) SetVisible(action->GetVisible());
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

// ------------------------------------------------------------------------------------- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), canvas_(new TControlCanvas(this)) {}

TGraphicControl::~TGraphicControl() { delete canvas_; }

void TGraphicControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    // The canvas's device context was placed and clipped for the old bounds: the next drawing fetches one
    // for the new.
    static_cast<TControlCanvas*>(canvas_)->FreeHandle();
}

void TGraphicControl::PaintTo(HDC DC) {
    auto* cc = static_cast<TControlCanvas*>(canvas_);
    cc->FreeHandle();
    canvas_->SetHandle(DC);
    canvas_->SetFont(Font());
    canvas_->Brush()->SetColor(GetColor());
    TScopeExit release([&] { canvas_->SetHandle(nullptr); });
    Paint();
}

void TGraphicControl::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_PAINT) {
        // Painted on request of a parent that hands its DC.
        if (Message.WParam != 0) PaintTo(reinterpret_cast<HDC>(Message.WParam));
        return;
    }
    if (Message.Msg == CM_VISIBLECHANGED || Message.Msg == CM_FONTCHANGED)
        static_cast<TControlCanvas*>(canvas_)->FreeHandle();
    TControl::Dispatch(Message);
}

// ------------------------------------------------------------------------------------------ TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), brush_(new TBrush) { brush_->SetColor(GetColor()); }

TWinControl::~TWinControl() {
    // Child controls go with their parent.
    while (!controls_.empty()) {
        TControl* c = controls_.back();
        RemoveControl(c);
        delete c;
    }
    if (handle_ != nullptr) DestroyWnd();
    delete brush_;
}

void TWinControl::BeforeDestruction() {
    TControl::BeforeDestruction();
    DestroyHandle();
}

TWinControl* TWinControl::FindControl(HWND Handle) {
    auto it = Bindings().find(Handle);
    return it == Bindings().end() ? nullptr : it->second.control;
}

std::uint64_t TWinControl::BindingsVersion() { return g_bindingsVersion; }

HWND TWinControl::GetHandle() {
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded() {
    if (handle_ != nullptr) return;
    if (parent_ != nullptr) parent_->HandleNeeded();
    CreateHandle();
}

void TWinControl::CreateHandle() {
    if (handle_ != nullptr) return;
    CreateWnd();
    for (TControl* c : std::vector<TControl*>(controls_))
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
    if (pendingClientWidth_ >= 0) {
        int v = pendingClientWidth_;
        pendingClientWidth_ = -1;
        SetClientWidth(v);
    }
    if (pendingClientHeight_ >= 0) {
        int v = pendingClientHeight_;
        pendingClientHeight_ = -1;
        SetClientHeight(v);
    }
    Realign();
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params.Caption = text_;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (GetVisible()) Params.Style |= WS_VISIBLE;
    if (!GetEnabled()) Params.Style |= WS_DISABLED;
    if (TabStop) Params.Style |= WS_TABSTOP;
    Params.X = left_;
    Params.Y = top_;
    Params.Width = width_;
    Params.Height = height_;
    Params.WndParent = parent_ != nullptr ? parent_->GetHandle() : ParentWindow;
    Params.WindowClass = WNDCLASS{};
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WindowClass.lpfnWndProc = DefWindowProc;
    Params.WindowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* ControlClassName) {
    RegisterStandardClasses();
    WNDCLASS wc;
    if (!GetClassInfo(nullptr, ControlClassName, &wc))
        throw EOutOfResources(std::string("Window class ") + ControlClassName + " is not registered");
    Params.WindowClass = wc;
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    if ((p.Style & WS_CHILD) && p.WndParent == nullptr)
        throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
    defWndProc_ = p.WindowClass.lpfnWndProc;
    RegisterControlClass(p);
    CreateWindowHandle(p);
    if (handle_ == nullptr) throw EOutOfResources("Error creating window for " + ClassName());
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->GetHandle()), 0);
}

void TWinControl::RegisterControlClass(const TCreateParams& Params) {
    WNDCLASS existing;
    if (GetClassInfo(nullptr, Params.WinClassName.c_str(), &existing)) return;
    WNDCLASS wc = Params.WindowClass;
    wc.lpfnWndProc = ControlWndProc;
    wc.lpszClassName = Params.WinClassName.c_str();
    wc.lpszMenuName = nullptr;
    if (RegisterClass(&wc) == 0) throw EOutOfResources("Window class " + Params.WinClassName + " cannot be registered");
}

HWND TWinControl::CreateSecondWindow(const TCreateParams& Params) {
    if (secondHandle_ != nullptr) return secondHandle_;
    HandleNeeded();
    RegisterControlClass(Params);
    TWinControl* saved = g_creating;
    g_creating = this;
    HWND h = nullptr;
    {
        TScopeExit restore([&] { g_creating = saved; });
        h = CreateWindowEx(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style, Params.X,
                           Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr, nullptr, Params.Param);
    }
    if (h == nullptr) throw EOutOfResources("Error creating window for " + ClassName());
    Bindings().try_emplace(h, TBinding{this, defWndProc_});
    ++g_bindingsVersion;
    secondHandle_ = h;
    SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->GetHandle()), 0);
    return h;
}

void TWinControl::SwitchWindows() {
    if (handle_ == nullptr || secondHandle_ == nullptr) return;
    std::swap(handle_, secondHandle_);
    // The children's windows move into the new window as they are.
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c); w != nullptr && w->handle_ != nullptr) {
            ::zel::SetParent(w->handle_, handle_);
            SetWindowPos(w->handle_, nullptr, w->left_, w->top_, w->width_, w->height_, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    WindowsSwitched();
    UpdateBounds();
}

void TWinControl::SetParentKeepingWindow(TWinControl* AParent) {
    keepWindow_ = true;
    TScopeExit reset([this] { keepWindow_ = false; });
    SetParent(AParent);
}

void TWinControl::DestroySecondWindow() {
    HWND h = secondHandle_;
    if (h == nullptr) return;
    secondHandle_ = nullptr;
    auto it = Bindings().find(h);
    if (it != Bindings().end()) it->second.control = nullptr;
    ++g_bindingsVersion;
    DestroyWindow(h);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
    TWinControl* saved = g_creating;
    g_creating = this;
    HWND h = nullptr;
    {
        TScopeExit restore([&] { g_creating = saved; });
        h = CreateWindowEx(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style, Params.X,
                           Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr, nullptr, Params.Param);
    }
    if (h != nullptr && handle_ == nullptr) {
        // The window sent no message while being made: bind it now.
        handle_ = h;
        Bindings()[h] = TBinding{this, defWndProc_};
        ++g_bindingsVersion;
    }
    // A child window gets an id of its own, by which a parent finds the control that asks it to measure an item.
    static LONG nextId = 0x100;
    if (h != nullptr && (Params.Style & WS_CHILD) != 0 && GetWindowLong(h, GWL_ID) == 0)
        SetWindowLong(h, GWL_ID, nextId++);
}

void TWinControl::DestroyWnd() {
    DestroySecondWindow();
    HWND h = handle_;
    if (h == nullptr) return;
    text_ = GetTextImpl();
    auto it = Bindings().find(h);
    if (it != Bindings().end()) it->second.control = nullptr;
    ++g_bindingsVersion;
    handle_ = nullptr;
    DestroyWindow(h);
}

void TWinControl::DestroyHandle() {
    if (handle_ == nullptr) return;
    for (TControl* c : std::vector<TControl*>(controls_))
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
    DestroyWnd();
}

void TWinControl::RecreateWnd() {
    if (handle_ == nullptr) return;
    // The new window takes the old one's place: shown if that was shown (a form's window is made hidden),
    // in the same state, under the same window in the z-order, and active if that was active.
    const HWND old = handle_;
    const bool shown = (GetWindowLongPtr(old, GWL_STYLE) & WS_VISIBLE) != 0;
    const bool iconic = IsIconic(old) != FALSE, zoomed = IsZoomed(old) != FALSE;
    const bool active = GetActiveWindow() == old;
    const auto topmost = [](HWND w) { return (GetWindowLongPtr(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    const bool wasTopmost = topmost(old);
    const HWND above = GetWindow(old, GW_HWNDPREV);
    DestroyHandle();
    HandleNeeded();
    const HWND h = handle_;
    if (h == nullptr) return;
    if (shown && (GetWindowLongPtr(h, GWL_STYLE) & WS_VISIBLE) == 0)
        ShowWindow(h, iconic ? SW_SHOWMINNOACTIVE : zoomed ? SW_SHOWMAXIMIZED : SW_SHOWNA);
    // Only within the same band (stay-on-top or not) can the window keep its place under the other.
    if (above != nullptr && IsWindow(above) && ::zel::GetParent(above) == ::zel::GetParent(h) &&
        wasTopmost == topmost(h) && topmost(above) == topmost(h))
        SetWindowPos(h, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (active && IsWindowVisible(h) && IsWindowEnabled(h)) SetActiveWindow(h);
}

void TWinControl::MainWndProc(TMessage& Message) {
    try {
        if (WindowProc) WindowProc(Message);
    } catch (const std::exception& e) {
        HandleApplicationException(e);
    }
}

void TWinControl::InsertControl(TControl* AControl) {
    if (AControl == nullptr || AControl->parent_ == this) return;
    controls_.push_back(AControl);
    AControl->parent_ = this;
    if (AControl->parentFont_) AControl->Perform(CM_PARENTFONTCHANGED);
    if (AControl->parentColor_) AControl->Perform(CM_PARENTCOLORCHANGED);
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        if (handle_ != nullptr && !w->ComponentState().Contains(csLoading)) {
            if (w->handle_ != nullptr) {
                ::zel::SetParent(w->handle_, handle_);
                SetWindowPos(w->handle_, nullptr, w->left_, w->top_, w->width_, w->height_,
                             SWP_NOZORDER | SWP_NOACTIVATE);
            } else {
                w->HandleNeeded();
            }
        }
    } else {
        AControl->Invalidate();
    }
    if (AControl->GetAlign() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* AControl) {
    auto it = std::find(controls_.begin(), controls_.end(), AControl);
    if (it == controls_.end()) return;
    if (AControl == g_captureControl) g_captureControl = nullptr;
    // The form lets go of a focused control that goes (freed at run time while the form lives).
    TWinControl* top = this;
    while (top->parent_ != nullptr) top = top->parent_;
    if (!top->ComponentState().Contains(csDestroying)) top->ControlLeaving(AControl);
    AControl->Invalidate();
    controls_.erase(it);
    AControl->parent_ = nullptr;
    if (auto* w = dynamic_cast<TWinControl*>(AControl);
        w != nullptr && w->handle_ != nullptr && !w->keepWindow_ && !ComponentState().Contains(csDestroying))
        w->DestroyHandle();
    if (AControl->GetAlign() != alNone && !ComponentState().Contains(csDestroying)) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const {
    while (Control != nullptr && Control != this) Control = Control->GetParent();
    return Control == this;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
        if (windowed && !AllowWinControls) continue;
        if (!c->GetVisible() || (!c->GetEnabled() && !AllowDisabled)) continue;
        RECT r = c->BoundsRect();
        if (PtInRect(&r, Pos)) return c;
    }
    return nullptr;
}

void TWinControl::Realign() {
    if (alignDisabled_ > 0 || ComponentState().Contains(csLoading) || realigning_) {
        alignPending_ = true;
        return;
    }
    alignPending_ = false;
    realigning_ = true;
    TScopeExit done([&] { realigning_ = false; });
    TRect r = GetClientRect();
    AlignControls(nullptr, r);
}

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0) --alignDisabled_;
    if (alignDisabled_ == 0 && alignPending_) Realign();
}

void TWinControl::AlignControls(TControl* /*AControl*/, TRect& Rect) {
    for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : std::vector<TControl*>(controls_)) {
            if (c->GetAlign() != kind || !c->GetVisible()) continue;
            int l = c->GetLeft(), t = c->GetTop(), w = c->GetWidth(), h = c->GetHeight();
            switch (kind) {
                case alTop:
                    l = Rect.left;
                    t = Rect.top;
                    w = Rect.Width();
                    Rect.top += h;
                    break;
                case alBottom:
                    l = Rect.left;
                    t = Rect.bottom - h;
                    w = Rect.Width();
                    Rect.bottom -= h;
                    break;
                case alLeft:
                    l = Rect.left;
                    t = Rect.top;
                    h = Rect.Height();
                    Rect.left += w;
                    break;
                case alRight:
                    l = Rect.right - w;
                    t = Rect.top;
                    h = Rect.Height();
                    Rect.right -= w;
                    break;
                case alClient:
                    l = Rect.left;
                    t = Rect.top;
                    w = Rect.Width();
                    h = Rect.Height();
                    break;
                default: break;
            }
            c->SetBounds(l, t, std::max(0, w), std::max(0, h));
        }
    }
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c != nullptr; c = c->GetParent())
        if (!c->GetVisible() || !c->GetEnabled()) return false;
    return true;
}

bool TWinControl::Focused() const { return handle_ != nullptr && GetFocus() == handle_; }

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(); form != nullptr && form != this) {
        form->FocusControl(this);
        return;
    }
    if (HandleAllocated() || GetParent() == nullptr) ::zel::SetFocus(GetHandle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
    std::vector<TWinControl*> kids;
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) kids.push_back(w);
    std::stable_sort(kids.begin(), kids.end(), [](TWinControl* a, TWinControl* b) {
        int ta = a->TabOrder < 0 ? 1 << 20 : a->TabOrder, tb = b->TabOrder < 0 ? 1 << 20 : b->TabOrder;
        return ta < tb;
    });
    for (TWinControl* w : kids) {
        List.push_back(w);
        w->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int n = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), CurControl) - list.begin());
    if (start >= n) start = GoForward ? n - 1 : 0;
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = GoForward ? (i + 1) % n : (i + n - 1) % n;
        TWinControl* w = list[static_cast<std::size_t>(i)];
        if (w == CurControl) break;
        if ((!CheckTabStop || w->TabStop) && (!CheckParent || w->GetParent() == this) && w->CanFocus()) return w;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, false)) next->SetFocus();
}

bool TWinControl::Showing() const { return handle_ != nullptr && IsWindowVisible(handle_); }

void TWinControl::SetVisible(bool Value) {
    if (Value == GetVisible()) return;
    ChangeShowing([&] {
        TControl::SetVisible(Value);
        if (handle_ != nullptr)
            SetWindowPos(
                handle_, nullptr, 0, 0, 0, 0,
                SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (Value ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    });
}

void TWinControl::CollectShowing(std::vector<std::pair<TWinControl*, bool>>& AList) {
    AList.emplace_back(this, Showing());
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->CollectShowing(AList);
}

void TWinControl::ChangeShowing(const std::function<void()>& AChange) {
    std::vector<std::pair<TWinControl*, bool>> before;
    CollectShowing(before);
    AChange();
    std::vector<std::pair<TWinControl*, bool>> after;
    CollectShowing(after);
    // A control that the change created or freed is not told; the list is read again after each message,
    // since a handler may free or hide controls.
    for (const auto& [control, showing] : before) {
        TWinControl* const wanted = control;
        auto now = std::find_if(after.begin(), after.end(), [wanted](const auto& p) { return p.first == wanted; });
        if (now == after.end() || now->second == showing) continue;
        control->Perform(CM_SHOWINGCHANGED);
        after.clear();
        CollectShowing(after);
    }
}

void TWinControl::SetEnabled(bool Value) {
    if (Value == GetEnabled()) return;
    if (handle_ != nullptr) EnableWindow(handle_, Value ? TRUE : FALSE);
    TControl::SetEnabled(Value);
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = Constraints()->ConstrainWidth(AWidth);
    AHeight = Constraints()->ConstrainHeight(AHeight);
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
    const bool resized = AWidth != width_ || AHeight != height_;
    left_ = ALeft;
    top_ = ATop;
    width_ = std::max(0, AWidth);
    height_ = std::max(0, AHeight);
    if (handle_ != nullptr && (GetWindowLong(handle_, GWL_STYLE) & WS_CHILD) && IsIconic(handle_)) {
        // A minimised child takes the bounds when it is restored.
        WINDOWPLACEMENT placement;
        GetWindowPlacement(handle_, &placement);
        placement.rcNormalPosition = RECT{left_, top_, left_ + width_, top_ + height_};
        SetWindowPlacement(handle_, &placement);
    } else if (handle_ != nullptr) {
        SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (resized) {
        Realign();
        Resize();
    }
    RequestAlign();
}

void TWinControl::UpdateBounds() {
    if (handle_ == nullptr) return;
    RECT r;
    WINDOWPLACEMENT placement;
    if ((GetWindowLong(handle_, GWL_STYLE) & WS_CHILD) && IsIconic(handle_) &&
        GetWindowPlacement(handle_, &placement)) {
        // A minimised child keeps the bounds it has when restored; its caption bar is not its size.
        r = placement.rcNormalPosition;
    } else {
        GetWindowRect(handle_, &r);
        if (GetWindowLong(handle_, GWL_STYLE) & WS_CHILD) {
            HWND p = ::zel::GetParent(handle_);
            if (p != nullptr) MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
        }
    }
    if (r.left == left_ && r.top == top_ && r.Width() == width_ && r.Height() == height_) return;
    const bool resized = r.Width() != width_ || r.Height() != height_;
    left_ = r.left;
    top_ = r.top;
    width_ = r.Width();
    height_ = r.Height();
    if (resized) {
        Realign();
        Resize();
    }
}

TRect TWinControl::GetClientRect() {
    if (handle_ != nullptr) {
        RECT r;
        ::zel::GetClientRect(handle_, &r);
        return r;
    }
    return Rect(0, 0, pendingClientWidth_ >= 0 ? pendingClientWidth_ : width_,
                pendingClientHeight_ >= 0 ? pendingClientHeight_ : height_);
}

void TWinControl::SetClientWidth(int Value) {
    if (handle_ == nullptr) {
        pendingClientWidth_ = Value;
        return;
    }
    SetWidth(width_ - GetClientRect().Width() + Value);
}

void TWinControl::SetClientHeight(int Value) {
    if (handle_ == nullptr) {
        pendingClientHeight_ = Value;
        return;
    }
    SetHeight(height_ - GetClientRect().Height() + Value);
}

void TWinControl::Invalidate() {
    if (handle_ != nullptr) InvalidateRect(handle_, nullptr, ControlStyle.Contains(csOpaque) ? FALSE : TRUE);
}

void TWinControl::SetCtl3D(bool Value) {
    parentCtl3D_ = false;
    if (ctl3D_ == Value) return;
    ctl3D_ = Value;
    Perform(CM_CTL3DCHANGED);
    for (TControl* c : std::vector<TControl*>(controls_))
        if (dynamic_cast<TWinControl*>(c) != nullptr) c->Perform(CM_PARENTCTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool Value) {
    if (parentCtl3D_ == Value) return;
    parentCtl3D_ = Value;
    if (Value) Perform(CM_PARENTCTL3DCHANGED);
}

void TWinControl::Update() {
    if (handle_ != nullptr) UpdateWindow(handle_);
}

void TWinControl::Repaint() {
    if (handle_ == nullptr) return;
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TWinControl::DefaultHandler(TMessage& Message) {
    if (handle_ == nullptr) {
        TControl::DefaultHandler(Message);
        return;
    }
    // A message of the second window is answered for that window.
    const HWND window = g_messageWindow != nullptr && g_messageWindow != handle_ && FindControl(g_messageWindow) == this
                            ? g_messageWindow
                            : handle_;
    Message.Result =
        CallWindowProc(defWndProc_ ? defWndProc_ : DefWindowProc, window, Message.Msg, Message.WParam, Message.LParam);
}

std::string TWinControl::GetTextImpl() const {
    if (handle_ == nullptr) return text_;
    int n = GetWindowTextLength(handle_);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    int got = GetWindowText(handle_, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(std::max(0, got)));
    return s;
}

void TWinControl::SetTextImpl(const std::string& Value) {
    text_ = Value;
    if (handle_ != nullptr) SetWindowText(handle_, Value.c_str());
}

void TWinControl::FontChanged() {
    if (handle_ != nullptr) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->GetHandle()), 1);
    for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTFONTCHANGED);
    Invalidate();
}

void TWinControl::ColorChanged() {
    brush_->SetColor(GetColor());
    for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTCOLORCHANGED);
    Invalidate();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (parent_ != nullptr && parent_->HandleAllocated()) HandleNeeded();
    if (alignPending_) Realign();
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
    TControl* target = nullptr;
    if (g_captureControl != nullptr && g_captureControl->GetParent() == this) {
        target = g_captureControl;
    } else {
        target = ControlAtPos(Point(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)), false);
    }
    if (target == nullptr) return false;
    const UINT m = Message.Msg;
    if (m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN || m == WM_LBUTTONDBLCLK) {
        g_captureControl = target;
        SetCapture(handle_);
    }
    LPARAM lp = MAKELPARAM(static_cast<WORD>(GET_X_LPARAM(Message.LParam) - target->GetLeft()),
                           static_cast<WORD>(GET_Y_LPARAM(Message.LParam) - target->GetTop()));
    Message.Result = target->Perform(m, Message.WParam, lp);
    if ((m == WM_LBUTTONUP || m == WM_RBUTTONUP || m == WM_MBUTTONUP) && g_captureControl == target) {
        if ((Message.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) {
            g_captureControl = nullptr;
            if (GetCapture() == handle_) ReleaseCapture();
        }
    }
    return true;
}

void TWinControl::WndProc(TMessage& Message) {
    const UINT m = Message.Msg;
    // The capture is taken away (a modal window starts): the graphic control holding it lets go too.
    if (m == WM_CANCELMODE && g_captureControl != nullptr && g_captureControl->GetParent() == this) {
        TControl* held = g_captureControl;
        g_captureControl = nullptr;
        held->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(held));
    }
    if (m == WM_MOUSEMOVE) {
        TControl* over = g_captureControl != nullptr && g_captureControl->GetParent() == this
                             ? g_captureControl
                             : ControlAtPos(Point(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)), false);
        SetMouseControl(over != nullptr ? over : this);
    } else if (m == WM_MOUSELEAVE) {
        if (g_mouseControl == this || (g_mouseControl != nullptr && g_mouseControl->GetParent() == this &&
                                       dynamic_cast<TWinControl*>(g_mouseControl) == nullptr))
            SetMouseControl(nullptr);
    }
    if ((m >= WM_MOUSEMOVE && m <= WM_MBUTTONDBLCLK && m != WM_MOUSEWHEEL) && IsControlMouseMsg(Message)) return;
    const bool press = m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN || m == WM_LBUTTONDBLCLK;
    if (press && ControlStyle.Contains(csCaptureMouse) && handle_ != nullptr) SetCapture(handle_);
    const HWND window = handle_;
    TControl::WndProc(Message);
    const bool release = m == WM_LBUTTONUP || m == WM_RBUTTONUP || m == WM_MBUTTONUP;
    // A handler may have freed the control (a click that rebuilds or closes its window): then nothing of it
    // is touched any more.
    if (release && window != nullptr && FindControl(window) != this) return;
    if (release && ControlStyle.Contains(csCaptureMouse) && handle_ != nullptr && GetCapture() == handle_ &&
        (Message.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0)
        ReleaseCapture();
}

void TWinControl::SetParentBackground(bool Value) {
    if (parentBackground_ == Value) return;
    parentBackground_ = Value;
    Invalidate();
}

bool TWinControl::WantsKey(WORD Key) {
    LRESULT code = handle_ != nullptr ? Perform(WM_GETDLGCODE) : 0;
    if (code & DLGC_WANTALLKEYS) return true;
    switch (Key) {
        case VK_TAB: return (code & DLGC_WANTTAB) != 0;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: return (code & DLGC_WANTARROWS) != 0;
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_CANCEL: return false;
        default: return true;
    }
}

bool TWinControl::DoKeyDown(WORD& Key, TShiftState Shift) {
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->KeyPreview && form->OnKeyDown) {
        form->OnKeyDown(form, Key, Shift);
        if (Key == 0) return true;
    }
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    return Key == 0;
}

bool TWinControl::DoKeyUp(WORD& Key, TShiftState Shift) {
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->KeyPreview && form->OnKeyUp) {
        form->OnKeyUp(form, Key, Shift);
        if (Key == 0) return true;
    }
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
    return Key == 0;
}

bool TWinControl::DoKeyPress(char& Key) {
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->KeyPreview && form->OnKeyPress) {
        form->OnKeyPress(form, Key);
        if (Key == 0) return true;
    }
    if (OnKeyPress) OnKeyPress(this, Key);
    return Key == 0;
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::PaintWindow(HDC DC) {
    // A window of a standard class paints itself.
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
    if (defWndProc_ != nullptr && defWndProc_ != DefWindowProc) DefaultHandler(m);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
    bool started = First == nullptr;
    for (TControl* c : std::vector<TControl*>(controls_)) {
        if (!started) {
            started = c == First;
            if (!started) continue;
        }
        if (dynamic_cast<TWinControl*>(c) != nullptr || !c->GetVisible()) continue;
        RECT r = c->BoundsRect();
        if (!RectVisible(DC, &r)) continue;
        int saved = SaveDC(DC);
        POINT org;
        GetViewportOrgEx(DC, &org);
        SetViewportOrgEx(DC, org.x + c->GetLeft(), org.y + c->GetTop(), nullptr);
        IntersectClipRect(DC, 0, 0, c->GetWidth(), c->GetHeight());
        TScopeExit restore([&] { RestoreDC(DC, saved); });
        c->PaintTo(DC);
    }
}

void TWinControl::PaintHandler(TMessage& Message) {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    PAINTSTRUCT ps;
    const bool own = dc == nullptr;
    if (own) dc = BeginPaint(handle_, &ps);
    TScopeExit end([&, h = handle_] {
        if (own) EndPaint(h, &ps);
    });
    int saved = SaveDC(dc);
    PaintWindow(dc);
    RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
}

void TWinControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_PAINT: {
            bool hasGraphic = false;
            for (TControl* c : controls_)
                if (dynamic_cast<TWinControl*>(c) == nullptr) hasGraphic = true;
            if (defWndProc_ != nullptr && defWndProc_ != DefWindowProc && !hasGraphic) {
                DefaultHandler(Message);
            } else {
                PaintHandler(Message);
            }
            return;
        }
        case WM_ERASEBKGND: {
            if (defWndProc_ != nullptr && defWndProc_ != DefWindowProc) {
                DefaultHandler(Message);
                return;
            }
            RECT r = GetClientRect();
            ::zel::FillRect(reinterpret_cast<HDC>(Message.WParam), &r, brush_->GetHandle());
            Message.Result = 1;
            return;
        }
        case WM_WINDOWPOSCHANGED:
        case WM_SIZE:
        case WM_MOVE:
            DefaultHandler(Message);
            UpdateBounds();
            return;
        case WM_SETFOCUS:
            DefaultHandler(Message);
            if (TCustomForm* form = GetParentForm(); form != nullptr && form != this)
                form->SetActiveControlFromFocus(this);
            DoEnter();
            return;
        case WM_KILLFOCUS:
            DefaultHandler(Message);
            DoExit();
            return;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            WORD key = static_cast<WORD>(Message.WParam);
            if (DoKeyDown(key, KeyboardStateToShiftState())) return;
            if (!WantsKey(key)) {
                TCustomForm* form = GetParentForm();
                if (form != nullptr && form->Perform(CM_DIALOGKEY, key, Message.LParam) != 0) return;
            }
            Message.WParam = key;
            DefaultHandler(Message);
            return;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            WORD key = static_cast<WORD>(Message.WParam);
            if (DoKeyUp(key, KeyboardStateToShiftState())) return;
            Message.WParam = key;
            DefaultHandler(Message);
            return;
        }
        case WM_CHAR: {
            char key = static_cast<char>(Message.WParam);
            if (DoKeyPress(key)) return;
            Message.WParam = static_cast<unsigned char>(key);
            // Enter, Escape and Tab belong to the dialog keys unless the control wants them.
            if ((key == '\r' || key == 27 || key == '\t') && !WantsKey(key == '\r' ? VK_RETURN
                                                                       : key == 27 ? VK_ESCAPE
                                                                                   : VK_TAB))
                return;
            DefaultHandler(Message);
            return;
        }
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX: {
            // Reflected to the child control named in lParam as its own notification.
            if (Message.LParam != 0) {
                if (TWinControl* child = FindControl(reinterpret_cast<HWND>(Message.LParam))) {
                    Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
                    return;
                }
            }
            DefaultHandler(Message);
            return;
        }
        case WM_DRAWITEM:
        case WM_MEASUREITEM: {
            // Reflected to the child that asks: the draw request names its window, the measure request its id.
            HWND child = nullptr;
            if (Message.Msg == WM_DRAWITEM && Message.LParam != 0)
                child = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam)->hwndItem;
            if (Message.Msg == WM_MEASUREITEM && Message.LParam != 0 && HandleAllocated()) {
                const UINT id = reinterpret_cast<const MEASUREITEMSTRUCT*>(Message.LParam)->CtlID;
                for (HWND h = GetWindow(GetHandle(), GW_CHILD); h != nullptr && child == nullptr;
                     h = GetWindow(h, GW_HWNDNEXT))
                    if (static_cast<UINT>(GetWindowLong(h, GWL_ID)) == id) child = h;
            }
            if (TWinControl* control = child != nullptr ? FindControl(child) : nullptr) {
                Message.Result = control->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
                return;
            }
            DefaultHandler(Message);
            return;
        }
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORSTATIC:
        case CN_CTLCOLORLISTBOX: {
            // A standard control asks for its colours: the control's font colour and colour.
            HDC dc = reinterpret_cast<HDC>(Message.WParam);
            SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->GetColor())));
            SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(GetColor())));
            Message.Result = reinterpret_cast<LRESULT>(Brush()->GetHandle());
            return;
        }
        case CM_PARENTCTL3DCHANGED:
            if (parentCtl3D_ && GetParent() != nullptr) {
                SetCtl3D(GetParent()->GetCtl3D());
                parentCtl3D_ = true;
            }
            return;
        case WM_SETCURSOR:
            if (GetCursor() != crDefault && LOWORD(static_cast<std::uintptr_t>(Message.LParam)) == HTCLIENT) {
                ::zel::SetCursor(CursorHandle(GetCursor()));
                Message.Result = 1;
                return;
            }
            DefaultHandler(Message);
            return;
        case CM_DIALOGKEY:
            // Offered to the children in turn (a default or cancel button takes Enter or Escape).
            for (TControl* c : std::vector<TControl*>(controls_)) {
                if (!c->GetVisible() || !c->GetEnabled()) continue;
                if (c->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0) {
                    Message.Result = 1;
                    return;
                }
            }
            return;
        case CM_ENABLEDCHANGED: Invalidate(); return;
        default: TControl::Dispatch(Message);
    }
}

// ---------------------------------------------------------------------------------------- TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), canvas_(new TControlCanvas(this)) {}

TCustomControl::~TCustomControl() { delete canvas_; }

void TCustomControl::PaintWindow(HDC DC) {
    auto* cc = static_cast<TControlCanvas*>(canvas_);
    cc->FreeHandle();
    canvas_->Lock();
    canvas_->SetHandle(DC);
    canvas_->SetFont(Font());
    canvas_->Brush()->SetColor(GetColor());
    TScopeExit release([&] {
        canvas_->SetHandle(nullptr);
        canvas_->Unlock();
    });
    Paint();
}

void TCustomControl::DestroyWnd() {
    static_cast<TControlCanvas*>(canvas_)->FreeHandle();
    TWinControl::DestroyWnd();
}

void TCustomControl::WindowsSwitched() { static_cast<TControlCanvas*>(canvas_)->FreeHandle(); }

// ---------------------------------------------------------------------------------------- TControlCanvas

void TControlCanvas::CreateHandle() {
    if (control_ == nullptr) return;
    if (auto* w = dynamic_cast<TWinControl*>(control_)) {
        window_ = w->GetHandle();
        own_ = GetDC(window_);
        SetHandle(own_);
        return;
    }
    TWinControl* p = control_->GetParent();
    if (p == nullptr) throw EInvalidOperation("Control '" + control_->GetName() + "' has no parent window");
    window_ = p->GetHandle();
    own_ = GetDC(window_);
    SetViewportOrgEx(own_, control_->GetLeft(), control_->GetTop(), nullptr);
    IntersectClipRect(own_, 0, 0, control_->GetWidth(), control_->GetHeight());
    SetHandle(own_);
}

void TControlCanvas::FreeHandle() {
    if (own_ == nullptr) return;
    SetHandle(nullptr);
    ReleaseDC(window_, own_);
    own_ = nullptr;
    window_ = nullptr;
}

// ------------------------------------------------------------------------------------------------ mouse

int TMouse::GetWheelScrollLines() const {
    UINT lines = 3;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return static_cast<int>(lines);
}

TMouse* Mouse = [] {
    static TMouse mouse;
    return &mouse;
}();

}  // namespace zel
