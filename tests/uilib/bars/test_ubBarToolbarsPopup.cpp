// The quick popups: a right click on a dock area or a toolbar lists the bars that are not hidden, each
// showing or hiding its own bar, and "&Customize..." when the manager can customize; while customizing, a right
// click on a link opens its customizing popup (reset, delete, name, paint style, group start).
#include <string>
#include <vector>

#include "BarsTestSupport.h"
#include "platform/vcl/Dialogs.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBarToolbarsPopup.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {
namespace {

class ubBarToolbarsPopupTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form = NewForm();
        form->SetBounds(100, 100, 500, 300);
        manager = new TubBarManager(form);
        for (const char* caption : {"Standard", "Formatting", "Hidden"}) {
            TubBar* bar = manager->GetBars()->Add();
            bar->SetCaption(caption);
            auto* button = new TubBarButton(form);
            button->SetCaption(std::string(caption).substr(0, 1));
            bar->GetItemLinks()->Add()->SetItem(button);
            bar->SetDockingStyle(dsTop);
        }
        manager->GetBars()->Items(0)->SetVisible(true);
        manager->GetBars()->Items(2)->SetHidden(true);
        form->Show();
        ProcessPendingMessages();
    }
    static void RightClickAt(TPoint Screen) {
        SetCursorPos(Screen.x, Screen.y);
        ProcessPendingMessages();
        mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
        ProcessPendingMessages();
        mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    }
    // A free place on the top dock, right of the bars.
    TPoint OnDock() const {
        TubDockControl* dock = manager->GetBars()->DockControls(dsTop);
        return OnScreen(dock, dock->GetClientRect().right - 5, 5);
    }
    struct TEntry {
        std::string Caption;
        std::intptr_t Tag;
        bool Down;
        bool Group;
        bool Enabled;
        bool operator==(const TEntry&) const = default;
    };
    static std::vector<TEntry> Entries() {
        std::vector<TEntry> entries;
        TubBarSubMenuControl* popup = QuickPopup();
        if (popup == nullptr || !popup->HandleAllocated() || !IsWindowVisible(popup->GetHandle())) return entries;
        TubBarItemLinks* links = popup->GetItemLinks();
        for (int i = 0; i < links->Count(); ++i) {
            auto* button = dynamic_cast<TubBarButton*>(links->Items(i)->GetItem());
            entries.push_back(TEntry{button->GetCaption(), button->Tag, button->GetDown(), links->Items(i)->BeginGroup,
                                     button->GetEnabled()});
        }
        return entries;
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

    TTestForm* form = nullptr;
    TubBarManager* manager = nullptr;
};

TEST_F(ubBarToolbarsPopupTest, ARightClickOnTheDockListsTheBarsAndAClickTogglesOne) {
    RightClickAt(OnDock());
    const std::vector<TEntry> expected{{"Standard", 0, true, false, true},
                                       {"Formatting", 1, false, false, true},
                                       {"&Customize...", 1000, false, true, true}};
    ASSERT_EQ(Entries(), expected);
    EXPECT_TRUE(SaveWindowImage(QuickPopup()->GetHandle(), ScreenshotPath("toolbars-popup")));
    ClickEntry(1);
    EXPECT_TRUE(manager->GetBars()->Items(1)->GetVisible());
    EXPECT_TRUE(Entries().empty()) << "the popup closed";

    // A right click on a toolbar opens it too; "&Customize..." switches customizing on.
    TubBarControl* toolbar = manager->GetBars()->Items(0)->Control();
    ASSERT_NE(toolbar, nullptr);
    RightClickAt(OnScreen(toolbar, toolbar->GetClientRect().right - 3, 4));
    ASSERT_EQ(Entries().size(), 3u);
    EXPECT_TRUE(Entries()[1].Down);
    ClickEntry(2);
    EXPECT_TRUE(manager->GetCustomizing());
    manager->SetCustomizing(false);
}

TEST_F(ubBarToolbarsPopupTest, WithoutCustomizingOnlyTheBarsAndAFreedBarsEntryDoesNothing) {
    manager->CanCustomize = false;
    RightClickAt(OnDock());
    ASSERT_EQ(Entries().size(), 2u);
    EXPECT_EQ(Entries()[1].Caption, "Formatting");
    // The bar goes while its entry is on view: the entry toggles nothing, not the bar now at its index.
    delete manager->GetBars()->Items(1);
    ASSERT_EQ(manager->GetBars()->Items(1)->GetCaption(), "Hidden");
    ClickEntry(1);
    EXPECT_FALSE(manager->GetBars()->Items(1)->GetVisible());
    EXPECT_TRUE(manager->GetBars()->Items(0)->GetVisible());
}

class ubBarCustomizingPopupTest : public ubBarToolbarsPopupTest {
protected:
    void SetUp() override {
        ubBarToolbarsPopupTest::SetUp();
        TubBarItemLinks* links = manager->GetBars()->Items(0)->GetItemLinks();
        auto* save = new TubBarButton(form);
        save->SetCaption("&Save");
        TubBarItemLink* saveLink = links->Add();
        saveLink->SetItem(save);
        saveLink->BeginGroup = true;
        auto* more = new TubBarSubItem(form);
        more->SetCaption("More");
        links->Add()->SetItem(more);
        // The bar is laid out again with its new links.
        manager->GetBars()->Items(0)->SetVisible(false);
        manager->GetBars()->Items(0)->SetVisible(true);
        manager->SetCustomizing(true);
        ProcessPendingMessages();
    }
    void TearDown() override {
        manager->SetCustomizing(false);
        ubBarToolbarsPopupTest::TearDown();
    }
    TubBarItemLink* LinkAt(int Index) const { return manager->GetBars()->Items(0)->GetItemLinks()->Items(Index); }
    // A right click on a link of the toolbar.
    void RightClickLink(int Index) {
        TubBarControl* toolbar = manager->GetBars()->Items(0)->Control();
        const TRect r = LinkAt(Index)->ItemRect;
        RightClickAt(OnScreen(toolbar, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
};

TEST_F(ubBarCustomizingPopupTest, EightEntriesWhoseStatesFollowTheClickedLink) {
    RightClickLink(1);
    ASSERT_NE(dynamic_cast<TubBarCustomizingPopup*>(QuickPopup()), nullptr);
    TubBarItemLinks* entries = QuickPopup()->GetItemLinks();
    ASSERT_EQ(entries->Count(), 8);
    EXPECT_EQ(dynamic_cast<TubBarEdit*>(entries->Items(2)->GetItem())->GetText(), "&Save");
    EXPECT_TRUE(SaveWindowImage(QuickPopup()->GetHandle(), ScreenshotPath("customizing-popup")));
    Tap(VK_ESCAPE);
    struct Case {
        int Link;
        std::vector<bool> Enabled;  // the four paint styles, then "Begin a &Group"
        int StyleDown;              // the entry of the link's paint style
        bool GroupDown;
    } cases[] = {
        {0, {true, true, true, true, false}, 3, false},     // the first link cannot begin a group
        {1, {true, true, true, true, true}, 3, true},       // a button that begins a group
        {2, {false, false, false, false, true}, 3, false},  // a sub-item is no button: its styles are off
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Link);
        RightClickLink(c.Link);
        TubBarItemLinks* links = QuickPopup()->GetItemLinks();
        ASSERT_EQ(links->Count(), 8);
        std::vector<bool> enabled;
        for (int i = 3; i <= 7; ++i) enabled.push_back(links->Items(i)->GetItem()->GetEnabled());
        EXPECT_EQ(enabled, c.Enabled);
        for (int i = 3; i <= 6; ++i)
            EXPECT_EQ(dynamic_cast<TubBarButton*>(links->Items(i)->GetItem())->GetDown(), i == c.StyleDown) << i;
        EXPECT_EQ(dynamic_cast<TubBarButton*>(links->Items(7)->GetItem())->GetDown(), c.GroupDown);
        EXPECT_EQ(links->Items(2)->BeginGroup && links->Items(3)->BeginGroup && links->Items(7)->BeginGroup, true);
        Tap(VK_ESCAPE);
    }
}

TEST_F(ubBarCustomizingPopupTest, TheEntriesChangeTheClickedLink) {
    struct Case {
        const char* Name;
        int Entry;
        std::function<bool(TubBarItemLink*)> Holds;
    } cases[] = {
        {"image and text", 6, [](TubBarItemLink* l) { return l->GetUserPaintStyle() == psCaptionGlyph; }},
        {"text only in menus", 5, [](TubBarItemLink* l) { return l->GetUserPaintStyle() == psCaptionInMenu; }},
        {"begin a group toggles", 7, [](TubBarItemLink* l) { return !l->BeginGroup; }},
        {"reset clears the user definitions", 0, [](TubBarItemLink* l) { return l->GetUserDefine().Empty(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        RightClickLink(1);
        ASSERT_EQ(QuickPopup()->GetItemLinks()->Count(), 8);
        ClickEntry(c.Entry);
        EXPECT_TRUE(c.Holds(LinkAt(1)));
    }
    // "&Delete" frees the link.
    RightClickLink(1);
    ClickEntry(1);
    ASSERT_EQ(manager->GetBars()->Items(0)->GetItemLinks()->Count(), 2);
    EXPECT_EQ(LinkAt(1)->GetItem()->GetCaption(), "More");
}

TEST_F(ubBarCustomizingPopupTest, TheNameEntryRenamesTheLinkAndRefusesABlankName) {
    std::vector<TMessageBoxRequest> boxes;
    const TMessageBoxAnswerer old = SetMessageBoxAnswerer([&](const TMessageBoxRequest& r) {
        boxes.push_back(r);
        return IDOK;
    });
    RightClickLink(1);
    auto* name = dynamic_cast<TubBarEdit*>(QuickPopup()->GetItemLinks()->Items(2)->GetItem());
    ASSERT_NE(name, nullptr);
    name->SetText("Keep");
    EXPECT_EQ(LinkAt(1)->GetUserCaption(), "Keep");
    name->SetText("");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "A command name cannot be blank. Please enter a name.");
    EXPECT_EQ(boxes[0].Caption, Application->Title);
    EXPECT_EQ(boxes[0].Flags & MB_ICONERROR, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(LinkAt(1)->GetUserCaption(), "Keep");
    SetMessageBoxAnswerer(old);
}

}  // namespace
}  // namespace zel::test
