#include "uilib/editors/uiEditRepository.h"

#include <algorithm>
#include <memory>

namespace zel {

namespace {

const std::string repositoryPrefix = "TuiEditRepository";

}  // namespace

TuiEditRepositoryItem::TuiEditRepositoryItem(TComponent* AOwner)
    : TuiEditRepositoryItem(AOwner, [](TPersistent* Owner) { return new TuiCustomEditProperties(Owner); }) {}

TuiEditRepositoryItem::TuiEditRepositoryItem(TComponent* AOwner, const TuiEditPropertiesFactory& AProperties)
    : TComponent(AOwner) {
    properties_ = AProperties(this);
    properties_->OnPropertiesChanged = [this](TObject*) { PropertiesChanged(); };
}

TuiEditRepositoryItem::~TuiEditRepositoryItem() {
    // A listener may stop listening while it hears of the removal: walk a copy.
    const std::vector<IuiEditRepositoryItemListener*> listeners = listeners_;
    for (auto it = listeners.rbegin(); it != listeners.rend(); ++it) (*it)->ItemRemoved(this);
    listeners_.clear();
    SetRepository(nullptr);
    delete properties_;
}

void TuiEditRepositoryItem::SetRepository(TuiEditRepository* Value) {
    if (repository_ == Value) return;
    if (repository_ != nullptr) {
        auto& items = repository_->items_;
        items.erase(std::remove(items.begin(), items.end(), this), items.end());
    }
    repository_ = Value;
    if (repository_ != nullptr) repository_->items_.push_back(this);
}

void TuiEditRepositoryItem::AddListener(IuiEditRepositoryItemListener* AListener) {
    if (std::find(listeners_.begin(), listeners_.end(), AListener) == listeners_.end()) listeners_.push_back(AListener);
}

void TuiEditRepositoryItem::RemoveListener(IuiEditRepositoryItemListener* AListener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), AListener), listeners_.end());
}

void TuiEditRepositoryItem::PropertiesChanged() {
    const std::vector<IuiEditRepositoryItemListener*> listeners = listeners_;
    for (auto it = listeners.rbegin(); it != listeners.rend(); ++it) (*it)->PropertiesChanged(this);
}

std::string TuiEditRepositoryItem::GetBaseName() const {
    const std::string repositoryName = repository_ != nullptr ? repository_->GetName() : std::string();
    const std::string className = ClassName();
    const std::size_t at = className.find(repositoryPrefix);
    if (at == std::string::npos) return repositoryName;
    return repositoryName + className.substr(at + repositoryPrefix.size());
}

TComponent* TuiEditRepositoryItem::GetParentComponent() const { return repository_; }

void TuiEditRepositoryItem::SetParentComponent(TComponent* Value) {
    if (ComponentState().Contains(csLoading)) return;
    SetRepository(dynamic_cast<TuiEditRepository*>(Value));
}

TuiEditRepository::~TuiEditRepository() {
    while (!items_.empty()) delete items_.back();
}

TuiEditRepositoryItem* TuiEditRepository::CreateItem(const TuiEditRepositoryItemFactory& AItemClass) {
    return CreateItemEx(AItemClass, this);
}

TuiEditRepositoryItem* TuiEditRepository::CreateItemEx(const TuiEditRepositoryItemFactory& AItemClass,
                                                       TComponent* AOwner) {
    TuiEditRepositoryItem* item = AItemClass(AOwner);
    item->SetRepository(this);
    return item;
}

void TuiEditRepository::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    const std::vector<TuiEditRepositoryItem*> items = items_;
    for (TuiEditRepositoryItem* item : items)
        if (item->GetOwner() == Root) Proc(item);
}

TuiRegisteredClasses* GetRegisteredEditProperties() {
    static std::unique_ptr<TuiRegisteredClasses> registered;
    if (registered == nullptr) {
        registered = std::make_unique<TuiRegisteredClasses>(false);
        registered->SetSorted(true);
    }
    return registered.get();
}

}  // namespace zel
