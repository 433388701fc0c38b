// The LISTBOX's own bars, drawn inside its client area and kept as its window-wide bars: the vertical one over
// its items, the horizontal one over its horizontal extent; and its colours asked of its parent.
#include <gtest/gtest.h>

#include "platform/vcl/Screenshot.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/FrameScrollBar.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

class ListBoxBars : public VclTest {
protected:
    // A 100 x 60 list without a border, holding Count items, on a shown form.
    TListBox* NewList(int Count) {
        auto* form = Keep(Construct<TForm>(nullptr));
        form->SetBounds(50, 50, 240, 200);
        auto* list = NewBorderlessList(form, TRect(10, 10, 110, 70));
        for (int i = 0; i < Count; ++i) list->Items()->Add("item " + std::to_string(i));
        form->Show();
        ProcessPendingMessages();
        return list;
    }
    static SCROLLINFO Info(HWND H, int Bar) {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(H, Bar, &si));
        return si;
    }
    // A press through the input queue at a screen point of a bar, released at Release (same point when none).
    static void PressBar(int X, int Y, int ReleaseY = -1) {
        SetCursorPos(X, Y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        if (ReleaseY >= 0) SetCursorPos(X, ReleaseY);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    }
};

TEST_F(ListBoxBars, TheVerticalBarLiesInsideTheClientAreaAndItsPressesMoveTheTopIndex) {
    TListBox* list = NewList(20);
    const HWND h = list->GetHandle();
    const int rows = 60 / list->GetItemHeight();
    SCROLLINFO si = Info(h, SB_VERT);
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 19);
    EXPECT_EQ(si.nPage, static_cast<UINT>(rows));
    EXPECT_EQ(si.nPos, 0);

    SCROLLBARINFO bar;
    ASSERT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, &bar));
    const TPoint origin = OnScreen(list, 0, 0);
    EXPECT_EQ(bar.rcScrollBar.left, origin.x + 100 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(bar.rcScrollBar.top, origin.y);
    EXPECT_EQ(bar.rcScrollBar.right, origin.x + 100);
    EXPECT_EQ(bar.rcScrollBar.bottom, origin.y + 60);
    EXPECT_EQ(bar.rgstate[0] & 0x18000u, 0u);
    SCROLLBARINFO none;
    ASSERT_TRUE(GetScrollBarInfo(h, OBJID_HSCROLL, &none));
    EXPECT_EQ(none.rgstate[0] & 0x18000u, 0x18000u);

    const int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2;
    PressBar(x, bar.rcScrollBar.bottom - 2);
    EXPECT_EQ(SendMessage(h, LB_GETTOPINDEX, 0, 0), 1) << "down arrow";
    ASSERT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, &bar));
    PressBar(x, bar.rcScrollBar.top + bar.xyThumbBottom + 2);
    EXPECT_EQ(SendMessage(h, LB_GETTOPINDEX, 0, 0), 1 + rows) << "track below the thumb";
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 1 + rows);
    // The thumb dragged to the bottom shows the last items.
    ASSERT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, &bar));
    PressBar(x, bar.rcScrollBar.top + bar.xyThumbTop + 1, bar.rcScrollBar.bottom + 40);
    EXPECT_EQ(SendMessage(h, LB_GETTOPINDEX, 0, 0), 20 - rows);
    EXPECT_EQ(list->GetItemIndex(), -1) << "presses on the bar select nothing";
}

TEST_F(ListBoxBars, TheHorizontalExtentShowsTheHorizontalBarOfAListThatHasOne) {
    TListBox* list = NewList(2);
    const HWND h = list->GetHandle();
    // Without WS_HSCROLL the extent is kept but shows no bar.
    SendMessage(h, LB_SETHORIZONTALEXTENT, 300, 0);
    EXPECT_EQ(SendMessage(h, LB_GETHORIZONTALEXTENT, 0, 0), 300);
    SCROLLBARINFO bar;
    ASSERT_TRUE(GetScrollBarInfo(h, OBJID_HSCROLL, &bar));
    EXPECT_EQ(bar.rgstate[0] & 0x18000u, 0x18000u);

    SetWindowLong(h, GWL_STYLE, GetWindowLong(h, GWL_STYLE) | static_cast<LONG>(WS_HSCROLL));
    ASSERT_TRUE(GetScrollBarInfo(h, OBJID_HSCROLL, &bar));
    EXPECT_EQ(bar.rgstate[0] & 0x18000u, 0u);
    const TPoint origin = OnScreen(list, 0, 0);
    const int cy = GetSystemMetrics(SM_CYHSCROLL);
    EXPECT_EQ(bar.rcScrollBar.top, origin.y + 60 - cy);
    EXPECT_EQ(bar.rcScrollBar.right, origin.x + 100) << "no vertical bar beside it";
    SCROLLINFO si = Info(h, SB_HORZ);
    EXPECT_EQ(si.nMax, 299);
    EXPECT_EQ(si.nPage, 100u);

    // The right arrow scrolls the items sideways; the end shows the end of the extent.
    const int y = (bar.rcScrollBar.top + bar.rcScrollBar.bottom) / 2;
    PressBar(bar.rcScrollBar.right - 2, y);
    EXPECT_GT(GetScrollPos(h, SB_HORZ), 0);
    SendMessage(h, WM_HSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(GetScrollPos(h, SB_HORZ), 200);
    // A press on the horizontal bar selects no item below it.
    EXPECT_EQ(list->GetItemIndex(), -1);

    // With items enough for both bars, the corner between them is filled.
    for (int i = 2; i < 20; ++i) list->Items()->Add("a longer item, number " + std::to_string(i));
    ProcessPendingMessages();
    ASSERT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, &bar));
    EXPECT_EQ(bar.rcScrollBar.bottom, origin.y + 60 - cy) << "the vertical bar ends above the horizontal one";
    EXPECT_TRUE(SaveWindowImage(list->GetParent()->GetHandle(), ScreenshotPath("list-box-both-bars")));

    // A smaller extent pulls the scroll back; none hides the bar.
    SendMessage(h, LB_SETHORIZONTALEXTENT, 150, 0);
    EXPECT_EQ(GetScrollPos(h, SB_HORZ), 150 - static_cast<int>(Info(h, SB_HORZ).nPage)) << "beside the vertical bar";
    SendMessage(h, LB_SETHORIZONTALEXTENT, 0, 0);
    EXPECT_EQ(GetScrollPos(h, SB_HORZ), 0);
    ASSERT_TRUE(GetScrollBarInfo(h, OBJID_HSCROLL, &bar));
    EXPECT_EQ(bar.rgstate[0] & 0x18000u, 0x18000u);
}

TEST_F(ListBoxBars, TheListPaintsInTheColoursItsParentAnswers) {
    TListBox* list = NewList(1);
    list->SetColor(clYellow);
    list->Font()->SetColor(clBlue);
    list->Invalidate();
    ProcessPendingMessages();
    const HWND h = list->GetHandle();
    // Below the only item: the list's own colour, answered through WM_CTLCOLORLISTBOX.
    EXPECT_EQ(ComposedPixel(h, 50, 50), static_cast<COLORREF>(ColorToRGB(clYellow)));
    bool blueText = false;
    const int ih = list->GetItemHeight();
    for (int x = 0; x < 60 && !blueText; ++x)
        for (int y = 0; y < ih && !blueText; ++y)
            blueText = ComposedPixel(h, x, y) == static_cast<COLORREF>(ColorToRGB(clBlue));
    EXPECT_TRUE(blueText) << "the item's text in the font colour";
}

}  // namespace
}  // namespace zel::test
