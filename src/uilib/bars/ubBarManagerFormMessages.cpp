// The manager's side of its form's messages, as the call-window-procedure hook hands them over: floating bars
// kept in step with the form's activation and on the screen, system changes passed on to the bars, F1 over
// menus, and the bars that waited for the form's window.
#include "platform/rtl/ScopeExit.h"
#include "platform/win/SysInfo.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarItemControlBase.h"
#include "uilib/bars/ubBarManager.h"

#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {

constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

void ShowWithoutActivation(TCustomubBarControl* AWindow) {
    SetWindowPos(AWindow->GetHandle(), nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | kKeepPlace);
}

void HideWindow(TCustomubBarControl* AWindow) {
    SetWindowPos(AWindow->GetHandle(), nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | kKeepPlace);
}

void RedrawFrame(TCustomubBarControl* AWindow) {
    RedrawWindow(AWindow->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// The rectangle moved back inside the work area: bottom, top, right, left, in that order.
TRect KeptInside(TRect R, const TRect& WorkArea) {
    if (R.bottom > WorkArea.bottom) OffsetRect(&R, 0, WorkArea.bottom - R.bottom);
    if (R.top < WorkArea.top) OffsetRect(&R, 0, WorkArea.top - R.top);
    if (R.right > WorkArea.right) OffsetRect(&R, WorkArea.right - R.right, 0);
    if (R.left < WorkArea.left) OffsetRect(&R, WorkArea.left - R.left, 0);
    return R;
}

bool IsFormWindow(HWND AWindow) { return dynamic_cast<TCustomForm*>(TWinControl::FindControl(AWindow)) != nullptr; }

}  // namespace

std::vector<TCustomubBarControl*> TubBarManager::FloatingBarWindows(bool Shown) const {
    std::vector<TCustomubBarControl*> windows;
    for (int i = 0; i < bars_->Count(); ++i) {
        TubBar* bar = bars_->Items(i);
        TCustomubBarControl* window = bar->GetItemLinks()->BarControl;
        if (window == nullptr || !window->HandleAllocated() || bar->GetDockingStyle() != dsNone) continue;
        if (Shown && !bar->GetVisible()) continue;
        windows.push_back(window);
    }
    return windows;
}

// ---- bars waiting for the form's window --------------------------------------------------------------------

bool TubBarManager::HoldUntilFormCreated(TubBar* ABar) {
    if (form_->HandleAllocated() || designing_) return false;
    if (!IsPendingBar(ABar)) pendingBars_.Add(ABar);
    return true;
}

void TubBarManager::ShowPendingBars() {
    if (pendingBars_.Count() == 0) return;
    for (int i = 0; i < dockControls_.Count(); ++i) {
        TubDockControl* dock = dockControls_.Items(i);
        if (dock->GetParent() != nullptr || dock->ParentWindow != nullptr) dock->HandleNeeded();
    }
    const bool saved = ReshowingBars;
    ReshowingBars = true;
    TScopeExit restore([this, saved] { ReshowingBars = saved; });
    while (pendingBars_.Count() > 0) {
        TubBar* bar = pendingBars_.First();
        pendingBars_.Remove(bar);
        bar->ShowWindow();
    }
}

// ---- the form's messages -----------------------------------------------------------------------------------

void TubBarManager::FormMessage(UINT Msg, WPARAM WParam, LPARAM LParam) {
    // The layout is stored when the form's window goes; nothing else reaches a form on its way out.
    if (Msg == WM_DESTROY) {
        formWindow_ = nullptr;
        if (!designing_) StoreLayout();
    } else if (form_->HandleAllocated()) {
        formWindow_ = form_->GetHandle();
    }
    if (form_->ComponentState().Contains(csDestroying) || IsDestroying()) return;
    // The manager of the active child of a multiple-document form.
    auto childManager = [this] {
        return ManagerOfForm(form_->GetFormStyle() == fsMDIForm ? form_->ActiveMDIChild() : nullptr);
    };
    switch (Msg) {
        case WM_CREATE: ShowPendingBars(); break;
        case WM_ACTIVATE: {
            const bool active = LOWORD(WParam) != WA_INACTIVE;
            const HWND other = reinterpret_cast<HWND>(LParam);
            // Clicking one of its own toolbars does not deactivate the form for the bars.
            if (!active) {
                auto* bar = dynamic_cast<TCustomubBarControl*>(TWinControl::FindControl(other));
                if (bar != nullptr && bar->IsToolbar() && bar->BarManager() == this) break;
            }
            FormActive = active;
            UpdateFloatingBars(active, false, other);
            if (TubBarManager* child = childManager()) child->FormMessage(Msg, WParam, LParam);
            // The customizing form is modal to the disabled form: it hears the form's activation.
            if (active && customizing_ && form_->HandleAllocated() && !IsWindowEnabled(form_->GetHandle()))
                CustomizingFormActivate(true, other);
            break;
        }
        case WM_SYSCOLORCHANGE: {
            RefreshDitherBrush();
            SystemColorsChanged();
            for (TCustomubBarControl* window : FloatingBarWindows(false)) RedrawFrame(window);
            for (int i = 0; form_->GetFormStyle() == fsMDIForm && i < form_->MDIChildCount(); ++i)
                if (TubBarManager* m = ManagerOfForm(form_->MDIChildren(i))) m->FormMessage(Msg, WParam, LParam);
            break;
        }
        case WM_WININICHANGE:
            if (WParam == SPI_SETNONCLIENTMETRICS) ReadSystemFont();
            else if (WParam == SPI_SETWORKAREA) KeepFloatingBarsOnScreen();
            break;
        case WM_ACTIVATEAPP: {
            if (WParam != FALSE) break;
            if (TubBarManager* child = childManager()) child->FormMessage(Msg, WParam, LParam);
            UpdateFloatingBars(false, false, nullptr);
            if (TubBarItemControl* selected = selectedControl_) {
                TCustomubBarControl* window = selected->Parent;
                if (window != nullptr && window->HandleAllocated())
                    SendMessage(window->GetHandle(), WM_MOUSELEAVE, 0, 0);
            }
            SetSelectedControl(nullptr);
            break;
        }
        case WM_CHILDACTIVATE: UpdateFloatingBars(true, false, nullptr); break;
        case WM_WINDOWPOSCHANGING: {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(LParam);
            if (pos != nullptr && (pos->flags & SWP_HIDEWINDOW) != 0 && form_->HandleAllocated() &&
                pos->hwnd == form_->GetHandle())
                UpdateFloatingBars(false, true, nullptr);
            break;
        }
        case WM_WINDOWPOSCHANGED:
            // The customizing form follows its manager's form.
            if (customizing_ && LParam != 0) CustomizingFormOwnerMoved(*reinterpret_cast<const WINDOWPOS*>(LParam));
            break;
        case WM_HELP:
            if (LParam != 0 && !designing_) HelpForWindow(*reinterpret_cast<HELPINFO*>(LParam));
            break;
        case WM_DISPLAYCHANGE: KeepFloatingBarsOnScreen(); break;
        case WM_SYSCOMMAND:
            switch (WParam & 0xFFF0) {
                case SC_MINIMIZE:
                case SC_CLOSE:
                    for (TCustomubBarControl* window : FloatingBarWindows(true))
                        if (IsWindowVisible(window->GetHandle())) HideWindow(window);
                    break;
                case SC_MAXIMIZE:
                case SC_RESTORE:
                    for (TCustomubBarControl* window : FloatingBarWindows(true)) ShowWithoutActivation(window);
                    break;
                default: break;
            }
            break;
        case WM_MDIACTIVATE:
            if (form_->GetFormStyle() == fsMDIChild && form_->HandleAllocated())
                UpdateFloatingBars(reinterpret_cast<HWND>(LParam) == form_->GetHandle(), false, nullptr);
            break;
        default: break;
    }
}

void TubBarManager::UpdateFloatingBars(bool Active, bool FromPosChange, HWND AOtherWindow) {
    if (inActivationCheck_) return;
    inActivationCheck_ = true;
    TScopeExit reset([this] { inActivationCheck_ = false; });
    const bool hideWhenInactive = GetHideFloatingBarsWhenInactive();
    if (!hideWhenInactive && !FromPosChange)
        for (TCustomubBarControl* window : FloatingBarWindows(false)) RedrawFrame(window);
    if (Active) {
        if (!form_->HandleAllocated() || !IsIconic(form_->GetHandle()))
            for (TCustomubBarControl* window : FloatingBarWindows(true)) ShowWithoutActivation(window);
        return;
    }
    if (IsDestroying()) return;
    if (AOtherWindow != nullptr && form_->HandleAllocated() && IsChild(form_->GetHandle(), AOtherWindow)) return;
    if (TCustomubBarControl* menu = CurrentMenuControl) {
        TubBarManager* owner = menu->BarManager();
        auto* edit = dynamic_cast<TubBarWinControl*>(menu->SelectedControl());
        const bool childMenu = form_->GetFormStyle() == fsMDIForm && owner != nullptr &&
                               owner->Form()->GetFormStyle() == fsMDIChild && (edit == nullptr || !edit->GetFocused());
        if (owner == this || childMenu) menu->CloseAll();
    }
    if (!hideWhenInactive && !FromPosChange) return;
    // Another window of the program that is no form (a menu, a hint, a floating bar) leaves the bars up.
    // The customizing form counts as no form while customizing: the bars stay up beside it.
    TubBarCustomizingForm* customizingForm = GetCustomizingForm();
    const bool toCustomizingForm = customizing_ && customizingForm != nullptr && customizingForm->HandleAllocated() &&
                                   AOtherWindow == customizingForm->GetHandle();
    if (AOtherWindow != nullptr && IsWindow(AOtherWindow) && (toCustomizingForm || !IsFormWindow(AOtherWindow)) &&
        AOtherWindow != Application->Handle())
        return;
    for (TCustomubBarControl* window : FloatingBarWindows(false)) HideWindow(window);
    if (form_->HandleAllocated()) SendMessage(form_->GetHandle(), WM_NCACTIVATE, FALSE, 0);
}

void TubBarManager::KeepFloatingBarsOnScreen() {
    if (!form_->HandleAllocated()) return;
    RECT formRect{};
    GetWindowRect(form_->GetHandle(), &formRect);
    const TRect workArea =
        WorkAreaAt(TPoint((formRect.left + formRect.right) / 2, (formRect.top + formRect.bottom) / 2));
    for (int i = 0; i < bars_->Count(); ++i) {
        TubBar* bar = bars_->Items(i);
        if (bar->GetDockingStyle() != dsNone) continue;
        TCustomubBarControl* window = bar->GetItemLinks()->BarControl;
        if (window != nullptr && window->HandleAllocated()) {
            RECT r{};
            GetWindowRect(window->GetHandle(), &r);
            const TRect kept = KeptInside(TRect(r.left, r.top, r.right, r.bottom), workArea);
            if (kept.left != r.left || kept.top != r.top)
                SetWindowPos(window->GetHandle(), nullptr, kept.left, kept.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        const TRect stored(bar->GetFloatLeft(), bar->GetFloatTop(), bar->GetFloatLeft() + bar->GetFloatClientWidth(),
                           bar->GetFloatTop() + bar->GetFloatClientHeight());
        const TRect kept = KeptInside(stored, workArea);
        if (kept.left != stored.left) bar->SetFloatLeft(kept.left);
        if (kept.top != stored.top) bar->SetFloatTop(kept.top);
    }
}

// F1 over a menu: the help of the selected item, else of the first item up the chain of open menus that
// opened one and has help, else of the outermost bar window; without an open menu, of the item under the
// mouse in the toolbar that asks. The menus close first. Help given here is the whole answer: the request
// goes on to the form's own window procedure (a hook cannot stop it), which would show the help of the
// window that asked, its dock or the form on top of it; it is marked as a menu request without a context,
// which shows nothing.
void TubBarManager::HelpForWindow(HELPINFO& AInfo) {
    if (AInfo.iContextType != HELPINFO_WINDOW) return;
    int context = 0;
    if (TCustomubBarControl* menu = CurrentMenuControl) {
        if (TubBarItemControl* selected = menu->SelectedControl(); selected != nullptr && selected->Item() != nullptr)
            context = selected->Item()->HelpContext;
        for (auto* sub = dynamic_cast<TubBarSubMenuControl*>(menu); context == 0 && sub != nullptr;
             sub = dynamic_cast<TubBarSubMenuControl*>(sub->ParentBar))
            if (sub->ParentControl != nullptr && sub->ParentControl->Item() != nullptr)
                context = sub->ParentControl->Item()->HelpContext;
        if (context == 0)
            if (TCustomubBarControl* root = RootBarControl(menu)) context = root->HelpContext;
        menu->CloseAll();
    } else {
        auto* bar = dynamic_cast<TCustomubBarControl*>(TWinControl::FindControl(AInfo.hItemHandle));
        if (bar != nullptr && bar->BarManager() == this && bar->IsToolbar()) {
            POINT p = AInfo.MousePos;
            ScreenToClient(bar->GetHandle(), &p);
            TubBarItemControl* control = bar->ItemAtPos(TPoint(p.x, p.y));
            if (control != nullptr && control->Item() != nullptr) context = control->Item()->HelpContext;
        }
    }
    if (context == 0) return;
    AInfo.iContextType = HELPINFO_MENUITEM;
    AInfo.dwContextId = 0;
    Application->HelpContext(context);
}

}  // namespace zel
