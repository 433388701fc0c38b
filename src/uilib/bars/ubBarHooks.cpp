#include "uilib/bars/ubBarHooks.h"

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarItemControlBase.h"
#include "uilib/bars/ubBarItemControls.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPopupMenuLinks.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarToolbarsPopup.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/uiClasses.h"

namespace zel {

// ---------------------------------------------------------------------------------------------- keyboard

bool DirectKeyCall = false;
bool BarButtonHeld = false;
bool AltPressedAlone = false;

namespace {

WPARAM heldKey = 0;
bool heldKeyForwarded = false;

bool Down(int Key) { return GetKeyState(Key) < 0; }

TCustomForm* FormOfWindow(HWND AWindow) { return dynamic_cast<TCustomForm*>(TWinControl::FindControl(AWindow)); }

bool FormEnabled(TCustomForm* AForm) {
    return AForm != nullptr && AForm->HandleAllocated() && IsWindowEnabled(AForm->GetHandle());
}

// The managers whose bars the keys reach, from the active window: the secondary is the active form's own
// manager (or that of the form it sits in), the primary the main form's manager for a child of the main form
// or a form that may call it, else the secondary itself. A multiple-document child with a main menu bar of
// its own puts its own manager first.
bool FindManagers(TubBarManager*& Primary, TubBarManager*& Secondary) {
    Primary = Secondary = nullptr;
    TCustomForm* form = FormOfWindow(GetActiveWindow());
    if (!FormEnabled(form) || form->ComponentState().Contains(csDesigning)) return false;
    if (form->GetFormStyle() == fsMDIForm)
        if (TCustomForm* child = form->ActiveMDIChild()) form = child;
    TubBarManager* own = ManagerOfForm(form);
    Secondary = own;
    if (Secondary == nullptr && !form->FormState().Contains(fsModal) && form->GetParent() != nullptr)
        Secondary = ManagerOfForm(GetParentForm(form->GetParent()));
    TCustomForm* mainForm = Application->MainForm;
    TubBarManager* mainManager = mainForm != nullptr && mainForm != form ? ManagerOfForm(mainForm) : nullptr;
    const TFormStyle style = form->GetFormStyle();
    if (style == fsMDIChild) Primary = mainManager;
    else if (own == nullptr && (style == fsNormal || style == fsStayOnTop) && mainManager != nullptr &&
             FormEnabled(mainForm) && mainManager->AllowCallFromAnotherForm)
        Primary = mainManager;
    if (Primary == nullptr) Primary = Secondary;
    if (Secondary == nullptr) Secondary = Primary;
    if (style == fsMDIChild && own != nullptr && own->GetFormMenuBar() != nullptr && Primary != own) {
        Secondary = Primary;
        Primary = own;
    }
    return Primary != nullptr;
}

// The manager's main menu bar, then its other bars, each with a shown window.
std::vector<TubBar*> BarsInOrder(TubBarManager* AManager) {
    std::vector<TubBar*> bars;
    TubBars* all = AManager->GetBars();
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < all->Count(); ++i) {
            TubBar* bar = all->Items(i);
            TCustomubBarControl* window = bar->GetItemLinks()->BarControl;
            if (bar->GetIsMainMenu() != (pass == 0) || window == nullptr || !window->HandleAllocated() ||
                !IsWindowVisible(window->GetHandle()))
                continue;
            bars.push_back(bar);
        }
    return bars;
}

// The bars the keys reach: the primary manager's, then the secondary's when it is another one.
std::vector<TubBar*> BarsInOrder(TubBarManager* APrimary, TubBarManager* ASecondary) {
    std::vector<TubBar*> bars = BarsInOrder(APrimary);
    if (ASecondary != nullptr && ASecondary != APrimary) {
        std::vector<TubBar*> more = BarsInOrder(ASecondary);
        bars.insert(bars.end(), more.begin(), more.end());
    }
    return bars;
}

TubBar* MainMenuBar(TubBarManager* AManager) {
    std::vector<TubBar*> bars = BarsInOrder(AManager);
    return !bars.empty() && bars.front()->GetIsMainMenu() ? bars.front() : nullptr;
}

// A bar window of the manager that is in menu mode (the keyboard moves through it).
bool HasBarInMenuMode(TubBarManager* AManager) {
    TubBars* all = AManager->GetBars();
    for (int i = 0; i < all->Count(); ++i) {
        TCustomubBarControl* window = all->Items(i)->GetItemLinks()->BarControl;
        if (window != nullptr && window->MenuMode()) return true;
    }
    return false;
}

// The bar's window takes the keyboard with the link selected (its first link for none).
void SelectInBar(TubBar* ABar, TubBarItemLink* ALink) {
    TCustomubBarControl* window = ABar->GetItemLinks()->BarControl;
    TubBarItemLink* link = ALink != nullptr ? ALink : ABar->GetItemLinks()->First();
    window->SetMenuMode(true);
    if (link != nullptr && link->Control != nullptr) window->SelectByKeyboard(link->Control);
}

// Short-cuts, then (with Alt held) accelerators of the managers' bars. An accelerator shared by another link
// of the same bar, or one of a control with an edit window, only selects its link; else the link is pressed.
bool ShortCutStep(TubBarManager* APrimary, TubBarManager* ASecondary, WPARAM Key) {
    TShiftState shift;
    if (Down(VK_SHIFT)) shift.Include(ssShift);
    if (Down(VK_CONTROL)) shift.Include(ssCtrl);
    if (Down(VK_MENU)) shift.Include(ssAlt);
    const std::vector<TubBar*> bars = BarsInOrder(APrimary, ASecondary);
    const TShortCut shortCut = ShortCut(static_cast<WORD>(Key), shift);
    // A popup menu linked to the focused control (or a parent) comes first.
    if (TubBarPopupMenuLinks* links = LinksOfFocus())
        if (links->FindShortCut(ControlOfWindow(GetFocus()), shortCut)) return true;
    for (TubBar* bar : bars)
        if (bar->IsShortCut(shortCut)) return true;
    if (!shift.Contains(ssAlt)) return false;
    shift.Exclude(ssAlt);
    for (TubBar* bar : bars) {
        TubBarItemLinks* links = bar->GetItemLinks();
        TubBarItemLink* found = links->FindItemWithAccel(static_cast<WORD>(Key), shift, nullptr);
        if (found == nullptr) continue;
        if (found->GetItem() == nullptr || !found->GetItem()->GetEnabled()) return true;
        TubBarItemLink* another = links->FindItemWithAccel(static_cast<WORD>(Key), shift, found);
        SelectInBar(bar, found);
        const bool unique = another == nullptr || another == found;
        const bool direct = dynamic_cast<TubBarWinControl*>(found->Control) == nullptr;
        if (unique && direct && found->Control != nullptr && links->BarControl != nullptr &&
            links->BarControl->SelectedControl() == found->Control)
            found->Control->Click(false);
        return true;
    }
    return false;
}

// A key while a menu is open: it goes to the menu, unless the menu is being customized or its selected
// control is an edit being edited. True when the key was handed on.
bool KeyToOpenMenu(TCustomubBarControl* AMenu, WPARAM Key, LPARAM KeyData, bool Up) {
    auto* edit = dynamic_cast<TubBarWinControl*>(AMenu->SelectedControl());
    // While customizing, Esc takes back the mouse that the menu holds.
    if (AMenu->IsCustomizing() && Key == VK_ESCAPE && !Up && AMenu->HandleAllocated() &&
        GetCapture() == AMenu->GetHandle()) {
        ReleaseCapture();
        return true;
    }
    if (AMenu->IsCustomizing() || (edit != nullptr && edit->GetFocused())) return false;
    SendMessage(AMenu->GetHandle(), Up ? WM_KEYUP : WM_KEYDOWN, Key, KeyData);
    // A key-down that closed every menu: its release is not for the form.
    if (!Up && CurrentMenuControl == nullptr && Down(static_cast<int>(Key))) {
        heldKey = Key;
        heldKeyForwarded = true;
    }
    return true;
}

}  // namespace

bool BarKeyboardHookKey(WPARAM Key, LPARAM KeyData) {
    if (Key == VK_PROCESSKEY) return false;
    if (BarButtonHeld) return true;
    const bool up = (static_cast<std::uint32_t>(KeyData) & 0x80000000U) != 0;
    if (up && heldKeyForwarded && Key == heldKey) {
        heldKeyForwarded = false;
        return true;
    }
    if (TCustomubBarControl* menu = CurrentMenuControl)
        if (KeyToOpenMenu(menu, Key, KeyData, up)) return true;
    if (GetCapture() != nullptr) return false;
    // The context-menu key (on its release) and Shift+F10 open the popup menu linked to the focused control.
    if ((Key == VK_APPS && up) || (Key == VK_F10 && !up && Down(VK_SHIFT) && !Down(VK_CONTROL) && !Down(VK_MENU))) {
        const HWND focus = GetFocus();
        TubBarPopupMenuLinks* links = LinksOfFocus();
        if (links != nullptr && links->PopupFor(ControlOfWindow(focus), focus, TPoint(-1, -1))) return true;
    }
    TubBarManager* primary = nullptr;
    TubBarManager* secondary = nullptr;
    if (!FindManagers(primary, secondary) || primary->GetCustomizing() || primary->Designing() ||
        HasBarInMenuMode(primary))
        return false;
    if (!up) {
        if (Key == VK_MENU) {
            AltPressedAlone = true;
            return false;
        }
        AltPressedAlone = false;
        return ShortCutStep(primary, secondary, Key);
    }
    const bool altAlone = Key == VK_MENU && AltPressedAlone && !Down(VK_SHIFT) && !Down(VK_CONTROL);
    const bool f10 = Key == VK_F10 && primary->UseF10ForMenu && !Down(VK_SHIFT) && !Down(VK_CONTROL) && !Down(VK_MENU);
    AltPressedAlone = false;
    if (!altAlone && !f10) return false;
    TubBar* mainMenu = MainMenuBar(primary);
    if (mainMenu == nullptr) return false;
    SelectInBar(mainMenu, nullptr);
    return true;
}

// ------------------------------------------------------------------------------------------------- mouse

namespace {

bool inMouseHook = false;

bool OverWindow(const TCustomubBarControl* ABar, POINT P) {
    if (ABar == nullptr || !const_cast<TCustomubBarControl*>(ABar)->HandleAllocated()) return false;
    const HWND window = const_cast<TCustomubBarControl*>(ABar)->GetHandle();
    RECT r{};
    GetWindowRect(window, &r);
    return IsWindowVisible(window) && PtInRect(&r, P);
}

bool OverOpenMenu(POINT P) {
    for (TCustomubBarControl* b = CurrentMenuControl; b != nullptr; b = b->PrevActive())
        if (b->IsSubMenu() && OverWindow(b, P)) return true;
    return false;
}

// The list of a combo dropped down on the open menu (or the toolbar in menu mode) lies under the point.
bool OverOpenComboList(POINT P) {
    auto* combo = dynamic_cast<TCustomubBarComboControl*>(CurrentMenuControl->SelectedControl());
    if (combo == nullptr || !combo->GetDroppedDown() || combo->ComboItem() == nullptr) return false;
    const HWND list = combo->ComboItem()->GetDropDownWindow();
    RECT r{};
    return list != nullptr && IsWindowVisible(list) && GetWindowRect(list, &r) && PtInRect(&r, P);
}

}  // namespace

bool CloseMenusOutside(UINT Msg, POINT ScreenPoint, HWND Window) {
    if (CurrentMenuControl == nullptr || inMouseHook) return false;
    // The entry of the quick-customization window whose menu is open keeps it open.
    if (TubBarQuickControl* quick = OpenQuickControl();
        quick != nullptr && quick->OnOpenEntry(TPoint(ScreenPoint.x, ScreenPoint.y)))
        return false;
    inMouseHook = true;
    struct TReset {
        ~TReset() { inMouseHook = false; }
    } reset;
    switch (Msg) {
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_NCRBUTTONUP:
        case WM_NCMBUTTONUP: return !OverOpenMenu(ScreenPoint) && !OverOpenComboList(ScreenPoint);
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDBLCLK:
        case WM_NCMBUTTONDBLCLK: break;
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP:
            if (CurrentMenuControl->IsCustomizing() || OverOpenComboList(ScreenPoint)) return false;
            // The release of the press on a toolbar's mark that opened its quick-customization window.
            if (TubBarQuickControl* quick = OpenQuickControl();
                quick != nullptr && quick->OnOwnerMark(TPoint(ScreenPoint.x, ScreenPoint.y)))
                return false;
            if (!CurrentMenuControl->IsToolbar() &&
                !(CurrentMenuControl->IsSubMenu() && CurrentMenuControl->ParentBar != nullptr))
                return false;
            break;
        default: return false;
    }
    // Innermost first, for as long as the point lies outside the menus still open (a press in an open
    // combo's list is inside its menu).
    while (TCustomubBarControl* bar = CurrentMenuControl) {
        if (OverWindow(bar, ScreenPoint) || OverOpenComboList(ScreenPoint)) break;
        auto* menu = dynamic_cast<TubBarSubMenuControl*>(bar);
        if (menu == nullptr) {
            bar->CloseAll();
        } else if (menu->ParentControl != nullptr && menu->ParentBar != nullptr) {
            menu->ParentControl->ControlInactivate(true);
        } else menu->CloseUp();
        if (CurrentMenuControl == bar) break;
    }
    return Window != nullptr && !IsWindowVisible(Window);
}

// ------------------------------------------------------------------------------------- form messages

namespace {

bool inCallHook = false;

bool IsBarWindowOf(HWND AWindow, TubBarManager* AManager) {
    auto* bar = dynamic_cast<TCustomubBarControl*>(TWinControl::FindControl(AWindow));
    return bar != nullptr && bar->BarManager() == AManager;
}

// The activation of the main multiple-document form reaches the managers of its children: all of them when it
// loses the activation, the active child's when it gains it; the step stops at a manager whose own bar
// window is on the other side of the activation.
void MDIChildActivation(TCustomForm* AMainForm, bool Active, HWND Other) {
    TubBarManagerList* list = BarManagerList();
    for (int i = 0; list != nullptr && i < list->Count(); ++i) {
        TubBarManager* m = list->Managers(i);
        if (m->Form()->GetFormStyle() != fsMDIChild) continue;
        if (Active && m->Form() != AMainForm->ActiveMDIChild()) continue;
        if (IsBarWindowOf(Other, m)) return;
        m->UpdateFloatingBars(Active, false, Other);
    }
}

}  // namespace

void BarCallWndProcMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (inCallHook) return;
    TubBarManager* target = nullptr;
    {
        inCallHook = true;
        TScopeExit reset([] { inCallHook = false; });
        HWND formWindow = Window;
        // F1 over an open menu: the help is the menu's form's, whichever window asks.
        if (Msg == WM_HELP && CurrentMenuControl != nullptr && CurrentMenuControl->BarManager() != nullptr) {
            TCustomForm* menuForm = CurrentMenuControl->BarManager()->Form();
            TWinControl* control = ControlOfWindow(Window);
            if (menuForm->HandleAllocated() && (control == nullptr || GetParentForm(control) != menuForm))
                formWindow = menuForm->GetHandle();
        }
        target = ManagerOfForm(FormOfWindow(formWindow));
        // The form's window on its way out no longer leads to the form: its manager knows the window.
        for (int i = 0;
             target == nullptr && Msg == WM_DESTROY && BarManagerList() != nullptr && i < BarManagerList()->Count();
             ++i)
            if (BarManagerList()->Managers(i)->FormWindow() == Window) target = BarManagerList()->Managers(i);
        if (target == nullptr && Msg == WM_ACTIVATE) {
            auto* bar = dynamic_cast<TCustomubBarControl*>(TWinControl::FindControl(Window));
            const HWND parent = GetParent(Window);
            const bool byOwnParent = bar != nullptr && bar->IsToolbar() && reinterpret_cast<HWND>(LParam) == parent;
            TCustomForm* parentForm = FormOfWindow(parent);
            if ((bar == nullptr || (!bar->IsSubMenu() && dynamic_cast<TubBarQuickControl*>(bar) == nullptr)) &&
                !byOwnParent && parentForm != nullptr && IsWindowVisible(parent))
                target = ManagerOfForm(parentForm);
        }
    }
    if (target != nullptr) target->FormMessage(Msg, WParam, LParam);
    TCustomForm* mainForm = Application->MainForm;
    if (Msg == WM_ACTIVATE && mainForm != nullptr && mainForm->GetFormStyle() == fsMDIForm &&
        mainForm->HandleAllocated() && Window == mainForm->GetHandle() &&
        (CurrentMenuControl == nullptr || RootToolbarControl(CurrentMenuControl) != nullptr))
        MDIChildActivation(mainForm, LOWORD(WParam) != WA_INACTIVE, reinterpret_cast<HWND>(LParam));
}

// ------------------------------------------------------------------------------------------------- hooks

namespace {

HHOOK keyboardHook = nullptr;
HHOOK mouseHook = nullptr;
HHOOK callWndProcHook = nullptr;

}  // namespace

LRESULT BarKeyboardHookProc(int Code, WPARAM WParam, LPARAM LParam) {
    const LRESULT next = DirectKeyCall ? 0 : CallNextHookEx(keyboardHook, Code, WParam, LParam);
    if (Code >= 0 && Code != HC_NOREMOVE && BarKeyboardHookKey(WParam, LParam)) return 1;
    return next;
}

namespace {

bool ContextPopupByMouse(HWND Window, POINT ScreenPoint) {
    TWinControl* control = ControlOfWindow(Window);
    if (control == nullptr || !control->GetEnabled() || !IsWindowEnabled(Window)) return false;
    TubBarManager* manager = ManagerOfForm(GetParentForm(control));
    return manager != nullptr &&
           manager->GetPopupMenuLinks()->PopupFor(control, Window, TPoint(ScreenPoint.x, ScreenPoint.y));
}

// Mouse input over a form that the open customizing form disabled (hit code HTERROR) goes to the first bar
// window of the customizing manager under the pointer, as the client message with the current key and button
// state; the customizing form comes to the front for everything but moves. True when it was handed on.
bool ToCustomizingBar(UINT Msg, const MOUSEHOOKSTRUCT& AInfo) {
    if (static_cast<int>(AInfo.wHitTestCode) != HTERROR || Msg < WM_NCMOUSEMOVE || Msg > WM_NCMBUTTONDBLCLK)
        return false;
    TCustomForm* form = FormOfWindow(AInfo.hwnd);
    if (form == nullptr) return false;
    TubBarManager* manager = ManagerOfForm(form);
    if ((manager == nullptr || !manager->GetCustomizing()) && BarManagerList() != nullptr)
        manager = BarManagerList()->FirstCustomizing();
    const HWND customizing = CustomizingFormHandle();
    if (manager == nullptr || !manager->GetCustomizing() || customizing == nullptr || GetActiveWindow() != customizing)
        return false;
    TCustomubBarControl* target = nullptr;
    for (TCustomubBarControl* bar : LiveBarControls()) {
        if (bar->BarManager() != manager || !bar->HandleAllocated() || !IsWindowVisible(bar->GetHandle())) continue;
        RECT r{};
        GetWindowRect(bar->GetHandle(), &r);
        if (PtInRect(&r, AInfo.pt)) {
            target = bar;
            break;
        }
    }
    if (target == nullptr) return false;
    const HWND window = target->GetHandle();
    const UINT clientMsg = Msg + (WM_MOUSEMOVE - WM_NCMOUSEMOVE);
    const LPARAM screen = MAKELPARAM(static_cast<WORD>(AInfo.pt.x), static_cast<WORD>(AInfo.pt.y));
    SendMessage(window, WM_NCHITTEST, 0, screen);
    SendMessage(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                MAKELPARAM(static_cast<WORD>(HTCLIENT), static_cast<WORD>(clientMsg)));
    if (clientMsg != WM_MOUSEMOVE) SetForegroundWindow(customizing);
    WPARAM keys = 0;
    if (Down(VK_LBUTTON)) keys |= MK_LBUTTON;
    if (Down(VK_RBUTTON)) keys |= MK_RBUTTON;
    if (Down(VK_MBUTTON)) keys |= MK_MBUTTON;
    if (Down(VK_SHIFT)) keys |= MK_SHIFT;
    if (Down(VK_CONTROL)) keys |= MK_CONTROL;
    POINT p = AInfo.pt;
    ::zel::ScreenToClient(window, &p);
    SendMessage(window, clientMsg, keys, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
    return true;
}

// While the customizing form of an MDI child's manager is open, client mouse input over that child inside the
// MDI form's client area is taken as input over a disabled form: the message becomes its non-client twin at the
// child, with hit code HTERROR. False (nothing changed) otherwise.
bool FromCustomizingMDIChild(UINT& Msg, MOUSEHOOKSTRUCT& AInfo) {
    if (Msg < WM_MOUSEMOVE || Msg > WM_MBUTTONDBLCLK) return false;
    TubBarCustomizingForm* customizing = GetCustomizingForm();
    TubBarManager* manager = customizing != nullptr ? customizing->BarManager() : nullptr;
    TCustomForm* child = manager != nullptr ? manager->Form() : nullptr;
    if (child == nullptr || child->GetFormStyle() != fsMDIChild || !child->HandleAllocated()) return false;
    const HWND childWindow = child->GetHandle();
    const HWND client = GetParent(childWindow);
    if (client == nullptr || !IsWindowVisible(childWindow)) return false;
    RECT area{};
    GetClientRect(client, &area);
    MapWindowPoints(client, nullptr, reinterpret_cast<POINT*>(&area), 2);
    RECT bounds{};
    GetWindowRect(childWindow, &bounds);
    if (!PtInRect(&area, AInfo.pt) || !PtInRect(&bounds, AInfo.pt)) return false;
    Msg -= WM_MOUSEMOVE - WM_NCMOUSEMOVE;
    AInfo.hwnd = childWindow;
    AInfo.wHitTestCode = static_cast<UINT>(HTERROR);
    return true;
}

LRESULT MouseHookProc(int Code, WPARAM WParam, LPARAM LParam) {
    const LRESULT next = CallNextHookEx(mouseHook, Code, WParam, LParam);
    if (Code >= 0 && LParam != 0) {
        UINT msg = static_cast<UINT>(WParam);
        MOUSEHOOKSTRUCT info = *reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam);
        FromCustomizingMDIChild(msg, info);
        if (ToCustomizingBar(msg, info)) return 1;
    }
    if (Code >= 0 && LParam != 0) {
        const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam);
        InBarMouseHook = true;
        TScopeExit reset([] { InBarMouseHook = false; });
        if (CloseMenusOutside(static_cast<UINT>(WParam), info->pt, info->hwnd)) return 1;
    }
    // A right button-up on an enabled control opens the popup menu linked to it or a parent, instead of the
    // platform's context menu.
    if (Code == HC_ACTION && LParam != 0 && (WParam == WM_RBUTTONUP || WParam == WM_NCRBUTTONUP)) {
        const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam);
        if (ContextPopupByMouse(info->hwnd, info->pt)) return 1;
    }
    return next;
}

LRESULT CallWndProcHookProc(int Code, WPARAM WParam, LPARAM LParam) {
    if (Code >= 0 && LParam != 0) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(LParam);
        BarCallWndProcMessage(message->hwnd, message->message, message->wParam, message->lParam);
    }
    const LRESULT result = CallNextHookEx(callWndProcHook, Code, WParam, LParam);
    // A multiple-document child activated, moved, sized or going: its main form's manager looks at the merge
    // again.
    if (Code >= 0 && LParam != 0) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(LParam);
        if (message->message == WM_DESTROY || message->message == WM_CHILDACTIVATE ||
            message->message == WM_MDIACTIVATE) {
            const HWND client = GetParent(message->hwnd);
            char className[256] = {};
            if (client != nullptr && GetClassName(client, className, sizeof(className)) > 0 &&
                SameText(className, "MDICLIENT"))
                if (TubBarManager* m = ManagerOfForm(FormOfWindow(GetParent(client))))
                    m->MDIChildChanged(message->message == WM_DESTROY ? message->hwnd : nullptr);
        }
    }
    return result;
}

}  // namespace

void InstallBarHooks() {
    if (keyboardHook == nullptr) InstallWindowsHook(keyboardHook, WH_KEYBOARD, &BarKeyboardHookProc);
    if (mouseHook == nullptr) InstallWindowsHook(mouseHook, WH_MOUSE, &MouseHookProc);
    if (callWndProcHook == nullptr) InstallWindowsHook(callWndProcHook, WH_CALLWNDPROC, &CallWndProcHookProc);
}

void RemoveBarHooks() {
    RemoveWindowsHook(keyboardHook);
    RemoveWindowsHook(mouseHook);
    RemoveWindowsHook(callWndProcHook);
}

HHOOK BarKeyboardHook() { return keyboardHook; }
HHOOK BarMouseHook() { return mouseHook; }
HHOOK BarCallWndProcHook() { return callWndProcHook; }

}  // namespace zel
