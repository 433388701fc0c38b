#include "uilib/bars/ubBarPopupMenuLinks.h"

#include "platform/vcl/Forms.h"
#include "uilib/bars/ubBarManager.h"

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
