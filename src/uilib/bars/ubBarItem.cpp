#include "uilib/bars/ubBarItem.h"

#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarUnit.h"

namespace zel {

TClass TubBarItem::StaticClass() {
    static const TClassInfo component{"TComponent", nullptr};
    static const TClassInfo info{"TubBarItem", &component};
    return &info;
}

TubBarItem::TubBarItem(TComponent* AOwner) : TComponent(AOwner) {
    barManager_ = ManagerOfForm(AOwner);
    if (barManager_ == nullptr && BarManagerList() != nullptr) barManager_ = BarManagerList()->Managers(0);
    if (barManager_ != nullptr) barManager_->AddItem(this);
}

TubBarItem::~TubBarItem() {
    ClearLinksToObject(this);
    RemoveTemporaryItem(this);
    if (barManager_ != nullptr) barManager_->RemoveItem(this);
}

TComponent* TubBarItem::GetParentComponent() const { return barManager_; }

TubBarItemControl::~TubBarItemControl() { ClearLinksToObject(this); }

TCustomubBarControl::TCustomubBarControl(TComponent* AOwner) : TCustomControl(AOwner) { AddLiveBarControl(this); }

TCustomubBarControl::~TCustomubBarControl() {
    if (CurrentMenuControl == this) CurrentMenuControl = nullptr;
    RemoveLiveBarControl(this);
    ClearLinksToObject(this);
}

bool TCustomubBarControl::IsActive() const { return CurrentMenuControl == this; }

}  // namespace zel
