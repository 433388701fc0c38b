// A maximised document child in the main window: its system-menu entry first on the menu bar, the child's
// system menu as bar items, the three caption buttons, and the entry gone again once the child is restored.
#include <string>
#include <vector>

#include "MainWindowBars.h"
#include "platform/vcl/Menus.h"
#include "platform/win/SystemMenu.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarSystemMenu.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {
namespace {

class ubBarSystemMenuTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        std::string text = MainWindowBarsText();
        const std::string caption = "  Caption = 'Zelmovi 3.0'\n";
        text.replace(text.find(caption), caption.size(), caption + "  FormStyle = fsMDIForm\n");
        main_ = Construct<TFormBarsSample>(nullptr, text);
        main_->SetBounds(40, 40, 640, 420);
        Application->MainForm = main_;
        main_->Show();
        ProcessPendingMessages();
        child_ = Construct<TForm>(nullptr);
        child_->SetFormStyle(fsMDIChild);
        child_->SetCaption("Library");
        child_->SetBounds(20, 20, 300, 200);
        child_->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
        child_->Show();
        ProcessPendingMessages();
    }
    void TearDown() override {
        if (IsChildAlive()) delete child_;
        ProcessPendingMessages();
        Application->MainForm = nullptr;
        delete main_;
        BarsTest::TearDown();
    }
    bool IsChildAlive() const {
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (Screen->Forms(i) == child_) return true;
        return false;
    }
    TubBarControl* MenuBar() const { return main_->Manager->GetFormMenuBar()->Control(); }
    TubBarItemLinks* MenuLinks() const { return main_->Manager->GetFormMenuBar()->GetItemLinks(); }
    TSystemMenuSubItem* Entry() const {
        return MenuLinks()->Count() > 0 ? dynamic_cast<TSystemMenuSubItem*>(MenuLinks()->Items(0)->GetItem()) : nullptr;
    }
    void ClickRect(TCustomubBarControl* Bar, const TRect& R, int Times = 1) {
        const TPoint at((R.left + R.right) / 2, (R.top + R.bottom) / 2);
        const TPoint screen = OnScreen(Bar, at.x, at.y);
        SetCursorPos(screen.x, screen.y);
        ProcessPendingMessages();
        for (int i = 0; i < Times; ++i) ClickAt(Bar, at);
    }
    void Maximize() {
        child_->SetWindowState(wsMaximized);
        ProcessPendingMessages();
    }

    TFormBarsSample* main_ = nullptr;
    TForm* child_ = nullptr;
};

TEST_F(ubBarSystemMenuTest, AMaximisedChildsSystemMenuLeadsTheMenuBar) {
    EXPECT_EQ(Entry(), nullptr);
    EXPECT_EQ(MenuBar()->CaptionButtonCount(), 0);
    Maximize();
    ASSERT_NE(Entry(), nullptr);
    EXPECT_EQ(Entry()->ChildWindow, child_->GetHandle());
    EXPECT_EQ(MenuBar()->CaptionButtonCount(), 3);
    EXPECT_EQ(MenuLinks()->Items(1)->GetItem()->GetName(), "File1");

    // The entry opens the child's system menu: Restore to Close, Close after a group start with its short-cut
    // and the close picture; Move, Size and Maximize are off while the child is maximised.
    ClickRect(MenuBar(), MenuLinks()->Items(0)->ItemRect);
    auto* menu = dynamic_cast<TubBarSubMenuControl*>(MenuBar()->ChildMenu);
    ASSERT_NE(menu, nullptr);
    TubBarItemLinks* entries = Entry()->GetItemLinks();
    std::vector<std::string> captions;
    for (int i = 0; i < entries->Count(); ++i) captions.push_back(entries->Items(i)->GetItem()->GetCaption());
    EXPECT_EQ(captions, (std::vector<std::string>{"&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "&Close"}));
    auto* close = dynamic_cast<TubBarButton*>(entries->Items(5)->GetItem());
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(entries->Items(5)->BeginGroup);
    EXPECT_EQ(close->GetShortCut(), TextToShortCut("Ctrl+F4"));
    EXPECT_FALSE(close->GetGlyph()->Empty());
    EXPECT_TRUE(dynamic_cast<TubBarButton*>(entries->Items(1)->GetItem())->GetGlyph()->Empty());
    for (int off : {1, 2, 4}) EXPECT_FALSE(entries->Items(off)->GetItem()->GetEnabled()) << off;
    EXPECT_TRUE(entries->Items(0)->GetItem()->GetEnabled());
    RECT frame{}, open{};
    GetWindowRect(main_->GetHandle(), &frame);
    GetWindowRect(menu->GetHandle(), &open);
    frame.right = std::max(frame.right, open.right);
    frame.bottom = std::max(frame.bottom, open.bottom);
    EXPECT_TRUE(SaveScreenImage(frame, ScreenshotPath("mdi-system-menu")));

    // Restore: the child comes back to its place, the entry and the caption buttons go.
    ClickRect(menu, entries->Items(0)->ItemRect);
    EXPECT_EQ(child_->GetWindowState(), wsNormal);
    EXPECT_EQ(Entry(), nullptr);
    EXPECT_EQ(MenuBar()->CaptionButtonCount(), 0);
    EXPECT_EQ(MenuLinks()->Items(0)->GetItem()->GetName(), "File1");
}

TEST_F(ubBarSystemMenuTest, TheCaptionButtonsMinimiseRestoreAndCloseTheChild) {
    Maximize();
    ASSERT_EQ(MenuBar()->CaptionButtonCount(), 3);
    // Restore.
    ClickRect(MenuBar(), MenuBar()->CaptionButtonRect(1));
    EXPECT_EQ(child_->GetWindowState(), wsNormal);
    EXPECT_EQ(MenuBar()->CaptionButtonCount(), 0);
    // Minimise.
    Maximize();
    ClickRect(MenuBar(), MenuBar()->CaptionButtonRect(0));
    EXPECT_EQ(child_->GetWindowState(), wsMinimized);
    EXPECT_EQ(Entry(), nullptr);
    // Close: the child goes, and its entry with it.
    child_->SetWindowState(wsNormal);
    Maximize();
    ASSERT_NE(Entry(), nullptr);
    ClickRect(MenuBar(), MenuBar()->CaptionButtonRect(2));
    ProcessPendingMessages();
    EXPECT_FALSE(IsChildAlive());
    EXPECT_EQ(Entry(), nullptr);
    EXPECT_EQ(MenuBar()->CaptionButtonCount(), 0);
}

TEST_F(ubBarSystemMenuTest, ADoubleClickOnTheEntrySendsTheDefaultCommand) {
    Maximize();
    ASSERT_NE(Entry(), nullptr);
    ClickRect(MenuBar(), MenuLinks()->Items(0)->ItemRect, 2);
    ProcessPendingMessages();
    EXPECT_FALSE(IsChildAlive()) << "Close is the default";
    EXPECT_EQ(Entry(), nullptr);
}

// A child form with a manager and a main menu bar of its own lends its links to the main menu bar while it is
// maximised, its own bar hidden meanwhile, and takes them back when it is restored.
TEST_F(ubBarSystemMenuTest, AChildsOwnMainMenuIsMergedWhileItIsMaximised) {
    auto* childManager = new TubBarManager(child_);
    TubBar* childBar = childManager->GetBars()->Add();
    childBar->SetIsMainMenu(true);
    childManager->SetFormMenuBar(childBar);
    auto* tools = new TubBarSubItem(child_);
    tools->SetCaption("&Tools");
    childBar->GetItemLinks()->Add()->SetItem(tools);
    childBar->SetVisible(true);
    ProcessPendingMessages();
    const int before = MenuLinks()->Count();
    int merges = 0, unmerges = 0;
    main_->Manager->OnMenuMerge = nullptr;
    Maximize();
    // The system-menu entry, the main form's menus, then the child's.
    ASSERT_EQ(MenuLinks()->Count(), before + 2);
    EXPECT_EQ(MenuLinks()->Items(before + 1)->GetItem(), tools);
    EXPECT_FALSE(childBar->GetVisible());
    child_->SetWindowState(wsNormal);
    ProcessPendingMessages();
    EXPECT_EQ(MenuLinks()->Count(), before);
    EXPECT_TRUE(childBar->GetVisible());

    // With its own merge handler the main manager does the merge itself.
    main_->Manager->OnMenuMerge = [&](TubBarManager*, TubBarManager* child, bool merge) {
        EXPECT_EQ(child, childManager);
        (merge ? merges : unmerges) += 1;
    };
    Maximize();
    child_->SetWindowState(wsNormal);
    ProcessPendingMessages();
    EXPECT_EQ(merges, 1);
    EXPECT_EQ(unmerges, 1);
    EXPECT_EQ(MenuLinks()->Count(), before);
}

}  // namespace
}  // namespace zel::test
