#include "uilib/bars/ubBarSystemMenu.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/vcl/Menus.h"
#include "platform/win/ImageLists.h"
#include "platform/win/SysInfo.h"
#include "platform/win/SystemMenu.h"
#include "platform/win/Windows.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {

constexpr int kGlyphSize = 16;

// The glyph of a system command: black strokes on a white 16 x 16 square, white being the glyph's transparent
// colour as its bottom-left pixel.
std::vector<std::uint32_t> GlyphPixels(WPARAM Command) {
    std::vector<std::uint32_t> p(kGlyphSize * kGlyphSize, 0xFFFFFFFFu);
    const auto dot = [&](int x, int y) { p[static_cast<std::size_t>(y * kGlyphSize + x)] = 0xFF000000u; };
    const auto box = [&](int l, int t, int r, int b) {
        for (int x = l; x <= r; ++x) {
            dot(x, t);
            dot(x, t + 1);  // the title bar of the little window
            dot(x, b);
        }
        for (int y = t; y <= b; ++y) {
            dot(l, y);
            dot(r, y);
        }
    };
    switch (Command) {
        case SC_CLOSE:
            for (int i = 0; i < 7; ++i) {
                dot(4 + i, 4 + i);
                dot(5 + i, 4 + i);
                dot(10 - i, 4 + i);
                dot(11 - i, 4 + i);
            }
            break;
        case SC_MAXIMIZE: box(3, 3, 12, 12); break;
        case SC_MINIMIZE:
            for (int x = 4; x <= 10; ++x) {
                dot(x, 11);
                dot(x, 12);
            }
            break;
        default:  // restore: two windows, the front one low left
            box(6, 3, 12, 9);
            box(3, 6, 9, 12);
            break;
    }
    return p;
}

struct TGlyphResource {
    const char* Name;
    WPARAM Command;
};
constexpr std::array<TGlyphResource, 4> kGlyphs{{{"UBBARCLOSE", SC_CLOSE},
                                                 {"UBBARRESTORE", SC_RESTORE},
                                                 {"UBBARMAXIMIZE", SC_MAXIMIZE},
                                                 {"UBBARMINIMIZE", SC_MINIMIZE}}};

// Fills the links with the entries of the menu, recursively for its sub-menus.
void FillFromMenu(HMENU Menu, HWND Child, TubBarManager* Manager, TubBarItemLinks* Links) {
    bool beginGroup = false;
    for (int i = 0; i < GetMenuItemCount(Menu); ++i) {
        char text[1024] = {};
        MENUITEMINFO info;
        info.cbSize = kMenuItemInfoSize;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_STRING | MIIM_BITMAP;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        if (!GetMenuItemInfo(Menu, static_cast<UINT>(i), TRUE, &info)) continue;
        // A separator makes the next entry begin a group; two in a row make one.
        if (info.fType & MFT_SEPARATOR) {
            beginGroup = true;
            continue;
        }
        std::string caption = text;
        if (info.fType & MFT_BITMAP) {
            caption.assign(
                static_cast<std::size_t>(GetMenuString(Menu, static_cast<UINT>(i), nullptr, 0, MF_BYPOSITION)), '\0');
            GetMenuString(Menu, static_cast<UINT>(i), caption.data(), static_cast<int>(caption.size()) + 1,
                          MF_BYPOSITION);
        }
        std::string shortCut;
        if (const std::size_t tab = caption.find('\t'); tab != std::string::npos) {
            shortCut = caption.substr(tab + 1);
            caption.resize(tab);
        }
        TubBarItem* entry = nullptr;
        if (info.hSubMenu != nullptr) {
            auto* sub = new TubBarSubItem(Manager->Form());
            FillFromMenu(info.hSubMenu, Child, Manager, sub->GetItemLinks());
            entry = sub;
        } else {
            auto* button = new TubBarButton(Manager->Form());
            button->Tag = static_cast<int>(info.wID);
            const WPARAM command = info.wID;
            button->OnClick = [Child, command](TObject*) {
                if (IsWindow(Child)) SendMessage(Child, WM_SYSCOMMAND, command, 0);
            };
            if (info.fState & MFS_CHECKED) {
                button->SetButtonStyle(bsChecked);
                button->SetDown(true);
            }
            button->SetShortCut(TextToShortCut(shortCut));
            entry = button;
        }
        TemporaryItems().Add(entry);
        entry->SetCaption(caption);
        entry->SetEnabled((info.fState & MFS_GRAYED) == 0);
        // The glyph: the program's picture for the item bitmap codes, else the check-mark bitmap of the state.
        const auto code = reinterpret_cast<std::uintptr_t>(info.hbmpItem);
        HBITMAP glyph = nullptr;
        if (code >= 8 && code <= 11) {
            glyph = LoadBitmap(nullptr, kGlyphs[code - 8].Name);
        } else {
            HBITMAP own = (info.fState & MFS_CHECKED) ? info.hbmpChecked : info.hbmpUnchecked;
            if (own == nullptr && (info.fType & MFT_BITMAP)) own = info.hbmpItem;
            // The menu keeps its own bitmaps: the entry takes a copy.
            if (own != nullptr) glyph = CopyImage(own, IMAGE_BITMAP, 0, 0, 0);
        }
        if (glyph != nullptr) {
            TBitmap picture;
            picture.SetHandle(glyph);
            entry->SetGlyph(&picture);
        }
        TubBarItemLink* link = Links->Add();
        link->SetItem(entry);
        link->BeginGroup = beginGroup;
        beginGroup = false;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------- the entry

TClass TSystemMenuSubItem::StaticClass() {
    static const TClassInfo info{"TSystemMenuSubItem", TCustomubBarSubItem::StaticClass()};
    return &info;
}

void TSystemMenuSubItem::DoPopup() {
    GetItemLinks()->Clear();
    FreeTemporaryItems();
    if (HMENU menu = GetSystemMenu(ChildWindow, FALSE); menu != nullptr && GetBarManager() != nullptr)
        FillFromMenu(menu, ChildWindow, GetBarManager(), GetItemLinks());
    TCustomubBarSubItem::DoPopup();
}

void TSystemMenuSubItem::RunDefaultCommand() {
    const HWND child = ChildWindow;
    CloseOpenMenus();
    HMENU menu = IsWindow(child) ? GetSystemMenu(child, FALSE) : nullptr;
    const UINT command = menu != nullptr ? GetMenuDefaultItem(menu, FALSE, 0) : static_cast<UINT>(-1);
    if (command != static_cast<UINT>(-1)) SendMessage(child, WM_SYSCOMMAND, command, 0);
}

// ------------------------------------------------------------------------------------------- the control

TClass TSystemMenuSubItemControl::StaticClass() {
    static const TClassInfo info{"TSystemMenuSubItemControl", TubBarSubItemControl::StaticClass()};
    return &info;
}

int TSystemMenuSubItemControl::GetItemWidth() const { return GetSystemMetrics(SM_CXSMICON) + 4; }

void TSystemMenuSubItemControl::Draw(const TRect& R, bool /*InMenu*/) {
    if (IsRectEmpty(&R) || Parent == nullptr) return;
    const HDC dc = Parent->Canvas()->GetHandle();
    Parent->PaintBackground(dc, R);
    auto* item = dynamic_cast<TSystemMenuSubItem*>(Item());
    if (item == nullptr || !IsWindow(item->ChildWindow)) return;
    auto icon = reinterpret_cast<HICON>(SendMessage(item->ChildWindow, WM_GETICON, ICON_SMALL, 0));
    if (icon == nullptr) icon = reinterpret_cast<HICON>(SendMessage(item->ChildWindow, WM_GETICON, ICON_BIG, 0));
    if (icon == nullptr) return;
    DrawIconEx(dc, (R.left + R.right - kGlyphSize) / 2, (R.top + R.bottom - kGlyphSize) / 2, icon, kGlyphSize,
               kGlyphSize, 0, nullptr, DI_NORMAL);
}

void TSystemMenuSubItemControl::DblClick() {
    if (auto* item = dynamic_cast<TSystemMenuSubItem*>(Item())) item->RunDefaultCommand();
}

// ------------------------------------------------------------------------------------------ registration

namespace {
TubBarItemControl* MakeSystemMenuControl(TubBarItemLink* ALink) { return new TSystemMenuSubItemControl(ALink); }
}  // namespace

void RegisterSystemMenuItem() {
    for (const TGlyphResource& g : kGlyphs) {
        const std::vector<std::uint32_t> pixels = GlyphPixels(g.Command);
        // Registered once for the program: a second start of the unit finds them there.
        RegisterBitmapResource(g.Name, kGlyphSize, kGlyphSize, pixels.data());
    }
    RegisterItemControlClass(TSystemMenuSubItemControl::StaticClass(), MakeSystemMenuControl);
    RegisterBarItem(TSystemMenuSubItem::StaticClass(), TSystemMenuSubItemControl::StaticClass(), false);
}

void UnregisterSystemMenuItem() {
    UnregisterBarItem(TSystemMenuSubItem::StaticClass());
    UnregisterItemControlClass(TSystemMenuSubItemControl::StaticClass());
}

}  // namespace zel

// ---- the multiple-document merge ---------------------------------------------------------------------------

namespace zel {

namespace {

// Shows or hides a child form's bar while the child window keeps its place and size.
void SetBarVisibleKeepingBounds(TubBar* Bar, HWND Child, bool Visible) {
    RECT bounds{};
    GetWindowRect(Child, &bounds);
    MapWindowPoints(nullptr, GetParent(Child), reinterpret_cast<POINT*>(&bounds), 2);
    Bar->SetVisible(Visible);
    SetWindowPos(Child, nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void TubBarManager::MDIChildChanged(HWND Closing) {
    TCustomForm* form = Form();
    if (form == nullptr || form->GetFormStyle() != fsMDIForm || form->ClientHandle() == nullptr) return;
    BOOL maximized = FALSE;
    auto active = reinterpret_cast<HWND>(
        SendMessage(form->ClientHandle(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    if (active != nullptr && active == Closing) {
        active = nullptr;
        maximized = FALSE;
    }
    const bool nowMaximized = maximized != FALSE;
    if (active == mergedChild_ && nowMaximized == childMaximized_) return;
    const bool maximizedChanged = nowMaximized != childMaximized_;
    TubBarControl* menuBar = formMenuBar_ != nullptr ? formMenuBar_->Control() : nullptr;
    {
        TubBarUpdateLock lock(this);
        UnmergeChild(mergedChild_);
        mergedChild_ = active;
        childMaximized_ = nowMaximized;
        MergeChild(active);
    }
    if (maximizedChanged && menuBar != nullptr && formMenuBar_ != nullptr && formMenuBar_->Control() == menuBar)
        menuBar->Rebuild();
}

void TubBarManager::MergeChild(HWND Child) {
    if (Child == nullptr || formMenuBar_ == nullptr) return;
    TubBarItemLinks* links = formMenuBar_->GetItemLinks();
    if (childMaximized_ && GetSystemMenu(Child, FALSE) != nullptr) {
        auto* entry = new TSystemMenuSubItem(Form());
        entry->ChildWindow = Child;
        TemporaryItems().Add(entry);
        links->Insert(0)->SetItem(entry);
        FreeObjectLink(systemMenuItem_);
        systemMenuItem_ = CreateObjectLink(entry);
    }
    // A child form with a main menu bar of its own lends its links.
    TubBarManager* child = ManagerOfForm(dynamic_cast<TCustomForm*>(TWinControl::FindControl(Child)));
    TubBar* childBar = child != nullptr && child != this ? child->GetFormMenuBar() : nullptr;
    if (childBar == nullptr || !(AlwaysMerge || childMaximized_)) return;
    FreeObjectLink(mergedManager_);
    mergedManager_ = CreateObjectLink(child);
    savedMainMenuVisible_ = childBar->GetVisible();
    if (OnMenuMerge) {
        OnMenuMerge(this, child, true);
    } else {
        TubBarItemLinks* lent = childBar->GetItemLinks();
        for (int i = 0; i < lent->Count(); ++i) links->Add()->Assign(lent->Items(i));
    }
    SetBarVisibleKeepingBounds(childBar, Child, false);
}

void TubBarManager::UnmergeChild(HWND Child) {
    delete dynamic_cast<TSystemMenuSubItem*>(systemMenuItem_ != nullptr ? systemMenuItem_->Ref : nullptr);
    FreeObjectLink(systemMenuItem_);
    auto* child = dynamic_cast<TubBarManager*>(mergedManager_ != nullptr ? mergedManager_->Ref : nullptr);
    FreeObjectLink(mergedManager_);
    if (child == nullptr || formMenuBar_ == nullptr) return;
    TubBarItemLinks* links = formMenuBar_->GetItemLinks();
    for (int i = links->Count() - 1; i >= 0; --i) {
        TubBarItem* item = links->Items(i)->GetItem();
        if (item != nullptr && item->GetBarManager() == child) delete links->Items(i);
    }
    if (OnMenuMerge) OnMenuMerge(this, child, false);
    TubBar* childBar = child->GetFormMenuBar();
    if (childBar == nullptr || AlwaysMerge || !IsWindow(Child)) return;
    SetBarVisibleKeepingBounds(childBar, Child, savedMainMenuVisible_);
}

}  // namespace zel
