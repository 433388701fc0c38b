#include "uilib/bars/ubBarCompanions.h"

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Forms.h"
#include "uilib/bars/ubBarConsts.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {
// Where the items of a moving category wait while the others shift.
constexpr int kParkedCategory = -1000;
}  // namespace

// ---- categories --------------------------------------------------------------------------------------------

TubBarManagerCategories::TubBarManagerCategories(TubBarManager* AManager) : manager_(AManager) { OwnsObjects = true; }

TubBarManagerCategories::~TubBarManagerCategories() = default;

void TubBarManagerCategories::Changed() {
    TStringList::Changed();
    if (manager_ != nullptr) manager_->NotifyDesigner();
}

TubBarCategoryData* TubBarManagerCategories::Data(int Index) const {
    if (Index < 0 || Index >= GetCount()) return nullptr;
    return static_cast<TubBarCategoryData*>(GetObject(Index));
}

TubBarCategoryData* TubBarManagerCategories::NeedData(int Index) {
    TubBarCategoryData* data = Data(Index);
    if (data == nullptr) {
        data = new TubBarCategoryData;
        PutObject(Index, data);
    }
    return data;
}

void TubBarManagerCategories::Renumber(int From, int To) {
    for (int i = 0; i < manager_->ItemCount(); ++i)
        if (TubBarItem* item = manager_->Items(i); item->GetCategory() == From) item->RenumberCategory(To);
}

void TubBarManagerCategories::Clear() { TStringList::Clear(); }

void TubBarManagerCategories::Delete(int Index) {
    if (Index < 0 || Index >= GetCount()) {
        TStringList::Delete(Index);  // the list's index error
        return;
    }
    if (!moving_) {
        for (int i = manager_->ItemCount() - 1; i >= 0; --i)
            if (i < manager_->ItemCount() && manager_->Items(i)->GetCategory() == Index) delete manager_->Items(i);
        for (int c = Index + 1; c < GetCount(); ++c) Renumber(c, c - 1);
    }
    TStringList::Delete(Index);
    if (!moving_ && GetCount() == 0) Add(LoadLibraryString(&ubSubDefaultCategoryName));
}

void TubBarManagerCategories::InsertObject(int Index, const std::string& S, TObject* AObject) {
    if (!moving_ && Index >= 0 && Index < GetCount())
        for (int c = GetCount() - 1; c >= Index; --c) Renumber(c, c + 1);
    TStringList::InsertObject(Index, S, AObject);
}

void TubBarManagerCategories::Exchange(int Index1, int Index2) {
    if (Index1 >= 0 && Index1 < GetCount() && Index2 >= 0 && Index2 < GetCount() && Index1 != Index2) {
        Renumber(Index1, kParkedCategory);
        Renumber(Index2, Index1);
        Renumber(kParkedCategory, Index2);
    }
    TStringList::Exchange(Index1, Index2);
}

void TubBarManagerCategories::Move(int CurIndex, int NewIndex) {
    const int count = GetCount();
    if (CurIndex < 0 || CurIndex >= count || NewIndex < 0 || NewIndex >= count || CurIndex == NewIndex) return;
    Renumber(CurIndex, kParkedCategory);
    if (CurIndex < NewIndex)
        for (int c = CurIndex + 1; c <= NewIndex; ++c) Renumber(c, c - 1);
    else
        for (int c = CurIndex - 1; c >= NewIndex; --c) Renumber(c, c + 1);
    Renumber(kParkedCategory, NewIndex);
    moving_ = true;
    TScopeExit reset([this] { moving_ = false; });
    TStringList::Move(CurIndex, NewIndex);
}

TubBarItemVisible TubBarManagerCategories::ItemsVisibleOf(int Index) const {
    const TubBarCategoryData* data = Data(Index);
    return data != nullptr ? data->ItemsVisible : ivAlways;
}

bool TubBarManagerCategories::VisibleOf(int Index) const {
    const TubBarCategoryData* data = Data(Index);
    return data == nullptr || data->Visible;
}

void TubBarManagerCategories::SetItemsVisibleOf(int Index, TubBarItemVisible Value) {
    if (Index < 0 || Index >= GetCount()) return;
    TubBarCategoryData* data = NeedData(Index);
    if ((manager_->ComponentState().Contains(csLoading))) {
        data->LoadedItemsVisible = Value;
        return;
    }
    const TubBarItemVisible old = data->ItemsVisible;
    data->ItemsVisible = Value;
    if (!manager_->Designing()) {
        // With AutoHideEmptyBars, the bars that show no link now are noted: a bar that the change empties is
        // hidden, and one it hid comes back when its links do.
        TubBars* bars = manager_->GetBars();
        const bool autoHide = manager_->GetAutoHideEmptyBars();
        auto isEmpty = [](const TubBar* bar) { return bar->GetItemLinks()->VisibleItemCount() == 0; };
        std::vector<bool> wasEmpty;
        if (autoHide)
            for (int b = 0; b < bars->Count(); ++b) wasEmpty.push_back(isEmpty(bars->Items(b)));
        TubBarUpdateLock lock(manager_);
        const int n = manager_->ItemCount();
        auto apply = [&](int i) {
            TubBarItem* item = manager_->Items(i);
            if (item->GetCategory() == Index && item->GetVisible() == old) item->SetVisible(Value);
        };
        if (Value == ivAlways)
            for (int i = n - 1; i >= 0; --i) apply(i);
        else
            for (int i = 0; i < n; ++i) apply(i);
        for (std::size_t b = 0; autoHide && b < wasEmpty.size(); ++b) {
            TubBar* bar = bars->Items(static_cast<int>(b));
            const bool empty = isEmpty(bar);
            if (empty && !wasEmpty[b] && Value == ivNever) {
                bar->SetVisible(false);
                bar->AutoHidden = true;
            } else if (bar->AutoHidden && !empty && Value == ivAlways) {
                bar->SetVisible(true);
                bar->AutoHidden = false;
            }
        }
    }
    if (Value != old) manager_->NotifyDesigner();
}

void TubBarManagerCategories::SetVisibleOf(int Index, bool Value) {
    if (Index < 0 || Index >= GetCount()) return;
    NeedData(Index)->Visible = Value;
}

void TubBarManagerCategories::ReadItemsVisibles(const std::vector<int>& Values) {
    const int n = std::min(GetCount(), static_cast<int>(Values.size()));
    for (int i = 0; i < n; ++i) {
        const int v = Values[static_cast<std::size_t>(i)];
        if (v >= 0 && v < ubBarItemVisibleCount) SetItemsVisibleOf(i, static_cast<TubBarItemVisible>(v));
    }
}

void TubBarManagerCategories::ReadVisibles(const std::vector<bool>& Values) {
    const int n = std::min(GetCount(), static_cast<int>(Values.size()));
    for (int i = 0; i < n; ++i) SetVisibleOf(i, Values[static_cast<std::size_t>(i)]);
}

std::vector<int> TubBarManagerCategories::ItemsVisibles() const {
    std::vector<int> values;
    for (int i = 0; i < GetCount(); ++i) values.push_back(static_cast<int>(ItemsVisibleOf(i)));
    return values;
}

std::vector<bool> TubBarManagerCategories::Visibles() const {
    std::vector<bool> values;
    for (int i = 0; i < GetCount(); ++i) values.push_back(VisibleOf(i));
    return values;
}

void TubBarManagerCategories::ApplyLoadedItemsVisibles() {
    for (int i = 0; i < GetCount(); ++i)
        if (const TubBarCategoryData* data = Data(i)) SetItemsVisibleOf(i, data->LoadedItemsVisible);
}

// ---- groups ------------------------------------------------------------------------------------------------

TClass TubBarGroup::StaticClass() {
    static const TClassInfo component{"TComponent", nullptr};
    static const TClassInfo info{"TubBarGroup", &component};
    return &info;
}

TubBarGroup::TubBarGroup(TComponent* AOwner) : TComponent(AOwner) {}

TubBarGroup::~TubBarGroup() {
    for (TComponent* member : members_) member->RemoveFreeNotification(this);
    SetManager(nullptr);
}

void TubBarGroup::SetManager(TubBarManager* AManager) {
    if (manager_ == AManager) return;
    if (manager_ != nullptr) manager_->RemoveGroupFromList(this);
    manager_ = AManager;
    if (manager_ != nullptr) manager_->AddGroupToList(this);
}

TComponent* TubBarGroup::GetParentComponent() const { return manager_; }

void TubBarGroup::SetParentComponent(TComponent* Value) {
    if (auto* manager = dynamic_cast<TubBarManager*>(Value)) SetManager(manager);
}

bool TubBarGroup::Contains(const TubBarGroup* AGroup) const {
    for (TComponent* member : members_)
        if (auto* group = dynamic_cast<TubBarGroup*>(member))
            if (group == AGroup || group->Contains(AGroup)) return true;
    return false;
}

void TubBarGroup::Add(TComponent* AMember) {
    if (AMember == nullptr || IndexOf(AMember) >= 0) return;
    auto* group = dynamic_cast<TubBarGroup*>(AMember);
    if (group == nullptr && dynamic_cast<TubBarItem*>(AMember) == nullptr) return;
    if (group != nullptr && (group == this || group->Contains(this)))
        throw Exception(LoadLibraryString(&ubSubRecursiveGroups));
    members_.Add(AMember);
    AMember->FreeNotification(this);
}

void TubBarGroup::Remove(TComponent* AMember) {
    if (members_.Remove(AMember) >= 0) AMember->RemoveFreeNotification(this);
}

void TubBarGroup::MoveMember(int FromIndex, int ToIndex) { members_.Move(FromIndex, ToIndex); }

void TubBarGroup::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent != this) members_.Remove(AComponent);
}

int TubBarGroup::GetIndex() const {
    if (manager_ == nullptr) return -1;
    for (int i = 0; i < manager_->GroupCount(); ++i)
        if (manager_->Groups(i) == this) return i;
    return -1;
}

void TubBarGroup::SetIndex(int Value) {
    if (manager_ != nullptr) manager_->MoveGroupInList(this, Value);
}

void TubBarGroup::SetEnabled(bool Value) {
    enabled_ = Value;
    if (manager_ == nullptr || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    TubBarUpdateLock lock(manager_);
    for (TComponent* member : members_) {
        if (auto* item = dynamic_cast<TubBarItem*>(member)) item->SetEnabled(Value);
        else if (auto* group = dynamic_cast<TubBarGroup*>(member)) group->SetEnabled(Value);
    }
}

void TubBarGroup::SetVisible(TubBarItemVisible Value) {
    visible_ = Value;
    if (manager_ == nullptr || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    TubBarUpdateLock lock(manager_);
    for (TComponent* member : members_) {
        if (auto* item = dynamic_cast<TubBarItem*>(member)) item->SetVisible(Value);
        else if (auto* group = dynamic_cast<TubBarGroup*>(member)) group->SetVisible(Value);
    }
}

std::vector<std::string> TubBarGroup::ItemNames() const {
    std::vector<std::string> names;
    for (TComponent* member : members_) names.push_back(member->GetName());
    return names;
}

void TubBarGroup::ReadState() {
    TComponent::ReadState();
    // A group stored beside its manager rather than inside it joins its form's manager, in stream order.
    if (manager_ == nullptr) SetManager(ManagerOfForm(GetOwner()));
}

void TubBarGroup::Loaded() {
    TComponent::Loaded();
    const TComponent* form = manager_ != nullptr ? manager_->Form() : GetOwner();
    if (form != nullptr)
        for (const std::string& name : loadedNames_)
            if (TComponent* member = form->FindComponent(name)) Add(member);
    loadedNames_.clear();
}

// ---- backgrounds -------------------------------------------------------------------------------------------

TubBarBackgrounds::TubBarBackgrounds(TubBarManager* AManager)
    : manager_(AManager), bar_(new TBitmap), subMenu_(new TBitmap) {
    bar_->OnChange = [this](TObject*) { BarChanged(); };
}

void TubBarBackgrounds::BarChanged() {
    if (manager_ != nullptr) manager_->StyleChanged();
}

TubBarBackgrounds::~TubBarBackgrounds() {
    delete bar_;
    delete subMenu_;
}

void TubBarBackgrounds::SetBar(TBitmap* Value) {
    const bool wasEmpty = bar_->Empty();
    TNotifyEvent handler = std::move(bar_->OnChange);
    bar_->OnChange = nullptr;
    TScopeExit reattach([this, &handler] { bar_->OnChange = std::move(handler); });
    bar_->Assign(Value);
    if (!wasEmpty || !bar_->Empty()) BarChanged();
}

void TubBarBackgrounds::Assign(TPersistent* Source) {
    if (auto* source = dynamic_cast<TubBarBackgrounds*>(Source)) {
        SetBar(source->bar_);
        SetSubMenu(source->subMenu_);
        return;
    }
    TPersistent::Assign(Source);
}

}  // namespace zel
