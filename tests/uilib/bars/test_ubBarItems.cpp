// Items, buttons, edits and combos: captions with their hints, categories, check groups, sizes, the nearest
// combo entry, actions; and the category maintenance that keeps every item on its category.
#include "BarsTestSupport.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {
namespace {

class BarItems : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form_ = NewForm();
        manager_ = new TubBarManager(form_);
    }
    template <class T>
    T* New(const std::string& name = {}) {
        auto* item = Construct<T>(form_);
        if (!name.empty()) item->SetName(name);
        return item;
    }
    TTestForm* form_ = nullptr;
    TubBarManager* manager_ = nullptr;
};

TEST_F(BarItems, CaptionKeepsAnAutomaticHintInStep) {
    const struct {
        const char* name;
        const char* oldCaption;
        const char* hint;
        const char* caption;
        const char* expected;
    } cases[] = {
        {"empty hint takes the caption", "", "", "&Save As...", "Save As"},
        {"only the first & and ... leave", "", "", "A&&B&c...x...", "A&B&cx..."},
        {"short part follows, long part stays", "&Open", "Open|Opens a library", "&Load", "Load|Opens a library"},
        {"a hint of its own stays", "&Open", "Open a file", "&Load", "Open a file"},
        {"a changed short part stays", "&Open", "Opens|long", "&Load", "Opens|long"},
    };
    for (const auto& c : cases) {
        auto* item = New<TubBarButton>();
        item->SetCaption(c.oldCaption);
        item->Hint = c.hint;
        item->SetCaption(c.caption);
        EXPECT_EQ(item->Hint, c.expected) << c.name;
        EXPECT_EQ(item->GetCaption(), c.caption) << c.name;
    }
    auto* sub = New<TubBarSubItem>();
    sub->SetCaption("&File");
    EXPECT_EQ(sub->Hint, "");
}

TEST_F(BarItems, CategoryStaysInRangeExceptWhileLoading) {
    manager_->GetCategories()->Add("File");
    manager_->GetCategories()->Add("Edit");
    auto* item = New<TubBarButton>();
    EXPECT_EQ(item->GetCategory(), -1);
    EXPECT_FALSE(item->HasParent());
    item->SetCategory(2);
    EXPECT_EQ(item->GetCategory(), 2);
    item->SetCategory(5);  // three categories: ignored
    item->SetCategory(-1);
    EXPECT_EQ(item->GetCategory(), 2);
    EXPECT_EQ(item->GetParentComponent(), manager_);

    // A stream may hold a category beyond the list: it stays as read, and no look-up goes past the list.
    item->Loading();
    item->SetCategory(9);
    item->Loaded();
    EXPECT_EQ(item->GetCategory(), 9);
    TListOf<TubBarItem> list;
    manager_->CollectCategoryItems(9, list);
    EXPECT_EQ(list.Count(), 0);
    manager_->CollectVisibleCategoryItems(2, list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(manager_->GetItemsVisibleOfCategory(9), ivAlways);
    EXPECT_TRUE(manager_->GetVisibleOfCategory(9));
}

TEST_F(BarItems, VisibleReadWhileLoadingWaitsForTheManager) {
    auto* item = New<TubBarButton>();
    item->Loading();
    item->SetVisible(ivNever);
    item->Loaded();
    EXPECT_EQ(item->GetVisible(), ivAlways);
    EXPECT_EQ(item->LoadedVisible(), ivNever);
    item->ApplyLoadedVisible();
    EXPECT_EQ(item->GetVisible(), ivNever);
    EXPECT_FALSE(item->IsShowable());
    item->SetVisible(ivInCustomizing);
    EXPECT_FALSE(item->IsShowable());
    manager_->SetCustomizing(true);
    EXPECT_TRUE(item->IsShowable());
}

TEST_F(BarItems, CheckGroupsReleaseThePressedButton) {
    TubBarButton* b[3];
    for (auto*& button : b) {
        button = New<TubBarButton>();
        button->SetButtonStyle(bsChecked);
        button->SetGroupIndex(1);
    }
    auto downs = [&] { return std::vector<bool>{b[0]->GetDown(), b[1]->GetDown(), b[2]->GetDown()}; };
    b[0]->Click();
    b[1]->Click();
    EXPECT_EQ(downs(), (std::vector<bool>{false, true, false}));
    b[1]->Click();  // the last one down stays down without AllowAllUp
    EXPECT_EQ(downs(), (std::vector<bool>{false, true, false}));
    b[2]->SetAllowAllUp(true);  // copied to the whole group
    EXPECT_TRUE(b[0]->GetAllowAllUp());
    b[1]->Click();
    EXPECT_EQ(downs(), (std::vector<bool>{false, false, false}));

    auto* plain = New<TubBarButton>();
    plain->SetGroupIndex(3);
    EXPECT_EQ(plain->GetGroupIndex(), 0);
    plain->SetDown(true);
    EXPECT_FALSE(plain->GetDown());
}

TEST_F(BarItems, EditAndComboLimits) {
    auto* edit = New<TubBarEdit>();
    edit->SetWidth(5);
    edit->SetMaxLength(-3);
    EXPECT_EQ(edit->GetWidth(), 20);
    EXPECT_EQ(edit->GetMaxLength(), 0);

    auto* combo = New<TubBarCombo>();
    for (const char* s : {"Bass", "apple", "APRICOT"}) combo->GetItems()->Add(s);
    const struct {
        const char* text;
        int nearest;
    } cases[] = {{"ap", 1}, {"APR", 2}, {"aPpLeS", 1}, {"b", 0}, {"x", -1}, {"\xE9", -1}};
    for (const auto& c : cases) EXPECT_EQ(combo->FindNearestItem(c.text), c.nearest) << c.text;
    combo->GetItems()->Add("\xE9t\xE9");
    EXPECT_EQ(combo->FindNearestItem("\xC9T"), 3);  // upper-cased by the Windows-1252 pairs

    combo->SetItemIndex(1);
    EXPECT_EQ(combo->GetText(), "apple");
    combo->SetItemIndex(10);
    EXPECT_EQ(combo->GetItemIndex(), -1);
    EXPECT_EQ(combo->GetText(), "");
    combo->SetText("APRICOT");
    EXPECT_EQ(combo->GetItemIndex(), 2);
    combo->GetItems()->Delete(3);
    combo->GetItems()->Delete(2);  // the entry shown goes: no entry is chosen
    EXPECT_EQ(combo->GetItemIndex(), -1);

    const struct {
        WORD key;
        TShiftState shift;
        bool custom, plain;
    } keys[] = {{VK_DOWN, {}, true, true},
                {VK_DOWN, {ssShift}, false, true},
                {'A', {}, false, true},
                {VK_RETURN, {}, false, false},
                {VK_ESCAPE, {}, false, false}};
    auto* bare = New<TCustomubBarCombo>();
    for (const auto& k : keys) {
        EXPECT_EQ(combo->CheckKeyForDropDownWindow(k.key, k.shift), k.custom) << k.key;
        EXPECT_EQ(bare->CheckKeyForDropDownWindow(k.key, k.shift), k.plain) << k.key;
    }
}

TEST_F(BarItems, SevenItemClassesAreOfferedInTheRegistrysOrder) {
    const char* const names[] = {"TubBarButton",  "TubBarEdit",     "TCustomubBarCombo",  "TubBarCombo",
                                 "TubBarSubItem", "TubBarListItem", "TubBarContainerItem"};
    ASSERT_EQ(OfferedItemClassCount(), 7);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(std::string(OfferedItemClass(i)->Name), names[i]);
    EXPECT_EQ(OfferedItemClass(7), nullptr);
    // The whole registry: each item class with the control that shows it; the quick-customization and
    // system-menu classes are not offered.
    struct Row {
        const char* Item;
        const char* Control;
        bool Offered;
    };
    const Row rows[] = {
        {"TubBarButton", "TubBarButtonControl", true},
        {"TubBarEdit", "TubBarEditControl", true},
        {"TCustomubBarCombo", "TCustomubBarComboControl", true},
        {"TubBarCombo", "TubBarComboControl", true},
        {"TubBarSubItem", "TubBarSubItemControl", true},
        {"TubBarListItem", "TubBarContainerItemControl", true},
        {"TubBarContainerItem", "TubBarContainerItemControl", true},
        {"TubBarQuickCustExtButton", "TubBarQuickCustExtButtonControl", false},
        {"TubBarQuickCustItem", "TubBarQuickCustItemControl", false},
        {"TubBarQuickSubItem", "TubBarSubItemControl", false},
        {"TSystemMenuSubItem", "TSystemMenuSubItemControl", false},
    };
    ASSERT_EQ(RegItemRecordCount(), 11);
    for (int i = 0; i < 11; ++i) {
        const TRegItemRecord* r = RegItemRecord(i);
        EXPECT_EQ(std::string(r->ItemClass->Name), rows[i].Item) << i;
        EXPECT_EQ(std::string(r->ItemControlClass->Name), rows[i].Control) << i;
        EXPECT_EQ(r->Visible, rows[i].Offered) << i;
    }
}

// Opens a window of a given size at a point and reports where the combo placed it.
class TPlacedCombo : public TubBarCombo {
public:
    using TubBarCombo::TubBarCombo;
    TPoint Place(int X, int Y, int CW, int CH) const { return PlaceDropDown(X, Y, CW, CH); }
};

TEST_F(BarItems, ComboDropDownStaysInsideTheWorkArea) {
    auto* combo = New<TPlacedCombo>();
    TubBar* bar = manager_->GetBars()->Add();
    bar->SetDockingStyle(dsTop);
    auto* sub = New<TubBarSubItem>();
    TubBarItemLink* onBar = bar->GetItemLinks()->Add();
    onBar->SetItem(combo);
    onBar->ItemRect = TRect{0, 0, 120, 22};
    TubBarItemLink* inMenu = sub->GetItemLinks()->Add();
    inMenu->SetItem(combo);
    inMenu->ItemRect = TRect{0, 0, 120, 22};
    const TRect a = WorkAreaAt(TPoint{10, 10});
    const struct {
        const char* name;
        TubBarItemLink* link;
        int x, y, cw, ch;
        int ex, ey;
    } cases[] = {
        {"fits", onBar, a.left + 10, a.top + 30, 100, 100, a.left + 10, a.top + 30},
        {"toolbar: pushed left from the right edge", onBar, a.right - 50, a.top + 30, 100, 100, a.right - 100,
         a.top + 30},
        {"toolbar: opens above when there is more room", onBar, a.left, a.bottom - 10, 100, 100, a.left,
         a.bottom - 10 - 22 - 100},
        {"menu: opens to the left of the entry", inMenu, a.right - 50, a.top, 100, 100, a.right - 50 - 100 - 120,
         a.top},
        {"menu: pushed up from the bottom", inMenu, a.left, a.bottom - 10, 100, 100, a.left, a.bottom - 100},
        {"never left of or above the work area", onBar, a.left - 30, a.top - 30, 10, 10, a.left, a.top},
    };
    for (const auto& c : cases) {
        combo->ActiveLink = c.link;
        const TPoint p = combo->Place(c.x, c.y, c.cw, c.ch);
        EXPECT_EQ(p.x, c.ex) << c.name;
        EXPECT_EQ(p.y, c.ey) << c.name;
    }
}

TEST_F(BarItems, ComboDropDownWidth) {
    auto* combo = New<TubBarCombo>();
    combo->GetItems()->Add("x");
    const int scroll = GetSystemMetrics(SM_CXVSCROLL);
    combo->DropDownWidth = 50;
    EXPECT_EQ(combo->CalcDropDownWidth(), 54);
    combo->DropDownCount = 0;  // more items than the list shows: room for the scroll bar
    EXPECT_EQ(combo->CalcDropDownWidth(), 54 + scroll);
    combo->DropDownCount = 8;
    combo->DropDownWidth = 0;
    EXPECT_EQ(combo->CalcDropDownWidth(), combo->GetItemWidth(0) + 4);
}

TEST_F(BarItems, AcceleratorsOfButtonsOnBarsNeedACaptionThatShows) {
    TubBar* bar = manager_->GetBars()->Add();
    auto* sub = New<TubBarSubItem>();
    auto* button = New<TubBarButton>();
    auto* edit = New<TubBarEdit>();
    TubBarItemLink* onBar = bar->GetItemLinks()->Add();
    onBar->SetItem(button);
    TubBarItemLink* inMenu = sub->GetItemLinks()->Add();
    inMenu->SetItem(button);
    TubBarItemLink* editOnBar = bar->GetItemLinks()->Add();
    editOnBar->SetItem(edit);
    EXPECT_TRUE(button->IsAccelAvailable(inMenu));
    const struct {
        TubBarPaintStyle style;
        bool available;
    } styles[] = {{psStandard, false}, {psCaption, true}, {psCaptionInMenu, false}, {psCaptionGlyph, true}};
    for (const auto& s : styles) {
        button->SetPaintStyle(s.style);
        EXPECT_EQ(button->IsAccelAvailable(onBar), s.available) << int(s.style);
    }
    button->SetEnabled(false);
    EXPECT_FALSE(button->IsAccelAvailable(inMenu));
    EXPECT_FALSE(edit->IsAccelAvailable(editOnBar));
    edit->SetShowCaption(true);
    EXPECT_TRUE(edit->IsAccelAvailable(editOnBar));
}

TEST_F(BarItems, ActionSuppliesItsValuesWhileTheyFollowIt) {
    auto* action = new TCustomAction(form_);
    action->SetCaption("&Run");
    action->SetShortCut(scCtrl | 'R');
    int runs = 0;
    action->OnExecute = [&](TObject*) { ++runs; };
    auto* button = New<TubBarButton>();
    button->SetAction(action);
    EXPECT_EQ(button->GetCaption(), "&Run");
    EXPECT_EQ(button->Hint, "");  // taken from the action: the hint is left alone
    EXPECT_EQ(button->GetShortCut(), scCtrl | 'R');
    action->SetEnabled(false);
    EXPECT_FALSE(button->GetEnabled());
    action->SetCaption("&Walk");
    EXPECT_EQ(button->GetCaption(), "&Walk");
    action->SetEnabled(true);
    button->Click();
    EXPECT_EQ(runs, 1);
    delete action;
    EXPECT_EQ(button->GetAction(), nullptr);
}

TEST_F(BarItems, CategoryMaintenanceKeepsItemsOnTheirCategories) {
    TubBarManagerCategories* cats = manager_->GetCategories();
    for (const char* c : {"A", "B", "C"}) cats->Add(c);  // Default, A, B, C
    TubBarButton* item[4];
    for (int i = 0; i < 4; ++i) {
        item[i] = New<TubBarButton>("Item" + std::to_string(i));
        item[i]->SetCaption(cats->Get(i));
        item[i]->SetCategory(i);
    }
    // After each step every item still names the category it was on.
    auto check = [&](const char* step) {
        for (TubBarButton* b : item) {
            if (b->GetCategory() >= 0) {
                EXPECT_EQ(cats->Get(b->GetCategory()), b->GetCaption()) << step;
            }
        }
    };
    cats->Insert(1, "New");
    check("insert");
    cats->Exchange(0, 3);
    check("exchange");
    cats->Move(4, 1);
    check("move");
    const int onB = item[2]->GetCategory();
    const std::string gone = item[2]->GetName();
    item[2] = item[3];  // the item of a deleted category goes with it
    cats->Delete(onB);
    EXPECT_EQ(manager_->FindItemByName(gone), nullptr);
    EXPECT_EQ(manager_->ItemCount(), 3);
    check("delete");
}

}  // namespace
}  // namespace zel::test
