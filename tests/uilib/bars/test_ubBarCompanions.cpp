// Categories keep every item on its own category; groups pass their state on to their members; backgrounds
// trigger the style change.
#include <map>
#include <vector>

#include "BarsTestSupport.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarPopupMenuLinks.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {
namespace {

class ubBarCompanions : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form = NewForm();
        manager = new TubBarManager(form);
    }
    // Three categories A, B, C with two items each, named after them.
    void ThreeCategories() {
        TubBarManagerCategories* c = manager->GetCategories();
        c->Clear();
        for (const char* name : {"A", "B", "C"}) c->Add(name);
        for (int category = 0; category < 3; ++category)
            for (int n = 1; n <= 2; ++n) {
                auto* item = new TStandInItem(form);
                item->SetName(c->Get(category) + std::to_string(n));
                item->SetCategory(category);
            }
    }
    // Every item's category name, by item name ("-" for an item outside the categories).
    std::map<std::string, std::string> CategoryOfItems() const {
        std::map<std::string, std::string> result;
        for (int i = 0; i < manager->ItemCount(); ++i) {
            TubBarItem* item = manager->Items(i);
            const int c = item->GetCategory();
            result[item->GetName()] =
                c >= 0 && c < manager->GetCategories()->GetCount() ? manager->GetCategories()->Get(c) : "-";
        }
        return result;
    }
    TTestForm* form = nullptr;
    TubBarManager* manager = nullptr;
};

TEST_F(ubBarCompanions, CategoryChangesKeepEveryItemOnItsCategory) {
    using TOp = void (*)(TubBarManagerCategories*);
    struct TRow {
        const char* name;
        TOp op;
        std::vector<std::string> order;
    } rows[] = {
        {"insert before B", [](TubBarManagerCategories* c) { c->Insert(1, "N"); }, {"A", "N", "B", "C"}},
        {"insert at the end", [](TubBarManagerCategories* c) { c->Insert(3, "N"); }, {"A", "B", "C", "N"}},
        {"exchange A and C", [](TubBarManagerCategories* c) { c->Exchange(0, 2); }, {"C", "B", "A"}},
        {"move A to 2", [](TubBarManagerCategories* c) { c->Move(0, 2); }, {"B", "C", "A"}},
        {"move C to 0", [](TubBarManagerCategories* c) { c->Move(2, 0); }, {"C", "A", "B"}},
        {"move out of range", [](TubBarManagerCategories* c) { c->Move(0, 5); }, {"A", "B", "C"}},
    };
    for (const TRow& row : rows) {
        ThreeCategories();
        const auto before = CategoryOfItems();
        row.op(manager->GetCategories());
        std::vector<std::string> order;
        for (int i = 0; i < manager->GetCategories()->GetCount(); ++i)
            order.push_back(manager->GetCategories()->Get(i));
        EXPECT_EQ(order, row.order) << row.name;
        EXPECT_EQ(CategoryOfItems(), before) << row.name;
        EXPECT_EQ(manager->ItemCount(), 6) << row.name;
        while (manager->ItemCount() > 0) delete manager->Items(0);
    }
}

TEST_F(ubBarCompanions, DeletingACategoryFreesItsItemsAndDefaultComesBack) {
    ThreeCategories();
    TubBarManagerCategories* c = manager->GetCategories();
    c->SetVisibleOf(1, false);
    c->Delete(0);
    EXPECT_EQ(manager->ItemCount(), 4);
    EXPECT_EQ(manager->FindItemByName("A1"), nullptr);
    EXPECT_EQ(manager->FindItemByName("B1")->GetCategory(), 0);
    EXPECT_EQ(manager->FindItemByName("C2")->GetCategory(), 1);
    EXPECT_FALSE(c->VisibleOf(0));  // the data moves with its category
    c->Delete(1);
    c->Delete(0);
    EXPECT_EQ(manager->ItemCount(), 0);
    ASSERT_EQ(c->GetCount(), 1);
    EXPECT_EQ(c->Get(0), "Default");
    EXPECT_TRUE(c->VisibleOf(0));
}

TEST_F(ubBarCompanions, ItemsVisibleOfACategoryReachesItsItems) {
    ThreeCategories();
    manager->FindItemByName("B2")->SetVisible(ivInCustomizing);
    const int changes = manager->ChangeCount();
    manager->SetItemsVisibleOfCategory(1, ivNever);
    EXPECT_EQ(manager->GetItemsVisibleOfCategory(1), ivNever);
    EXPECT_EQ(manager->FindItemByName("B1")->GetVisible(), ivNever);
    EXPECT_EQ(manager->FindItemByName("B2")->GetVisible(), ivInCustomizing);  // it did not have the old value
    EXPECT_EQ(manager->FindItemByName("A1")->GetVisible(), ivAlways);
    EXPECT_GT(manager->ChangeCount(), changes);
    EXPECT_FALSE(manager->GetUpdateLock());  // the lock is given back

    manager->SetItemsVisibleOfCategory(7, ivNever);  // outside: nothing
    EXPECT_EQ(manager->GetCategories()->ItemsVisibles(), (std::vector<int>{ivAlways, ivNever, ivAlways}));

    // While loading only the loaded value is kept; Loaded applies it.
    manager->Loading();
    manager->SetItemsVisibleOfCategory(0, ivNever);
    EXPECT_EQ(manager->GetItemsVisibleOfCategory(0), ivAlways);
    EXPECT_EQ(manager->FindItemByName("A1")->GetVisible(), ivAlways);
    manager->Loaded();
    EXPECT_EQ(manager->GetItemsVisibleOfCategory(0), ivNever);
    EXPECT_EQ(manager->FindItemByName("A1")->GetVisible(), ivNever);
}

// Hiding a category hides the bars it empties and shows them again with it; bars that were empty before stay
// as they are.
TEST_F(ubBarCompanions, HidingACategoryHidesTheBarsItEmpties) {
    ThreeCategories();
    manager->SetAutoHideEmptyBars(true);
    TubBars* bars = manager->GetBars();
    auto bar = [&](std::initializer_list<const char*> items) {
        TubBar* b = bars->Add();
        b->SetVisible(true);
        for (const char* name : items) b->GetItemLinks()->Add()->SetItem(manager->FindItemByName(name));
        return b;
    };
    TubBar* onlyB = bar({"B1", "B2"});
    TubBar* mixed = bar({"A1", "B1"});
    TubBar* empty = bar({});
    manager->SetItemsVisibleOfCategory(1, ivNever);
    EXPECT_FALSE(onlyB->GetVisible());
    EXPECT_TRUE(onlyB->AutoHidden);
    EXPECT_TRUE(mixed->GetVisible());
    EXPECT_TRUE(empty->GetVisible());
    EXPECT_FALSE(empty->AutoHidden);
    manager->SetItemsVisibleOfCategory(1, ivAlways);
    EXPECT_TRUE(onlyB->GetVisible());
    EXPECT_FALSE(onlyB->AutoHidden);

    // Without AutoHideEmptyBars nothing is hidden, and turning it off clears the marks.
    manager->SetItemsVisibleOfCategory(1, ivNever);
    manager->SetAutoHideEmptyBars(false);
    EXPECT_FALSE(onlyB->AutoHidden);
    manager->SetItemsVisibleOfCategory(1, ivAlways);
    EXPECT_FALSE(onlyB->GetVisible());
    manager->SetItemsVisibleOfCategory(2, ivNever);
    EXPECT_TRUE(mixed->GetVisible());
}

TEST_F(ubBarCompanions, GroupMembersAreItemsAndGroupsWithoutCycles) {
    TubBarGroup* outer = manager->AddGroup();
    TubBarGroup* inner = manager->AddGroup();
    TubBarGroup* innermost = manager->AddGroup();
    auto* item = new TStandInItem(form);
    TComponent stranger(form);
    outer->Add(inner);
    outer->Add(item);
    outer->Add(item);       // already present
    outer->Add(nullptr);    // ignored
    outer->Add(&stranger);  // neither item nor group
    EXPECT_EQ(outer->Count(), 2);
    inner->Add(innermost);
    struct TRow {
        const char* name;
        TubBarGroup* group;
        TubBarGroup* member;
    } cycles[] = {{"itself", outer, outer}, {"its container", inner, outer}, {"a deep container", innermost, outer}};
    for (const TRow& row : cycles) {
        try {
            row.group->Add(row.member);
            ADD_FAILURE() << row.name;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "You cannot create recursive groups") << row.name;
        }
        EXPECT_EQ(row.group->IndexOf(row.member), -1) << row.name;
    }
    outer->MoveMember(1, 0);
    EXPECT_EQ(outer->Members(0), item);
    EXPECT_EQ(manager->GroupCount(), 3);
    innermost->SetIndex(0);
    EXPECT_EQ(manager->Groups(0), innermost);
    EXPECT_EQ(outer->GetIndex(), 1);

    // A member that is freed leaves the group; a freed group leaves the manager's list.
    delete item;
    EXPECT_EQ(outer->Count(), 1);
    delete inner;
    EXPECT_EQ(outer->Count(), 0);
    EXPECT_EQ(manager->GroupCount(), 2);
}

TEST_F(ubBarCompanions, GroupStateReachesEveryMemberUnderTheUpdateLock) {
    TubBarGroup* outer = manager->AddGroup();
    TubBarGroup* inner = manager->AddGroup();
    auto* a = new TStandInItem(form);
    auto* b = new TStandInItem(form);
    outer->Add(a);
    outer->Add(inner);
    inner->Add(b);
    outer->SetEnabled(false);
    EXPECT_FALSE(a->GetEnabled());
    EXPECT_FALSE(b->GetEnabled());
    EXPECT_FALSE(inner->GetEnabled());
    outer->SetVisible(ivNever);
    EXPECT_EQ(a->GetVisible(), ivNever);
    EXPECT_EQ(b->GetVisible(), ivNever);
    EXPECT_FALSE(manager->GetUpdateLock());
    // While loading, only the group's own value changes.
    inner->Loading();
    inner->SetEnabled(true);
    EXPECT_FALSE(b->GetEnabled());
    inner->TComponent::Loaded();
}

TEST_F(ubBarCompanions, PopupMenuLinksTakeOnlyControlsOfTheManagersForm) {
    auto* panel = new TCustomControl(form);
    panel->SetName("Panel1");
    panel->SetParent(form);
    auto* inner = new TCustomControl(form);
    inner->SetName("Inner");
    inner->SetParent(panel);
    TTestForm* other = NewForm();
    auto* foreign = new TCustomControl(other);
    foreign->SetParent(other);
    TComponent* menu = new TComponent(form);
    menu->SetName("PopupMenu1");

    TubBarPopupMenuLinks* links = manager->GetPopupMenuLinks();
    TubBarPopupMenuLink* link = links->Add();
    EXPECT_TRUE(link->ProcessChildren);
    EXPECT_EQ(link->Manager(), manager);
    link->SetControl(inner);
    EXPECT_EQ(link->GetControl(), inner);
    link->SetControl(foreign);
    EXPECT_EQ(link->GetControl(), nullptr);  // on another form
    link->SetControl(inner);
    link->SetPopupMenu(menu);
    link->ProcessChildren = false;

    // Assign resolves by name among the components of the other manager's form.
    TTestForm* copyForm = NewForm();
    auto* copyManager = new TubBarManager(copyForm);
    auto* copyPanel = new TCustomControl(copyForm);
    copyPanel->SetName("Panel1");
    copyPanel->SetParent(copyForm);
    auto* copyInner = new TCustomControl(copyForm);
    copyInner->SetName("Inner");
    copyInner->SetParent(copyPanel);
    copyManager->SetPopupMenuLinks(links);
    TubBarPopupMenuLink* copy = copyManager->GetPopupMenuLinks()->Items(0);
    EXPECT_EQ(copy->GetControl(), copyInner);
    EXPECT_EQ(copy->GetPopupMenu(), nullptr);  // no component of that name there
    EXPECT_FALSE(copy->ProcessChildren);

    // Freed components leave the links.
    delete menu;
    EXPECT_EQ(link->GetPopupMenu(), nullptr);
    delete inner;
    EXPECT_EQ(link->GetControl(), nullptr);
}

TEST_F(ubBarCompanions, BackgroundsAreAssignedNotReplaced) {
    TubBarBackgrounds* backgrounds = manager->GetBackgrounds();
    TBitmap picture;
    picture.SetSize(4, 4);
    manager->SetStyle(bmsFlat);
    backgrounds->SetBar(&picture);
    EXPECT_EQ(backgrounds->GetBar()->GetWidth(), 4);
    backgrounds->SetSubMenu(&picture);
    EXPECT_EQ(backgrounds->GetSubMenu()->GetHeight(), 4);
    TubBarBackgrounds copy(nullptr);
    copy.Assign(backgrounds);
    EXPECT_EQ(copy.GetBar()->GetWidth(), 4);
    EXPECT_EQ(copy.GetSubMenu()->GetWidth(), 4);
}

}  // namespace
}  // namespace zel::test
