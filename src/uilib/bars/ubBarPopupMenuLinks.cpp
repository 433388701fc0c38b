#include "uilib/bars/ubBarPopupMenuLinks.h"

#include "platform/vcl/Forms.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarUnit.h"

namespace zel {

TubBarPopupMenuLinks::TubBarPopupMenuLinks(TubBarManager* AManager)
    : TOwnedCollection(AManager, CollectionItemClassOf<TubBarPopupMenuLink>()), manager_(AManager) {
    PropName = "PopupMenuLinks";
}

void TubBarPopupMenuLinks::ComponentRemoved(TComponent* AComponent) {
    for (int i = 0; i < Count(); ++i) {
        TubBarPopupMenuLink* link = Items(i);
        if (link->GetControl() == AComponent) link->SetControl(nullptr);
        if (link->GetPopupMenu() == AComponent) link->SetPopupMenu(nullptr);
    }
}

std::vector<TubBarPopupMenuLink*> TubBarPopupMenuLinks::LinksInSearchOrder(TWinControl* AControl) const {
    std::vector<TubBarPopupMenuLink*> order;
    for (TWinControl* c = AControl; c != nullptr; c = c->GetParent())
        for (int i = 0; i < Count(); ++i)
            if (TubBarPopupMenuLink* link = Items(i);
                link->GetControl() == c && (c == AControl || link->ProcessChildren))
                order.push_back(link);
    return order;
}

bool TubBarPopupMenuLinks::FindShortCut(TWinControl* AControl, TShortCut AShortCut) {
    if (AShortCut == 0) return false;
    for (TubBarPopupMenuLink* link : LinksInSearchOrder(AControl)) {
        auto* menu = dynamic_cast<TubBarPopupMenu*>(link->GetPopupMenu());
        if (menu == nullptr) continue;
        bool allow = true;
        if (link->OnAction) {
            int x = -1, y = -1;
            link->OnAction(link, x, y, false, allow);
        }
        if (allow && menu->IsShortCut(AShortCut)) return true;
    }
    return false;
}

bool TubBarPopupMenuLinks::PopupFor(TWinControl* AControl, HWND Window, TPoint MousePoint) {
    if (manager_ == nullptr || manager_->Designing() || AControl == nullptr || Window == nullptr) return false;
    const bool byMouse = !(MousePoint.x == -1 && MousePoint.y == -1);
    for (TubBarPopupMenuLink* link : LinksInSearchOrder(AControl)) {
        // The request is served here: the platform's own context message for it is not.
        MSG pending{};
        while (PeekMessage(&pending, Window, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE)) {
        }
        // From the keyboard the menu opens at the caret, or at the window's corner when it has none.
        POINT p{0, 0};
        if (byMouse) {
            p = POINT{MousePoint.x, MousePoint.y};
            ::zel::ScreenToClient(Window, &p);
        } else if (GetCaretWindow() == Window) GetCaretPos(&p);
        // The control's own handling comes first, at the point in its coordinates.
        TWinControl* control = link->GetControl();
        POINT offered = p;
        if (byMouse) MapWindowPoints(Window, control->GetHandle(), &offered, 1);
        if (control->OfferContextPopup(byMouse ? TPoint(offered.x, offered.y) : TPoint(-1, -1))) return true;
        auto* menu = dynamic_cast<TubBarPopupMenu*>(link->GetPopupMenu());
        bool allow = menu != nullptr;
        int x = p.x, y = p.y;
        if (link->OnAction) link->OnAction(link, x, y, byMouse, allow);
        if (!allow || menu == nullptr) continue;
        if (IsWindowEnabled(Window)) SetFocus(Window);
        POINT at{x, y};
        ClientToScreen(Window, &at);
        menu->ShowMenuAt(at.x, at.y);
        return true;
    }
    return false;
}

TubBarPopupMenuLinks* LinksOfFocus() {
    TWinControl* focused = ControlOfWindow(GetFocus());
    TubBarManager* manager = focused != nullptr ? ManagerOfForm(GetParentForm(focused)) : nullptr;
    return manager != nullptr ? manager->GetPopupMenuLinks() : nullptr;
}

TubBarManager* TubBarPopupMenuLink::Manager() const {
    auto* links = dynamic_cast<TubBarPopupMenuLinks*>(GetCollection());
    return links != nullptr ? links->Manager() : nullptr;
}

void TubBarPopupMenuLink::SetControl(TWinControl* Value) {
    TubBarManager* manager = Manager();
    if (Value != nullptr) {
        const TCustomForm* form =
            manager != nullptr && manager->Designing() ? Value->GetParentForm() : GetParentForm(Value);
        if (manager == nullptr || form != manager->Form()) Value = nullptr;
    }
    control_ = Value;
    if (control_ != nullptr) control_->FreeNotification(manager);
}

void TubBarPopupMenuLink::SetPopupMenu(TComponent* Value) {
    popupMenu_ = Value;
    if (popupMenu_ != nullptr && Manager() != nullptr) popupMenu_->FreeNotification(Manager());
}

void TubBarPopupMenuLink::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TubBarPopupMenuLink*>(Source);
    if (source == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    TubBarManager* manager = Manager();
    const TComponent* root = manager != nullptr ? manager->GetOwner() : nullptr;
    auto byName = [root](const TComponent* c) -> TComponent* {
        return root != nullptr && c != nullptr && !c->GetName().empty() ? root->FindComponent(c->GetName()) : nullptr;
    };
    SetControl(dynamic_cast<TWinControl*>(byName(source->GetControl())));
    SetPopupMenu(byName(source->GetPopupMenu()));
    ProcessChildren = source->ProcessChildren;
}

}  // namespace zel
