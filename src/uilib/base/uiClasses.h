#pragma once
// The component library's class registries, weak object links, free notification and its component and
// persistent base classes, with a few small helpers the rest of the library builds on.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/rtl/Classes.h"
#include "platform/rtl/StringList.h"
#include "platform/win/Windows.h"

namespace zel {

// A class reference: the class's name and its parent's reference (nullptr at the root of a hierarchy).
// The registries below work on these, so that a handler can be found for a class or its nearest ancestor.
struct TClassInfo {
    const char* Name = "";
    const TClassInfo* Parent = nullptr;

    // True for this class and for every class descending from AClass.
    bool InheritsFrom(const TClassInfo* AClass) const {
        for (const TClassInfo* c = this; c != nullptr; c = c->Parent)
            if (c == AClass) return true;
        return false;
    }
};
using TClass = const TClassInfo*;

// ------------------------------------------------------------------------------------- object list

// A list that owns its items (TObject descendants): Clear frees every item, first to last.
class TuiObjectList : public TList {
public:
    ~TuiObjectList() override;
    std::string ClassName() const override { return "TuiObjectList"; }
    void Clear() override;
};

// A persistent that belongs to the persistent given at construction.
class TuiInterfacedPersistent : public TPersistent {
public:
    explicit TuiInterfacedPersistent(TPersistent* AOwner) : owner_(AOwner) {}
    std::string ClassName() const override { return "TuiInterfacedPersistent"; }
    TPersistent* GetOwner() const override { return owner_; }

private:
    TPersistent* owner_ = nullptr;
};

// The library's component base: three component references that the designer fills from
// CollectExtraComponentLinks, and weak links to it that turn nil when it is freed.
class TuiComponent : public TComponent {
public:
    explicit TuiComponent(TComponent* AOwner) : TComponent(AOwner) {}
    ~TuiComponent() override;
    std::string ClassName() const override { return "TuiComponent"; }

    void Loaded() override;
    void BeforeDestruction() override;

    TComponent* FakeComponentLink1 = nullptr;
    TComponent* FakeComponentLink2 = nullptr;
    TComponent* FakeComponentLink3 = nullptr;

protected:
    // Adds the components that a form must keep beside this one; none here.
    virtual void CollectExtraComponentLinks(TList* /*AList*/) {}

private:
    void UpdateFakeLinks();
};

// ------------------------------------------------------------------------------- class registries

class TuiRegisteredClassListItemData : public TObject {
public:
    std::string ClassName() const override { return "TuiRegisteredClassListItemData"; }
    TClass ItemClass = nullptr;
    TClass RegisteredClass = nullptr;
};

// Item class to handler class pairs, kept so that an ancestor's entry precedes its descendants' entries.
class TuiRegisteredClassList : public TObject {
public:
    TuiRegisteredClassList();
    ~TuiRegisteredClassList() override;
    std::string ClassName() const override { return "TuiRegisteredClassList"; }

    // Scans from the last entry: the first entry whose item class is AItemClass or one of its ancestors
    // answers true with its Index. An entry for a descendant of AItemClass met on the way sets Index and the
    // scan goes on; with no answer Index keeps what the caller put in (or that descendant's lowest position).
    virtual bool Find(TClass AItemClass, int& Index) const;
    // Inserts after the nearest ancestor's entry, else before the first descendant's entry, else at the end.
    virtual void Register(TClass AItemClass, TClass ARegisteredClass);
    // Removes every entry with exactly these two classes.
    virtual void Unregister(TClass AItemClass, TClass ARegisteredClass);

    // The handler class for AItemClass (its own or its nearest ancestor's entry); nullptr when none.
    TClass FindClass(TClass AItemClass) const;
    int GetCount() const { return items_->Count(); }
    TuiRegisteredClassListItemData* Items(int Index) const {
        return static_cast<TuiRegisteredClassListItemData*>(items_->Get(Index));
    }
    void Clear();

private:
    TList* items_ = nullptr;
};

class TuiRegisteredClasses;

// The string list of TuiRegisteredClasses: descriptions with the classes as objects.
class TuiRegisteredClassesStringList : public TStringList {
public:
    explicit TuiRegisteredClassesStringList(TuiRegisteredClasses* AOwner) : Owner(AOwner) {}
    std::string ClassName() const override { return "TuiRegisteredClassesStringList"; }
    TuiRegisteredClasses* Owner = nullptr;
};

// A described, optionally sorted list of classes.
class TuiRegisteredClasses : public TObject {
public:
    explicit TuiRegisteredClasses(bool ARegisterClasses = false);
    ~TuiRegisteredClasses() override;
    std::string ClassName() const override { return "TuiRegisteredClasses"; }

    // Ignored for a class already listed; otherwise appended (and re-sorted when Sorted), and with
    // RegisterClasses also made known to the form reader by its name.
    void Register(TClass AClass, const std::string& ADescription);
    void Unregister(TClass AClass);
    // The description proper: the text before the first "|".
    std::string GetDescription(int Index) const;
    // The whole stored text, second part included.
    std::string GetHint(int Index) const { return items_->Get(Index); }
    TClass GetClass(int Index) const;
    int IndexOfClass(TClass AClass) const;
    int GetCount() const { return items_->Count(); }
    void Clear() { items_->Clear(); }

    bool GetSorted() const { return sorted_; }
    void SetSorted(bool Value);

    // Compares two descriptions as the user's locale orders words, ignoring case.
    virtual int CompareItems(int Index1, int Index2) const;
    virtual void Sort();

private:
    bool registerClasses_ = false;
    bool sorted_ = false;
    TuiRegisteredClassesStringList* items_ = nullptr;
};

// ------------------------------------------------------------------------------------ weak links

// A weak reference: Ref turns nil when its object is freed (ClearLinksToObject).
class TuiObjectLink : public TObject {
public:
    std::string ClassName() const override { return "TuiObjectLink"; }
    TObject* Ref = nullptr;
};

// A new link to AObject; nullptr for nullptr. The shared link controller lives while links exist.
TuiObjectLink* CreateObjectLink(TObject* AObject);
// Frees a link (nullptr ignored).
void FreeObjectLink(TuiObjectLink*& ALink);
// Turns every live link to AObject nil; the destructors of library objects call it.
void ClearLinksToObject(TObject* AObject);
// A link shared by copies of a handler (a menu entry's click that must find its object again): freed with the
// last copy.
std::shared_ptr<TuiObjectLink> CreateSharedObjectLink(TObject* AObject);
// The number of links the controller watches, -1 when no controller exists (for diagnostics and tests).
int ObjectLinkControllerLinkCount();

// A weak link for the length of a scope: Alive tells whether the object still exists, so that code that ran
// an event can tell whether the event freed it.
class TuiObjectLinkScope {
public:
    explicit TuiObjectLinkScope(TObject* AObject) : link_(CreateObjectLink(AObject)) {}
    ~TuiObjectLinkScope() { FreeObjectLink(link_); }
    TuiObjectLinkScope(const TuiObjectLinkScope&) = delete;
    TuiObjectLinkScope& operator=(const TuiObjectLinkScope&) = delete;
    bool Alive() const { return link_ != nullptr && link_->Ref != nullptr; }

private:
    TuiObjectLink* link_;
};

// Reports the freeing of the components it was asked to watch.
class TuiFreeNotificator : public TComponent {
public:
    explicit TuiFreeNotificator(TComponent* AOwner) : TComponent(AOwner) {}
    std::string ClassName() const override { return "TuiFreeNotificator"; }

    void AddSender(TComponent* AComponent);
    void RemoveSender(TComponent* AComponent);

    std::function<void(TComponent* Sender)> OnFreeNotification;

    void Notification(TComponent* AComponent, TOperation Operation) override;
};

// ---------------------------------------------------------------------------------- small helpers

// The text before the first "|", or the whole text.
std::string TextBeforeSeparator(std::string_view Text);
// Calls AEvent with ASender when it is assigned.
void CallNotifyEvent(const TNotifyEvent& AEvent, TObject* ASender);
TPersistent* GetPersistentOwner(TPersistent* APersistent);
TSize MakeSize(int ACX, int ACY);
TPoint MakePoint(int AX, int AY);
// floor((A + B) / 2), also for negative sums.
int MidpointOf(int A, int B);
// Installs a hook of that id for the current thread and keeps its handle in AHook.
void InstallWindowsHook(HHOOK& AHook, int AHookId, HOOKPROC AHookProc);
// Removes the hook held in AHook and clears it; nothing when it holds none.
void RemoveWindowsHook(HHOOK& AHook);

// The unit's form classes: TuiComponent, whose three links name components of the form (resolved once the
// whole form is read).
void RegisteruiClassesClasses();

}  // namespace zel
