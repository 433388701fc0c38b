// The quick-customization list of the main window's narrowed toolbar, reached through the mark with real
// clicks: one entry per toolbar link with a check area, the link's glyph, caption and shortcut, then "Reset
// Toolbar" and "Customize..." with their captions in the same column; an entry hides its link and shows it
// again.
#include <algorithm>
#include <string>
#include <utility>

#include "MainWindowBars.h"
#include "platform/vcl/Screenshot.h"
#include "uilib/bars/ubBarQuickCust.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBarToolbarsPopup.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {
namespace {

class ubBarQuickCust : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form_ = Construct<TFormBarsSample>(nullptr);
        // A narrow window: the toolbar keeps its first links only.
        form_->SetBounds(60, 60, 200, 360);
        form_->Show();
        ProcessPendingMessages();
    }
    void TearDown() override {
        if (GetAsyncKeyState(VK_LBUTTON) < 0) mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
        delete form_;
        BarsTest::TearDown();
    }
    TubBarControl* Tools() const { return form_->Manager->GetBars()->Items(1)->Control(); }
    TubBarItemLinks* ToolLinks() const { return form_->Manager->GetBars()->Items(1)->GetItemLinks(); }
    // Points at a line of a bar window, then clicks it.
    static void ClickLine(TCustomubBarControl* Window, int Index) {
        const TRect r = Window->GetItemLinks()->Items(Index)->ItemRect;
        const TPoint at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        const TPoint screen = OnScreen(Window, at.x, at.y);
        SetCursorPos(screen.x, screen.y);
        ProcessPendingMessages();
        ClickAt(Window, TPoint(at.x + 1, at.y));
    }
    // Presses the toolbar's mark and opens "Add or Remove Buttons"; the list's window.
    TubBarSubMenuControl* OpenList() {
        const TRect mark = Tools()->MarkRect();
        ClickAt(Tools(), TPoint{mark.left + 3, mark.top + 3});
        TubBarQuickControl* quick = OpenQuickControl();
        if (quick == nullptr) return nullptr;
        ClickLine(quick, quick->GetItemLinks()->Count() - 1);
        return dynamic_cast<TubBarSubMenuControl*>(quick->ChildMenu);
    }
    // The pixels of a line's check area, as the screen shows them.
    static std::vector<COLORREF> CheckArea(TCustomubBarControl* Window, int Index) {
        TubBarItemLink* link = Window->GetItemLinks()->Items(Index);
        auto* control = dynamic_cast<TubBarQuickCustExtButtonControl*>(link->Control);
        std::vector<COLORREF> pixels;
        if (control == nullptr) return pixels;
        const TRect r = link->ItemRect;
        for (int y = r.top + 2; y < r.bottom - 2; ++y)
            for (int x = r.left + 2; x < r.left + control->CheckAreaWidth() - 2; ++x) {
                const TPoint p = OnScreen(Window, x, y);
                pixels.push_back(ComposedScreenPixel(p.x, p.y));
            }
        return pixels;
    }
    // The leftmost column of a line, past its glyph square, where its caption's ink begins.
    static int CaptionInk(TCustomubBarControl* Window, int Index) {
        const TRect r = Window->GetItemLinks()->Items(Index)->ItemRect;
        const int from = r.left + 2 * Window->LineHeight();
        const TPoint back = OnScreen(Window, r.right - 3, r.top + 2);
        const COLORREF paper = ComposedScreenPixel(back.x, back.y);
        for (int x = from; x < r.right; ++x)
            for (int y = r.top + 2; y < r.bottom - 2; ++y) {
                const TPoint p = OnScreen(Window, x, y);
                if (ComposedScreenPixel(p.x, p.y) != paper) return x - r.left;
            }
        return -1;
    }

    TFormBarsSample* form_ = nullptr;
};

TEST_F(ubBarQuickCust, TheListShowsEachLinkWithItsCheckGlyphAndShortcutInEveryLook) {
    for (const auto& look : {std::pair{bmsStandard, "standard"}, std::pair{bmsEnhanced, "enhanced"},
                             std::pair{bmsFlat, "flat"}, std::pair{bmsXP, "xp"}, std::pair{bmsOffice11, "office11"}}) {
        SCOPED_TRACE(look.second);
        form_->Manager->SetStyle(look.first);
        ProcessPendingMessages();
        TubBarSubMenuControl* list = OpenList();
        ASSERT_NE(list, nullptr);
        TubBarItemLinks* tools = ToolLinks();
        TubBarItemLinks* lines = list->GetItemLinks();
        ASSERT_EQ(lines->Count(), tools->Count() + 2);
        for (int i = 0; i < tools->Count(); ++i) {
            TubBarItemLink* source = tools->Items(i);
            auto* entry = dynamic_cast<TubBarQuickCustItemControl*>(lines->Items(i)->Control);
            ASSERT_NE(entry, nullptr) << i;
            EXPECT_EQ(entry->SourceLink(), source);
            EXPECT_EQ(entry->GetCaption(), source->Caption());
            EXPECT_EQ(entry->GetImageIndex(), source->GetItem()->GetImageIndex());
            EXPECT_EQ(entry->GetShortCut(), source->GetItem()->GetShortCut());
            EXPECT_EQ(entry->GetHint(), source->GetItem()->Hint);
        }
        // Reset and Customize are extension buttons; every caption starts in the same column.
        for (int i : {tools->Count(), tools->Count() + 1}) {
            auto* ext = dynamic_cast<TubBarQuickCustExtButtonControl*>(lines->Items(i)->Control);
            ASSERT_NE(ext, nullptr);
            EXPECT_EQ(dynamic_cast<TubBarQuickCustItemControl*>(ext), nullptr);
        }
        EXPECT_EQ(lines->Items(tools->Count())->Control->GetCaption(), "&Reset Toolbar");
        EXPECT_EQ(lines->Items(tools->Count() + 1)->Control->GetCaption(), "&Customize...");
        const int column = dynamic_cast<TubBarQuickCustExtButtonControl*>(lines->Items(0)->Control)->CaptionOffset();
        for (int i = 0; i < lines->Count(); ++i) {
            const int ink = CaptionInk(list, i);
            EXPECT_GE(ink, column) << i;
            EXPECT_LE(ink, column + 3) << i;
        }
        // A shown link's check area is marked, unlike the empty one of Customize.
        EXPECT_NE(CheckArea(list, 1), CheckArea(list, lines->Count() - 1));
        // The Open command's line shows its shortcut at its right end.
        for (int i = 0; i < tools->Count(); ++i)
            if (tools->Items(i)->GetItem()->GetShortCut() != 0) {
                EXPECT_FALSE(lines->Items(i)->Control->GetShortCutText().empty());
                break;
            }
        RECT area{}, window{};
        GetWindowRect(form_->GetHandle(), &area);
        GetWindowRect(list->GetHandle(), &window);
        area.right = std::max(area.right, window.right) + 10;
        area.bottom = std::max(area.bottom, window.bottom) + 10;
        EXPECT_TRUE(SaveScreenImage(area, ScreenshotPath(std::string("quick-add-or-remove-") + look.second)));
        Tap(VK_ESCAPE);
        Tap(VK_ESCAPE);
        ProcessPendingMessages();
    }
}

TEST_F(ubBarQuickCust, AnEntryHidesItsButtonAndShowsItAgain) {
    TubBarItemLink* first = ToolLinks()->Items(0);
    TubBarItemLink* second = ToolLinks()->Items(1);
    ASSERT_NE(first->Control, nullptr);
    const int firstLeft = first->ItemRect.left;
    TubBarSubMenuControl* list = OpenList();
    ASSERT_NE(list, nullptr);
    const std::vector<COLORREF> marked = CheckArea(list, 0);
    ClickLine(list, 0);
    EXPECT_FALSE(first->GetVisible());
    EXPECT_EQ(OpenQuickControl(), nullptr);
    // The toolbar no longer shows it: the next button takes its place.
    EXPECT_LT(ToolLinks()->VisibleItems().IndexOf(first), 0);
    EXPECT_EQ(second->ItemRect.left, firstLeft);

    list = OpenList();
    ASSERT_NE(list, nullptr);
    // Still listed, its check area now empty like Customize's.
    EXPECT_EQ(dynamic_cast<TubBarQuickCustItemControl*>(list->GetItemLinks()->Items(0)->Control)->SourceLink(), first);
    EXPECT_NE(CheckArea(list, 0), marked);
    ClickLine(list, 0);
    EXPECT_TRUE(first->GetVisible());
    ASSERT_NE(first->Control, nullptr);
    EXPECT_EQ(first->ItemRect.left, firstLeft);
}

}  // namespace
}  // namespace zel::test
