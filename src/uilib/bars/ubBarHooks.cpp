#include "uilib/bars/ubBarHooks.h"

#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "uilib/bars/ubBarControl.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"

namespace zel {

// ---------------------------------------------------------------------------------------------- keyboard

namespace {

bool altPressedAlone = false;
WPARAM heldKey = 0;
bool heldKeyForwarded = false;

bool Down(int Key) { return GetKeyState(Key) < 0; }

// The manager of the active form, when that form is enabled and not being designed.
TubBarManager* ActiveManager() {
    TWinControl* active = TWinControl::FindControl(GetActiveWindow());
    TCustomForm* form = active != nullptr ? GetParentForm(active) : nullptr;
    if (form == nullptr || !form->HandleAllocated() || !IsWindowEnabled(form->GetHandle())) return nullptr;
    TubBarManager* m = ManagerOfForm(form);
    return m != nullptr && !m->Designing() ? m : nullptr;
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

TubBar* MainMenuBar(TubBarManager* AManager) {
    std::vector<TubBar*> bars = BarsInOrder(AManager);
    return !bars.empty() && bars.front()->GetIsMainMenu() ? bars.front() : nullptr;
}

// The bar's window takes the keyboard with the link selected (its first link for none).
void SelectInBar(TubBar* ABar, TubBarItemLink* ALink) {
    TCustomubBarControl* window = ABar->GetItemLinks()->BarControl;
    TubBarItemLink* link = ALink != nullptr ? ALink : ABar->GetItemLinks()->First();
    window->SetMenuMode(true);
    if (link != nullptr && link->Control != nullptr) window->SelectByKeyboard(link->Control);
}

// Short-cuts, then (with Alt held) accelerators of the manager's bars.
bool ShortCutStep(TubBarManager* AManager, WPARAM Key) {
    TShiftState shift;
    if (Down(VK_SHIFT)) shift.Include(ssShift);
    if (Down(VK_CONTROL)) shift.Include(ssCtrl);
    if (Down(VK_MENU)) shift.Include(ssAlt);
    const std::vector<TubBar*> bars = BarsInOrder(AManager);
    const TShortCut shortCut = ShortCut(static_cast<WORD>(Key), shift);
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
        if (unique && found->Control != nullptr && links->BarControl != nullptr &&
            links->BarControl->SelectedControl() == found->Control)
            found->Control->Click(false);
        return true;
    }
    return false;
}

}  // namespace

bool BarKeyboardHookKey(WPARAM Key, LPARAM KeyData) {
    if (Key == VK_PROCESSKEY) return false;
    const bool up = (static_cast<std::uint32_t>(KeyData) & 0x80000000U) != 0;
    if (up && heldKeyForwarded && Key == heldKey) {
        heldKeyForwarded = false;
        return true;
    }
    if (TCustomubBarControl* menu = CurrentMenuControl) {
        auto* edit = dynamic_cast<TubBarWinControl*>(menu->SelectedControl());
        if (menu->IsCustomizing() || (edit != nullptr && edit->GetFocused())) return false;
        SendMessage(menu->GetHandle(), up ? WM_KEYUP : WM_KEYDOWN, Key, KeyData);
        // A key-down that closed every menu: its release is not for the form.
        if (!up && CurrentMenuControl == nullptr && Down(static_cast<int>(Key))) {
            heldKey = Key;
            heldKeyForwarded = true;
        }
        return true;
    }
    if (GetCapture() != nullptr) return false;
    TubBarManager* m = ActiveManager();
    if (m == nullptr || m->GetCustomizing()) return false;
    if (!up) {
        if (Key == VK_MENU) {
            altPressedAlone = true;
            return false;
        }
        altPressedAlone = false;
        return ShortCutStep(m, Key);
    }
    const bool altAlone = Key == VK_MENU && altPressedAlone && !Down(VK_SHIFT) && !Down(VK_CONTROL);
    const bool f10 = Key == VK_F10 && m->UseF10ForMenu && !Down(VK_SHIFT) && !Down(VK_CONTROL) && !Down(VK_MENU);
    altPressedAlone = false;
    if (!altAlone && !f10) return false;
    TubBar* mainMenu = MainMenuBar(m);
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

}  // namespace

bool CloseMenusOutside(UINT Msg, POINT ScreenPoint, HWND Window) {
    if (CurrentMenuControl == nullptr || inMouseHook) return false;
    inMouseHook = true;
    struct TReset {
        ~TReset() { inMouseHook = false; }
    } reset;
    switch (Msg) {
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_NCRBUTTONUP:
        case WM_NCMBUTTONUP: return !OverOpenMenu(ScreenPoint);
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
            if (CurrentMenuControl->IsCustomizing()) return false;
            if (!CurrentMenuControl->IsToolbar() &&
                !(CurrentMenuControl->IsSubMenu() && CurrentMenuControl->ParentBar != nullptr))
                return false;
            break;
        default: return false;
    }
    // Innermost first, for as long as the point lies outside the menus still open.
    while (TCustomubBarControl* bar = CurrentMenuControl) {
        if (OverWindow(bar, ScreenPoint)) break;
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

}  // namespace zel
