// The window-wide scroll bars: one range per window and bar, the bars' visibility and states, and the
// WM_VSCROLL/WM_HSCROLL codes a user's presses on them give.
#include "WndTestSupport.h"
#include "platform/win/FrameScrollBar.h"
#include "platform/win/SysInfo.h"

namespace zel::test {
namespace {

class WndScrollBars : public WndTest {};

bool Shown(HWND W, int Bar) { return (GetWindowLong(W, GWL_STYLE) & (Bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0; }

TEST_F(WndScrollBars, SetScrollInfoKeepsPageAndPositionWithinTheRangeAndShowsTheBarOnlyWhenNeeded) {
    struct Row {
        const char* name;
        UINT mask;
        int min, max;
        UINT page;
        int pos;
        int wantMin, wantMax;
        UINT wantPage;
        int wantPos;
        bool shown;
    };
    const Row rows[] = {
        {"plain", SIF_ALL, 0, 99, 10, 50, 0, 99, 10, 50, true},
        {"page larger than the range", SIF_ALL, 0, 9, 30, 4, 0, 9, 10, 0, false},
        {"minimum above the maximum", SIF_ALL, 10, 5, 0, 3, 0, 0, 0, 0, false},
        {"position past the end", SIF_ALL, 0, 99, 10, 200, 0, 99, 10, 90, true},
        {"position before the start", SIF_ALL, 10, 50, 5, 0, 10, 50, 5, 10, true},
        {"page zero reaches the maximum", SIF_ALL, 0, 20, 0, 25, 0, 20, 0, 20, true},
        {"empty range kept disabled", SIF_ALL | SIF_DISABLENOSCROLL, 0, 5, 10, 0, 0, 5, 6, 0, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
        SCROLLINFO in;
        in.fMask = r.mask;
        in.nMin = r.min;
        in.nMax = r.max;
        in.nPage = r.page;
        in.nPos = r.pos;
        EXPECT_EQ(SetScrollInfo(w, SB_VERT, &in, TRUE), r.wantPos);
        SCROLLINFO out;
        out.fMask = SIF_ALL;
        ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &out));
        EXPECT_EQ(out.nMin, r.wantMin);
        EXPECT_EQ(out.nMax, r.wantMax);
        EXPECT_EQ(out.nPage, r.wantPage);
        EXPECT_EQ(out.nPos, r.wantPos);
        EXPECT_EQ(Shown(w, SB_VERT), r.shown);
        EXPECT_FALSE(Shown(w, SB_HORZ));
    }
}

TEST_F(WndScrollBars, APositionAloneMovesWithinTheKeptRangeAndAWindowWithoutBarsAnswersNothing) {
    HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    SCROLLINFO none;
    none.fMask = SIF_ALL;
    EXPECT_FALSE(GetScrollInfo(w, SB_HORZ, &none));
    SCROLLINFO in;
    in.fMask = SIF_RANGE | SIF_PAGE;
    in.nMax = 40;
    in.nPage = 11;
    SetScrollInfo(w, SB_HORZ, &in, FALSE);
    EXPECT_EQ(SetScrollPos(w, SB_HORZ, 100, FALSE), 0);
    EXPECT_EQ(GetScrollPos(w, SB_HORZ), 30);
    // Hiding the bar keeps its range.
    ShowScrollBar(w, SB_HORZ, FALSE);
    EXPECT_FALSE(Shown(w, SB_HORZ));
    EXPECT_EQ(GetScrollPos(w, SB_HORZ), 30);
    ShowScrollBar(w, SB_BOTH, TRUE);
    EXPECT_TRUE(Shown(w, SB_HORZ));
    EXPECT_TRUE(Shown(w, SB_VERT));
}

TEST_F(WndScrollBars, ScrollBarInfoGivesTheScreenRectangleTheThumbAndTheStates) {
    HWND w = Make(WS_POPUP | WS_VISIBLE, 200, 150, 100, 120);
    SCROLLINFO in;
    in.fMask = SIF_ALL;
    in.nMax = 99;
    in.nPage = 10;
    in.nPos = 45;
    SetScrollInfo(w, SB_VERT, &in, TRUE);
    ProcessPendingMessages();

    SCROLLBARINFO wrong;
    wrong.cbSize = 59;
    EXPECT_FALSE(GetScrollBarInfo(w, OBJID_VSCROLL, &wrong));
    SCROLLBARINFO info;
    EXPECT_FALSE(GetScrollBarInfo(w, OBJID_CLIENT, &info));

    ASSERT_TRUE(GetScrollBarInfo(w, OBJID_VSCROLL, &info));
    const int cx = GetSystemMetrics(SM_CXVSCROLL), arrow = GetSystemMetrics(SM_CYVSCROLL);
    EXPECT_EQ(info.rcScrollBar.left, 300 - cx);
    EXPECT_EQ(info.rcScrollBar.top, 150);
    EXPECT_EQ(info.rcScrollBar.right, 300);
    EXPECT_EQ(info.rcScrollBar.bottom, 270);
    EXPECT_EQ(info.dxyLineButton, arrow);
    const int track = 120 - 2 * arrow, thumb = std::max(8, track * 10 / 100);
    EXPECT_EQ(info.xyThumbTop, arrow + (track - thumb) * 45 / 90);
    EXPECT_EQ(info.xyThumbBottom, info.xyThumbTop + thumb);
    EXPECT_EQ(info.rgstate[0], 0u);
    // The hidden horizontal bar is invisible and off screen: the bits a caller tests with 0x18000.
    SCROLLBARINFO horz;
    ASSERT_TRUE(GetScrollBarInfo(w, OBJID_HSCROLL, &horz));
    EXPECT_EQ(horz.rgstate[0] & 0x18000u, 0x18000u);

    EnableScrollBar(w, SB_VERT, ESB_DISABLE_BOTH);
    ASSERT_TRUE(GetScrollBarInfo(w, OBJID_VSCROLL, &info));
    EXPECT_EQ(info.rgstate[0], STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(info.rgstate[1], STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(info.rgstate[5], STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(info.rgstate[0] & 0x18000u, 0u);
}

class WndScrollBarPresses : public WndScrollBars {
protected:
    // A 100 x 120 window at (100, 100) with a vertical range 0..99, a page of 10 and the position 30; it
    // records the codes and positions of its WM_VSCROLL messages.
    void SetUp() override {
        WndScrollBars::SetUp();
        w_ = Make(WS_POPUP | WS_VISIBLE, 100, 100, 100, 120);
        SCROLLINFO in;
        in.fMask = SIF_ALL;
        in.nMax = 99;
        in.nPage = 10;
        in.nPos = 30;
        SetScrollInfo(w_, SB_VERT, &in, TRUE);
        ProcessPendingMessages();
        ASSERT_TRUE(GetScrollBarInfo(w_, OBJID_VSCROLL, &info_));
        x_ = (info_.rcScrollBar.left + info_.rcScrollBar.right) / 2;
        Log().clear();
    }
    std::vector<std::pair<WORD, WORD>> Codes() const {
        std::vector<std::pair<WORD, WORD>> r;
        for (const TRecord& rec : Received(w_, WM_VSCROLL)) r.emplace_back(LOWORD(rec.wp), HIWORD(rec.wp));
        return r;
    }
    HWND w_ = nullptr;
    SCROLLBARINFO info_;
    int x_ = 0;
};

TEST_F(WndScrollBarPresses, ArrowsAndTrackSendTheirCodeThenEndScroll) {
    const int top = info_.rcScrollBar.top, bottom = info_.rcScrollBar.bottom;
    struct Row {
        const char* name;
        int y;
        WORD code;
    };
    const Row rows[] = {
        {"up arrow", top + 2, SB_LINEUP},
        {"down arrow", bottom - 2, SB_LINEDOWN},
        {"track above the thumb", top + info_.xyThumbTop - 2, SB_PAGEUP},
        {"track below the thumb", top + info_.xyThumbBottom + 2, SB_PAGEDOWN},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Log().clear();
        SetCursorPos(x_, r.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
        const std::vector<std::pair<WORD, WORD>> want{{r.code, 0}, {SB_ENDSCROLL, 0}};
        EXPECT_EQ(Codes(), want);
    }
}

TEST_F(WndScrollBarPresses, TheDraggedThumbTracksThenReportsItsPositionOnRelease) {
    const int grab = info_.rcScrollBar.top + info_.xyThumbTop + 2;
    // The input is queued before the press is handled: the thumb's loop takes it from the queue.
    SetCursorPos(x_, grab);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    SetCursorPos(x_, grab + 20);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    const int track = (info_.rcScrollBar.bottom - info_.rcScrollBar.top) - 2 * info_.dxyLineButton;
    const int free = track - (info_.xyThumbBottom - info_.xyThumbTop);
    const int from = info_.xyThumbTop - info_.dxyLineButton + 20;
    const auto pos = static_cast<WORD>((from * 90 + free / 2) / free);
    const std::vector<std::pair<WORD, WORD>> want{{SB_THUMBTRACK, pos}, {SB_THUMBPOSITION, pos}, {SB_ENDSCROLL, 0}};
    EXPECT_EQ(Codes(), want);
    SCROLLINFO out;
    out.fMask = SIF_TRACKPOS;
    ASSERT_TRUE(GetScrollInfo(w_, SB_VERT, &out));
    EXPECT_EQ(out.nTrackPos, pos);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WndScrollBarPresses, ADisabledBarSendsNothing) {
    EnableScrollBar(w_, SB_VERT, ESB_DISABLE_BOTH);
    SetCursorPos(x_, info_.rcScrollBar.top + 2);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_TRUE(Codes().empty());
}

}  // namespace
}  // namespace zel::test
