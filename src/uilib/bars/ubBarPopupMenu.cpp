#include "uilib/bars/ubBarPopupMenu.h"

#include <algorithm>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "uilib/bars/ubBarConsts.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarUnit.h"

namespace zel {

TubBarPopupMenu::TubBarPopupMenu(TComponent* AOwner) : TComponent(AOwner) {
    TubBarManagerList* list = BarManagerList();
    if (list == nullptr || list->Count() == 0) throw Exception(LoadLibraryString(&ubSubNoBarManagers));
    TubBarManager* manager = ManagerOfForm(dynamic_cast<TCustomForm*>(AOwner));
    if (manager == nullptr) manager = list->Managers(0);
    font_ = new TFont();
    font_->Assign(manager->GetFont());
    font_->OnChange = [this](TObject*) {
        if (!settingUseOwnFont_) useOwnFont_ = true;
    };
    backgroundBitmap_ = new TBitmap();
    itemLinks_ = new TubBarItemLinks(manager, this);
    itemLinks_->UseRecentItems = false;
    SetBarManager(manager);
}

TubBarPopupMenu::~TubBarPopupMenu() {
    destroying_ = true;
    // An open menu closes with its component; the loop that waits for it sees the component gone.
    if (window_ != nullptr) {
        TubBarSubMenuControl* window = window_;
        window_ = nullptr;
        window->OnCloseUp = nullptr;
        window->CloseUp();
        delete window;
    }
    FreeClosedWindow();
    open_ = false;
    delete itemLinks_;
    itemLinks_ = nullptr;
    SetBarManager(nullptr);
    ClearLinksToObject(this);
    delete font_;
    delete backgroundBitmap_;
}

void TubBarPopupMenu::SetUseOwnFont(bool Value) {
    if (Value == useOwnFont_) return;
    useOwnFont_ = Value;
    if (!Value && barManager_ != nullptr) {
        settingUseOwnFont_ = true;
        TScopeExit done([this] { settingUseOwnFont_ = false; });
        font_->Assign(barManager_->GetFont());
    }
}

void TubBarPopupMenu::Loaded() {
    TComponent::Loaded();
    itemLinks_->ApplyAfterLoading(true);
}

void TubBarPopupMenu::SetBarManager(TubBarManager* Value) {
    if (Value == nullptr && !destroying_) return;
    if (barManager_ != nullptr) barManager_->RemovePopupMenu(this);
    barManager_ = Value;
    if (barManager_ != nullptr) barManager_->AddPopupMenu(this);
    if (itemLinks_ != nullptr) itemLinks_->SetBarManager(Value);
}

void TubBarPopupMenu::ManagerGone() {
    if (window_ != nullptr) CloseMenu();
    FreeClosedWindow();
    barManager_ = nullptr;
    itemLinks_->Clear();
    itemLinks_->SetBarManager(nullptr);
}

void TubBarPopupMenu::SetItemLinks(TubBarItemLinks* Value) { itemLinks_->Assign(Value); }

bool TubBarPopupMenu::GetUseRecentItems() const { return itemLinks_->UseRecentItems; }

void TubBarPopupMenu::SetUseRecentItems(bool Value) { itemLinks_->UseRecentItems = Value; }

void TubBarPopupMenu::DoPaintBar(TCanvas* ACanvas, const TRect& R) {
    if (OnPaintBar) OnPaintBar(this, ACanvas, R);
}

// ---- opening --------------------------------------------------------------------------------------------

void TubBarPopupMenu::ShowMenuAtEx(int X, int Y, const TRect& ElementRect, bool Option, int ElementWidth,
                                   int ElementHeight) {
    elementRect_ = ElementRect;
    option_ = Option;
    elementWidth_ = ElementWidth;
    elementHeight_ = ElementHeight;
    // The component may go while its loop runs: the values are cleared only on a live one.
    const TuiObjectLinkScope alive(this);
    const TScopeExit clear([this, &alive] {
        if (!alive.Alive()) return;
        elementRect_ = TRect{};
        option_ = true;
        elementWidth_ = elementHeight_ = 0;
    });
    ShowMenuAt(X, Y);
}

void TubBarPopupMenu::ShowMenuAt(int X, int Y) {
    if (window_ != nullptr || barManager_ == nullptr) return;
    FreeClosedWindow();
    // Whatever holds the mouse lets it go: a press that was being tracked ends here.
    if (HWND capture = GetCapture(); capture != nullptr) {
        SendMessage(capture, CM_CANCELMODE, 0, 0);
        ReleaseCapture();
    }
    const TuiObjectLinkScope alive(this);
    OpenWindow(X, Y);
    if (!alive.Alive() || OwnMessageLoop) return;
    RunModalLoop();
}

void TubBarPopupMenu::OpenWindow(int X, int Y) {
    auto* window = new TubBarSubMenuControl(barManager_);
    window_ = window;
    window->SetItemLinks(itemLinks_);
    window->OwnFont = useOwnFont_ ? font_ : nullptr;
    window->BackgroundPicture = backgroundBitmap_->Empty() ? nullptr : backgroundBitmap_;
    window->ShadowExclusion = elementRect_;
    window->ExclusionWidth = elementWidth_;
    window->ExclusionHeight = elementHeight_;
    window->PreferDown = option_;
    if (auto* owner = dynamic_cast<TWinControl*>(GetOwner()); owner != nullptr && owner->HandleAllocated())
        window->OwnerWindow = owner->GetHandle();
    window->OnPopup = [this](TObject*) {
        open_ = true;
        if (OnPopup) OnPopup(this);
    };
    window->OnCloseUp = [this](TObject* Sender) { WindowClosed(Sender); };
    try {
        window->Popup(X, Y);
    } catch (...) {
        if (window_ == window) window_ = nullptr;
        open_ = false;
        delete window;
        throw;
    }
}

void TubBarPopupMenu::WindowClosed(TObject* Sender) {
    auto* window = dynamic_cast<TubBarSubMenuControl*>(Sender);
    if (window == nullptr || window != window_) return;
    // The window is still running its own code: it is freed once that returned (the next opening, the end
    // of the loop or the component's end).
    window_ = nullptr;
    FreeClosedWindow();
    closedWindow_ = window;
    open_ = false;
    // A loop waiting for the next message wakes to see the menu closed, even when the message that closed it
    // was the last one queued (a key consumed by the menu).
    if (inLoop_) PostThreadMessage(GetCurrentThreadId(), WM_NULL, 0, 0);
    const TuiObjectLinkScope alive(this);
    if (std::function<void()> closed = std::move(WhenClosed)) {
        WhenClosed = nullptr;
        closed();
        if (!alive.Alive()) return;
    }
    if (OnCloseUp) OnCloseUp(this);
}

void TubBarPopupMenu::FreeClosedWindow() {
    TubBarSubMenuControl* window = closedWindow_;
    closedWindow_ = nullptr;
    if (window == nullptr) return;
    window->OnCloseUp = nullptr;
    window->OnPopup = nullptr;
    delete window;
}

void TubBarPopupMenu::CloseMenu() {
    if (window_ != nullptr) window_->CloseAll();
}

void TubBarPopupMenu::RunModalLoop() {
    // The loop holds a weak link: a handler that frees the component (closing its form) ends the loop without
    // reading anything of it.
    const TuiObjectLinkScope alive(this);
    inLoop_ = true;
    TScopeExit left([this, &alive] {
        if (alive.Alive()) inLoop_ = false;
    });
    MSG msg{};
    while (alive.Alive() && open_) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!alive.Alive()) return;
        if (!open_) {
            // The message came as the menu closed: it is for whatever comes after the menu (the wake-up of
            // the close is not).
            if (msg.hwnd != nullptr || msg.message != WM_NULL)
                PostMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            break;
        }
        // A command of the platform's menus has no place while this menu is open.
        if (msg.message == WM_COMMAND) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (alive.Alive()) FreeClosedWindow();
}

// ---- short-cuts -----------------------------------------------------------------------------------------

bool TubBarPopupMenu::IsShortCut(TShortCut AShortCut) { return itemLinks_->IsShortCut(AShortCut); }

bool TubBarPopupMenu::IsShortCutKey(TMessage& Message) {
    const TShortCut shortCut = ShortCutOfKeyMessage(Message);
    return shortCut != 0 && IsShortCut(shortCut);
}

TShortCut ShortCutOfKeyMessage(const TMessage& Message) {
    const auto key = static_cast<TShortCut>(Message.WParam & 0xFFFF);
    if (key == 0) return 0;
    TShortCut shortCut = key;
    if (GetKeyState(VK_SHIFT) < 0) shortCut |= scShift;
    if (GetKeyState(VK_CONTROL) < 0) shortCut |= scCtrl;
    // The context bit of the key data: Alt was down when the key went down.
    if ((HIWORD(static_cast<std::uintptr_t>(Message.LParam)) & KF_ALTDOWN) != 0) shortCut |= scAlt;
    return shortCut;
}

}  // namespace zel
