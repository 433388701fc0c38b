// The editors' popup windows: the list of shown popups, showing and closing, the show-and-wait loop, and the
// three thread hooks that close popups when the user clicks, activates or moves elsewhere.
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiControls.h"
#include "uilib/editors/uiContainer.h"

namespace zel {

namespace {

std::vector<TuiCustomPopupWindow*>* g_popups = nullptr;
HHOOK g_callWndProcHook = nullptr;
HHOOK g_getMessageHook = nullptr;
HHOOK g_mouseHook = nullptr;
// Raised while a popup closes (or changes its focused control).
int g_focusChangeCount = 0;
int g_showingCount = 0;  // a popup is being shown
// Set while the mouse hook closes a popup.
bool g_closingFromMouseHook = false;

bool Listed(const TuiCustomPopupWindow* P) {
    return g_popups != nullptr && std::find(g_popups->begin(), g_popups->end(), P) != g_popups->end();
}

void Unlist(TuiCustomPopupWindow* P) {
    if (g_popups == nullptr) return;
    auto it = std::find(g_popups->begin(), g_popups->end(), P);
    if (it != g_popups->end()) g_popups->erase(it);
}

// Whether the window W is Outer or lies inside it.
bool Contains(HWND Outer, HWND W) { return Outer != nullptr && W != nullptr && (Outer == W || IsChild(Outer, W)); }

bool PopupContains(TuiCustomPopupWindow* P, HWND W) { return P->HandleAllocated() && Contains(P->GetHandle(), W); }

bool OwnerAlive(TuiCustomPopupWindow* P) {
    TWinControl* owner = P->OwnerControl();
    return owner != nullptr && !owner->ComponentState().Contains(csDestroying) && owner->HandleAllocated();
}

TCustomForm* OwnerForm(TuiCustomPopupWindow* P) {
    return P->OwnerControl() != nullptr ? P->OwnerControl()->GetParentForm() : nullptr;
}

// The first window up the parent chain that is not a child window.
HWND FirstNonChildAncestor(HWND W) {
    while (W != nullptr && (GetWindowLong(W, GWL_STYLE) & WS_CHILD) != 0) W = GetParent(W);
    return W;
}

bool IsBeingDestroyed(TuiCustomPopupWindow* P) { return P->ComponentState().Contains(csDestroying); }

// ---- WH_CALLWNDPROC

void CloseOnDestroy(HWND Window) {
    for (TuiCustomPopupWindow* p : std::vector<TuiCustomPopupWindow*>(*g_popups)) {
        if (IsBeingDestroyed(p) || !PopupContains(p, Window)) continue;
        p->Close();
        return;
    }
}

void CloseOnClose(HWND Window) {
    for (TuiCustomPopupWindow* p : std::vector<TuiCustomPopupWindow*>(*g_popups)) {
        if (IsBeingDestroyed(p)) continue;
        if (p->HandleAllocated() && p->GetHandle() == Window) {
            if (!p->CloseQuery()) return;
            p->ClosePopup();
            if (!Listed(p) && p->GetCaptureFocus() && OwnerAlive(p))
                if (HWND top = FirstNonChildAncestor(p->OwnerControl()->GetHandle()); top != nullptr)
                    SendMessage(top, WM_CLOSE, 0, 0);
            return;
        }
        if (p->GetCaptureFocus()) continue;
        TCustomForm* form = OwnerForm(p);
        if (form == nullptr || !form->HandleAllocated() || form->GetHandle() == Window) {
            p->ClosePopup();
            return;
        }
    }
}

// The owner's form (or a window around the owner) hides: its popups close, and every popup shown after them.
void CloseOnHide(HWND Window) {
    for (int i = static_cast<int>(g_popups->size()) - 1; i >= 0; --i) {
        TuiCustomPopupWindow* p = (*g_popups)[static_cast<std::size_t>(i)];
        if (!OwnerAlive(p) || !Contains(Window, p->OwnerControl()->GetHandle())) continue;
        while (static_cast<int>(g_popups->size()) > i) g_popups->back()->ClosePopup();
        return;
    }
}

void CloseOnAppDeactivate() {
    for (TuiCustomPopupWindow* p : std::vector<TuiCustomPopupWindow*>(*g_popups))
        if (TCustomForm* form = OwnerForm(p); form != nullptr && form->HandleAllocated())
            PostMessage(form->GetHandle(), WM_NCACTIVATE, FALSE, 0);
    for (bool closed = true; closed;) {
        closed = false;
        for (TuiCustomPopupWindow* p : std::vector<TuiCustomPopupWindow*>(*g_popups)) {
            if (!p->GetEnabled() || (p->GetCaptureFocus() && p == Screen->ActiveForm())) continue;
            TWinControl* owner = p->OwnerControl();
            p->ClosePopup();
            if (auto* container = dynamic_cast<TuiContainer*>(owner); container != nullptr) container->ShortRefresh();
            closed = true;
            break;
        }
    }
}

// The owner (or a window inside it) moved: the popup no longer lies beside it.
void CloseOnMove(HWND Window) {
    for (bool closed = true; closed;) {
        closed = false;
        for (TuiCustomPopupWindow* p : std::vector<TuiCustomPopupWindow*>(*g_popups)) {
            if (!OwnerAlive(p) || !Contains(p->OwnerControl()->GetHandle(), Window)) continue;
            p->ClosePopup();
            closed = true;
            break;
        }
    }
}

// A window whose next message is swallowed: its own procedure, put back by that message.
std::unordered_map<HWND, WNDPROC>& SwallowedProcs() {
    static std::unordered_map<HWND, WNDPROC> procs;
    return procs;
}

LRESULT SwallowOneMessage(HWND Window, UINT, WPARAM, LPARAM) {
    auto it = SwallowedProcs().find(Window);
    if (it != SwallowedProcs().end()) {
        SetWindowLongPtr(Window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(it->second));
        SwallowedProcs().erase(it);
    }
    return 1;
}

void SwallowNextMessage(HWND Window) {
    if (SwallowedProcs().count(Window) != 0) return;
    const auto old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(Window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&SwallowOneMessage)));
    if (old != nullptr) SwallowedProcs()[Window] = old;
}

bool IsShownPopupOwnerForm(HWND Window) {
    for (TuiCustomPopupWindow* p : *g_popups)
        if (TCustomForm* form = OwnerForm(p); form != nullptr && form->HandleAllocated() && form->GetHandle() == Window)
            return true;
    return false;
}

LRESULT CallWndProcHook(int Code, WPARAM WParam, LPARAM LParam) {
    // A form's activation or deactivation while a popup hands the focus on is not the user's: the form
    // does not hear of it.
    if (Code == HC_ACTION && g_focusChangeCount != 0 && LParam != 0) {
        const CWPSTRUCT& m = *reinterpret_cast<const CWPSTRUCT*>(LParam);
        if (m.message == CM_ACTIVATE || m.message == CM_DEACTIVATE) SwallowNextMessage(m.hwnd);
    }
    if (Code == HC_ACTION && g_popups != nullptr && !g_popups->empty() && LParam != 0) {
        const CWPSTRUCT& m = *reinterpret_cast<const CWPSTRUCT*>(LParam);
        switch (m.message) {
            case WM_DESTROY: CloseOnDestroy(m.hwnd); break;
            case WM_CLOSE: CloseOnClose(m.hwnd); break;
            case WM_SHOWWINDOW:
                if (m.wParam == FALSE) CloseOnHide(m.hwnd);
                break;
            case WM_ACTIVATEAPP:
                if (m.wParam == FALSE) CloseOnAppDeactivate();
                break;
            case WM_WINDOWPOSCHANGED: CloseOnMove(m.hwnd); break;
            case WM_NCACTIVATE:
                // The owner's form keeps its active caption while its popups show.
                if (m.wParam == FALSE && (g_showingCount != 0 || IsShownPopupOwnerForm(m.hwnd)))
                    SwallowNextMessage(m.hwnd);
                break;
            default: break;
        }
    }
    return CallNextHookEx(g_callWndProcHook, Code, WParam, LParam);
}

// ---- WH_GETMESSAGE: system keys that a popup does not take are dropped while it shows.

LRESULT GetMessageHook(int Code, WPARAM WParam, LPARAM LParam) {
    if (Code == HC_ACTION && WParam == PM_REMOVE && g_popups != nullptr && !g_popups->empty() && LParam != 0) {
        MSG& msg = *reinterpret_cast<MSG*>(LParam);
        TuiCustomPopupWindow* top = g_popups->back();
        if (msg.message == WM_SYSKEYDOWN && (!top->GetCaptureFocus() || !top->ModalMode) &&
            !top->IsPopupKey(static_cast<WORD>(msg.wParam)))
            msg.message = WM_NULL;
    }
    return CallNextHookEx(g_getMessageHook, Code, WParam, LParam);
}

// ---- WH_MOUSE: a press outside the popups closes them; the check says whether the press goes on.

bool IsLeftPress(UINT Msg) { return Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK; }

bool OutsideClickCheck(HWND Clicked, UINT Msg, TPoint P) {
    bool result = true;
    for (bool restart = true; restart;) {
        restart = false;
        for (TuiCustomPopupWindow* p : std::vector<TuiCustomPopupWindow*>(*g_popups)) {
            if (!Listed(p)) continue;
            if ((p->GetCaptureFocus() && p != Screen->ActiveForm()) || PopupContains(p, Clicked)) continue;
            TWinControl* owner = p->OwnerControl();
            TCustomForm* form = OwnerForm(p);
            HWND formWindow = form != nullptr && form->HandleAllocated() ? form->GetHandle() : nullptr;
            HWND topWindow = formWindow != nullptr ? GetAncestor(formWindow, GA_ROOT) : nullptr;
            const bool ownerWorld = Contains(topWindow, Clicked) ||
                                    (dynamic_cast<TuiCustomPopupWindow*>(form) != nullptr && !form->GetVisible());
            if (!ownerWorld) continue;
            const TShiftState shift = KeyboardStateToShiftState();
            bool ownerClick = false;
            if (IsLeftPress(Msg) && owner != nullptr && owner->HandleAllocated() &&
                Contains(owner->GetHandle(), Clicked)) {
                const TRect bounds = p->GetOwnerScreenBounds();
                if (P.x >= bounds.left && P.x < bounds.right && P.y >= bounds.top && P.y < bounds.bottom) {
                    ownerClick = true;
                    if (p->OwnerHandlesClick(Clicked, Msg, P, shift)) p->ClosedByOwnerClick = true;
                }
            }
            TuiObjectLinkScope ownerLink(owner);
            g_closingFromMouseHook = true;
            ++p->DeactivateLockCount;
            if (result && !ownerClick) result = !p->OwnerHandlesClick(Clicked, Msg, P, shift);
            p->ClosePopup();
            --p->DeactivateLockCount;
            g_closingFromMouseHook = false;
            if (ownerClick &&
                (!ownerLink.Alive() || owner->ComponentState().Contains(csDestroying) || !owner->GetVisible()))
                result = false;
            restart = true;
            break;
        }
    }
    return result;
}

LRESULT MouseHook(int Code, WPARAM WParam, LPARAM LParam) {
    if (Code == HC_ACTION && g_popups != nullptr && !g_popups->empty() && LParam != 0) {
        switch (static_cast<UINT>(WParam)) {
            case WM_NCLBUTTONDOWN:
            case WM_NCLBUTTONDBLCLK:
            case WM_NCRBUTTONDOWN:
            case WM_NCRBUTTONDBLCLK:
            case WM_NCMBUTTONDOWN:
            case WM_NCMBUTTONDBLCLK:
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDOWN:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDOWN:
            case WM_MBUTTONDBLCLK: {
                const MOUSEHOOKSTRUCT& m = *reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam);
                if (!OutsideClickCheck(m.hwnd, static_cast<UINT>(WParam), TPoint{m.pt.x, m.pt.y})) return 1;
                break;
            }
            default: break;
        }
    }
    return CallNextHookEx(g_mouseHook, Code, WParam, LParam);
}

}  // namespace

int VisiblePopupCount() { return g_popups != nullptr ? static_cast<int>(g_popups->size()) : 0; }

TuiCustomPopupWindow* VisiblePopup(int Index) { return (*g_popups)[static_cast<std::size_t>(Index)]; }

HWND ContainerPopupOwnerLookup(HWND Window) {
    for (HWND w = Window; w != nullptr; w = GetParent(w)) {
        auto* popup = dynamic_cast<TuiCustomPopupWindow*>(TWinControl::FindControl(w));
        if (popup == nullptr) continue;
        TWinControl* owner = popup->OwnerControl();
        return owner != nullptr && owner->HandleAllocated() ? owner->GetHandle() : Window;
    }
    return Window;
}

void uiContainerPopupsStartup() {
    g_popups = new std::vector<TuiCustomPopupWindow*>;
    InstallWindowsHook(g_callWndProcHook, WH_CALLWNDPROC, CallWndProcHook);
    InstallWindowsHook(g_getMessageHook, WH_GETMESSAGE, GetMessageHook);
    InstallWindowsHook(g_mouseHook, WH_MOUSE, MouseHook);
    PopupOwnerLookup = ContainerPopupOwnerLookup;
}

void uiContainerPopupsShutdown() {
    if (PopupOwnerLookup == ContainerPopupOwnerLookup) PopupOwnerLookup = nullptr;
    RemoveWindowsHook(g_mouseHook);
    RemoveWindowsHook(g_getMessageHook);
    RemoveWindowsHook(g_callWndProcHook);
    delete g_popups;
    g_popups = nullptr;
}

// ------------------------------------------------------------------------------------------------ popup window

TuiCustomPopupWindow::TuiCustomPopupWindow(TWinControl* AOwnerControl) : ownerControl_(AOwnerControl) {
    KeyPreview = true;
    InitVisible(false);
    if (ownerControl_ != nullptr) ownerControl_->FreeNotification(this);
}

void TuiCustomPopupWindow::AfterConstruction() {
    TuiPopupWindow::AfterConstruction();
    style_ = Construct<TuiContainerStyle>(this, false, nullptr, cssNormal);
    style_->OnChanged = [this](TuiContainerStyle*) { StyleChangedHandler(); };
    viewInfo_ = CreateViewInfo();
}

TuiCustomPopupWindow::~TuiCustomPopupWindow() {
    ClearLinksToObject(this);
    SetPopupMode(pmNone);
    Unlist(this);
    if (ownerControl_ != nullptr) ownerControl_->RemoveFreeNotification(this);
    delete viewInfo_;
    if (style_ != nullptr) style_->OnChanged = nullptr;
    delete style_;
}

void TuiCustomPopupWindow::Notification(TComponent* AComponent, TOperation Operation) {
    TuiPopupWindow::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == focusedControl_) focusedControl_ = nullptr;
    if (AComponent == ownerControl_) {
        // The owner goes: the popup closes without it.
        ownerControl_ = nullptr;
        ClosePopup();
    }
}

bool TuiCustomPopupWindow::IsShown() const { return Listed(this); }

bool TuiCustomPopupWindow::PopupFocused() {
    if (!IsShown() || !captureFocus_ || !HandleAllocated()) return false;
    return Contains(GetHandle(), GetFocus());
}

void TuiCustomPopupWindow::SetCaptureFocus(bool Value) {
    if (captureFocus_ == Value) return;
    captureFocus_ = Value;
    const bool shown = IsShown();
    TWinControl* focused = focusedControl_;
    if (shown) ClosePopup();
    if (HandleAllocated()) RecreateWnd();
    if (shown) ShowPopup(focused);
}

void TuiCustomPopupWindow::SetTopMost(bool Value) {
    if (topMost_ == Value) return;
    topMost_ = Value;
    const bool shown = IsShown();
    TWinControl* focused = focusedControl_;
    if (shown) ClosePopup();
    if (HandleAllocated()) RecreateWnd();
    if (shown) ShowPopup(focused);
}

TRect TuiCustomPopupWindow::GetOwnerScreenBounds() {
    if (ownerControl_ == nullptr) return TRect{};
    TRect r{0, 0, ownerControl_->GetWidth(), ownerControl_->GetHeight()};
    if (ownerControl_->HandleAllocated()) {
        POINT p{0, 0};
        ::zel::ClientToScreen(ownerControl_->GetHandle(), &p);
        OffsetRect(&r, p.x, p.y);
    }
    return r;
}

bool TuiCustomPopupWindow::IsPopupKey(WORD Key) { return (Key >= VK_PRIOR && Key <= VK_DOWN) || Key == VK_F4; }

void TuiCustomPopupWindow::DoShowing() {
    if (OnShowing) OnShowing(this);
}
void TuiCustomPopupWindow::DoShowed() {
    if (OnShowed) OnShowed(this);
}
void TuiCustomPopupWindow::DoClosing() {
    if (OnClosing) OnClosing(this, crUnknown);
}
void TuiCustomPopupWindow::DoClosed() {
    if (OnClosed) OnClosed(this, crUnknown);
}

void TuiCustomPopupWindow::AdjustToWorkArea(TPoint& P) {
    if (!IsSizeAdjustable()) return;
    const TRect area = GetWorkAreaAtPoint(P);
    int width = GetWidth(), height = GetHeight();
    if (P.x < area.left) {
        width -= area.left - P.x;
        P.x = area.left;
    }
    if (P.y < area.top) {
        height -= area.top - P.y;
        P.y = area.top;
    }
    height = std::min(height, area.bottom - P.y);
    width = std::min(width, area.right - P.x);
    // A popup further out than its own size would get a negative size: it keeps none.
    width = std::max(0, width);
    height = std::max(0, height);
    SetWidth(width);
    SetHeight(height);
    if (GetHeight() != height && P.y == area.top) P.y += height - GetHeight();
}

void TuiCustomPopupWindow::CreateParams(TCreateParams& Params) {
    TuiPopupWindow::CreateParams(Params);
    TCustomForm* form = ownerControl_ != nullptr ? ownerControl_->GetParentForm() : nullptr;
    const bool formTopMost = form == nullptr || (form->HandleAllocated() &&
                                                 (GetWindowLong(form->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    Params.Style = (Params.Style & ~static_cast<DWORD>(WS_CHILD)) | WS_POPUP | WS_CLIPCHILDREN;
    if (captureFocus_) {
        if (form != nullptr && form->HandleAllocated()) Params.WndParent = form->GetHandle();
        if (topMost_ && formTopMost) Params.ExStyle |= WS_EX_TOPMOST;
    } else {
        // Never activated: a tool window beside the owner's form.
        Params.ExStyle |= WS_EX_TOOLWINDOW;
        if (form != nullptr && form->HandleAllocated()) Params.WndParent = form->GetHandle();
    }
}

void TuiCustomPopupWindow::ShowPopup(TWinControl* AFocusedControl) {
    if (IsShown() || g_popups == nullptr || ownerControl_ == nullptr || !ownerControl_->HandleAllocated() ||
        !IsWindowVisible(ownerControl_->GetHandle()))
        return;
    PopupHook();
    AnchorBounds = GetOwnerScreenBounds();
    AdjustSize();
    TPoint p = CalculatePosition();
    AdjustToWorkArea(p);
    g_popups->push_back(this);
    ++g_showingCount;
    bool showing = true;
    TScopeExit shown([&] {
        if (showing) --g_showingCount;
    });
    DoShowing();
    SetBounds(p.x, p.y, GetWidth(), GetHeight());
    if (captureFocus_) {
        Show();
    } else {
        HandleNeeded();
        ShowWindow(GetHandle(), SW_SHOWNA);
        InitVisible(true);
        Perform(CM_VISIBLECHANGED, 1);
    }
    SetBounds(p.x, p.y, GetWidth(), GetHeight());
    TWinControl* focus = AFocusedControl;
    if (captureFocus_) {
        if (focus == nullptr || !focus->CanFocus() || !focus->TabStop)
            focus = FindNextControl(nullptr, true, true, false);
        if (focus == nullptr) focus = this;
    }
    focusedControl_ = focus;
    if (focusedControl_ != nullptr && focusedControl_ != this) focusedControl_->FreeNotification(this);
    if (focus != nullptr && captureFocus_ && focus->CanFocus()) focus->SetFocus();
    TCustomForm* form = ownerControl_->GetParentForm();
    const bool topMost = form == nullptr || !form->HandleAllocated() ||
                         (GetWindowLong(form->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    SetWindowPos(GetHandle(), topMost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    showing = false;
    --g_showingCount;
    ModalResult = mrNone;
    DoShowed();
    if (!captureFocus_ || !ModalMode) return;
    // The show-and-wait loop: it ends when the popup closes, is freed or the program ends.
    TuiObjectLinkScope alive(this);
    while (alive.Alive() && GetVisible() && IsShown() && !Application->Terminated()) {
        MSG msg{};
        if (PeekMessage(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE) &&
            (msg.wParam == VK_RETURN || msg.wParam == VK_MENU || msg.wParam == VK_SPACE))
            PeekMessage(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE);
        if (ModalResult != mrNone) {
            if (CloseQuery()) CloseOnModalResult();
            else ModalResult = mrNone;
            continue;
        }
        Application->HandleMessage();
    }
}

void TuiCustomPopupWindow::ClosePopup() {
    if (!IsShown()) return;
    ++g_focusChangeCount;
    Unlist(this);
    DoClosing();
    if (HandleAllocated()) ShowWindow(GetHandle(), SW_HIDE);
    Hide();
    DoClosed();
    if (HandleAllocated() && Contains(GetHandle(), GetCapture())) ReleaseCapture();
    --g_focusChangeCount;
    // The owner's form shows itself inactive when nothing of it is active any more.
    if (VisiblePopupCount() == 0 && ownerControl_ != nullptr) {
        TCustomForm* form = ownerControl_->GetParentForm();
        if (form != nullptr && form->HandleAllocated() && form->GetFormStyle() != fsMDIForm && !form->Active())
            SendMessage(form->GetHandle(), WM_NCACTIVATE, FALSE, 0);
    }
}

void TuiCustomPopupWindow::Deactivate() {
    TForm::Deactivate();
    if (DeactivateLockCount > 0 || g_popups == nullptr) return;
    const HWND active = GetActiveWindow();
    for (int i = static_cast<int>(g_popups->size()) - 1; i >= 0 && i < static_cast<int>(g_popups->size()); --i) {
        TuiCustomPopupWindow* p = (*g_popups)[static_cast<std::size_t>(i)];
        if (PopupContains(p, active)) break;
        if (p != this && p->GetEnabled() && p->DeactivateLockCount == 0) p->ClosePopup();
    }
    if (VisiblePopupCount() > 0) ClosePopup();
}

bool TuiCustomPopupWindow::DoKeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_ESCAPE && IsShown() && HandleAllocated() && Contains(GetHandle(), GetCapture())) {
        ReleaseCapture();
        Key = 0;
        return true;
    }
    return TuiPopupWindow::DoKeyDown(Key, Shift);
}

void TuiCustomPopupWindow::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ACTIVATEAPP: return;
        case WM_ERASEBKGND:
            if (!EraseBackground()) {
                Message.Result = 1;
                return;
            }
            break;
        case WM_APP + 125: {
            // Closes the popup and gives the owner the focus back.
            ++DeactivateLockCount;
            ClosePopup();
            --DeactivateLockCount;
            if (ownerControl_ != nullptr && ownerControl_->HandleAllocated())
                SendMessage(ownerControl_->GetHandle(), WM_SETFOCUS, 0, 0);
            return;
        }
        case WM_APP + 126: ShowPopup(focusedControl_); return;
        default: break;
    }
    TuiPopupWindow::Dispatch(Message);
}

}  // namespace zel
