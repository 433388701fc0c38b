// The customizing drag of items: the manager's own message loop that carries an item from the customizing
// form's command list, or a link from a bar, to a bar, a sub-menu, the category list or off every bar.
#include <cstdlib>

#include "platform/vcl/Forms.h"
#include "platform/win/Gdi.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarDraw.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarItemControlBase.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPopupMenuEd.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/uiClasses.h"

namespace zel {

namespace {

// A weak reference that turns nullptr when its object is freed.
template <class T>
class TWeakRef {
public:
    TWeakRef() = default;
    explicit TWeakRef(T* AObject) { Set(AObject); }
    ~TWeakRef() { FreeObjectLink(link_); }
    TWeakRef(const TWeakRef&) = delete;
    TWeakRef& operator=(const TWeakRef&) = delete;
    void Set(T* AObject) {
        FreeObjectLink(link_);
        link_ = CreateObjectLink(AObject);
    }
    T* Get() const { return link_ != nullptr ? dynamic_cast<T*>(link_->Ref) : nullptr; }

private:
    TuiObjectLink* link_ = nullptr;
};

// The drop mark on a bar window, inverted in and out.
void InvertDropMark(HWND AWindow, const TRect& R, bool Across, bool AtEnd) {
    if (AWindow == nullptr || !IsWindow(AWindow)) return;
    const HDC dc = GetDC(AWindow);
    InvertDropMark(dc, R, Across, AtEnd);
    ReleaseDC(AWindow, dc);
}

// Where the pointer was at the last message taken from the queue.
TPoint MessagePoint() {
    const DWORD pos = GetMessagePos();
    return TPoint(static_cast<SHORT>(LOWORD(pos)), static_cast<SHORT>(HIWORD(pos)));
}

bool CtrlDown() { return GetKeyState(VK_CONTROL) < 0; }

}  // namespace

// The loop's state. Every object it keeps may be freed by a handler, the designer or the owner form closing
// while the loop runs: it keeps them through weak references.
class TubBarItemDrag {
public:
    TubBarItemDrag(TubBarManager* AManager, TubBarItem* AItem, TubBarItemLink* ALink)
        : manager_(AManager), managerRef_(AManager), item_(AItem), link_(ALink), fromLink_(ALink != nullptr) {}

    void Run();

private:
    // The place a drop would take: the control under the pointer and which side of it.
    struct TPlace {
        TCustomubBarControl* Bar = nullptr;
        TubBarItemLink* Link = nullptr;  // the link of the control under the pointer
        bool Before = false;
        bool InItemRect = false;
        bool Across = false;  // the bar lays its links out top to bottom: the mark runs across
        bool operator==(const TPlace& O) const {
            return Bar == O.Bar && Link == O.Link && Before == O.Before && InItemRect == O.InItemRect;
        }
    };

    void MouseMove();
    // The bar window under the screen point that takes drops of this manager; nullptr for none.
    TCustomubBarControl* TargetAt(TPoint AScreen) const;
    TPlace PlaceAt(TCustomubBarControl* ABar, TPoint AScreen) const;
    // Whether a drop at the place adds a new link that begins a group (and takes the group from the
    // control's link).
    bool DropBeginsGroup(const TPlace& APlace) const;
    // Whether a drop at the place would leave the dragged link where it is.
    bool LeavesLinkInPlace(const TPlace& APlace) const;
    void ShowMark(const TPlace& APlace);
    void HideMark();
    void Select(TCustomubBarControl* ABar, TubBarItemControl* AControl);
    void Drop();
    void DropOnCategory();
    void DropOff();
    void DropOnBar();
    void ShiftGroup();

    TubBarManager* manager_;
    TWeakRef<TubBarManager> managerRef_;
    TWeakRef<TubBarItem> item_;
    TWeakRef<TubBarItemLink> link_;
    bool fromLink_ = false;
    TPoint grab_{0, 0};     // where inside its control the pointer took the link
    TPoint pointer_{0, 0};  // the pointer on the screen, as the last mouse message saw it
    TWeakRef<TCustomubBarControl> target_;
    TWeakRef<TubBarItemLink> targetLink_;
    TPlace place_;
    TWeakRef<TCustomubBarControl> markBar_;
    TWeakRef<TubBarItemLink> markLink_;
    TPlace mark_;
    bool markCopy_ = false;
    TWeakRef<TCustomubBarControl> selectedRoot_;
    bool copy_ = false;
    bool moved_ = false;
    bool released_ = false;
    bool overCategories_ = false;
    int shownCategory_ = kOutsideCategoryList;
    HWND capture_ = nullptr;
};

void TubBarItemDrag::Run() {
    TubBarItem* item = item_.Get();
    if (item == nullptr) return;
    manager_->DraggedItem = item;
    manager_->DraggedLink = link_.Get();
    manager_->InDrag = true;
    // The link was taken where its bar saw the press.
    if (TubBarItemLink* link = link_.Get(); link != nullptr && link->Control != nullptr && link->Control->Parent) {
        const TPoint p = link->Control->Parent->PressPoint();
        grab_ = TPoint(p.x - link->ItemRect.left, p.y - link->ItemRect.top);
    }
    pointer_ = MessagePoint();
    copy_ = CtrlDown();
    const TCursor savedCursor = Screen->GetCursor();

    // The capture: the customizing form while it is open, else the application window when it shows, else
    // the manager's form.
    HWND formWindow = manager_->GetCustomizing() ? CustomizingFormHandle() : nullptr;
    if (formWindow == nullptr) {
        const HWND application = Application->Handle();
        if (application != nullptr && IsWindowVisible(application)) formWindow = application;
    }
    if (formWindow == nullptr && manager_->Form()->HandleAllocated()) formWindow = manager_->Form()->GetHandle();
    capture_ = formWindow;
    if (capture_ != nullptr) SetCapture(capture_);

    // The pointer has left the press point already (a bar's drag threshold or the command list's drag
    // detection): where it is now counts as the first move.
    moved_ = true;
    MouseMove();
    while (managerRef_.Get() != nullptr && capture_ != nullptr && GetCapture() == capture_) {
        MSG msg;
        const BOOL got = GetMessage(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
            if (msg.wParam == VK_CONTROL) {
                copy_ = msg.message == WM_KEYDOWN;
                MouseMove();
            } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
                break;
            }
            continue;
        }
        if (msg.message == WM_MOUSEMOVE) {
            moved_ = true;
            pointer_ = TPoint(msg.pt.x, msg.pt.y);
            MouseMove();
            continue;
        }
        if (msg.message == WM_LBUTTONUP) {
            pointer_ = TPoint(msg.pt.x, msg.pt.y);
            released_ = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }

    TubBarManager* manager = managerRef_.Get();
    if (manager == nullptr) return;  // the owner form went with its manager: nothing of the drag is left
    HideMark();
    if (capture_ != nullptr && GetCapture() == capture_) ReleaseCapture();
    Screen->SetCursor(savedCursor);
    if (manager->DragImageWindow != nullptr) {
        if (IsWindow(manager->DragImageWindow)) DestroyWindow(manager->DragImageWindow);
        manager->DragImageWindow = nullptr;
    }
    manager->InDrag = false;
    // The bars drawn over meanwhile (selections that were not repainted during the drag) show as they are.
    for (TCustomubBarControl* bar : LiveBarControls())
        if (bar->BarManager() == manager && bar->HandleAllocated()) bar->Invalidate();
    if (moved_ && released_ && item_.Get() != nullptr) Drop();
    if (managerRef_.Get() == nullptr) return;
    manager->DraggedItem = nullptr;
    manager->DraggedLink = nullptr;
    if (TubBarItemLink* link = link_.Get(); link != nullptr && link->Control != nullptr) link->Control->Repaint();
}

TCustomubBarControl* TubBarItemDrag::TargetAt(TPoint AScreen) const {
    auto ownBar = [this](TCustomubBarControl* ABar) {
        return ABar != nullptr && ABar->BarManager() == manager_ && ABar->HandleAllocated() &&
               IsWindowVisible(ABar->GetHandle());
    };
    const HWND under = DeepestWindowAt(AScreen);
    auto* bar = dynamic_cast<TCustomubBarControl*>(ControlOfWindow(under));
    if (bar == nullptr) {
        // Outside the customizing form the first bar window of the manager that holds the point takes it.
        const HWND form = CustomizingFormHandle();
        if (form != nullptr && under != nullptr && (under == form || IsChild(form, under))) return nullptr;
        for (TCustomubBarControl* live : LiveBarControls()) {
            if (!ownBar(live)) continue;
            RECT r{};
            GetWindowRect(live->GetHandle(), &r);
            POINT p{AScreen.x, AScreen.y};
            if (PtInRect(&r, p)) return live;
        }
        return nullptr;
    }
    // A bar window of another manager counts as nothing, and so does one that takes no drops.
    if (!ownBar(bar) || !bar->CanCustomize()) return nullptr;
    return bar;
}

TubBarItemDrag::TPlace TubBarItemDrag::PlaceAt(TCustomubBarControl* ABar, TPoint AScreen) const {
    TPlace place;
    place.Bar = ABar;
    if (ABar == nullptr) return place;
    const TubBarDropTarget hit = ABar->GetDropTarget(ABar->ScreenToClient(AScreen));
    place.Across = hit.Vertical;
    place.Link = hit.Link != nullptr && hit.Link->Control != nullptr ? hit.Link : nullptr;
    place.Before = hit.FirstHalf;
    place.InItemRect = hit.InItemRect;
    return place;
}

bool TubBarItemDrag::DropBeginsGroup(const TPlace& APlace) const {
    // Dropped on the first half of a control that begins a group, the new link comes after the separator.
    return APlace.Link != nullptr && APlace.Before && APlace.InItemRect && APlace.Link->BeginGroup;
}

bool TubBarItemDrag::LeavesLinkInPlace(const TPlace& APlace) const {
    TubBarItemLink* dragged = link_.Get();
    if (dragged == nullptr || copy_ || APlace.Link == nullptr) return false;
    if (APlace.Link == dragged) return true;
    TubBarItemLinks* links = dragged->Links();
    if (APlace.Link->Links() != links) return false;
    const auto& visible = links->VisibleItems();
    const int at = visible.IndexOf(dragged);
    const int there = visible.IndexOf(APlace.Link);
    if (at < 0 || there < 0) return false;
    // Right after the link before it, or right before the link after it, while the dragged link begins no
    // group and the drop makes none.
    if (dragged->BeginGroup || DropBeginsGroup(APlace)) return false;
    return (!APlace.Before && there == at - 1) || (APlace.Before && there == at + 1);
}

void TubBarItemDrag::HideMark() {
    if (!manager_->dropMarkShown_) return;
    manager_->dropMarkShown_ = false;
    TCustomubBarControl* bar = markBar_.Get();
    TubBarItemLink* link = markLink_.Get();
    // A bar or link that went meanwhile took its mark with it.
    if (bar == nullptr || link == nullptr || link->Control == nullptr) return;
    InvertDropMark(bar->GetHandle(), link->ItemRect, mark_.Across, !mark_.Before);
}

void TubBarItemDrag::ShowMark(const TPlace& APlace) {
    if (APlace.Bar == nullptr || APlace.Link == nullptr || LeavesLinkInPlace(APlace)) return;
    if (!APlace.Bar->HandleAllocated()) return;
    markBar_.Set(APlace.Bar);
    markLink_.Set(APlace.Link);
    mark_ = APlace;
    InvertDropMark(APlace.Bar->GetHandle(), APlace.Link->ItemRect, APlace.Across, !APlace.Before);
    manager_->dropMarkShown_ = true;
}

void TubBarItemDrag::Select(TCustomubBarControl* ABar, TubBarItemControl* AControl) {
    // A bar of another chain drops its selection (and closes its menus) first.
    TCustomubBarControl* root = ABar != nullptr ? RootBarControl(ABar) : nullptr;
    if (TCustomubBarControl* old = selectedRoot_.Get(); old != nullptr && old != root) old->SelectByPointer(nullptr);
    selectedRoot_.Set(root);
    if (ABar == nullptr) {
        manager_->SetSelectedControl(nullptr);
        return;
    }
    manager_->SetSelectedControl(AControl);
    // A sub-item opens its menu; any other control becomes the bar's selection.
    ABar->SelectByPointer(AControl);
}

void TubBarItemDrag::MouseMove() {
    const TPoint screen = pointer_;
    TubBarItem* item = item_.Get();
    if (item == nullptr || managerRef_.Get() == nullptr) return;
    // From the command list, over the form's category list: the category under the pointer shows there.
    if (!fromLink_) {
        const int category = CustomizingFormCategoryAt(screen);
        if (category != kOutsideCategoryList) {
            HideMark();
            overCategories_ = true;
            shownCategory_ = category >= 0 ? category : item->GetCategory();
            CustomizingFormShowCategory(shownCategory_);
            Screen->SetCursor(category >= 0 ? crubBarDrag : crubBarDragNoDrop);
            return;
        }
        if (overCategories_) {
            overCategories_ = false;
            CustomizingFormShowCategory(item->GetCategory());
        }
    }
    // Over the sub-menu editor, its menu opens again below it (unless the item may not go in there).
    if (TubBarSubMenuEditor* editor = SubMenuEditor(); editor != nullptr && editor->HandleAllocated()) {
        const HWND under = DeepestWindowAt(screen);
        if (under != nullptr && (under == editor->GetHandle() || IsChild(editor->GetHandle(), under))) {
            HideMark();
            editor->ShowMenuWindow();
            if (item_.Get() == nullptr || managerRef_.Get() == nullptr) return;
        }
    }
    TCustomubBarControl* bar = TargetAt(screen);
    TPlace place = PlaceAt(bar, screen);
    const bool hasLinks =
        bar != nullptr && bar->GetItemLinks() != nullptr && bar->GetItemLinks()->VisibleItemCount() > 0;
    if (bar == nullptr || (place.Link == nullptr && hasLinks)) Screen->SetCursor(crubBarDragNoDrop);
    else Screen->SetCursor(link_.Get() != nullptr && !copy_ ? crubBarDrag : crubBarDragCopy);
    const bool changed = !(place == place_) || bar != target_.Get() || place.Link != targetLink_.Get();
    if (changed || markCopy_ != copy_) {
        HideMark();
        target_.Set(bar);
        targetLink_.Set(place.Link);
        place_ = place;
        markCopy_ = copy_;
        if (changed) {
            TAliveCheck barAlive(bar);
            Select(bar, place.Link != nullptr ? place.Link->Control : nullptr);
            if (bar != nullptr && !barAlive.Alive()) {
                target_.Set(nullptr);
                place_ = TPlace{};
                return;
            }
        }
        if (place_.Link != nullptr && place_.Link == targetLink_.Get()) ShowMark(place_);
    }
    // A menu hears the move itself (its scroll zones).
    if (bar != nullptr && bar->IsSubMenu() && bar->HandleAllocated()) {
        const TPoint p = bar->ScreenToClient(screen);
        SendMessage(bar->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    }
}

void TubBarItemDrag::Drop() {
    // A link freed meanwhile drops nothing in its place.
    if (fromLink_ && link_.Get() == nullptr) return;
    if (overCategories_) {
        DropOnCategory();
        return;
    }
    TCustomubBarControl* bar = target_.Get();
    if (bar == nullptr) {
        DropOff();
        return;
    }
    TubBarItemLink* dragged = link_.Get();
    TubBarItemLink* under = targetLink_.Get();
    if (dragged != nullptr && !copy_ && under == dragged) {
        ShiftGroup();
        return;
    }
    DropOnBar();
}

void TubBarItemDrag::DropOnCategory() {
    TubBarItem* item = item_.Get();
    if (shownCategory_ < 0 || shownCategory_ == item->GetCategory()) return;
    // The item moves to just after the last item of its new category.
    int last = -1;
    for (int i = 0; i < manager_->ItemCount(); ++i)
        if (manager_->Items(i)->GetCategory() == shownCategory_) last = i;
    int from = -1;
    for (int i = 0; i < manager_->ItemCount(); ++i)
        if (manager_->Items(i) == item) from = i;
    int to = last < 0 ? manager_->ItemCount() - 1 : (from < last ? last : last + 1);
    if (to > manager_->ItemCount() - 1) to = manager_->ItemCount() - 1;
    if (from >= 0 && to != from) manager_->MoveItemInList(from, to);
    item->SetCategory(shownCategory_);
}

void TubBarItemDrag::DropOff() {
    TubBarItemLink* dragged = link_.Get();
    if (dragged != nullptr && !copy_) {
        delete dragged;
        if (managerRef_.Get() == nullptr) return;
        manager_->NotifyDesigner();
    }
    if (TubBarItemControl* selected = manager_->GetSelectedControl()) {
        TCustomubBarControl* bar = selected->Parent;
        manager_->SetSelectedControl(nullptr);
        if (bar != nullptr && IsLiveBarControl(bar)) {
            bar->SetSelected(nullptr);
            bar->Rebuild();
        }
    }
}

void TubBarItemDrag::DropOnBar() {
    TCustomubBarControl* bar = target_.Get();
    TubBarItemLinks* links = bar->GetItemLinks();
    TubBarItemLink* under = targetLink_.Get();
    TubBarItem* item = item_.Get();
    if (links == nullptr) return;
    const POINT screen{pointer_.x, pointer_.y};
    RECT r{};
    GetWindowRect(bar->GetHandle(), &r);
    if (under == nullptr && (links->VisibleItemCount() > 0 || !PtInRect(&r, screen))) return;
    TubBarItemLink* dragged = link_.Get();
    if (LeavesLinkInPlace(place_)) return;
    const bool beginsGroup = DropBeginsGroup(place_);
    const int index = under == nullptr ? links->Count() : under->GetIndex() + (place_.Before ? 0 : 1);
    const bool otherList = dragged == nullptr || dragged->Links() != links;
    TubBarItemLink* added = nullptr;
    {
        TubBarUpdateLock lock(manager_);
        added = links->Insert(index);
        if (dragged != nullptr) {
            added->Assign(dragged);
            added->SetMostRecentlyUsed(dragged->GetMostRecentlyUsed());
        } else {
            added->SetItem(item);
        }
        added->BeginGroup = beginsGroup;
        if (beginsGroup && under != nullptr) under->BeginGroup = false;
        added->SetVisible(true);
        if (dragged != nullptr && !copy_) delete dragged;
    }
    if (managerRef_.Get() == nullptr) return;
    TWeakRef<TubBarItemLink> addedRef(added);
    if (TCustomubBarControl* still = target_.Get(); still != nullptr && (otherList || copy_)) still->Rebuild();
    manager_->NotifyDesigner();
    // An open menu of another bar closes; the bar selects the new control.
    bar = target_.Get();
    added = addedRef.Get();
    if (bar == nullptr || added == nullptr) return;
    if (TCustomubBarControl* open = CurrentMenuControl;
        open != nullptr && open != bar && !open->IsParentOf(bar) && RootBarControl(open) != RootBarControl(bar))
        open->CloseAll();
    if (added->Control != nullptr && IsLiveBarControl(bar)) {
        manager_->SetSelectedControl(added->Control);
        bar->SetSelected(added->Control);
        bar->Invalidate();
    }
}

void TubBarItemDrag::ShiftGroup() {
    TubBarItemLink* dragged = link_.Get();
    TCustomubBarControl* bar = target_.Get();
    if (dragged == nullptr || bar == nullptr) return;
    const TPoint p = bar->ScreenToClient(pointer_);
    const bool along = place_.Across;  // menus and vertical toolbars: up and down
    const int shift = along ? p.y - (dragged->ItemRect.top + grab_.y) : p.x - (dragged->ItemRect.left + grab_.x);
    if (std::abs(shift) <= 3) return;
    const bool begin = shift > 0;
    if (dragged->BeginGroup != begin) {
        dragged->BeginGroup = begin;
        if (dragged->Links() != nullptr) dragged->Links()->RebuildLists();
        bar->Rebuild();
        manager_->NotifyDesigner();
    }
    if (dragged->Control != nullptr && IsLiveBarControl(bar)) {
        bar->SetSelected(dragged->Control);
        bar->Invalidate();
    }
}

void TubBarManager::RunItemDrag(TubBarItem* AItem, TubBarItemLink* ALink) {
    if (AItem == nullptr || InDrag) return;
    TubBarItemDrag drag(this, AItem, ALink);
    drag.Run();
}

void TubBarManager::NotifyItemChanged(TubBarItem* AItem) {
    if (AItem == nullptr || AItem->GetCategory() < 0 || !(Designing() || GetCustomizing())) return;
    if (ComponentState().Contains(csLoading) || IsDestroying()) return;
    CustomizingFormCommandsChanged();
}

}  // namespace zel
