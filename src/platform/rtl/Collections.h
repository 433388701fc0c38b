#pragma once
// Collections: an owned, ordered list of items of one item class that stores as one property ("< item ...
// end >" in the form text). Each item knows its collection, its position and a unique ID; adding, removing
// and changing an item tells the collection (Update), unless an update is in progress (BeginUpdate), in
// which case one Update(nullptr) follows the last EndUpdate.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"

namespace zel {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    // Joins Collection (when given) at its end.
    explicit TCollectionItem(TCollection* Collection);
    // Leaves its collection.
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;
    std::string ClassName() const override { return "TCollectionItem"; }

    TCollection* GetCollection() const { return collection_; }
    // Moves the item into another collection (nullptr: into none; the caller then owns it).
    void SetCollection(TCollection* Value);
    // Position in the collection, -1 without one; setting it moves the item.
    int GetIndex() const;
    void SetIndex(int Value);
    // Unique within the collection over its life; never reused.
    int GetID() const { return id_; }

    TPersistent* GetOwner() const override;
    // "Collection.NamePath[Index]".
    std::string GetNamePath() const override;
    // The class name by default.

protected:
    // Tells the collection that this item (or, with AllItems, the whole collection) changed.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// Makes a new item in the collection (the item's constructor puts it there).
using TCollectionItemClass = std::function<TCollectionItem*(TCollection* Collection)>;

template <class T>
TCollectionItemClass CollectionItemClassOf() {
    return [](TCollection* Collection) -> TCollectionItem* { return new T(Collection); };
}

class TCollection : public TPersistent {
public:
    explicit TCollection(TCollectionItemClass ItemClass);
    // Frees every item.
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;
    std::string ClassName() const override { return "TCollection"; }

    // A new item at the end.
    TCollectionItem* Add();
    // A new item at Index.
    TCollectionItem* Insert(int Index);
    // Frees the item at Index (EListError when out of range).
    void Delete(int Index);
    // Frees every item, inside one update.
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* GetItem(int Index) const;
    // The item with that ID, nullptr when none.
    TCollectionItem* FindItemID(int ID) const;

    // From another collection: its items' copies replace these (each new item Assigns from its source).
    void Assign(TPersistent* Source) override;

    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // The name this collection's property has on its owner, for GetNamePath.
    std::string PropName;
    std::string GetNamePath() const override;

protected:
    // A change of Item, or of the whole collection with nullptr; nothing by default.
    virtual void Update(TCollectionItem* /*Item*/) {}
    // An item arrived or is leaving; nothing by default.
    virtual void Notify(TCollectionItem* /*Item*/, TCollectionNotification /*Action*/) {}
    // Calls Update(nullptr) unless an update is in progress.
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);

    TCollectionItemClass itemClass_;
    std::vector<TCollectionItem*> items_;
    int nextId_ = 0;
    int updateCount_ = 0;
    int insertAt_ = -1;          // where InsertItem puts the next item; -1 for the end
    bool constructing_ = false;  // an item made by Insert is being constructed
};

// A collection that belongs to a persistent (GetOwner answers it).
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass)
        : TCollection(std::move(ItemClass)), owner_(AOwner) {}
    std::string ClassName() const override { return "TOwnedCollection"; }
    TPersistent* GetOwner() const override { return owner_; }

private:
    TPersistent* owner_ = nullptr;
};

}  // namespace zel
