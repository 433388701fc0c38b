// The quick-customization window of the main window's narrowed toolbar, reached through the mark with real
// clicks: a framed window over a hidden bar of its own that shows the links which did not fit, closed by Esc
// and by presses elsewhere, and saved nowhere; and its "Add or Remove Buttons" list: one entry per toolbar
// link with a check area, the link's glyph, caption and shortcut, then "Reset Toolbar" and "Customize..."
// with their captions in the same column; an entry hides its link and shows it again.
#include <algorithm>
#include <functional>
#include <regex>
#include <string>
#include <utility>

#include "MainWindowBars.h"
#include "platform/vcl/FormWriter.h"
#include "platform/vcl/Screenshot.h"
#include "support/TempDir.h"
#include "uilib/bars/ubBarPainters.h"
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
    // Presses the toolbar's mark; the quick window that opened.
    TubBarQuickControl* PressMark() {
        const TRect mark = Tools()->MarkRect();
        ClickAt(Tools(), TPoint{mark.left + 3, mark.top + 3});
        return OpenQuickControl();
    }
    // Presses the toolbar's mark and opens "Add or Remove Buttons"; the list's window.
    TubBarSubMenuControl* OpenList() {
        TubBarQuickControl* quick = PressMark();
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

    // The toolbar's links that did not fit.
    std::vector<TubBarItemLink*> LeftOut() const {
        std::vector<TubBarItemLink*> links;
        for (int i = 0; i < ToolLinks()->Count(); ++i)
            if (IsRectEmpty(&ToolLinks()->Items(i)->ItemRect)) links.push_back(ToolLinks()->Items(i));
        return links;
    }
    void SaveFormAndWindow(TCustomubBarControl* Window, const std::string& Name) {
        RECT area{}, window{};
        GetWindowRect(form_->GetHandle(), &area);
        GetWindowRect(Window->GetHandle(), &window);
        area.right = std::max(area.right, window.right) + 10;
        area.bottom = std::max(area.bottom, window.bottom) + 10;
        EXPECT_TRUE(SaveScreenImage(area, ScreenshotPath(Name)));
    }

    TFormBarsSample* form_ = nullptr;
};

TEST_F(ubBarQuickCust, TheMarkOpensAFramedWindowOverAHiddenBarWithTheLinksLeftOutInEveryLook) {
    TubBarManager* m = form_->Manager;
    const int bars = m->GetBars()->Count();
    for (const auto& look : {std::pair{bmsStandard, "standard"}, std::pair{bmsEnhanced, "enhanced"},
                             std::pair{bmsFlat, "flat"}, std::pair{bmsXP, "xp"}, std::pair{bmsOffice11, "office11"}}) {
        SCOPED_TRACE(look.second);
        m->SetStyle(look.first);
        ProcessPendingMessages();
        const std::vector<TubBarItemLink*> leftOut = LeftOut();
        ASSERT_FALSE(leftOut.empty());
        TubBarQuickControl* quick = PressMark();
        ASSERT_NE(quick, nullptr);
        // A bar window over a hidden bar that is none of the manager's and shows no mark of its own.
        TubBar* hidden = quick->GetBar();
        EXPECT_TRUE(hidden->GetHidden());
        EXPECT_FALSE(hidden->GetAllowQuickCustomizing());
        EXPECT_NE(hidden->Bars(), m->GetBars());
        EXPECT_EQ(m->GetBars()->Count(), bars);
        EXPECT_FALSE(quick->HasMark());
        // The links left out, each standing for its toolbar link and shown whole, then "Add or Remove
        // Buttons" on a line of its own below them.
        TubBarItemLinks* links = quick->GetItemLinks();
        ASSERT_EQ(links->Count(), static_cast<int>(leftOut.size()) + 1);
        int bottom = 0;
        for (std::size_t i = 0; i < leftOut.size(); ++i) {
            TubBarItemLink* link = links->Items(static_cast<int>(i));
            EXPECT_EQ(link->SourceLink(), leftOut[i]) << i;
            EXPECT_EQ(link->GetItem(), leftOut[i]->GetItem()) << i;
            EXPECT_FALSE(IsRectEmpty(&link->ItemRect)) << i;
            bottom = std::max(bottom, static_cast<int>(link->ItemRect.bottom));
        }
        TubBarItemLink* entry = links->Items(links->Count() - 1);
        EXPECT_EQ(entry->Caption(), "&Add or Remove Buttons");
        EXPECT_GE(entry->ItemRect.top, bottom);
        // The look's floating border on every side, no caption; the window holds its links exactly.
        const int border = BarPainterOf(m)->GetFloatingFrameWidth();
        RECT window{};
        GetWindowRect(quick->GetHandle(), &window);
        const TPoint client = OnScreen(quick, 0, 0);
        EXPECT_EQ(client.x - window.left, border);
        EXPECT_EQ(client.y - window.top, BarPainterOf(m)->GetFloatingFrameHeight());
        const TRect inner = quick->GetClientRect();
        EXPECT_EQ(entry->ItemRect.bottom, inner.bottom);
        SaveFormAndWindow(quick, std::string("quick-window-") + look.second);
        // A press on its frame neither moves nor closes it; a right press in it opens no list of bars.
        PressAt(POINT{window.left + 1, (window.top + window.bottom) / 2});
        ASSERT_EQ(OpenQuickControl(), quick);
        RECT after{};
        GetWindowRect(quick->GetHandle(), &after);
        EXPECT_EQ(after.left, window.left);
        EXPECT_EQ(after.top, window.top);
        const TRect first = links->Items(0)->ItemRect;
        PressAt(OnScreen(quick, first.left + 2, first.top + 2), {}, true);
        EXPECT_EQ(QuickPopup(), nullptr);
        Tap(VK_ESCAPE);
        EXPECT_EQ(OpenQuickControl(), nullptr);
    }
}

TEST_F(ubBarQuickCust, TheWindowOpensBesideOrBelowTheMarkAndStaysInsideTheWorkArea) {
    const TRect area = WorkAreaAt(TPoint(0, 0));
    struct TCase {
        const char* Name;
        TubBarDockingStyle Side;
        TPoint FormAt;  // from the work area's top-left corner; negative: from its right or bottom edge
        // The window's rectangle against the mark's, both on the screen.
        std::function<void(const TRect& Window, const TRect& Mark)> Check;
    };
    const std::vector<TCase> cases{
        {"below the mark of a docked horizontal toolbar, right-aligned with it",
         dsTop,
         {60, 60},
         [](const TRect& W, const TRect& M) {
             EXPECT_EQ(W.right, M.right);
             EXPECT_EQ(W.top, M.bottom);
         }},
        {"above the mark near the work area's bottom edge",
         dsTop,
         {60, -100},
         [](const TRect& W, const TRect& M) {
             EXPECT_EQ(W.right, M.right);
             EXPECT_EQ(W.bottom, M.top);
         }},
        {"beside the mark of a vertical toolbar, at its right edge and top",
         dsLeft,
         {60, 60},
         [](const TRect& W, const TRect& M) {
             EXPECT_EQ(W.left, M.right);
             EXPECT_EQ(W.top, M.top);
         }},
        {"at the mark's left near the work area's right edge",
         dsLeft,
         {-120, 60},
         [&area](const TRect& W, const TRect& M) {
             EXPECT_EQ(W.right, M.left);
             EXPECT_LE(W.bottom, area.bottom);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        form_->Manager->GetBars()->Items(1)->SetDockingStyle(c.Side);
        const int left = c.FormAt.x >= 0 ? area.left + c.FormAt.x : area.right + c.FormAt.x;
        const int top = c.FormAt.y >= 0 ? area.top + c.FormAt.y : area.bottom + c.FormAt.y;
        form_->SetBounds(left, top, c.Side == dsLeft ? 400 : 200, 300);
        ProcessPendingMessages();
        ASSERT_FALSE(LeftOut().empty());
        TubBarQuickControl* quick = PressMark();
        ASSERT_NE(quick, nullptr);
        RECT window{};
        GetWindowRect(quick->GetHandle(), &window);
        const TRect mark = Tools()->MarkRect();
        const TPoint topLeft = OnScreen(Tools(), mark.left, mark.top);
        const TPoint bottomRight = OnScreen(Tools(), mark.right, mark.bottom);
        c.Check(TRect{window.left, window.top, window.right, window.bottom},
                TRect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y});
        if (c.Side == dsLeft && c.FormAt.x > 0) SaveFormAndWindow(quick, "quick-window-vertical");
        Tap(VK_ESCAPE);
        ASSERT_EQ(OpenQuickControl(), nullptr);
    }
}

TEST_F(ubBarQuickCust, EscAndPressesElsewhereCloseTheWindowAndReleaseTheMark) {
    const std::vector<std::pair<const char*, std::function<void()>>> closers{
        {"Esc", [] { Tap(VK_ESCAPE); }},
        {"a press on the form",
         [this] { PressAt(OnScreen(form_, form_->ClientWidth() / 2, form_->ClientHeight() - 20)); }},
        {"a right press on the form",
         [this] { PressAt(OnScreen(form_, form_->ClientWidth() / 2, form_->ClientHeight() - 20), {}, true); }},
        {"Ctrl+Tab to the next toolbar",
         [] {
             Tap(VK_TAB, VK_CONTROL);
             EXPECT_EQ(OpenQuickControl(), nullptr) << "at once, before the check";
             Tap(VK_ESCAPE);
         }},
        {"a press on another toolbar link",
         [this] {
             const TRect first = ToolLinks()->Items(0)->ItemRect;
             PressAt(OnScreen(Tools(), first.left + 3, first.top + 3));
         }},
    };
    for (const auto& [name, close] : closers) {
        SCOPED_TRACE(name);
        ASSERT_NE(PressMark(), nullptr);
        EXPECT_EQ(Tools()->MarkState(), msPressed);
        close();
        EXPECT_EQ(OpenQuickControl(), nullptr);
        EXPECT_EQ(CurrentMenuControl, nullptr);
        EXPECT_NE(Tools()->MarkState(), msPressed);
        // Closed by the keys, the window stays closed until the mark is pressed again.
        Run(250);
        EXPECT_EQ(OpenQuickControl(), nullptr);
    }
}

TEST_F(ubBarQuickCust, ALayoutSavedWhileTheWindowIsOpenHoldsOnlyTheManagersBars) {
    TubBarManager* m = form_->Manager;
    const std::string formText = WriteComponentText(*form_);
    // The window open with its "Add or Remove Buttons" list.
    ASSERT_NE(OpenList(), nullptr);
    TubBarQuickControl* quick = OpenQuickControl();
    ASSERT_NE(quick, nullptr);
    TempDir dir;
    const std::string path = dir.File("layout.ini");
    m->WriteLayoutToIniFile(path);
    const std::string ini = ReadAll(path);
    std::smatch count;
    ASSERT_TRUE(std::regex_search(ini, count, std::regex(R"(BarCount=(\d+))")));
    EXPECT_EQ(std::stoi(count[1]), m->GetBars()->Count());
    const std::regex barSection(R"(\.Bar\d+\])");
    EXPECT_EQ(std::distance(std::sregex_iterator(ini.begin(), ini.end(), barSection), std::sregex_iterator()),
              m->GetBars()->Count());
    // The form's text, as it was before the window opened.
    EXPECT_EQ(WriteComponentText(*form_), formText);
    EXPECT_EQ(OpenQuickControl(), quick);
}

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
