// The customizing popup at design time: besides the run-time entries it adds items of the offered classes,
// deletes the bar, shows or hides the link and marks it recently used, and its caption entry renames the
// item itself. Entries clicked after their bar is gone do nothing.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "BarsTestSupport.h"
#include "TestDesigner.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBarToolbarsPopup.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {
namespace {

class ubBarDesignPopupTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form = NewForm();
        form->SetBounds(100, 100, 500, 300);
        form->SetDesigning(true);
        manager = new TubBarManager(form);
        manager->GetCategories()->Add("File");
        bar = manager->GetBars()->Add();
        bar->SetCaption("Standard");
        const char* const captions[] = {"&Open", "&Save"};
        for (const char* caption : captions) {
            auto* button = new TubBarButton(form);
            button->SetCaption(caption);
            button->SetCategory(1);
            bar->GetItemLinks()->Add()->SetItem(button);
        }
        bar->GetItemLinks()->Items(1)->BeginGroup = true;
        bar->SetDockingStyle(dsTop);
        bar->SetVisible(true);
        form->Show();
        ProcessPendingMessages();
    }
    TubBarItemLinks* Links() const { return bar->GetItemLinks(); }
    void RightClickAt(TPoint Client) {
        const TPoint screen = OnScreen(bar->Control(), Client.x, Client.y);
        SetCursorPos(screen.x + 1, screen.y);
        ProcessPendingMessages();
        SetCursorPos(screen.x, screen.y);
        ProcessPendingMessages();
        mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
        ProcessPendingMessages();
        mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    }
    void RightClickLink(int Index) {
        const TRect r = Links()->Items(Index)->ItemRect;
        RightClickAt(TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    struct TEntry {
        std::string Caption;
        bool Down;
        bool operator==(const TEntry&) const = default;
        friend void PrintTo(const TEntry& E, std::ostream* Out) { *Out << E.Caption << (E.Down ? " (down)" : ""); }
    };
    static std::vector<TEntry> Entries() {
        std::vector<TEntry> entries;
        TubBarSubMenuControl* popup = QuickPopup();
        if (popup == nullptr || !popup->HandleAllocated() || !IsWindowVisible(popup->GetHandle())) return entries;
        TubBarItemLinks* links = popup->GetItemLinks();
        for (int i = 0; i < links->Count(); ++i) {
            TubBarItem* item = links->Items(i)->GetItem();
            auto* button = dynamic_cast<TubBarButton*>(item);
            entries.push_back(TEntry{item->GetCaption(), button != nullptr && button->GetDown()});
        }
        return entries;
    }
    // The form is designed: the form hooks leave it alone, so the popup is closed by the program.
    static void ClosePopup() {
        if (QuickPopup() != nullptr) QuickPopup()->CloseUp();
        ProcessPendingMessages();
    }
    void ClickEntry(int Index) {
        TubBarSubMenuControl* popup = QuickPopup();
        const TRect r = popup->GetItemLinks()->Items(Index)->ItemRect;
        const TPoint at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        const TPoint screen = OnScreen(popup, at.x, at.y);
        SetCursorPos(screen.x, screen.y);
        ProcessPendingMessages();
        SetCursorPos(screen.x + 1, screen.y);
        ProcessPendingMessages();
        ClickAt(popup, TPoint(at.x + 1, at.y));
    }

    TTestDesigner designer;
    TTestForm* form = nullptr;
    TubBarManager* manager = nullptr;
    TubBar* bar = nullptr;
};

TEST_F(ubBarDesignPopupTest, EntriesAtDesignTime) {
    const std::vector<TEntry> adds{{"Add &SubItem", false}, {"Add &Button", false}, {"Add &Item", false}};
    auto withLink = [&](bool Group, bool Recent, bool WithRecent) {
        std::vector<TEntry> e = adds;
        const std::vector<TEntry> link{{"&Reset", false},
                                       {"&Caption:", false},
                                       {"Defa&ult style", true},
                                       {"&Text Only (Always)", false},
                                       {"Text &Only (in Menus)", false},
                                       {"Image &and Text", false},
                                       {"Begin a &Group", Group},
                                       {"&Visible", true}};
        e.insert(e.end(), link.begin(), link.end());
        e.insert(e.begin() + 4, TEntry{"&Delete", false});
        if (WithRecent) e.push_back(TEntry{"&Most recently used", Recent});
        return e;
    };
    struct Row {
        const char* Case;
        std::function<void()> Prepare;
        std::function<void()> Open;
        std::vector<TEntry> Expected;
    } const rows[] = {
        {"a link", [] {}, [&] { RightClickLink(1); }, withLink(true, true, true)},
        {"another link, not marked recently used", [&] { Links()->Items(0)->SetMostRecentlyUsed(false); },
         [&] { RightClickLink(0); }, withLink(false, false, true)},
        // The bar's free end, before the standard look lays the bar out to its links' length.
        {"the bar itself",
         [] {},
         [&] {
             const TRect r = bar->Control()->GetClientRect();
             RightClickAt(TPoint(r.right - 4, (r.top + r.bottom) / 2));
         },
         {adds[0], adds[1], adds[2], {"Delete Bar", false}}},
        {"the standard style: no recent items", [&] { manager->SetStyle(bmsStandard); }, [&] { RightClickLink(1); },
         withLink(true, true, false)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Case);
        row.Prepare();
        ProcessPendingMessages();
        row.Open();
        EXPECT_EQ(Entries(), row.Expected);
        ClosePopup();
    }
    // "Add &Item" lists the offered classes by name.
    RightClickLink(0);
    auto* add = dynamic_cast<TubBarSubItem*>(QuickPopup()->GetItemLinks()->Items(2)->GetItem());
    ASSERT_NE(add, nullptr);
    EXPECT_TRUE(add->Internal);
    ASSERT_EQ(add->GetItemLinks()->Count(), OfferedItemClassCount());
    for (int n = 0; n < OfferedItemClassCount(); ++n)
        EXPECT_EQ(add->GetItemLinks()->Items(n)->GetItem()->GetCaption(), OfferedItemClass(n)->Name);
    EXPECT_TRUE(SaveWindowImage(QuickPopup()->GetHandle(), ScreenshotPath("bars_design_customizing_popup")));
    ClosePopup();
}

TEST_F(ubBarDesignPopupTest, EntriesAddItemsAndChangeTheLinkAndTheBar) {
    // "Add &Button" after the clicked link: a new item of the "Default" category, named by the class.
    RightClickLink(0);
    ClickEntry(1);
    ASSERT_EQ(Links()->Count(), 3);
    TubBarItem* added = Links()->Items(1)->GetItem();
    EXPECT_EQ(added->ClassName(), "TubBarButton");
    EXPECT_EQ(added->GetName(), "ubBarButton1");
    EXPECT_EQ(added->GetCaption(), "New Item");
    EXPECT_EQ(added->GetCategory(), 0);
    EXPECT_EQ(added->GetOwner(), form);
    EXPECT_FALSE(CustomizingPopupAddingItem());
    // "Add &SubItem" on the bar itself: at the end.
    const TRect r = bar->Control()->GetClientRect();
    RightClickAt(TPoint(r.right - 4, (r.top + r.bottom) / 2));
    ClickEntry(0);
    ASSERT_EQ(Links()->Count(), 4);
    EXPECT_EQ(Links()->Items(3)->GetItem()->ClassName(), "TubBarSubItem");
    EXPECT_EQ(Links()->Items(3)->GetItem()->GetName(), "ubBarSubItem1");

    // "&Visible" and "&Most recently used" toggle the link's flags; "&Caption:" renames the item.
    TubBarItemLink* save = Links()->Items(2);
    RightClickLink(2);
    ClickEntry(12);
    EXPECT_FALSE(save->GetMostRecentlyUsed());
    RightClickLink(2);
    ClickEntry(11);
    EXPECT_FALSE(save->GetVisible());
    RightClickLink(0);
    auto* caption = dynamic_cast<TubBarEdit*>(QuickPopup()->GetItemLinks()->Items(5)->GetItem());
    ASSERT_NE(caption, nullptr);
    caption->SetText("&Open...");
    EXPECT_EQ(Links()->Items(0)->GetItem()->GetCaption(), "&Open...");
    EXPECT_EQ(Links()->Items(0)->GetUserCaption(), "");
    ClosePopup();

    // "Delete Bar" frees the bar.
    RightClickAt(TPoint(bar->Control()->GetClientRect().right - 4, 4));
    ASSERT_EQ(Entries().back().Caption, "Delete Bar");
    ClickEntry(3);
    EXPECT_EQ(manager->GetBars()->Count(), 0);
    bar = nullptr;
}

TEST_F(ubBarDesignPopupTest, EntriesOfAFreedBarDoNothing) {
    RightClickLink(0);
    ASSERT_FALSE(Entries().empty());
    TubBarSubMenuControl* popup = QuickPopup();
    delete bar;
    bar = nullptr;
    ProcessPendingMessages();
    ASSERT_EQ(QuickPopup(), popup);
    const int items = manager->ItemCount();
    // "Add &Button" and "&Visible" find neither the list nor the link.
    if (popup->HandleAllocated() && IsWindowVisible(popup->GetHandle())) {
        ClickEntry(1);
        EXPECT_EQ(manager->ItemCount(), items);
    }
    auto* visible = dynamic_cast<TubBarButton*>(popup->GetItemLinks()->Items(11)->GetItem());
    ASSERT_NE(visible, nullptr);
    visible->Click();
    auto* add = dynamic_cast<TubBarButton*>(popup->GetItemLinks()->Items(1)->GetItem());
    add->Click();
    EXPECT_EQ(manager->ItemCount(), items);
}

}  // namespace
}  // namespace zel::test
