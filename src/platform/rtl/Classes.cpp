#include "platform/rtl/Classes.h"

#include <algorithm>

namespace zel {

namespace {

// Replaces the first "%d" or "%s" of fmt with arg.
std::string FormatArg(std::string_view fmt, std::string_view arg) {
    std::string r(fmt);
    for (std::size_t i = 0; i + 1 < r.size(); ++i) {
        if (r[i] == '%' && (r[i + 1] == 'd' || r[i + 1] == 's')) {
            r.replace(i, 2, arg);
            break;
        }
    }
    return r;
}

bool IsAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsAlphaNumeric(char c) { return IsAlpha(c) || (c >= '0' && c <= '9'); }

}  // namespace

// ============================================================================================== TList

TList::~TList() = default;

void TList::Error(const char* msg, int data) { throw EListError(FormatArg(msg, IntToStr(data))); }

void TList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) Error(SListIndexError, Index);
}

void TList::Grow() {
    int delta;
    if (capacity_ > 64) delta = capacity_ / 4;
    else if (capacity_ > 8) delta = 16;
    else delta = 4;
    SetCapacity(capacity_ + delta);
}

void TList::SetCapacity(int NewCapacity) {
    if (NewCapacity < Count() || NewCapacity > MaxListSize) Error(SListCapacityError, NewCapacity);
    if (NewCapacity != capacity_) {
        if (NewCapacity < capacity_) {
            std::vector<void*> shrunk;
            shrunk.reserve(static_cast<std::size_t>(NewCapacity));
            shrunk.assign(list_.begin(), list_.end());
            list_.swap(shrunk);
        } else {
            list_.reserve(static_cast<std::size_t>(NewCapacity));
        }
        capacity_ = NewCapacity;
    }
}

void TList::SetCount(int NewCount) {
    if (NewCount < 0 || NewCount > MaxListSize) Error(SListCountError, NewCount);
    if (NewCount > capacity_) SetCapacity(NewCount);
    if (NewCount > Count()) list_.resize(static_cast<std::size_t>(NewCount), nullptr);
    else
        for (int i = Count() - 1; i >= NewCount; --i) Delete(i);
}

int TList::Add(void* Item) {
    const int result = Count();
    if (result == capacity_) Grow();
    list_.push_back(Item);
    if (Item != nullptr) Notify(Item, lnAdded);
    return result;
}

void TList::Insert(int Index, void* Item) {
    if (Index < 0 || Index > Count()) Error(SListIndexError, Index);
    if (Count() == capacity_) Grow();
    list_.insert(list_.begin() + Index, Item);
    if (Item != nullptr) Notify(Item, lnAdded);
}

void TList::Delete(int Index) {
    CheckIndex(Index);
    void* temp = list_[static_cast<std::size_t>(Index)];
    list_.erase(list_.begin() + Index);
    if (temp != nullptr) Notify(temp, lnDeleted);
}

int TList::Remove(void* Item) {
    const int result = IndexOf(Item);
    if (result >= 0) Delete(result);
    return result;
}

void* TList::Extract(void* Item) {
    const int i = IndexOf(Item);
    if (i < 0) return nullptr;
    list_[static_cast<std::size_t>(i)] = nullptr;
    Delete(i);
    Notify(Item, lnExtracted);
    return Item;
}

int TList::IndexOf(void* Item) const {
    const auto it = std::find(list_.begin(), list_.end(), Item);
    return it == list_.end() ? -1 : static_cast<int>(it - list_.begin());
}

void TList::Clear() {
    SetCount(0);
    SetCapacity(0);
}

void TList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(list_[static_cast<std::size_t>(Index1)], list_[static_cast<std::size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    if (NewIndex < 0 || NewIndex >= Count()) Error(SListIndexError, NewIndex);
    void* item = Get(CurIndex);
    // Moved silently, as the Pascal TList does: no lnDeleted/lnAdded for the item.
    list_[static_cast<std::size_t>(CurIndex)] = nullptr;
    Delete(CurIndex);
    Insert(NewIndex, nullptr);
    list_[static_cast<std::size_t>(NewIndex)] = item;
}

void TList::Pack() {
    for (int i = Count() - 1; i >= 0; --i)
        if (list_[static_cast<std::size_t>(i)] == nullptr) Delete(i);
}

TList* TList::Expand() {
    if (Count() == capacity_) Grow();
    return this;
}

void TList::QuickSort(int L, int R, TListSortCompare Compare) {
    int i, j;
    do {
        i = L;
        j = R;
        void* p = list_[static_cast<std::size_t>((L + R) >> 1)];
        do {
            while (Compare(list_[static_cast<std::size_t>(i)], p) < 0) ++i;
            while (Compare(list_[static_cast<std::size_t>(j)], p) > 0) --j;
            if (i <= j) {
                std::swap(list_[static_cast<std::size_t>(i)], list_[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (L < j) QuickSort(L, j, Compare);
        L = i;
    } while (i < R);
}

void TList::Sort(TListSortCompare Compare) {
    if (Count() > 1) QuickSort(0, Count() - 1, Compare);
}

void* TList::First() const { return Get(0); }

void* TList::Last() const { return Get(Count() - 1); }

void* TList::Get(int Index) const {
    CheckIndex(Index);
    return list_[static_cast<std::size_t>(Index)];
}

void TList::Put(int Index, void* Item) {
    CheckIndex(Index);
    void* temp = list_[static_cast<std::size_t>(Index)];
    if (Item == temp) return;
    list_[static_cast<std::size_t>(Index)] = Item;
    if (temp != nullptr) Notify(temp, lnDeleted);
    if (Item != nullptr) Notify(Item, lnAdded);
}

void TList::Notify(void* /*Ptr*/, TListNotification /*Action*/) {}

// ======================================================================================== TPersistent

void TPersistent::Assign(TPersistent* Source) {
    if (Source != nullptr) Source->AssignTo(this);
    else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
    const std::string sourceName = Source != nullptr ? Source->ClassName() : std::string("nil");
    throw EConvertError(FormatArg(FormatArg(SAssignError, sourceName), ClassName()));
}

std::string TPersistent::GetNamePath() const {
    std::string result = ClassName();
    if (const TPersistent* owner = GetOwner()) {
        const std::string s = owner->GetNamePath();
        if (!s.empty()) result = s + "." + result;
    }
    return result;
}

// ========================================================================================= TComponent

bool IsValidIdent(std::string_view Ident) {
    if (Ident.empty() || !IsAlpha(Ident.front())) return false;
    return std::all_of(Ident.begin() + 1, Ident.end(), IsAlphaNumeric);
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    // BeforeDestruction has normally marked the component already; a component that was not
    // freed through delete (one on the stack) is marked here.
    Destroying();
    RemoveFreeNotifications();
    DestroyComponents();
    if (owner_ != nullptr) owner_->RemoveComponent(this);
}

void TComponent::operator delete(TComponent* p, std::destroying_delete_t) {
    p->BeforeDestruction();
    void* memory = dynamic_cast<void*>(p);  // the start of the most derived object
    p->~TComponent();                       // virtual: the most derived destructor first
    ::operator delete(memory);
}

void* TComponent::operator new(std::size_t size) { return ::operator new(size); }

void TComponent::operator delete(void* p) { ::operator delete(p); }

void TComponent::BeforeDestruction() {
    if (!componentState_.Contains(csDestroying)) Destroying();
}

void TComponent::Destroying() {
    if (componentState_.Contains(csDestroying)) return;
    componentState_.Include(csDestroying);
    for (TComponent* c : components_) c->Destroying();
}

TComponent* TComponent::Components(int Index) const {
    if (Index < 0 || Index >= ComponentCount()) TList::Error(SListIndexError, Index);
    return components_[static_cast<std::size_t>(Index)];
}

int TComponent::GetComponentIndex() const {
    if (owner_ == nullptr) return -1;
    const auto& list = owner_->components_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int Value) {
    if (owner_ == nullptr) return;
    const int i = GetComponentIndex();
    if (i < 0) return;
    auto& list = owner_->components_;
    const int count = static_cast<int>(list.size());
    Value = std::clamp(Value, 0, count - 1);
    if (Value != i) {
        list.erase(list.begin() + i);
        list.insert(list.begin() + Value, this);
    }
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, AName)) return c;
    return nullptr;
}

void TComponent::Insert(TComponent* AComponent) {
    components_.push_back(AComponent);
    AComponent->owner_ = this;
}

void TComponent::Remove(TComponent* AComponent) {
    const auto it = std::find(components_.begin(), components_.end(), AComponent);
    if (it != components_.end()) components_.erase(it);
    AComponent->owner_ = nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (AComponent == nullptr || AComponent->owner_ == this) return;
    AComponent->ValidateContainer(this);
    ValidateRename(AComponent, std::string(), AComponent->name_);
    // A component has one owner: leaving the old one first keeps it from being freed twice.
    if (AComponent->owner_ != nullptr) AComponent->owner_->RemoveComponent(AComponent);
    Insert(AComponent);
    if (componentState_.Contains(csDesigning)) AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (AComponent == nullptr || AComponent->owner_ != this) return;
    ValidateRename(AComponent, AComponent->name_, std::string());
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* instance = components_.back();
        // A component that others watch leaves with a notification; the rest leave silently.
        if (instance->componentState_.Contains(csFreeNotification) ||
            (componentState_ * TComponentState{csDesigning, csInline}) == TComponentState{csDesigning, csInline})
            RemoveComponent(instance);
        else Remove(instance);
        delete instance;
    }
}

void TComponent::SetName(const std::string& NewName) {
    if (name_ == NewName) return;
    if (!NewName.empty() && !IsValidIdent(NewName)) throw EComponentError(FormatArg(SInvalidName, NewName));
    if (owner_ != nullptr) owner_->ValidateRename(this, name_, NewName);
    else ValidateRename(nullptr, name_, NewName);
    ChangeName(NewName);
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName) {
    if (AComponent != nullptr && !SameText(CurName, NewName)) {
        const TComponent* other = FindComponent(NewName);
        if (other != nullptr && other != AComponent) throw EComponentError(FormatArg(SDuplicateName, NewName));
    }
    if (componentState_.Contains(csDesigning) && owner_ != nullptr)
        owner_->ValidateRename(AComponent, CurName, NewName);
}

void TComponent::ValidateContainer(TComponent* AComponent) { AComponent->ValidateInsert(this); }

void TComponent::ValidateInsert(TComponent* /*AComponent*/) {}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (AComponent == nullptr || AComponent == this) return;
    if (owner_ == nullptr || AComponent->owner_ != owner_) {
        if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end()) {
            freeNotifies_.push_back(AComponent);
            AComponent->FreeNotification(this);
        }
    }
    componentState_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (AComponent == nullptr) return;
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
    const auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent);
    if (it != freeNotifies_.end()) freeNotifies_.erase(it);
}

void TComponent::RemoveFreeNotifications() {
    while (!freeNotifies_.empty()) {
        TComponent* c = freeNotifies_.back();
        c->Notification(this, opRemove);  // the inherited Notification takes c off the list
        // An override that skipped the inherited Notification left c listed: take it off here.
        if (!freeNotifies_.empty() && freeNotifies_.back() == c) {
            freeNotifies_.pop_back();
            c->RemoveNotification(this);
        }
    }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent != nullptr) RemoveFreeNotification(AComponent);
    // The owner passes it on to the components it owns, the last first; a handler may free components on the
    // way. They pass it no further: a component that holds one owned elsewhere asked for a free notification
    // and hears through its list, so an owner of many windows tells each of them once, not all they hold.
    if (AComponent != nullptr && AComponent->owner_ != this) return;
    int i = ComponentCount() - 1;
    while (i >= 0) {
        components_[static_cast<std::size_t>(i)]->Notification(AComponent, Operation);
        --i;
        if (i >= ComponentCount()) i = ComponentCount() - 1;
    }
}

void TComponent::Loading() { componentState_.Include(csLoading); }

void TComponent::Loaded() { componentState_.Exclude(csLoading); }

void TComponent::Updating() { componentState_.Include(csUpdating); }

void TComponent::Updated() { componentState_.Exclude(csUpdating); }

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    if (Value) componentState_.Include(csDesigning);
    else componentState_.Exclude(csDesigning);
    if (SetChildren)
        for (TComponent* c : components_) c->SetDesigning(Value);
}

void TComponent::SetAncestor(bool Value) {
    if (Value) componentState_.Include(csAncestor);
    else componentState_.Exclude(csAncestor);
    for (TComponent* c : components_) c->SetAncestor(Value);
}

}  // namespace zel
