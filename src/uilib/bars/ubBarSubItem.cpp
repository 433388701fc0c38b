#include "uilib/bars/ubBarSubItem.h"

#include "platform/rtl/ScopeExit.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBars.h"

namespace zel {

// --------------------------------------------------------------------------------- TCustomubBarSubItem

TClass TCustomubBarSubItem::StaticClass() {
    static const TClassInfo info{"TCustomubBarSubItem", TubBarItem::StaticClass()};
    return &info;
}

TCustomubBarSubItem::TCustomubBarSubItem(TComponent* AOwner) : TubBarItem(AOwner) {
    itemLinks_ = new TubBarItemLinks(GetBarManager(), this);
}

TCustomubBarSubItem::~TCustomubBarSubItem() {
    SetDetachingBar(-1);
    delete itemLinks_;
}

void TCustomubBarSubItem::BarManagerChanged() { itemLinks_->SetBarManager(GetBarManager()); }

int TCustomubBarSubItem::GetDetachingBar() const { return detachingBar_ != nullptr ? detachingBar_->GetIndex() : -1; }

void TCustomubBarSubItem::SetDetachingBar(int Value) {
    TubBars* bars = GetBarManager() != nullptr ? GetBarManager()->GetBars() : nullptr;
    TubBar* bar = bars != nullptr && Value >= 0 && Value < bars->Count() ? bars->Items(Value) : nullptr;
    if (bar == detachingBar_) return;
    if (detachingBar_ != nullptr) detachingBar_->RemoveSubItemUser(this);
    detachingBar_ = bar;
    if (bar != nullptr) bar->AddSubItemUser(this);
}

void TCustomubBarSubItem::BarRemoving(TubBar* ABar) {
    if (ABar == detachingBar_) {
        detachingBar_->RemoveSubItemUser(this);
        detachingBar_ = nullptr;
    }
}

void TCustomubBarSubItem::SetItemLinks(TubBarItemLinks* Value) { itemLinks_->Assign(Value); }

void TCustomubBarSubItem::SetShowCaption(bool Value) {
    if (Value == showCaption_) return;
    showCaption_ = Value;
    if (!IsLoading()) Relayout();
}

void TCustomubBarSubItem::DoCloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomubBarSubItem::DoDetaching() {
    if (OnDetaching) OnDetaching(this);
}

void TCustomubBarSubItem::DoPopup() {
    if (OnPopup) OnPopup(this);
}

void TCustomubBarSubItem::DoPaintBar(TCanvas* Canvas, const TRect& R) {
    if (OnPaintBar) OnPaintBar(this, Canvas, R);
}

TClass TubBarSubItem::StaticClass() {
    static const TClassInfo info{"TubBarSubItem", TCustomubBarSubItem::StaticClass()};
    return &info;
}

// --------------------------------------------------------------------------- TCustomubBarContainerItem

TClass TCustomubBarContainerItem::StaticClass() {
    static const TClassInfo info{"TCustomubBarContainerItem", TCustomubBarSubItem::StaticClass()};
    return &info;
}

TCustomubBarContainerItem::~TCustomubBarContainerItem() {
    if (filled_) filled_ = false;
}

void TCustomubBarContainerItem::Fill(TubBarItemLinks* /*ADest*/, int /*ABaseIndex*/, TubBarItemLink* /*AOwnerLink*/,
                                     bool AGetData) {
    if (filled_) ClearContent();
    if (!AGetData || !OnGetData) return;
    inGetData_ = true;
    TScopeExit done([this] { inGetData_ = false; });
    OnGetData(this);
}

void TCustomubBarContainerItem::RemoveContent(TubBarItemLinks* ADest, int ABaseIndex, int ACount) {
    // Only links filled in for this container go: its content may have changed size since it was filled.
    for (int i = 0; i < ACount && ABaseIndex < ADest->Count(); ++i) {
        const TubBarItemLink* owner = ADest->Items(ABaseIndex)->OwnerLink();
        if (owner == nullptr || owner->GetItem() != this) return;
        ADest->Delete(ABaseIndex);
    }
}

void TCustomubBarContainerItem::DataChanged() {
    if (!inGetData_ && !IsLoading() && !IsDestroying()) VisibleChanged();
}

// -------------------------------------------------------------------------------------- TubBarListItem

TClass TubBarListItem::StaticClass() {
    static const TClassInfo info{"TubBarListItem", TCustomubBarContainerItem::StaticClass()};
    return &info;
}

TubBarListItem::TubBarListItem(TComponent* AOwner) : TCustomubBarContainerItem(AOwner) {
    items_ = new TStringList();
    items_->OnChange = [this](TObject*) { DataChanged(); };
}

TubBarListItem::~TubBarListItem() {
    // The generated buttons belong to the form; they go with the list item.
    FreeButtons();
    delete items_;
}

void TubBarListItem::FreeButtons() {
    // Last first; each button's freeing also reaches Notification, which finds it gone already.
    while (!buttons_.empty()) {
        TubBarButton* b = buttons_.back();
        buttons_.pop_back();
        delete b;
    }
}

void TubBarListItem::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomubBarContainerItem::Notification(AComponent, Operation);
    if (Operation == opRemove) std::erase(buttons_, AComponent);
}

bool TubBarListItem::HasContent() const { return static_cast<bool>(OnGetData) || items_->GetCount() > 0; }

void TubBarListItem::DirectClick() {
    for (int i = 0; i < LinkCount(); ++i)
        if (Links(i)->Control != nullptr && GetBarManager() != nullptr &&
            GetBarManager()->GetSelectedControl() == Links(i)->Control)
            return;
    TCustomubBarContainerItem::DirectClick();
}

int TubBarListItem::GetDataIndex() const {
    if (ItemIndex < 0 || ItemIndex >= items_->GetCount()) return -1;
    int n = 0;
    for (int i = 0; i < ItemIndex; ++i)
        if (items_->Get(i) != "-") ++n;
    return n;
}

void TubBarListItem::SetDataIndex(int Value) {
    if (items_->GetCount() == 0) {
        ItemIndex = -1;
        return;
    }
    int n = -1;
    for (int i = 0; i < items_->GetCount(); ++i) {
        if (items_->Get(i) != "-") ++n;
        if (n == Value) {
            ItemIndex = i;
            return;
        }
    }
    ItemIndex = items_->GetCount();
}

void TubBarListItem::Fill(TubBarItemLinks* ADest, int ABaseIndex, TubBarItemLink* AOwnerLink, bool AGetData) {
    TCustomubBarContainerItem::Fill(ADest, ABaseIndex, AOwnerLink, AGetData);
    const bool creating = buttons_.empty();
    TComponent* form = GetBarManager() != nullptr ? static_cast<TComponent*>(GetBarManager()->Form()) : nullptr;
    bool beginNext = false;
    int k = 0;
    for (int p = 0; p < items_->GetCount(); ++p) {
        const std::string s = items_->Get(p);
        if (s == "-") {
            beginNext = true;
            continue;
        }
        if (creating) {
            auto* b = new TubBarButton(form);
            buttons_.push_back(b);
            b->FreeNotification(this);
            b->SetAction(GetAction());
            if (ShowCheck && p == ItemIndex) {
                b->SetButtonStyle(bsChecked);
                b->SetDown(true);
            }
            std::string caption;
            if (ShowNumbers)
                caption = "&" + (k <= 8 ? std::to_string(k + 1) : std::string(1, static_cast<char>(k + 56))) + " ";
            b->SetCaption(caption + DisplayText(s));
            b->Tag = p;
            b->OnClick = [this, b](TObject*) {
                ItemIndex = static_cast<int>(b->Tag);
                DirectClick();
            };
            b->SetEnabled(GetEnabled());
        }
        if (k < static_cast<int>(buttons_.size())) {
            TubBarItemLink* link = ADest->Insert(k + ABaseIndex);
            link->SetItem(buttons_[static_cast<std::size_t>(k)]);
            link->BeginGroup = k == 0 || beginNext;
            link->BindToOwnerLink(AOwnerLink);
        }
        beginNext = false;
        ++k;
    }
    MarkFilled();
}

void TubBarListItem::Remove(TubBarItemLinks* ADest, int ABaseIndex) {
    int entries = 0;
    for (int p = 0; p < items_->GetCount(); ++p)
        if (items_->Get(p) != "-") ++entries;
    RemoveContent(ADest, ABaseIndex, entries);
}

void TubBarListItem::ClearContent() {
    if (!buttons_.empty() && buttons_.front()->LinkCount() == 0) FreeButtons();
    TCustomubBarContainerItem::ClearContent();
}

// --------------------------------------------------------------------------------- TubBarContainerItem

TClass TubBarContainerItem::StaticClass() {
    static const TClassInfo info{"TubBarContainerItem", TCustomubBarContainerItem::StaticClass()};
    return &info;
}

void TubBarContainerItem::Fill(TubBarItemLinks* ADest, int ABaseIndex, TubBarItemLink* AOwnerLink, bool AGetData) {
    TCustomubBarContainerItem::Fill(ADest, ABaseIndex, AOwnerLink, AGetData);
    if (ADest == GetItemLinks()) return;
    for (int i = 0; i < GetItemLinks()->Count(); ++i) {
        TubBarItemLink* link = ADest->Insert(ABaseIndex + i);
        link->Assign(GetItemLinks()->Items(i));
        if (i == 0 && ReplacesPlaceholder()) link->BeginGroup = true;
        link->BindToOwnerLink(AOwnerLink);
    }
    MarkFilled();
}

void TubBarContainerItem::Remove(TubBarItemLinks* ADest, int ABaseIndex) {
    if (ADest != GetItemLinks()) RemoveContent(ADest, ABaseIndex, GetItemLinks()->Count());
}

bool TubBarContainerItem::HasContent() const {
    if (OnGetData) return true;
    const TubBarItemLinks* links = GetItemLinks();
    if (links->Count() == 0) return false;
    bool anyItem = false;
    for (int i = 0; i < links->Count(); ++i)
        if (const TubBarItem* item = links->Items(i)->GetItem()) {
            anyItem = true;
            if (item->IsShowable()) return true;
        }
    return !anyItem;
}

}  // namespace zel
