#include "platform/vcl/Controls.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/ControlsPrivate.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/SysInfo.h"

namespace zel {

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

namespace {

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

// The window whose message the controls are handling now: a control's default handling answers for that
// window, which is not always its Handle (a second window gets its messages too).
HWND g_messageWindow = nullptr;

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
