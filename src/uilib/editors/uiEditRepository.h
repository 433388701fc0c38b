#pragma once
// Edit repositories: components that hold named settings objects (repository items) that many editors share.
// An editor that uses an item listens to it: it hears when the item's settings change and when the item goes.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "uilib/base/uiClasses.h"
#include "uilib/editors/uiEditProperties.h"

namespace zel {

class TuiEditRepository;
class TuiEditRepositoryItem;

// What an editor hears from the repository item it uses.
class IuiEditRepositoryItemListener {
public:
    virtual ~IuiEditRepositoryItemListener() = default;
    // The item is going: forget it, nothing else.
    virtual void ItemRemoved(TuiEditRepositoryItem* Sender) = 0;
    // The item's settings changed.
    virtual void PropertiesChanged(TuiEditRepositoryItem* Sender) = 0;
};

using TuiEditPropertiesFactory = std::function<TuiCustomEditProperties*(TPersistent* AOwner)>;

class TuiEditRepositoryItem : public TComponent {
public:
    explicit TuiEditRepositoryItem(TComponent* AOwner);
    // Tells every listener, from the last to the first, that it goes; leaves its repository.
    ~TuiEditRepositoryItem() override;
    std::string ClassName() const override { return "TuiEditRepositoryItem"; }

    TuiCustomEditProperties* Properties() const { return properties_; }
    TuiEditRepository* GetRepository() const { return repository_; }
    void SetRepository(TuiEditRepository* Value);

    void AddListener(IuiEditRepositoryItemListener* AListener);
    void RemoveListener(IuiEditRepositoryItemListener* AListener);
    int ListenerCount() const { return static_cast<int>(listeners_.size()); }
    // Tells every listener, from the last to the first, that the settings changed.
    virtual void PropertiesChanged();

    // The part after "TuiEditRepository" in the class name, behind the repository's name ("Rep1" and
    // "TuiEditRepositoryTextItem" give "Rep1TextItem"); the repository's name alone for other class names. An
    // item without a repository reads its name as empty.
    virtual std::string GetBaseName() const;

    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return repository_ != nullptr; }
    void SetParentComponent(TComponent* Value) override;

protected:
    // For descendants whose items keep another settings class.
    TuiEditRepositoryItem(TComponent* AOwner, const TuiEditPropertiesFactory& AProperties);

private:
    std::vector<IuiEditRepositoryItemListener*> listeners_;
    TuiCustomEditProperties* properties_ = nullptr;
    TuiEditRepository* repository_ = nullptr;
};

using TuiEditRepositoryItemFactory = std::function<TuiEditRepositoryItem*(TComponent* AOwner)>;

class TuiEditRepository : public TComponent {
public:
    explicit TuiEditRepository(TComponent* AOwner) : TComponent(AOwner) {}
    // Frees the items from the last to the first.
    ~TuiEditRepository() override;
    std::string ClassName() const override { return "TuiEditRepository"; }

    // A new item, owned by this repository (or by AOwner) and listed in it.
    TuiEditRepositoryItem* CreateItem(const TuiEditRepositoryItemFactory& AItemClass);
    TuiEditRepositoryItem* CreateItemEx(const TuiEditRepositoryItemFactory& AItemClass, TComponent* AOwner);
    int Count() const { return static_cast<int>(items_.size()); }
    TuiEditRepositoryItem* GetItem(int Index) const { return items_.at(static_cast<std::size_t>(Index)); }

    // Hands the streaming system the items that Root owns.
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

private:
    friend class TuiEditRepositoryItem;
    std::vector<TuiEditRepositoryItem*> items_;
};

// The program-wide list of the editors' settings classes, sorted by description; made on the first request.
TuiRegisteredClasses* GetRegisteredEditProperties();

}  // namespace zel
