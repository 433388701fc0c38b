// The toolbars popup: a right click on a dock area or a toolbar lists the bars that are not hidden, each
// showing or hiding its own bar, and "&Customize..." when the manager can customize.
#include <string>
#include <vector>

#include "BarsTestSupport.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarItemLinks.h"
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
        TubBarToolbarsPopup* popup = ToolbarsPopup();
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
        TubBarToolbarsPopup* popup = ToolbarsPopup();
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
    EXPECT_TRUE(SaveWindowImage(ToolbarsPopup()->GetHandle(), ScreenshotPath("toolbars-popup")));
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

}  // namespace
}  // namespace zel::test
