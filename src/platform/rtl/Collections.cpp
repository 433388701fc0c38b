#include "platform/rtl/Collections.h"

#include <algorithm>

#include "platform/rtl/ScopeExit.h"

namespace zel {

// ---------------------------------------------------------------------------------------------- item

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() {
    if (collection_ != nullptr) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
    if (Value == collection_) return;
    if (collection_ != nullptr) collection_->RemoveItem(this);
    if (Value != nullptr) Value->InsertItem(this);
}

int TCollectionItem::GetIndex() const {
    if (collection_ == nullptr) return -1;
    const auto& items = collection_->items_;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
    const int current = GetIndex();
    if (current < 0 || Value < 0 || Value == current) return;
    auto& items = collection_->items_;
    Value = std::min(Value, static_cast<int>(items.size()) - 1);
    items.erase(items.begin() + current);
    items.insert(items.begin() + Value, this);
    Changed(true);
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

std::string TCollectionItem::GetNamePath() const {
    if (collection_ == nullptr) return ClassName();
    return collection_->GetNamePath() + "[" + std::to_string(GetIndex()) + "]";
}

void TCollectionItem::Changed(bool AllItems) {
    if (collection_ != nullptr && collection_->updateCount_ == 0) collection_->Update(AllItems ? nullptr : this);
}

// ---------------------------------------------------------------------------------------- collection

TCollection::TCollection(TCollectionItemClass ItemClass) : itemClass_(std::move(ItemClass)) {}

TCollection::~TCollection() {
    ++updateCount_;  // no notifications while the collection goes
    while (!items_.empty()) delete items_.back();
}

TCollectionItem* TCollection::Add() { return Insert(Count()); }

TCollectionItem* TCollection::Insert(int Index) {
    if (Index < 0 || Index > Count()) TList::Error(SListIndexError, Index);
    insertAt_ = Index;
    TCollectionItem* item = nullptr;
    {
        // The item joins the list while its base part is being made; the collection hears of it once the
        // whole item stands, so that no listener sees a half-made item.
        constructing_ = true;
        TScopeExit done([this] {
            insertAt_ = -1;
            constructing_ = false;
        });
        item = itemClass_ ? itemClass_(this) : new TCollectionItem(this);
    }
    Notify(item, cnAdded);
    Changed();
    return item;
}

void TCollection::Delete(int Index) {
    TCollectionItem* item = GetItem(Index);
    Notify(item, cnDeleting);
    delete item;
}

void TCollection::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    TScopeExit done([this] { EndUpdate(); });
    while (!items_.empty()) Delete(Count() - 1);
}

TCollectionItem* TCollection::GetItem(int Index) const {
    if (Index < 0 || Index >= Count()) TList::Error(SListIndexError, Index);
    return items_[static_cast<std::size_t>(Index)];
}

TCollectionItem* TCollection::FindItemID(int ID) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == ID) return item;
    return nullptr;
}

void TCollection::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TCollection*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this) return;
    BeginUpdate();
    TScopeExit done([this] { EndUpdate(); });
    Clear();
    for (TCollectionItem* item : source->items_) Add()->Assign(item);
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
    if (updateCount_ > 0) --updateCount_;
    Changed();
}

std::string TCollection::GetNamePath() const {
    TPersistent* owner = GetOwner();
    if (owner == nullptr || PropName.empty()) return ClassName();
    std::string path = owner->GetNamePath();
    return path.empty() ? PropName : path + "." + PropName;
}

void TCollection::Changed() {
    if (updateCount_ == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item) {
    const std::size_t at = insertAt_ < 0 ? items_.size() : static_cast<std::size_t>(insertAt_);
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), Item);
    Item->collection_ = this;
    Item->id_ = nextId_++;
    if (constructing_) return;
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
    Notify(Item, cnExtracting);
    auto it = std::find(items_.begin(), items_.end(), Item);
    if (it != items_.end()) items_.erase(it);
    Item->collection_ = nullptr;
    Changed();
}

}  // namespace zel
