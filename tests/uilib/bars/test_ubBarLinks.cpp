// Item links and their lists, bars and sub-items: effective values, separators, usage and the recent list,
// accelerators, recursion, the bar setters, and the list and container items.
#include "BarsTestSupport.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {
namespace {

class BarLinks : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form_ = NewForm();
        manager_ = new TubBarManager(form_);
        manager_->SetStyle(bmsOffice11);
        bar_ = manager_->GetBars()->Add();
    }
    TubBarButton* Button(const std::string& caption) {
        auto* b = Construct<TubBarButton>(form_);
        b->SetCaption(caption);
        return b;
    }
    // Links to new buttons with these captions; a caption starting with "|" begins a group.
    std::vector<TubBarItemLink*> Fill(TubBarItemLinks* links, std::vector<std::string> captions) {
        std::vector<TubBarItemLink*> r;
        for (std::string c : captions) {
            TubBarItemLink* l = links->Add();
            l->BeginGroup = !c.empty() && c[0] == '|';
            l->SetItem(Button(l->BeginGroup ? c.substr(1) : c));
            r.push_back(l);
        }
        links->RebuildLists();
        return r;
    }
    static std::string Shown(const TubBarItemLinks* links) {
        std::string r;
        for (TubBarItemLink* l : links->ShownItems()) r += (l->GetBeginGroup() ? "|" : "") + l->Caption() + " ";
        return r;
    }
    TTestForm* form_ = nullptr;
    TubBarManager* manager_ = nullptr;
    TubBar* bar_ = nullptr;
};

TEST_F(BarLinks, SeparatorsOfHiddenAndDeletedLinksMoveToTheNextShownLink) {
    TubBarItemLinks* links = bar_->GetItemLinks();
    auto l = Fill(links, {"a", "|b", "c", "|d", "e"});
    EXPECT_EQ(Shown(links), "a |b c |d e ");
    l[3]->SetVisible(false);  // d hides: its separator passes to e
    EXPECT_EQ(Shown(links), "a |b c |e ");
    l[0]->SetItem(nullptr);  // setting no item frees the link; b is first now and shows no separator
    EXPECT_EQ(links->Count(), 4);
    EXPECT_EQ(Shown(links), "b c |e ");
    l[4]->GetItem()->SetVisible(ivNever);  // an item that does not show takes its links out
    EXPECT_EQ(Shown(links), "b c ");
}

TEST_F(BarLinks, UserValuesAndEffectiveValues) {
    TubBarItemLink* l = Fill(bar_->GetItemLinks(), {"&Open"})[0];
    auto* edit = Construct<TubBarEdit>(form_);
    const struct {
        const char* name;
        std::function<void()> act;
        std::string caption;
        TubBarPaintStyle style;
        int width;
    } steps[] = {
        {"item values", [] {}, "&Open", psStandard, 0},
        {"user caption", [&] { l->SetUserCaption("O&pen!"); }, "O&pen!", psStandard, 0},
        {"user paint style", [&] { l->SetUserPaintStyle(psCaption); }, "O&pen!", psCaption, 0},
        {"user width below 20", [&] { l->SetUserWidth(5); }, "O&pen!", psCaption, 20},
        {"user define cleared", [&] { l->SetUserDefine({}); }, "&Open", psStandard, 0},
        {"an edit's width", [&] { l->SetItem(edit); }, "", psStandard, 100},
    };
    for (const auto& s : steps) {
        s.act();
        EXPECT_EQ(l->Caption(), s.caption) << s.name;
        EXPECT_EQ(l->PaintStyle(), s.style) << s.name;
        EXPECT_EQ(l->Width(), s.width) << s.name;
    }
    EXPECT_EQ(l->GetUserCaption(), "");
}

TEST_F(BarLinks, LinkEventsFireOutsideLoading) {
    std::vector<std::string> events;
    manager_->OnItemLinkAdd = [&](TubBarManager*, TubBarItemLink*) { events.push_back("add"); };
    manager_->OnItemLinkChange = [&](TubBarManager*, TubBarItemLink*) { events.push_back("change"); };
    manager_->OnItemLinkDelete = [&](TubBarManager*, TubBarItemLink*) { events.push_back("delete"); };
    TubBarItemLink* l = bar_->GetItemLinks()->Add();
    l->SetItem(Button("a"));
    l->SetVisible(false);
    delete l;
    EXPECT_EQ(events, (std::vector<std::string>{"add", "change", "change", "delete"}));
}

TEST_F(BarLinks, RecentItemCountFromUseCounts) {
    TubBarItemLinks* links = bar_->GetItemLinks();
    auto l = Fill(links, {"a", "b", "c", "d"});
    // Recent list, most recent first: d c b a (each new link went to the front when its item was set).
    const struct {
        const char* name;
        int percents;
        std::vector<int> uses;  // of a, b, c, d
        int count;
    } cases[] = {
        {"equal counts: all", 95, {20, 20, 20, 20}, -1},
        {"100 percent: threshold is the least count", 100, {1, 50, 7, 9}, -1},
        {"the last recent link below the threshold", 50, {1, 20, 30, 40}, 3},
        {"none reaches it", 0, {1, 2, 3, 40}, 1},
        {"counts from a stored layout beyond 32 bits", 0, {0, 2000000000, 2000000000, 2000000000}, 3},
    };
    for (const auto& c : cases) {
        manager_->SetMostRecentItemsPercents(c.percents);
        for (int i = 0; i < 4; ++i) l[static_cast<std::size_t>(i)]->UseCount = c.uses[static_cast<std::size_t>(i)];
        EXPECT_EQ(links->CalcRecentItemCount(), c.count) << c.name;
    }
    links->SetRecentItemCount(2);
    EXPECT_EQ(Shown(links), "c d ");  // the two most recent, in list order
    links->RestoreRecentItemCount();
    EXPECT_EQ(Shown(links), "a b c d ");
    manager_->SetStyle(bmsStandard);  // no recent items in the standard look
    EXPECT_EQ(links->CalcRecentItemCount(), -1);
    links->SetRecentItemCount(2);
    EXPECT_EQ(links->ShownItemCount(), 4);
}

TEST_F(BarLinks, MarkingUsedMovesToTheFrontAndPassesUpToTheOpeningLink) {
    TubBarItemLink* fileLink = bar_->GetItemLinks()->Add();
    auto* file = Construct<TubBarSubItem>(form_);
    fileLink->SetItem(file);
    auto l = Fill(file->GetItemLinks(), {"a", "b"});
    file->GetItemLinks()->OpeningLink = fileLink;
    const int a = l[0]->UseCount, menu = fileLink->UseCount;
    l[0]->MarkUsed(true);
    EXPECT_EQ(l[0]->UseCount, a + 1);
    EXPECT_EQ(file->GetItemLinks()->RecentList().First(), l[0]);
    EXPECT_EQ(fileLink->UseCount, menu + 1);
    l[0]->HideFromRecent();
    EXPECT_EQ(file->GetItemLinks()->RecentList().Last(), l[0]);

    // The most-recently-used flag, copied by position, then the visible links move ahead of the others.
    auto copy = Construct<TubBarSubItem>(form_);
    auto m = Fill(copy->GetItemLinks(), {"x", "y", "z"});
    l[1]->SetMostRecentlyUsed(false);
    m[2]->SetVisible(false);
    copy->GetItemLinks()->CopyUsageFrom(file->GetItemLinks());
    EXPECT_EQ(m[1]->UseCount, 0);
    EXPECT_EQ(copy->GetItemLinks()->RecentList().Last(), m[2]);
}

TEST_F(BarLinks, LoadedUsageAndVisibilityApplyAfterLoading) {
    TubBarItemLinks* links = bar_->GetItemLinks();
    auto l = Fill(links, {"a", "b", "c"});
    l[1]->SetMostRecentlyUsed(false);
    l[2]->LoadedRecentIndex = 0;
    l[2]->LoadedUseCount = 77;
    l[0]->LoadedRecentIndex = 1;
    l[0]->LoadedUseCount = 5;
    l[1]->PendingVisible = 0;
    links->ApplyAfterLoading(true);
    EXPECT_EQ(links->RecentList().Get(0), l[2]);
    EXPECT_EQ(links->RecentList().Get(1), l[0]);
    EXPECT_EQ(links->RecentList().Get(2), l[1]);
    EXPECT_EQ(l[2]->UseCount, 77);
    EXPECT_EQ(l[0]->UseCount, 5);
    EXPECT_EQ(l[1]->UseCount, 0);
    EXPECT_EQ(l[2]->LoadedRecentIndex, -1);
    EXPECT_FALSE(l[1]->GetVisible());
    EXPECT_EQ(l[1]->PendingVisible, -1);
    EXPECT_EQ(Shown(links), "a c ");
}

TEST_F(BarLinks, AcceleratorSearch) {
    TubBarItemLinks* links = Construct<TubBarSubItem>(form_)->GetItemLinks();
    auto l = Fill(links, {"&File", "E&xit", "&2 Two", "A&&B", "Tail&", "&Fix && &go", "&Find"});
    const struct {
        const char* name;
        WORD key;
        TShiftState shift;
        TubBarItemLink* start;
        TubBarItemLink* found;
    } cases[] = {
        {"upper-case letter, shift ignored", 'F', {ssAlt}, nullptr, l[0]},
        {"upper-case letter with shift", 'F', {ssShift}, nullptr, l[0]},
        {"lower-case letter", 'X', {}, nullptr, l[1]},
        {"lower-case letter refuses shift", 'X', {ssShift}, nullptr, nullptr},
        {"digit without shift keys", '2', {}, nullptr, l[2]},
        {"digit with shift", '2', {ssShift}, nullptr, nullptr},
        {"literal ampersand is no accelerator", 'B', {}, nullptr, nullptr},
        {"trailing ampersand is none either", 'L', {}, nullptr, nullptr},
        {"the last single ampersand counts", 'G', {}, nullptr, l[5]},
        {"search goes on after the start", 'F', {}, l[0], l[6]},
        {"and wraps around", 'F', {}, l[6], l[0]},
    };
    for (const auto& c : cases) EXPECT_EQ(links->FindItemWithAccel(c.key, c.shift, c.start), c.found) << c.name;
    EXPECT_EQ(AccelCharOf("&"), 0);
    EXPECT_EQ(AccelCharOf("&&"), 0);
    l[6]->GetItem()->SetEnabled(false);  // an item that takes no accelerator is passed over
    EXPECT_EQ(links->FindItemWithAccel('F', {}, l[0]), l[0]);
}

TEST_F(BarLinks, NoMenuMayContainItself) {
    auto* file = Construct<TubBarSubItem>(form_);
    auto* recent = Construct<TubBarSubItem>(form_);
    auto* deep = Construct<TubBarSubItem>(form_);
    file->GetItemLinks()->Add()->SetItem(recent);
    recent->GetItemLinks()->Add()->SetItem(deep);
    auto* dropDown = Construct<TubBarButton>(form_);
    auto* menu = new TubBarPopupMenu(form_);
    dropDown->SetDropDownMenu(menu);
    menu->GetItemLinks()->Add()->SetItem(file);

    const struct {
        const char* name;
        TubBarSubItem* container;
        TubBarItem* item;
    } refused[] = {{"itself", file, file},
                   {"a menu that holds it", deep, file},
                   {"a menu that holds it deeper down", deep, recent},
                   {"a button whose drop-down menu holds it", deep, dropDown}};
    for (const auto& r : refused) {
        EXPECT_FALSE(TCustomubBarSubItem::MayContain(r.item, r.container)) << r.name;
        int changes = 0;
        manager_->OnItemLinkChange = [&](TubBarManager*, TubBarItemLink*) { ++changes; };
        TubBarItemLink* link = r.container->GetItemLinks()->Add();
        try {
            link->SetItem(r.item);
            ADD_FAILURE() << r.name;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "You cannot create recursive subitems");
        }
        EXPECT_EQ(link->GetItem(), nullptr) << r.name;
        EXPECT_EQ(changes, 1) << r.name;
        delete link;
        manager_->OnItemLinkChange = nullptr;
    }
    EXPECT_TRUE(TCustomubBarSubItem::MayContain(deep, file));
    EXPECT_TRUE(TCustomubBarSubItem::MayContain(Button("x"), file));
    delete menu;
    EXPECT_EQ(dropDown->GetDropDownMenu(), nullptr);
}

TEST_F(BarLinks, ShortCutSearchAsksDropDownMenusAndSkipsDisabledMenus) {
    auto* dropDown = Construct<TubBarButton>(form_);
    dropDown->SetButtonStyle(bsDropDown);
    auto* menu = new TubBarPopupMenu(form_);
    dropDown->SetDropDownMenu(menu);
    auto* inMenu = static_cast<TubBarButton*>(Fill(menu->GetItemLinks(), {"&Deep"})[0]->GetItem());
    inMenu->SetShortCut(scCtrl | 'D');
    int clicks = 0;
    inMenu->OnClick = [&](TObject*) { ++clicks; };
    bar_->GetItemLinks()->Add()->SetItem(dropDown);
    EXPECT_TRUE(bar_->IsShortCut(scCtrl | 'D'));
    EXPECT_EQ(clicks, 1);
    dropDown->SetEnabled(false);
    EXPECT_FALSE(bar_->IsShortCut(scCtrl | 'D'));
    EXPECT_FALSE(bar_->IsShortCut(0));
}

TEST_F(BarLinks, BarSetters) {
    TubBar* second = manager_->GetBars()->Add();
    std::vector<std::string> events;
    manager_->OnBarVisibleChange = [&](TubBarManager*, TubBar* b) { events.push_back("visible " + b->Name); };
    manager_->OnBarDockingStyleChange = [&](TubBarManager*, TubBar* b) { events.push_back("dock " + b->Name); };
    bar_->SetCaption("Tools");
    second->Name = "Tools";
    second->SetCaption("Tools");  // another bar has it: refused
    EXPECT_EQ(second->GetCaption(), "");
    second->Name.clear();
    second->SetCaption("Tools2");
    EXPECT_EQ(second->Name, "Tools2");
    TubBar* third = manager_->GetBars()->Add();
    third->Name = "";
    second->Name = "Edit";
    manager_->GetBars()->Items(0)->Name = "Edit1";
    third->SetCaption("Edit");  // the name "Edit" and "Edit1" are taken
    EXPECT_EQ(third->Name, "Edit2");

    const struct {
        const char* name;
        std::function<void()> set;
        std::function<int()> get;
        int expected;
    } clamps[] = {{"Row", [&] { bar_->SetRow(-3); }, [&] { return bar_->GetRow(); }, 0},
                  {"DockedLeft", [&] { bar_->SetDockedLeft(-1); }, [&] { return bar_->GetDockedLeft(); }, 0},
                  {"DockedTop", [&] { bar_->SetDockedTop(7); }, [&] { return bar_->GetDockedTop(); }, 7}};
    for (const auto& c : clamps) {
        c.set();
        EXPECT_EQ(c.get(), c.expected) << c.name;
    }

    bar_->SetIsMainMenu(true);
    EXPECT_TRUE(bar_->GetMultiLine());
    EXPECT_TRUE(bar_->GetWholeRow());
    bar_->SetMultiLine(false);  // kept while the main menu
    EXPECT_TRUE(bar_->GetMultiLine());
    second->SetIsMainMenu(true);  // one main menu per manager
    EXPECT_FALSE(bar_->GetIsMainMenu());
    EXPECT_FALSE(bar_->GetMultiLine());
    EXPECT_EQ(manager_->GetFormMenuBar(), second);

    bar_->SetDockingStyle(dsLeft);
    bar_->SetVisible(true);
    bar_->SetVisible(true);
    EXPECT_EQ(events, (std::vector<std::string>{"dock Edit1", "visible Edit1"}));
    EXPECT_TRUE(bar_->CanUserSwitch());
    EXPECT_FALSE(second->CanUserSwitch());
    EXPECT_TRUE(bar_->CanMove());
    manager_->SetNotDocking({dsNone, dsLeft, dsTop, dsRight, dsBottom});
    EXPECT_FALSE(bar_->CanMove());

    // A copy takes everything, the main menu last but one and visibility last.
    TubBar* copy = manager_->GetBars()->Add();
    Fill(second->GetItemLinks(), {"a", "|b"});
    copy->Assign(second);
    EXPECT_TRUE(copy->GetIsMainMenu());
    EXPECT_EQ(copy->GetItemLinks()->Count(), 2);
    EXPECT_TRUE(copy->GetItemLinks()->Items(1)->BeginGroup);
    EXPECT_EQ(copy->GetCaption(), "");  // the caption is another bar's
}

TEST_F(BarLinks, OwnFontFollowsTheManagerUntilChanged) {
    manager_->SetScaled(false);
    manager_->GetFont()->SetHeight(-20);
    EXPECT_EQ(bar_->GetFont()->GetHeight(), -20);
    EXPECT_FALSE(bar_->GetUseOwnFont());
    bar_->GetFont()->SetHeight(-9);
    EXPECT_TRUE(bar_->GetUseOwnFont());
    manager_->GetFont()->SetHeight(-22);
    EXPECT_EQ(bar_->GetFont()->GetHeight(), -9);
    bar_->SetUseOwnFont(false);
    EXPECT_EQ(bar_->GetFont()->GetHeight(), manager_->GetFont()->GetHeight());
}

TEST_F(BarLinks, SubItemSettings) {
    auto* sub = Construct<TubBarSubItem>(form_);
    manager_->GetBars()->Add();
    const struct { int set, read; } detaching[] = {{1, 1}, {9, -1}, {-2, -1}, {0, 0}};
    for (const auto& d : detaching) {
        sub->SetDetachingBar(d.set);
        EXPECT_EQ(sub->GetDetachingBar(), d.read) << d.set;
    }
    sub->SetBarSize(-4);
    EXPECT_EQ(sub->GetBarSize(), 0);
    delete manager_->GetBars()->Items(0);  // the detaching bar goes
    EXPECT_EQ(sub->GetDetachingBar(), -1);
    EXPECT_FALSE(sub->CanClicked());
}

TEST_F(BarLinks, ListItemFillsNumberedButtons) {
    auto* list = Construct<TubBarListItem>(form_);
    for (const char* s : {"one", "-", "two"}) list->GetItems()->Add(s);
    TubBarItemLinks* menu = Construct<TubBarSubItem>(form_)->GetItemLinks();
    TubBarItemLink* placeholder = menu->Add();
    placeholder->SetItem(list);
    std::vector<std::string> clicked;
    list->OnClick = [&](TObject*) { clicked.push_back(std::to_string(list->ItemIndex)); };
    list->Fill(menu, 1, placeholder, true);
    ASSERT_EQ(menu->Count(), 3);
    EXPECT_EQ(menu->Items(1)->Caption(), "&1 one");
    EXPECT_EQ(menu->Items(2)->Caption(), "&2 two");
    EXPECT_TRUE(menu->Items(1)->BeginGroup);
    EXPECT_TRUE(menu->Items(2)->BeginGroup);  // a separator came before it
    menu->Items(2)->GetItem()->Click();
    EXPECT_EQ(clicked, (std::vector<std::string>{"2"}));
    list->Remove(menu, 1);
    EXPECT_EQ(menu->Count(), 1);
    list->ClearContent();
    EXPECT_TRUE(list->Buttons().empty());

    const struct { int itemIndex, dataIndex; } data[] = {{2, 1}, {0, 0}, {1, 1}, {3, -1}, {-1, -1}};
    for (const auto& d : data) {
        list->ItemIndex = d.itemIndex;
        EXPECT_EQ(list->GetDataIndex(), d.dataIndex) << d.itemIndex;
    }
    list->SetDataIndex(0);
    EXPECT_EQ(list->ItemIndex, 0);
    list->SetDataIndex(7);
    EXPECT_EQ(list->ItemIndex, 3);
    EXPECT_EQ(list->GetDataIndex(), -1);

    list->GetItems()->Clear();
    for (int i = 0; i < 11; ++i) list->GetItems()->Add("e" + std::to_string(i));
    list->ShowCheck = true;
    list->ItemIndex = 9;
    list->Fill(menu, 0, placeholder, false);
    EXPECT_EQ(menu->Items(9)->Caption(), "&A e9");
    EXPECT_EQ(menu->Items(10)->Caption(), "&B e10");
    EXPECT_TRUE(static_cast<TubBarButton*>(menu->Items(9)->GetItem())->GetDown());
    list->ShowNumbers = false;
    list->Remove(menu, 0);
    list->ClearContent();
}

TEST_F(BarLinks, ContainerFillsCopiesOfItsLinks) {
    auto* container = Construct<TubBarContainerItem>(form_);
    EXPECT_FALSE(container->HasContent());
    auto own = Fill(container->GetItemLinks(), {"a", "b"});
    EXPECT_TRUE(container->HasContent());
    TubBarItemLinks* menu = Construct<TubBarSubItem>(form_)->GetItemLinks();
    TubBarItemLink* placeholder = menu->Add();
    placeholder->SetItem(container);
    container->Fill(menu, 1, placeholder, true);
    ASSERT_EQ(menu->Count(), 3);
    EXPECT_EQ(menu->Items(1)->GetItem(), own[0]->GetItem());
    EXPECT_TRUE(menu->Items(1)->BeginGroup);
    EXPECT_EQ(menu->Items(1)->OwnerLink(), placeholder);
    container->Remove(menu, 1);
    EXPECT_EQ(menu->Count(), 1);
    for (TubBarItemLink* l : own) l->GetItem()->SetVisible(ivNever);
    EXPECT_FALSE(container->HasContent());
}

}  // namespace
}  // namespace zel::test
