#pragma once
// The component core of the runtime: TPersistent, TComponent (ownership, names, free notification,
// component state) and TList, a list of untyped pointers.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

namespace zel {

class TComponent;
class TBasicAction;
class TFiler;

using TNotifyEvent = std::function<void(TObject*)>;

// Frees an object and clears the reference: the reference is nil before the object's destruction
// starts, as the Pascal FreeAndNil does. Only an owner, or the creator of an unowned object, frees it.
template <class T>
void FreeAndNil(T*& obj) {
    T* tmp = obj;
    obj = nullptr;
    delete tmp;
}

// --------------------------------------------------------------------------------------------- TList

// Texts of the list failures, with %d as in the Pascal library.
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
inline constexpr const char* SListCapacityError = "List capacity out of bounds (%d)";
inline constexpr const char* SListCountError = "List count out of bounds (%d)";

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Compares two items: < 0, 0 or > 0.
using TListSortCompare = int (*)(void* Item1, void* Item2);

// A list of untyped pointers with the Pascal TList's operations and failures. An index outside the list
// raises EListError "List index out of bounds (N)".
class TList : public TObject {
public:
    static constexpr int MaxListSize = 0x7FFFFFF;

    TList() = default;
    ~TList() override;
    std::string ClassName() const override { return "TList"; }

    int Add(void* Item);                 // appends, returns the index
    void Insert(int Index, void* Item);  // 0 <= Index <= Count
    void Delete(int Index);
    int Remove(void* Item);     // the index the item had, -1 when absent
    void* Extract(void* Item);  // removes without "deleting"; nullptr when absent
    int IndexOf(void* Item) const;
    virtual void Clear();  // Count and Capacity 0
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    void Pack();                          // removes the nil items
    void Sort(TListSortCompare Compare);  // the Pascal library's quick sort
    TList* Expand();                      // grows the capacity when the list is full

    void* First() const;  // Get(0): raises on an empty list
    void* Last() const;   // Get(Count - 1): raises on an empty list

    void* Get(int Index) const;
    void Put(int Index, void* Item);
    void* Items(int Index) const { return Get(Index); }
    void* operator[](int Index) const { return Get(Index); }

    int Count() const { return static_cast<int>(list_.size()); }
    void SetCount(int NewCount);  // grows with nil items, shrinks by deleting
    int Capacity() const { return capacity_; }
    void SetCapacity(int NewCapacity);  // below Count: EListError "List capacity out of bounds (N)"

    // Iteration over the items (invalidated by any change of the list).
    const std::vector<void*>& List() const { return list_; }
    auto begin() const { return list_.begin(); }
    auto end() const { return list_.end(); }

    // Raises EListError with msg formatted with data ("%d").
    [[noreturn]] static void Error(const char* msg, int data);

protected:
    // Called after an item is added and after one is deleted or extracted; nil items are not notified.
    virtual void Notify(void* Ptr, TListNotification Action);
    virtual void Grow();

private:
    void CheckIndex(int Index) const;
    void QuickSort(int L, int R, TListSortCompare Compare);

    std::vector<void*> list_;
    int capacity_ = 0;
};

// A TList whose items are T*: the same list with typed access. The untyped operations stay reachable
// through TList.
template <class T>
class TListOf : public TList {
public:
    std::string ClassName() const override { return "TList"; }

    int Add(T* Item) { return TList::Add(Item); }
    void Insert(int Index, T* Item) { TList::Insert(Index, Item); }
    int Remove(T* Item) { return TList::Remove(Item); }
    T* Extract(T* Item) { return static_cast<T*>(TList::Extract(Item)); }
    int IndexOf(T* Item) const { return TList::IndexOf(Item); }
    T* First() const { return static_cast<T*>(TList::First()); }
    T* Last() const { return static_cast<T*>(TList::Last()); }
    T* Get(int Index) const { return static_cast<T*>(TList::Get(Index)); }
    void Put(int Index, T* Item) { TList::Put(Index, Item); }
    T* Items(int Index) const { return Get(Index); }
    T* operator[](int Index) const { return Get(Index); }

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        using pointer = T* const*;
        using reference = T*;
        const_iterator() = default;
        explicit const_iterator(std::vector<void*>::const_iterator it) : it_(it) {}
        T* operator*() const { return static_cast<T*>(*it_); }
        const_iterator& operator++() {
            ++it_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator t = *this;
            ++it_;
            return t;
        }
        bool operator==(const const_iterator&) const = default;

    private:
        std::vector<void*>::const_iterator it_{};
    };
    const_iterator begin() const { return const_iterator(List().begin()); }
    const_iterator end() const { return const_iterator(List().end()); }
};

// ---------------------------------------------------------------------------------------- TPersistent

// Text of the failed assignment: source class (or "nil"), then destination class.
inline constexpr const char* SAssignError = "Cannot assign a %s to a %s";

// An object that can copy another's value through Assign.
class TPersistent : public TObject {
public:
    std::string ClassName() const override { return "TPersistent"; }

    // Copies Source's value. The default asks Source to assign itself (AssignTo); when neither side
    // knows how, EConvertError "Cannot assign a TSource to a TDest" is raised ("nil" for no source).
    virtual void Assign(TPersistent* Source);

    // The object this one belongs to, for name paths; none by default.
    virtual TPersistent* GetOwner() const { return nullptr; }
    // The name that the designer and the streaming system show; the class name by default.
    virtual std::string GetNamePath() const;
    // Names the properties this object stores besides those of its class's property table (Filer.h);
    // none by default.
    virtual void DefineProperties(TFiler* /*Filer*/) {}

protected:
    // Copies this object into Dest; the default fails with Dest's AssignError.
    virtual void AssignTo(TPersistent* Dest);
    [[noreturn]] void AssignError(TPersistent* Source);
};

// ----------------------------------------------------------------------------------------- TComponent

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateFlag>;

// Receives each child component that the streaming system must write (GetChildren).
using TGetChildProc = std::function<void(TComponent*)>;

inline constexpr const char* SInvalidName = "Component name \"%s\" is not a valid identifier";
inline constexpr const char* SDuplicateName = "A component named %s already exists";

// True for a Pascal identifier: a letter or "_", then letters, digits or "_" (ASCII only).
bool IsValidIdent(std::string_view Ident);

// A component: owned by another component that frees it, named uniquely among its siblings, and able
// to ask others for a notification when they are freed.
//
// Lifetime. Components live on the heap. A component with an owner is freed by its owner (or earlier
// by `delete`, which takes it out of its owner's list); an unowned one by its creator, with `delete`,
// FreeAndNil or a std::unique_ptr. Every `delete` of a component first runs BeforeDestruction while
// the object is whole (a destroying operator delete sees to that), which marks it and all it owns
// csDestroying; then the destructors run, the most derived first; then, as the Pascal TComponent.Destroy
// does, the base destructor
//   1. sends Notification(this, opRemove) to every component that asked FreeNotification of it,
//   2. frees the components it owns, the last inserted first (DestroyComponents),
//   3. leaves its owner, whose Notification(this, opRemove) reaches the owner and the components it owns.
// Steps 1 and 3 run after the derived destructors, so a Notification handler receiving an opRemove
// compares the pointer it is given with the ones it holds; it may read the component's TComponent
// members (GetName, ComponentState, GetOwner) but must not cast it to a derived class or call its
// virtual operations. The component inserted by a constructor's InsertComponent is likewise only a
// TComponent yet when opInsert goes out.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    std::string ClassName() const override { return "TComponent"; }

    // Runs BeforeDestruction while the object is whole, then the destructors, then frees the memory.
    static void operator delete(TComponent* p, std::destroying_delete_t);
    // Plain allocation functions: the pair that a failing constructor releases its memory through.
    static void* operator new(std::size_t size);
    static void operator delete(void* p);

    void BeforeDestruction() override;  // Destroying(), unless already destroying

    // Ownership.
    TComponent* GetOwner() const override { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int Index) const;                  // EListError "List index out of bounds (N)"
    int GetComponentIndex() const;                            // position in the owner's list, -1 without owner
    void SetComponentIndex(int Value);                        // moves within the owner's list (clamped)
    TComponent* FindComponent(std::string_view AName) const;  // owned, by name ignoring case; or nullptr
    void InsertComponent(TComponent* AComponent);             // takes ownership; sends opInsert
    void RemoveComponent(TComponent* AComponent);             // gives up ownership; sends opRemove
    // Frees every owned component, the last inserted first.
    void DestroyComponents();
    // Marks this component and all it owns csDestroying.
    void Destroying();

    // Name: empty or a valid identifier, unique (ignoring case) among the owner's components.
    const std::string& GetName() const { return name_; }
    void SetName(const std::string& NewName);
    std::string GetNamePath() const override { return name_; }

    TComponentState ComponentState() const { return componentState_; }

    // Free notification: after Target->FreeNotification(Watcher), Watcher receives
    // Notification(Target, opRemove) when Target is freed, and Target hears of Watcher's end too.
    // Between components of the same owner no list is kept: the owner's broadcast reaches them.
    // RemoveFreeNotification cancels both directions.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Told when AComponent is inserted into or removed from an owner (this one or, through the owner's
    // broadcast, a sibling's) and when a component this one asked FreeNotification of is freed.
    // Overrides call the inherited Notification, which keeps the free-notification lists right and, in
    // AComponent's owner, passes the notification on to the owned components. It goes no deeper: a
    // component that holds one of another owner's components asks for its free notification.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

    // Loading by the streaming system: Loading sets csLoading; Loaded, after all properties are read,
    // clears it.
    virtual void Loading();
    virtual void Loaded();
    virtual void Updating();  // sets csUpdating
    virtual void Updated();   // clears csUpdating
    // Design-time states, passed on to the owned components (SetDesigning when SetChildren is true).
    void SetDesigning(bool Value, bool SetChildren = true);
    void SetAncestor(bool Value);

    // The component's parent for streaming (a control's parent, a bar item's manager); none here.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }
    virtual void SetParentComponent(TComponent* /*Value*/) {}
    // Hands the children that the streaming system writes to Proc; none here.
    virtual void GetChildren(const TGetChildProc& /*Proc*/, TComponent* /*Root*/) {}

    // Called by the streaming reader once per read of the component, after its properties and the objects
    // nested in it were read.
    virtual void ReadState() {}

    // Carries out or updates Action for this component when it is the action's target; answers whether it
    // did. A component that takes no part in actions answers false.
    virtual bool ExecuteAction(TBasicAction* /*Action*/) { return false; }
    virtual bool UpdateAction(TBasicAction* /*Action*/) { return false; }

    // A free property for the program's own use.
    std::intptr_t Tag = 0;

protected:
    // Raises EComponentError when AComponent (owned by this one) cannot take NewName.
    virtual void ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName);
    // Called on a component about to be inserted into AParent; it asks AParent->ValidateInsert(this).
    virtual void ValidateContainer(TComponent* AComponent);
    virtual void ValidateInsert(TComponent* AComponent);
    virtual void ChangeName(const std::string& NewName) { name_ = NewName; }

    TComponentState componentState_;

private:
    friend class TReader;
    friend class TWriter;

    void Insert(TComponent* AComponent);  // adds to the list and sets the owner, silently
    void Remove(TComponent* AComponent);  // takes out of the list and clears the owner, silently
    void RemoveNotification(TComponent* AComponent);
    void RemoveFreeNotifications();

    TComponent* owner_ = nullptr;
    std::string name_;
    std::vector<TComponent*> components_;    // owned, in insertion order
    std::vector<TComponent*> freeNotifies_;  // components to tell when this one is freed
};

}  // namespace zel
