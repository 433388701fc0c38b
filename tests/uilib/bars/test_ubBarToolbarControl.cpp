// The toolbar window docked: the main window's bars on the top dock in their stored rows, laid out in one or
// more lines, painted, and freed with their bars.
#include <set>

#include "MainWindowBars.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarHint.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {
namespace {

class ubBarToolbarControl : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form_ = Construct<TFormBarsSample>(nullptr);
        form_->SetBounds(60, 60, 640, 300);
    }
    void TearDown() override {
        delete form_;
        BarsTest::TearDown();
    }
    TubBar* MenuBar() const { return form_->Manager->GetBars()->Items(0); }
    TubBar* ToolBar() const { return form_->Manager->GetBars()->Items(1); }
    TubDockControl* TopDock() const { return form_->Manager->GetBars()->DockControls(dsTop); }

    TFormBarsSample* form_ = nullptr;
};

TEST_F(ubBarToolbarControl, TheMenuBarAndTheToolbarShowInTwoRowsOnTheTopDockSizedToThemAboveTheMdiClient) {
    form_->SetFormStyle(fsMDIForm);
    form_->Show();
    ProcessPendingMessages();
    TubDockControl* top = TopDock();
    TubBarControl* menu = MenuBar()->Control();
    TubBarControl* tools = ToolBar()->Control();
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(tools, nullptr);
    ASSERT_EQ(top->RowCount(), 2);
    int row = -1, col = -1;
    top->FindPlace(menu, row, col);
    EXPECT_EQ(row, 0);
    top->FindPlace(tools, row, col);
    EXPECT_EQ(row, 1);
    EXPECT_TRUE(IsWindowVisible(menu->GetHandle()));
    EXPECT_TRUE(IsWindowVisible(tools->GetHandle()));
    EXPECT_EQ(menu->GetTop(), 0);
    EXPECT_EQ(menu->GetWidth(), top->ClientWidth());  // the menu bar takes its whole row
    EXPECT_EQ(tools->GetTop(), menu->GetHeight());
    EXPECT_EQ(top->GetHeight(), menu->GetHeight() + tools->GetHeight());
    EXPECT_GT(tools->GetHeight(), 20);
    // Every link has its place, left to right in one line.
    for (TubBar* bar : {MenuBar(), ToolBar()}) {
        int x = -1;
        for (TubBarItemLink* link : bar->GetItemLinks()->VisibleItems()) {
            EXPECT_GT(link->ItemRect.Width(), 0) << link->GetItem()->GetName();
            EXPECT_GT(link->ItemRect.left, x);
            x = link->ItemRect.left;
        }
    }
    // The multi-document client fills the form below the dock.
    ASSERT_NE(form_->ClientHandle(), nullptr);
    RECT mdi{}, dock{};
    GetWindowRect(form_->ClientHandle(), &mdi);
    GetWindowRect(top->GetHandle(), &dock);
    EXPECT_EQ(mdi.top, dock.bottom);
    EXPECT_EQ(mdi.bottom - mdi.top, form_->ClientHeight() - top->GetHeight());
    EXPECT_TRUE(SaveWindowImage(form_->GetHandle(), ScreenshotPath("main-window-bars-office11")));

    // Hiding a bar frees its window and the dock closes up; showing it places it again.
    ToolBar()->SetVisible(false);
    EXPECT_EQ(ToolBar()->Control(), nullptr);
    EXPECT_EQ(top->RowCount(), 1);
    EXPECT_EQ(top->GetHeight(), menu->GetHeight());
    ToolBar()->SetVisible(true);
    ASSERT_NE(ToolBar()->Control(), nullptr);
    EXPECT_EQ(top->RowCount(), 2);
}

// How the links lie on a narrowed form: the single-line toolbar keeps its first links and hides the rest
// behind its mark, the multi-line menu bar wraps and the dock grows with it. The shipped toolbar shows
// pictures only, so it is narrower than the menu bar's one line.
TEST_F(ubBarToolbarControl, ANarrowFormCutsTheToolbarAndWrapsTheMenuBar) {
    form_->Show();
    ProcessPendingMessages();
    TubBarControl* menu = MenuBar()->Control();
    TubBarControl* tools = ToolBar()->Control();
    ASSERT_NE(tools, nullptr);
    const int menuHeight = menu->GetHeight();
    const int fullWidth = tools->GetWidth();
    EXPECT_FALSE(tools->LinksHidden());

    struct Case {
        int clientWidth;
        bool toolsCut;
        int menuLines;
    } cases[] = {{fullWidth + 40, false, 1}, {fullWidth - 20, true, 2}, {150, true, 3}, {60, true, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clientWidth);
        form_->SetClientWidth(c.clientWidth);
        ProcessPendingMessages();
        EXPECT_EQ(tools->LinksHidden(), c.toolsCut);
        EXPECT_EQ(tools->HasMark(), true);
        EXPECT_LE(tools->GetLeft() + tools->GetWidth(), TopDock()->ClientWidth());
        // The first link is always placed; hidden links have no rectangle; placed ones stay inside the bar.
        const TRect client = tools->GetClientRect();
        const TRect mark = tools->MarkRect();
        bool first = true;
        for (TubBarItemLink* link : ToolBar()->GetItemLinks()->VisibleItems()) {
            if (first) {
                EXPECT_FALSE(IsRectEmpty(&link->ItemRect));
            }
            first = false;
            if (IsRectEmpty(&link->ItemRect)) continue;
            EXPECT_LE(link->ItemRect.right, mark.left) << link->GetItem()->GetName();
            EXPECT_LE(link->ItemRect.bottom, client.bottom);
        }
        std::set<int> tops;
        for (TubBarItemLink* link : MenuBar()->GetItemLinks()->VisibleItems()) tops.insert(link->ItemRect.top);
        EXPECT_EQ(static_cast<int>(tops.size()), c.menuLines);
        EXPECT_EQ(menu->GetHeight() > menuHeight, c.menuLines > 1);
        EXPECT_EQ(TopDock()->GetHeight(), menu->GetHeight() + tools->GetHeight());
        EXPECT_EQ(tools->GetTop(), menu->GetHeight());
    }
}

// The parts of a docked toolbar on screen: the grip's dots before the links, the group separator between
// Print and Keyboard, and the mark at the end; a click on the grip or the gap moves the bar, a click on a
// link or the mark is the window's own.
TEST_F(ubBarToolbarControl, PaintsGripSeparatorAndMarkAndAnswersItsHitTest) {
    SetCursorPos(0, 0);
    form_->Show();
    ProcessPendingMessages();
    TubBarControl* tools = ToolBar()->Control();
    ASSERT_NE(tools, nullptr);
    auto linkRect = [&](const std::string& name) {
        for (TubBarItemLink* link : ToolBar()->GetItemLinks()->VisibleItems())
            if (link->GetItem()->GetName() == name) return link->ItemRect;
        return TRect{};
    };
    const TRect print = linkRect("FilePrintItem"), keyboard = linkRect("GadgetsKeyboardItem");
    ASSERT_LT(print.right, keyboard.left);
    const TRect frame = tools->FrameSizes();
    EXPECT_GT(frame.left, 4);  // the grip's band

    auto screenPixel = [&](int x, int y) {  // client coordinates of the toolbar
        const TPoint p = OnScreen(tools, x, y);
        return ComposedScreenPixel(p.x, p.y);
    };
    // The separator: a dark line somewhere in the gap, lighter at the gap's ends.
    const int mid = (print.top + print.bottom) / 2;
    const COLORREF edge = screenPixel(print.right, mid);
    bool darker = false;
    for (int x = print.right; x < keyboard.left; ++x) darker = darker || screenPixel(x, mid) != edge;
    EXPECT_TRUE(darker);
    // Each caption is drawn in the font it was measured in: it ends before its button's last columns.
    for (TubBarItemLink* link : ToolBar()->GetItemLinks()->VisibleItems()) {
        const TRect r = link->ItemRect;
        int text = 0;
        for (int y = r.top + 3; y < r.bottom - 3; ++y)
            text += screenPixel(r.right - 2, y) != screenPixel(r.left + 1, y);
        EXPECT_EQ(text, 0) << link->GetItem()->GetName();
        // No frame of another colour around a button at rest: the bar's gradient runs on under it.
        EXPECT_EQ(screenPixel(r.left, mid), screenPixel(r.left + 1, mid)) << link->GetItem()->GetName();
    }
    // The grip: dots in the band left of the client area.
    const TPoint gripOrigin = OnScreen(tools, -frame.left, 0);
    std::set<COLORREF> gripColors;
    for (int y = 0; y < tools->GetHeight(); ++y)
        for (int x = 0; x < frame.left; ++x) gripColors.insert(ComposedScreenPixel(gripOrigin.x + x, gripOrigin.y + y));
    EXPECT_GE(gripColors.size(), 3u);
    // The dots run down the grip: rows of the lower half hold dots too.
    int dottedRows = 0;
    for (int y = tools->GetHeight() / 2; y < tools->GetHeight() - 3; ++y) {
        std::set<COLORREF> row;
        for (int x = 0; x < frame.left; ++x) row.insert(ComposedScreenPixel(gripOrigin.x + x, gripOrigin.y + y));
        dottedRows += row.size() > 1;
    }
    EXPECT_GT(dottedRows, 2);

    auto hit = [&](int x, int y) {
        const TPoint p = OnScreen(tools, x, y);
        SendMessage(tools->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
        return tools->HitArea();
    };
    EXPECT_EQ(hit(print.left + 2, mid), HTCLIENT);
    EXPECT_EQ(hit(-frame.left + 2, mid), HTCAPTION);
    EXPECT_EQ(hit((print.right + keyboard.left) / 2, mid), HTCAPTION);
    const TRect mark = tools->MarkRect();
    EXPECT_EQ(hit(mark.left + 2, mark.top + 2), HTCLIENT);
}

// The windows go with their bars, with the manager, and with the form (the docks first).
TEST_F(ubBarToolbarControl, WindowsGoWithTheirBarsManagerAndForm) {
    form_->Show();
    ProcessPendingMessages();
    TubBarControl* tools = ToolBar()->Control();
    ASSERT_NE(tools, nullptr);
    const HWND window = tools->GetHandle();
    form_->Manager->GetBars()->Delete(1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(TopDock()->RowCount(), 1);
    TubBarControl* menu = MenuBar()->Control();
    ASSERT_TRUE(IsLiveBarControl(menu));
    delete form_->Manager;
    form_->Manager = nullptr;
    EXPECT_FALSE(IsLiveBarControl(menu));
    ProcessPendingMessages();
}

// What the pointer finds on a docked toolbar: the move cursor over the grip and the gaps, "More Buttons" on
// the mark, and no hot link while the form is not the active window.
TEST_F(ubBarToolbarControl, ThePointerFindsTheMoveCursorTheMarksHintAndNoHotLinkOnAnInactiveForm) {
    form_->Show();
    ProcessPendingMessages();
    TubBarControl* tools = ToolBar()->Control();
    ASSERT_NE(tools, nullptr);
    auto pointAt = [&](int x, int y) {
        const TPoint p = OnScreen(tools, x, y);
        SetCursorPos(p.x, p.y);
        ProcessPendingMessages();
    };
    const TRect frame = tools->FrameSizes();
    pointAt(-frame.left + 3, 8);
    EXPECT_EQ(tools->GetCursor(), crSizeAll);
    const TRect open = ToolBar()->GetItemLinks()->Items(1)->ItemRect;
    pointAt(open.left + 3, open.top + 3);
    EXPECT_EQ(tools->GetCursor(), crDefault);
    ASSERT_NE(tools->SelectedControl(), nullptr);
    EXPECT_EQ(tools->SelectedControl()->Link, ToolBar()->GetItemLinks()->Items(1));

    const TRect mark = tools->MarkRect();
    ASSERT_FALSE(IsRectEmpty(&mark));
    pointAt(mark.left + 3, mark.top + 3);
    EXPECT_EQ(tools->MarkState(), msSelected);
    EXPECT_EQ(tools->SelectedControl(), nullptr);
    Run(2000);
    ASSERT_NE(HintWindow(), nullptr);
    EXPECT_EQ(HintWindow()->HintText(), "More Buttons");
    pointAt(open.left + 3, open.top + 3);
    EXPECT_EQ(tools->MarkState(), msNone);

    // Another window active: the pointer over a link selects nothing.
    pointAt(mark.left + 3, mark.top + 3);
    TTestForm* other = NewForm();
    other->SetBounds(400, 400, 100, 80);
    other->Show();
    ProcessPendingMessages();
    ASSERT_NE(GetActiveWindow(), form_->GetHandle());
    pointAt(open.left + 3, open.top + 3);
    EXPECT_EQ(tools->SelectedControl(), nullptr);
}

// A bar whose window goes without the bar asking (its dock's window was destroyed) is hidden; a move of the
// window is remembered in the bar: its row, its place, alone on its row.
TEST_F(ubBarToolbarControl, TheBarHidesWhenItsWindowGoesAndRemembersWhereItsWindowIs) {
    form_->Show();
    ProcessPendingMessages();
    ASSERT_NE(ToolBar()->Control(), nullptr);
    MenuBar()->SetVisible(false);
    ProcessPendingMessages();
    EXPECT_EQ(ToolBar()->GetRow(), 0);
    EXPECT_EQ(ToolBar()->GetDockedTop(), 0);
    EXPECT_TRUE(ToolBar()->OneOnRow);
    EXPECT_EQ(ToolBar()->GetDockedDockControl(), nullptr) << "the side dock is named by its side";
    MenuBar()->SetVisible(true);
    ProcessPendingMessages();
    EXPECT_EQ(ToolBar()->GetRow(), 1);
    EXPECT_EQ(ToolBar()->GetDockedTop(), MenuBar()->Control()->GetHeight());

    DestroyWindow(ToolBar()->Control()->GetHandle());
    ProcessPendingMessages();
    EXPECT_FALSE(ToolBar()->GetVisible());
    EXPECT_EQ(ToolBar()->Control(), nullptr);
    EXPECT_EQ(TopDock()->RowCount(), 1);
}

// A toolbar without border over the whole bottom row sits in the form's corner: its frame holds a size grip
// at the right, which sizes the form; the grip goes while the form is maximized and comes back after.
TEST_F(ubBarToolbarControl, ABorderlessWholeRowBarAtTheFormsBottomCarriesASizeGripThatSizesTheForm) {
    form_->Show();
    ProcessPendingMessages();
    TubBar* bar = ToolBar();
    bar->SetBorderStyle(bbsNone);
    bar->SetWholeRow(true);
    bar->SetDockingStyle(dsBottom);
    ProcessPendingMessages();
    TubBarControl* tools = bar->Control();
    ASSERT_NE(tools, nullptr);
    ASSERT_EQ(tools->DockingStyle(), dsBottom);
    EXPECT_TRUE(tools->HasSizeGrip());
    // The band at the right is the frame's; the grip lies in the window's bottom-right corner.
    EXPECT_EQ(tools->FrameSizes().right, GetSystemMetrics(SM_CXHSCROLL));
    EXPECT_EQ(tools->ClientWidth(), tools->GetWidth() - GetSystemMetrics(SM_CXHSCROLL));
    const TRect grip = tools->SizeGripRect();
    EXPECT_EQ(grip.right, tools->GetWidth());
    EXPECT_EQ(grip.bottom, tools->GetHeight());
    RECT w;
    GetWindowRect(tools->GetHandle(), &w);
    RECT formBefore;
    GetWindowRect(form_->GetHandle(), &formBefore);
    POINT clientBottom{0, form_->ClientHeight()};
    ClientToScreen(form_->GetHandle(), &clientBottom);
    EXPECT_EQ(w.bottom, clientBottom.y);
    // The grip is painted: its lines differ from the band's background above them.
    const COLORREF band = ComposedScreenPixel(w.right - 2, w.top + 1);
    int lines = 0;
    for (int x = w.right - grip.Width(); x < w.right; ++x) lines += ComposedScreenPixel(x, w.bottom - 3) != band;
    EXPECT_GT(lines, 0);
    EXPECT_TRUE(SaveWindowImage(form_->GetHandle(), ScreenshotPath("toolbar-size-grip")));
    // Over the grip the bar answers bottom-right sizing, with its cursor; left of the band it still moves.
    const TPoint corner{w.right - 3, w.bottom - 3};
    EXPECT_EQ(SendMessage(tools->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTBOTTOMRIGHT);
    SendMessage(tools->GetHandle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(tools->GetHandle()),
                MAKELPARAM(HTBOTTOMRIGHT, WM_MOUSEMOVE));
    EXPECT_EQ(tools->GetCursor(), crSizeNWSE);
    const TPoint gap = OnScreen(tools, tools->ClientWidth() - 20, 2);
    SendMessage(tools->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(gap.x, gap.y));
    EXPECT_NE(tools->HitArea(), HTBOTTOMRIGHT);

    // Dragging the grip sizes the form; the bar stays in its corner with its grip.
    SetCursorPos(corner.x, corner.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    SetCursorPos(corner.x + 30, corner.y + 20);
    SetCursorPos(corner.x + 40, corner.y + 30);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    RECT formAfter;
    GetWindowRect(form_->GetHandle(), &formAfter);
    EXPECT_EQ(formAfter.left, formBefore.left);
    EXPECT_EQ(formAfter.top, formBefore.top);
    EXPECT_EQ(formAfter.right - formBefore.right, 40);
    EXPECT_EQ(formAfter.bottom - formBefore.bottom, 30);
    ASSERT_EQ(bar->Control(), tools);
    EXPECT_TRUE(tools->HasSizeGrip());
    GetWindowRect(tools->GetHandle(), &w);
    EXPECT_EQ(w.right - w.left, tools->GetWidth());
    EXPECT_EQ(tools->SizeGripRect().right, tools->GetWidth());

    // Maximized, the form has no corner to drag: the frame loses the band, and gets it back on restore.
    ShowWindow(form_->GetHandle(), SW_MAXIMIZE);
    ProcessPendingMessages();
    EXPECT_FALSE(tools->HasSizeGrip());
    EXPECT_EQ(tools->ClientWidth(), tools->GetWidth());
    EXPECT_TRUE(tools->SizeGripRect().Width() <= 0);
    ShowWindow(form_->GetHandle(), SW_RESTORE);
    ProcessPendingMessages();
    EXPECT_TRUE(tools->HasSizeGrip());
    EXPECT_EQ(tools->ClientWidth(), tools->GetWidth() - GetSystemMetrics(SM_CXHSCROLL));
}

// A bar that shows no size grip: with a border, not over the whole row, switched off, or docked elsewhere.
TEST_F(ubBarToolbarControl, ASizeGripNeedsABorderlessWholeRowBarWithItsSizeGripAtTheBottom) {
    form_->Show();
    ProcessPendingMessages();
    struct Case {
        TubBarBorderStyle Border;
        bool WholeRow, SizeGrip;
        TubBarDockingStyle Side;
    };
    for (const Case c : {Case{bbsSingle, true, true, dsBottom}, Case{bbsNone, false, true, dsBottom},
                         Case{bbsNone, true, false, dsBottom}, Case{bbsNone, true, true, dsTop}}) {
        TubBar* bar = ToolBar();
        bar->SetBorderStyle(c.Border);
        bar->SetWholeRow(c.WholeRow);
        bar->SetSizeGrip(c.SizeGrip);
        bar->SetDockingStyle(c.Side);
        ProcessPendingMessages();
        ASSERT_NE(bar->Control(), nullptr);
        EXPECT_FALSE(bar->Control()->HasSizeGrip()) << c.Border << c.WholeRow << c.SizeGrip << c.Side;
        EXPECT_TRUE(bar->Control()->SizeGripRect().Width() <= 0);
    }
}

// A bar of its own on a form in the classic look, whose painter shows the mark only when links are left
// out: an aligned item ends its line, a group never starts a line with a separator beside it.
class ubBarToolbarControlLayout : public BarsTest {};

TEST_F(ubBarToolbarControlLayout, AlignedItemsEndTheLineAndGroupsStartLinesWithoutASeparatorBeside) {
    struct Case {
        const char* name;
        bool multiLine;
        int clientWidth;
        TubBarItemAlign thirdAlign;
        bool thirdBeginsGroup;
        bool fourthShown;  // the link after the third
        bool markShown;
        bool fourthStartsLine;
    } cases[] = {
        {"all in one line", false, 600, iaLeft, false, true, false, false},
        {"right-aligned ends the line", false, 600, iaRight, false, false, true, false},
        {"centred ends the line", false, 600, iaCenter, false, false, true, false},
        {"aligned, multi-line: the rest on the next line", true, 600, iaRight, false, true, true, true},
        {"a group on the next line starts it", true, 150, iaLeft, true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* form = Construct<TTestForm>(nullptr);
        form->SetBounds(50, 50, c.clientWidth + 20, 200);
        auto* m = new TubBarManager(form);
        m->SetStyle(bmsStandard);
        TubBar* bar = m->GetBars()->Add();
        bar->SetMultiLine(c.multiLine);
        std::vector<TubBarButton*> buttons;
        for (const char* caption : {"Alpha", "Beta", "Gamma", "Delta"}) {
            auto* b = new TubBarButton(form);
            b->SetCaption(caption);
            TubBarItemLink* link = bar->GetItemLinks()->Add();
            link->SetItem(b);
            buttons.push_back(b);
        }
        buttons[2]->SetAlign(c.thirdAlign);
        bar->GetItemLinks()->Items(2)->BeginGroup = c.thirdBeginsGroup;
        bar->SetDockingStyle(dsTop);
        bar->SetVisible(true);
        form->SetClientWidth(c.clientWidth);
        form->Show();
        ProcessPendingMessages();
        TubBarControl* w = bar->Control();
        ASSERT_NE(w, nullptr);
        const TRect third = bar->GetItemLinks()->Items(2)->ItemRect;
        const TRect fourth = bar->GetItemLinks()->Items(3)->ItemRect;
        EXPECT_EQ(!IsRectEmpty(&fourth), c.fourthShown);
        EXPECT_EQ(w->HasMark(), c.markShown);
        const TRect client = w->GetClientRect();
        const int lineEnd = client.right - (w->HasMark() ? ubBarMarkSize : 0);
        if (c.thirdAlign == iaRight && !c.multiLine) {
            EXPECT_EQ(third.right, lineEnd);
        }
        if (c.thirdAlign == iaCenter) {
            EXPECT_GT(third.left, bar->GetItemLinks()->Items(1)->ItemRect.right + 10);
        }
        if (c.fourthShown) {
            EXPECT_EQ(fourth.left == 0, c.fourthStartsLine);
        }
        if (c.thirdBeginsGroup) {
            // The group's link starts the second line at its very start: the separator runs across the bar.
            EXPECT_EQ(third.left, 0);
            EXPECT_GT(third.top, bar->GetItemLinks()->Items(1)->ItemRect.bottom);
        }
        delete form;
        ProcessPendingMessages();
    }
}

}  // namespace
}  // namespace zel::test
