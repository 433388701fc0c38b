// TPersistent, TComponent (ownership, free notification, names, state) and TList.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"

namespace zel::test {
namespace {

using Log = std::vector<std::string>;

std::string OpText(TOperation op) { return op == opInsert ? "opInsert" : "opRemove"; }

// A component that writes its destruction and the notifications it receives into a log, and that can
// hold a reference to another component, cleared when that one is removed.
class TLogComp : public TComponent {
public:
    TLogComp(TComponent* AOwner, const std::string& name, Log* log) : TComponent(AOwner), log_(log) { SetName(name); }
    ~TLogComp() override {
        log_->push_back("~" + GetName() + (ComponentState().Contains(csDestroying) ? " destroying" : ""));
    }
    std::string ClassName() const override { return "TLogComp"; }

    void BeforeDestruction() override {
        log_->push_back("before " + GetName() + " " + ClassName());
        TComponent::BeforeDestruction();
    }

    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (LogNotifications) {
            // The freed component's base part is still there: its name and state may be read.
            std::string line = GetName() + " hears " + OpText(Operation) + " " + AComponent->GetName();
            if (Operation == opRemove && AComponent->ComponentState().Contains(csDestroying)) line += " (destroying)";
            log_->push_back(line);
        }
        if (Operation == opRemove && AComponent == Ref) {
            Ref = nullptr;
            RefClearedWhileDestroying = AComponent->ComponentState().Contains(csDestroying);
            if (OnRefCleared) OnRefCleared();
        }
        TComponent::Notification(AComponent, Operation);  // passes it on to the owned components
    }

    // Holds a reference to AComponent and asks to be told when it goes.
    void SetRef(TComponent* AComponent) {
        if (Ref != nullptr) Ref->RemoveFreeNotification(this);
        Ref = AComponent;
        if (Ref != nullptr) Ref->FreeNotification(this);
    }

    TComponent* Ref = nullptr;
    bool RefClearedWhileDestroying = false;
    bool LogNotifications = false;
    std::function<void()> OnRefCleared;

private:
    Log* log_;
};

// ----------------------------------------------------------------------------------- owner frees

TEST(TComponentOwnership, OwnerFreesWhatItOwnsLastInsertedFirst) {
    Log log;
    auto* owner = new TLogComp(nullptr, "Owner", &log);
    new TLogComp(owner, "A", &log);
    new TLogComp(owner, "B", &log);
    new TLogComp(owner, "C", &log);
    ASSERT_EQ(owner->ComponentCount(), 3);

    delete owner;

    // The owner's own destructor runs first (its owned components still exist there, as in the
    // Pascal destructor before "inherited"), then the owned components go, the last inserted first.
    EXPECT_EQ(log, (Log{"before Owner TLogComp", "~Owner destroying", "before C TLogComp", "~C destroying",
                        "before B TLogComp", "~B destroying", "before A TLogComp", "~A destroying"}));
}

TEST(TComponentOwnership, NestedOwnersFreeDepthFirstInReverseOrder) {
    Log log;
    auto* owner = new TLogComp(nullptr, "Owner", &log);
    auto* a = new TLogComp(owner, "A", &log);
    new TLogComp(a, "A1", &log);
    new TLogComp(a, "A2", &log);
    new TLogComp(owner, "B", &log);

    delete owner;

    Log destructors;
    for (const auto& line : log)
        if (line[0] == '~') destructors.push_back(line.substr(0, line.find(' ')));
    EXPECT_EQ(destructors, (Log{"~Owner", "~B", "~A", "~A2", "~A1"}));
}

TEST(TComponentOwnership, OwnedComponentsSeeDestroyingBeforeAnyDestructorRuns) {
    // Owner's BeforeDestruction marks the whole tree before the first destructor.
    Log log;
    auto* owner = new TLogComp(nullptr, "Owner", &log);
    auto* a = new TLogComp(owner, "A", &log);
    auto* a1 = new TLogComp(a, "A1", &log);
    owner->BeforeDestruction();
    EXPECT_TRUE(owner->ComponentState().Contains(csDestroying));
    EXPECT_TRUE(a->ComponentState().Contains(csDestroying));
    EXPECT_TRUE(a1->ComponentState().Contains(csDestroying));
    delete owner;
}

TEST(TComponentOwnership, ComponentFreedDirectlyLeavesItsOwner) {
    Log log;
    auto* owner = new TLogComp(nullptr, "Owner", &log);
    auto* a = new TLogComp(owner, "A", &log);
    auto* b = new TLogComp(owner, "B", &log);
    auto* c = new TLogComp(owner, "C", &log);
    owner->LogNotifications = true;
    a->LogNotifications = true;
    c->LogNotifications = true;

    delete b;

    ASSERT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_EQ(owner->Components(1), c);
    // The owner is told, and its notification reaches the components it owns, the last first.
    EXPECT_EQ(log, (Log{"before B TLogComp", "~B destroying", "Owner hears opRemove B (destroying)",
                        "C hears opRemove B (destroying)", "A hears opRemove B (destroying)"}));
    log.clear();
    delete owner;
    EXPECT_EQ(log.size(), 6u);  // owner and the two left, each "before" and "~"
}

TEST(TComponentOwnership, UnownedComponentOnTheStackFreesWhatItOwns) {
    Log log;
    {
        TComponent root(nullptr);
        new TLogComp(&root, "A", &log);
        new TLogComp(&root, "B", &log);
    }
    EXPECT_EQ(log, (Log{"before B TLogComp", "~B destroying", "before A TLogComp", "~A destroying"}));
}

TEST(TComponentOwnership, UniquePtrAndFreeAndNilRunBeforeDestruction) {
    Log log;
    { std::unique_ptr<TLogComp> p(new TLogComp(nullptr, "P", &log)); }
    EXPECT_EQ(log, (Log{"before P TLogComp", "~P destroying"}));

    log.clear();
    TObject* o = new TLogComp(nullptr, "O", &log);  // as a list that owns its objects frees them
    delete o;
    EXPECT_EQ(log, (Log{"before O TLogComp", "~O destroying"}));

    log.clear();
    TLogComp* q = new TLogComp(nullptr, "Q", &log);
    FreeAndNil(q);
    EXPECT_EQ(q, nullptr);
    EXPECT_EQ(log, (Log{"before Q TLogComp", "~Q destroying"}));
}

// FreeAndNil clears the reference before the object's destruction starts.
TComponent* gFreed = nullptr;
bool gRefWasNilInDestructor = false;
class TSeesRef : public TComponent {
public:
    using TComponent::TComponent;
    ~TSeesRef() override { gRefWasNilInDestructor = (gFreed == nullptr); }
};

TEST(TComponentOwnership, FreeAndNilClearsTheReferenceFirst) {
    gFreed = new TSeesRef(nullptr);
    FreeAndNil(gFreed);
    EXPECT_TRUE(gRefWasNilInDestructor);
}

// A component class with a second base after TComponent, the shape of a component with an interface.
class IThing {
public:
    virtual ~IThing() = default;
    virtual int Value() const = 0;
};
class TThingComp : public TComponent, public IThing {
public:
    TThingComp(TComponent* AOwner, Log* log) : TComponent(AOwner), log_(log) {}
    ~TThingComp() override { log_->push_back("~TThingComp"); }
    int Value() const override { return 7; }

private:
    Log* log_;
};

TEST(TComponentOwnership, ComponentWithAnInterfaceBaseIsFreedWhole) {
    Log log;
    auto* owner = new TComponent(nullptr);
    auto* thing = new TThingComp(owner, &log);
    EXPECT_EQ(static_cast<IThing*>(thing)->Value(), 7);
    delete owner;
    EXPECT_EQ(log, (Log{"~TThingComp"}));
}

TEST(TComponentOwnership, RemoveComponentGivesUpOwnershipAndInsertTakesIt) {
    Log log;
    auto* first = new TLogComp(nullptr, "First", &log);
    auto* second = new TLogComp(nullptr, "Second", &log);
    auto* a = new TLogComp(first, "A", &log);

    first->RemoveComponent(a);
    EXPECT_EQ(a->GetOwner(), nullptr);
    EXPECT_EQ(first->ComponentCount(), 0);

    second->InsertComponent(a);
    EXPECT_EQ(a->GetOwner(), second);

    // Inserting into a third owner takes it away from the second: never two owners.
    auto* third = new TLogComp(nullptr, "Third", &log);
    third->InsertComponent(a);
    EXPECT_EQ(second->ComponentCount(), 0);
    EXPECT_EQ(third->ComponentCount(), 1);

    delete first;
    delete second;
    log.clear();
    delete third;
    EXPECT_EQ(log, (Log{"before Third TLogComp", "~Third destroying", "before A TLogComp", "~A destroying"}));
}

TEST(TComponentOwnership, InsertNotifiesTheOwnerAndItsComponents) {
    Log log;
    auto* owner = new TLogComp(nullptr, "Owner", &log);
    auto* a = new TLogComp(owner, "A", &log);
    owner->LogNotifications = true;
    a->LogNotifications = true;
    auto* b = new TLogComp(nullptr, "B", &log);
    owner->InsertComponent(b);
    EXPECT_EQ(log, (Log{"Owner hears opInsert B", "A hears opInsert B"}));
    delete owner;
}

// The owner tells the components it owns, and they pass it no further: an owner of many windows does not
// reach everything each window holds. A component further down that holds the removed one hears through its
// free notification.
TEST(TComponentOwnership, TheOwnersNotificationStopsAtTheComponentsItOwns) {
    Log log;
    auto* owner = new TLogComp(nullptr, "Owner", &log);
    auto* form = new TLogComp(owner, "Form", &log);
    auto* inner = new TLogComp(form, "Inner", &log);
    auto* watcher = new TLogComp(form, "Watcher", &log);
    auto* other = new TLogComp(owner, "Other", &log);
    watcher->SetRef(other);
    for (TLogComp* c : {owner, form, inner, watcher}) c->LogNotifications = true;

    owner->InsertComponent(new TLogComp(nullptr, "Added", &log));
    EXPECT_EQ(log, (Log{"Owner hears opInsert Added", "Form hears opInsert Added"}));

    log.clear();
    delete other;
    EXPECT_EQ(watcher->Ref, nullptr);
    EXPECT_EQ(log, (Log{"before Other TLogComp", "~Other destroying", "Watcher hears opRemove Other (destroying)",
                        "Owner hears opRemove Other (destroying)", "Form hears opRemove Other (destroying)"}));

    // Inside the form, its own components still hear of each other.
    log.clear();
    delete inner;
    EXPECT_EQ(log, (Log{"before Inner TLogComp", "~Inner destroying", "Form hears opRemove Inner (destroying)",
                        "Watcher hears opRemove Inner (destroying)"}));
    delete owner;
}

// --------------------------------------------------------------------------- free notification

TEST(TComponentFreeNotification, DirectFreeClearsTheWatchersReference) {
    Log log;
    auto* target = new TLogComp(nullptr, "Target", &log);
    auto* watcher = new TLogComp(nullptr, "Watcher", &log);
    watcher->SetRef(target);
    EXPECT_TRUE(target->ComponentState().Contains(csFreeNotification));

    delete target;

    EXPECT_EQ(watcher->Ref, nullptr);
    EXPECT_TRUE(watcher->RefClearedWhileDestroying);
    delete watcher;
}

TEST(TComponentFreeNotification, FreeByItsOwnerClearsAWatcherElsewhere) {
    Log log;
    auto* form1 = new TLogComp(nullptr, "Form1", &log);
    auto* form2 = new TLogComp(nullptr, "Form2", &log);
    auto* target = new TLogComp(form1, "Target", &log);
    auto* watcher = new TLogComp(form2, "Watcher", &log);
    watcher->SetRef(target);

    delete form1;

    EXPECT_EQ(watcher->Ref, nullptr);
    EXPECT_TRUE(watcher->RefClearedWhileDestroying);
    delete form2;
}

TEST(TComponentFreeNotification, SiblingsAreToldThroughTheirOwner) {
    for (bool targetFirst : {true, false}) {
        SCOPED_TRACE(targetFirst ? "target inserted first" : "target inserted last");
        Log log;
        auto* owner = new TLogComp(nullptr, "Owner", &log);
        TLogComp* target = nullptr;
        TLogComp* watcher = nullptr;
        if (targetFirst) {
            target = new TLogComp(owner, "Target", &log);
            watcher = new TLogComp(owner, "Watcher", &log);
        } else {
            watcher = new TLogComp(owner, "Watcher", &log);
            target = new TLogComp(owner, "Target", &log);
        }
        watcher->SetRef(target);

        delete target;  // freed directly: the owner's broadcast reaches the watcher
        EXPECT_EQ(watcher->Ref, nullptr);
        delete owner;
    }
}

TEST(TComponentFreeNotification, SiblingFreedByTheOwnerFirstClearsTheReference) {
    Log log;
    auto* owner = new TLogComp(nullptr, "Owner", &log);
    auto* watcher = new TLogComp(owner, "Watcher", &log);
    auto* target = new TLogComp(owner, "Target", &log);  // inserted last: freed first
    watcher->SetRef(target);
    watcher->LogNotifications = true;

    delete owner;

    EXPECT_NE(std::find(log.begin(), log.end(), "Watcher hears opRemove Target (destroying)"), log.end());
    // The notification came before the watcher's own destruction.
    const auto heard = std::find(log.begin(), log.end(), "Watcher hears opRemove Target (destroying)");
    const auto gone = std::find(log.begin(), log.end(), "~Watcher destroying");
    EXPECT_LT(heard, gone);
}

TEST(TComponentFreeNotification, WatcherIsDestroyingTooWhenItsOwnerFreesBoth) {
    // The owner marks everything it owns csDestroying before freeing the first one, so a watcher that
    // hears of its sibling's end can tell that it is going as well.
    Log log;
    auto* owner = new TLogComp(nullptr, "Owner", &log);
    auto* watcher = new TLogComp(owner, "Watcher", &log);
    auto* target = new TLogComp(owner, "Target", &log);
    watcher->SetRef(target);

    bool watcherDestroying = false;
    watcher->OnRefCleared = [&] { watcherDestroying = watcher->ComponentState().Contains(csDestroying); };
    delete owner;
    EXPECT_TRUE(watcherDestroying);
}

TEST(TComponentFreeNotification, WatcherFreedFirstIsForgottenByTheTarget) {
    Log log;
    auto* target = new TLogComp(nullptr, "Target", &log);
    auto* watcher = new TLogComp(nullptr, "Watcher", &log);
    watcher->SetRef(target);
    target->LogNotifications = true;

    delete watcher;  // the target hears of it and drops the watcher from its list
    EXPECT_EQ(log.back(), "Target hears opRemove Watcher (destroying)");

    log.clear();
    delete target;  // no notification to the freed watcher (AddressSanitizer would catch one)
    EXPECT_EQ(log, (Log{"before Target TLogComp", "~Target destroying"}));
}

TEST(TComponentFreeNotification, RemoveFreeNotificationStopsTheNotification) {
    Log log;
    auto* target = new TLogComp(nullptr, "Target", &log);
    auto* watcher = new TLogComp(nullptr, "Watcher", &log);
    watcher->SetRef(target);
    target->RemoveFreeNotification(watcher);
    watcher->LogNotifications = true;

    delete target;

    EXPECT_EQ(watcher->Ref, target);  // never told: the reference stays (and dangles)
    EXPECT_EQ(log, (Log{"before Target TLogComp", "~Target destroying"}));
    watcher->Ref = nullptr;
    delete watcher;
}

// An override that does not call the inherited Notification must not hang the free.
class TRudeWatcher : public TComponent {
public:
    using TComponent::TComponent;
    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (Operation == opRemove && AComponent == Ref) Ref = nullptr;
    }
    TComponent* Ref = nullptr;
};

TEST(TComponentFreeNotification, OverrideWithoutInheritedStillEnds) {
    auto* target = new TComponent(nullptr);
    auto* watcher = new TRudeWatcher(nullptr);
    watcher->Ref = target;
    target->FreeNotification(watcher);
    delete target;
    EXPECT_EQ(watcher->Ref, nullptr);
    delete watcher;  // must not notify the freed target
}

TEST(TComponentFreeNotification, OneWatcherOfManyTargets) {
    Log log;
    auto* watcher = new TLogComp(nullptr, "Watcher", &log);
    auto* t1 = new TLogComp(nullptr, "T1", &log);
    auto* t2 = new TLogComp(nullptr, "T2", &log);
    t1->FreeNotification(watcher);
    t2->FreeNotification(watcher);
    t2->FreeNotification(watcher);  // twice: listed once
    watcher->LogNotifications = true;
    delete t1;
    delete t2;
    Log heard;
    for (const auto& line : log)
        if (line.rfind("Watcher hears", 0) == 0) heard.push_back(line);
    EXPECT_EQ(heard, (Log{"Watcher hears opRemove T1 (destroying)", "Watcher hears opRemove T2 (destroying)"}));
    delete watcher;
}

// ----------------------------------------------------------------------------------------- names

struct NameCase {
    const char* label;
    const char* name;
    bool valid;
};

TEST(TComponentName, ValidAndInvalidNames) {
    const NameCase cases[] = {
        {"letters", "Button", true}, {"underscore first", "_x1", true}, {"digits after", "Edit12", true},
        {"empty", "", true},         {"digit first", "1abc", false},    {"blank", "a b", false},
        {"dot", "a.b", false},       {"hyphen", "a-b", false},          {"non-ASCII letter", "\xE9t\xE9", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TComponent comp(nullptr);
        if (c.valid) {
            EXPECT_NO_THROW(comp.SetName(c.name));
            EXPECT_EQ(comp.GetName(), c.name);
        } else {
            try {
                comp.SetName(c.name);
                ADD_FAILURE() << "no exception";
            } catch (const EComponentError& e) {
                EXPECT_EQ(e.Message, std::string("Component name \"") + c.name + "\" is not a valid identifier");
            }
            EXPECT_EQ(comp.GetName(), "");
        }
    }
}

TEST(TComponentName, DuplicateAmongSiblingsIgnoringCase) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("Panel1");
    try {
        b->SetName("PANEL1");
        ADD_FAILURE() << "no exception";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message, "A component named PANEL1 already exists");
    }
    EXPECT_EQ(b->GetName(), "");
    EXPECT_NO_THROW(a->SetName("panel1"));  // its own name in another case
    EXPECT_EQ(a->GetName(), "panel1");
    EXPECT_NO_THROW(b->SetName(""));  // any number of unnamed ones

    TComponent other(nullptr);
    auto* c = new TComponent(&other);
    EXPECT_NO_THROW(c->SetName("Panel1"));  // another owner: no clash

    // Moving a named component into an owner that has the name already is refused.
    other.RemoveComponent(c);
    try {
        owner.InsertComponent(c);
        ADD_FAILURE() << "no exception";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message, "A component named Panel1 already exists");
    }
    EXPECT_EQ(c->GetOwner(), nullptr);
    delete c;
}

TEST(TComponentName, FindComponentIgnoresCase) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("Alpha");
    b->SetName("Beta");
    EXPECT_EQ(owner.FindComponent("beta"), b);
    EXPECT_EQ(owner.FindComponent("ALPHA"), a);
    EXPECT_EQ(owner.FindComponent("Gamma"), nullptr);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
}

// ------------------------------------------------------------------------------ list and state

TEST(TComponentList, ComponentsIndexAndBounds) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    auto* c = new TComponent(&owner);
    EXPECT_EQ(a->GetComponentIndex(), 0);
    EXPECT_EQ(c->GetComponentIndex(), 2);
    EXPECT_EQ(owner.GetComponentIndex(), -1);

    c->SetComponentIndex(0);
    EXPECT_EQ(owner.Components(0), c);
    EXPECT_EQ(owner.Components(1), a);
    EXPECT_EQ(owner.Components(2), b);
    c->SetComponentIndex(99);  // clamped to the end
    EXPECT_EQ(owner.Components(2), c);

    try {
        owner.Components(3);
        ADD_FAILURE() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (3)");
    }
    EXPECT_THROW(owner.Components(-1), EListError);
}

TEST(TComponentState, LoadingDesigningAndTag) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    EXPECT_TRUE(owner.ComponentState().Empty());

    owner.Loading();
    EXPECT_TRUE(owner.ComponentState().Contains(csLoading));
    owner.Loaded();
    EXPECT_FALSE(owner.ComponentState().Contains(csLoading));

    owner.SetDesigning(true);
    EXPECT_TRUE(a->ComponentState().Contains(csDesigning));
    auto* b = new TComponent(&owner);  // a component inserted into a designing owner is designing too
    EXPECT_TRUE(b->ComponentState().Contains(csDesigning));
    owner.SetDesigning(false);
    EXPECT_FALSE(b->ComponentState().Contains(csDesigning));

    owner.Updating();
    EXPECT_TRUE(owner.ComponentState().Contains(csUpdating));
    owner.Updated();
    EXPECT_FALSE(owner.ComponentState().Contains(csUpdating));

    a->Tag = -42;
    EXPECT_EQ(a->Tag, -42);
}

TEST(TPersistentAssign, DefaultAssignRaisesConvertError) {
    TComponent a(nullptr);
    TComponent b(nullptr);
    try {
        a.Assign(&b);
        ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Cannot assign a TComponent to a TComponent");
    }
    try {
        a.Assign(nullptr);
        ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Cannot assign a nil to a TComponent");
    }
}

TEST(TPersistentAssign, NamePath) {
    TComponent a(nullptr);
    a.SetName("Form1");
    EXPECT_EQ(a.GetNamePath(), "Form1");
    TPersistent p;
    EXPECT_EQ(p.GetNamePath(), "TPersistent");
}

// ============================================================================================= TList

struct ListErrorCase {
    const char* label;
    void (*act)(TList&);  // on a list of 3 items
    const char* message;
};

int gItems[8];

TEST(TListBounds, ErrorTexts) {
    const ListErrorCase cases[] = {
        {"Get(-1)", [](TList& l) { l.Get(-1); }, "List index out of bounds (-1)"},
        {"Get(Count)", [](TList& l) { l.Get(3); }, "List index out of bounds (3)"},
        {"operator[]", [](TList& l) { (void)l[7]; }, "List index out of bounds (7)"},
        {"Put", [](TList& l) { l.Put(3, nullptr); }, "List index out of bounds (3)"},
        {"Insert past end", [](TList& l) { l.Insert(4, nullptr); }, "List index out of bounds (4)"},
        {"Insert before start", [](TList& l) { l.Insert(-1, nullptr); }, "List index out of bounds (-1)"},
        {"Delete", [](TList& l) { l.Delete(3); }, "List index out of bounds (3)"},
        {"Exchange first", [](TList& l) { l.Exchange(5, 0); }, "List index out of bounds (5)"},
        {"Exchange second", [](TList& l) { l.Exchange(0, 6); }, "List index out of bounds (6)"},
        {"Move to", [](TList& l) { l.Move(0, 3); }, "List index out of bounds (3)"},
        {"Move from", [](TList& l) { l.Move(9, 0); }, "List index out of bounds (9)"},
        {"Capacity below Count", [](TList& l) { l.SetCapacity(2); }, "List capacity out of bounds (2)"},
        {"negative Count", [](TList& l) { l.SetCount(-1); }, "List count out of bounds (-1)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TList list;
        for (int i = 0; i < 3; ++i) list.Add(&gItems[i]);
        try {
            c.act(list);
            ADD_FAILURE() << "no exception";
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message, c.message);
        }
        EXPECT_EQ(list.Count(), 3);
    }
}

TEST(TListBounds, FirstAndLastOfAnEmptyList) {
    TList list;
    try {
        list.First();
        ADD_FAILURE() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (0)");
    }
    try {
        list.Last();
        ADD_FAILURE() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (-1)");
    }
}

TEST(TListOps, AddInsertDeleteRemoveIndexOf) {
    TList list;
    EXPECT_EQ(list.Add(&gItems[0]), 0);
    EXPECT_EQ(list.Add(&gItems[2]), 1);
    list.Insert(1, &gItems[1]);
    list.Insert(3, &gItems[3]);  // Insert at Count appends
    ASSERT_EQ(list.Count(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(list[i], &gItems[i]);
    EXPECT_EQ(list.IndexOf(&gItems[2]), 2);
    EXPECT_EQ(list.IndexOf(&gItems[7]), -1);
    EXPECT_EQ(list.First(), &gItems[0]);
    EXPECT_EQ(list.Last(), &gItems[3]);

    EXPECT_EQ(list.Remove(&gItems[1]), 1);
    EXPECT_EQ(list.Remove(&gItems[1]), -1);
    list.Delete(0);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0), &gItems[2]);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(TListOps, ExchangeMoveSortPack) {
    TList list;
    for (int i : {3, 1, 4, 0, 2}) list.Add(&gItems[i]);
    list.Exchange(0, 4);  // 2 1 4 0 3
    EXPECT_EQ(list[0], &gItems[2]);
    EXPECT_EQ(list[4], &gItems[3]);
    list.Move(2, 0);  // 4 2 1 0 3
    EXPECT_EQ(list[0], &gItems[4]);
    EXPECT_EQ(list[1], &gItems[2]);
    list.Move(0, 4);  // 2 1 0 3 4
    EXPECT_EQ(list[4], &gItems[4]);

    list.Sort([](void* a, void* b) {
        const auto ia = static_cast<int*>(a) - gItems;
        const auto ib = static_cast<int*>(b) - gItems;
        return ia < ib ? -1 : (ia > ib ? 1 : 0);
    });
    for (int i = 0; i < 5; ++i) EXPECT_EQ(list[i], &gItems[i]);

    list.Put(1, nullptr);
    list.Add(nullptr);
    list.Pack();
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[1], &gItems[2]);
}

TEST(TListOps, CapacityGrowsAsThePascalList) {
    TList list;
    std::vector<int> seen;
    for (int i = 0; i < 30; ++i) {
        list.Add(nullptr);
        if (seen.empty() || seen.back() != list.Capacity()) seen.push_back(list.Capacity());
    }
    EXPECT_EQ(seen, (std::vector<int>{4, 8, 12, 28, 44}));
    list.SetCapacity(30);
    EXPECT_EQ(list.Capacity(), 30);
    list.SetCount(35);  // grows with nil items
    EXPECT_EQ(list.Count(), 35);
    EXPECT_EQ(list[34], nullptr);
}

class TNotifyList : public TList {
public:
    Log log;

protected:
    void Notify(void* Ptr, TListNotification Action) override {
        const char* names[] = {"added", "extracted", "deleted"};
        log.push_back(std::string(names[Action]) + " " + std::to_string(static_cast<int*>(Ptr) - gItems));
    }
};

TEST(TListOps, NotifyAddDeleteExtract) {
    TNotifyList list;
    list.Add(&gItems[0]);
    list.Add(nullptr);  // nil items are not notified
    list.Insert(0, &gItems[1]);
    list.Delete(0);
    EXPECT_EQ(list.Extract(&gItems[0]), &gItems[0]);
    EXPECT_EQ(list.Extract(&gItems[5]), nullptr);
    EXPECT_EQ(list.log, (Log{"added 0", "added 1", "deleted 1", "extracted 0"}));
}

TEST(TListOps, TypedListIteratesItsItems) {
    TListOf<int> list;
    list.Add(&gItems[2]);
    list.Add(&gItems[5]);
    std::vector<int*> seen;
    for (int* p : list) seen.push_back(p);
    EXPECT_EQ(seen, (std::vector<int*>{&gItems[2], &gItems[5]}));
    EXPECT_EQ(list.First(), &gItems[2]);
    EXPECT_EQ(list[1], &gItems[5]);
    EXPECT_THROW(list.Get(2), EListError);
}

}  // namespace
}  // namespace zel::test
