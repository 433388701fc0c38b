// TWinControl: a control with a window of its own. Its members are declared in Controls.h; the state it
// shares with TControl (the windows bound to controls, the mouse) is in ControlsPrivate.h.
#include <algorithm>
#include <map>
#include <unordered_map>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/ControlsPrivate.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/SysInfo.h"

namespace zel {

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

}  // namespace zel
