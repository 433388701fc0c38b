// The multiple-document client's children: minimised ones as caption bars in the client's bottom rows,
// restored by their buttons or a double click; Arrange Icons, Tile, Cascade; the default place of a new child;
// the client's scroll bars while a child lies partly outside it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/SysInfo.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

class VclMdi : public VclTest {
protected:
    TForm* Main = nullptr;

    void SetUp() override {
        VclTest::SetUp();
        Main = Keep(Construct<TForm>(nullptr));
        Main->SetFormStyle(fsMDIForm);
        Main->SetBounds(0, 0, 700, 500);
        Application->MainForm = Main;
        Main->Show();
        ProcessPendingMessages();
    }
    TForm* Child(const std::string& caption, TRect bounds, TBorderStyle border = bsSizeable,
                 TPosition position = poDesigned) {
        auto* f = Keep(Construct<TForm>(nullptr));
        f->SetFormStyle(fsMDIChild);
        f->Position = position;
        f->SetBorderStyle(border);
        f->SetCaption(caption);
        f->SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
        f->Show();
        ProcessPendingMessages();
        return f;
    }
    HWND Client() const { return Main->ClientHandle(); }
    RECT ClientArea() const {
        RECT r;
        GetClientRect(Client(), &r);
        return r;
    }
    // A child's window rectangle in the client's coordinates.
    RECT PlaceOf(TForm* f) const {
        RECT r;
        GetWindowRect(f->GetHandle(), &r);
        MapWindowPoints(nullptr, Client(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // A real press and release of the left button at a point of a window (window coordinates); a double click
    // with twice.
    static void ClickWindowPoint(HWND hwnd, int x, int y, int times = 1) {
        RECT window;
        GetWindowRect(hwnd, &window);
        SetCursorPos(window.left + x, window.top + y);
        ProcessPendingMessages();
        for (int i = 0; i < times; ++i) {
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        }
        ProcessPendingMessages();
        ProcessPendingMessages();
    }
    // The place (window coordinates) of a caption button of a minimised child: 0 the close button from the
    // right, 1 the next one (maximise or restore), 2 the one after.
    static POINT IconButton(HWND hwnd, int fromRight) {
        RECT window;
        GetWindowRect(hwnd, &window);
        const int bw = GetSystemMetrics(SM_CXSIZE);
        const int x = window.Width() - 6 - bw / 2 - fromRight * bw - (fromRight > 0 ? 2 : 0);
        return POINT{x, window.Height() / 2};
    }
};

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST_F(VclMdi, MinimisedChildrenLieInTheBottomRowAndComeBackByTheirButtonsOrADoubleClick) {
    TForm* one = Child("Library One", TRect(20, 20, 320, 220), bsDialog);
    TForm* two = Child("Keyboard", TRect(60, 60, 360, 260));
    TForm* three = Child("Monitor", TRect(100, 100, 400, 300));
    const RECT area = ClientArea();
    const int w = GetSystemMetrics(SM_CXMINIMIZED), h = GetSystemMetrics(SM_CYMINIMIZED);
    ASSERT_EQ(Main->ActiveMDIChild(), three);

    three->SetWindowState(wsMinimized);
    two->SetWindowState(wsMinimized);
    ProcessPendingMessages();
    EXPECT_EQ(PlaceOf(three), (RECT{0, area.bottom - h, w, area.bottom})) << "the first minimised, at the left";
    EXPECT_EQ(PlaceOf(two), (RECT{w, area.bottom - h, 2 * w, area.bottom})) << "the next one beside it";
    for (TForm* f : {two, three}) {
        EXPECT_EQ(f->GetWindowState(), wsMinimized);
        EXPECT_EQ(f->ClientWidth(), 0) << "a minimised child is its caption alone";
        EXPECT_EQ(f->ClientHeight(), 0);
    }
    // The form keeps the bounds it will have again, and the activation went to the child left open.
    EXPECT_EQ(three->GetLeft(), 100);
    EXPECT_EQ(three->GetWidth(), 300);
    EXPECT_EQ(Main->ActiveMDIChild(), one);
    EXPECT_TRUE(SaveWindowImage(Main->GetHandle(), ScreenshotPath("mdi-two-minimised")));
    // A double click on the caption bar restores the child where it was.
    ClickWindowPoint(three->GetHandle(), 40, h / 2, 2);
    EXPECT_EQ(three->GetWindowState(), wsNormal);
    EXPECT_EQ(PlaceOf(three), (RECT{100, 100, 400, 300}));
    EXPECT_GT(three->ClientHeight(), 0);
    // The restore button does too; the other icon keeps its place.
    three->SetWindowState(wsMinimized);
    ProcessPendingMessages();
    EXPECT_EQ(PlaceOf(three), (RECT{0, area.bottom - h, w, area.bottom})) << "the free place at the left";
    const POINT restore = IconButton(two->GetHandle(), 2);
    ClickWindowPoint(two->GetHandle(), restore.x, restore.y);
    EXPECT_EQ(two->GetWindowState(), wsNormal);
    EXPECT_EQ(PlaceOf(two), (RECT{60, 60, 360, 260}));
    // Its maximise button maximises it; restored from there, it comes back to its own place.
    const POINT maximise = IconButton(three->GetHandle(), 1);
    ClickWindowPoint(three->GetHandle(), maximise.x, maximise.y);
    EXPECT_EQ(three->GetWindowState(), wsMaximized);
    three->SetWindowState(wsNormal);
    EXPECT_EQ(PlaceOf(three), (RECT{100, 100, 400, 300}));
    // A child minimised while maximised is maximised again when it is restored.
    three->SetWindowState(wsMaximized);
    three->SetWindowState(wsMinimized);
    three->SetWindowState(wsNormal);
    EXPECT_EQ(three->GetWindowState(), wsMaximized);
    three->SetWindowState(wsNormal);
    EXPECT_EQ(PlaceOf(three), (RECT{100, 100, 400, 300}));
    // A dialog-bordered child has no minimise button, yet minimised it has the button that restores it.
    one->SetWindowState(wsMinimized);
    ProcessPendingMessages();
    const POINT oneRestore = IconButton(one->GetHandle(), 1);
    ClickWindowPoint(one->GetHandle(), oneRestore.x, oneRestore.y);
    EXPECT_EQ(one->GetWindowState(), wsNormal);
    EXPECT_EQ(PlaceOf(one), (RECT{20, 20, 320, 220}));
}

// Maximised, a child shows its client area only: its frame and caption lie outside the client, which shows no
// scroll bars for them. Moving or sizing a child tells it as its activation does.
TEST_F(VclMdi, AMaximisedChildFillsTheClientWithItsClientArea) {
    TForm* child = Child("Child", TRect(20, 20, 320, 220));
    int childActivations = 0;
    const TWndMethod old = child->WindowProc;
    child->WindowProc = [&, old](TMessage& m) {
        childActivations += m.Msg == WM_CHILDACTIVATE;
        old(m);
    };
    child->SetBounds(30, 30, 300, 200);
    EXPECT_EQ(childActivations, 1);
    child->SetWindowState(wsMaximized);
    ProcessPendingMessages();
    const RECT area = ClientArea();
    POINT origin{0, 0};
    ClientToScreen(child->GetHandle(), &origin);
    POINT clientOrigin{0, 0};
    ClientToScreen(Client(), &clientOrigin);
    EXPECT_EQ(origin, clientOrigin);
    EXPECT_EQ(child->ClientWidth(), area.right);
    EXPECT_EQ(child->ClientHeight(), area.bottom);
    const RECT place = PlaceOf(child);
    EXPECT_LT(place.left, 0);
    EXPECT_LT(place.top, 0);
    const LONG style = GetWindowLong(Client(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL));
    child->SetWindowState(wsNormal);
    EXPECT_EQ(PlaceOf(child), (RECT{30, 30, 330, 230}));
    child->WindowProc = old;  // the counter goes with this test
}

TEST_F(VclMdi, ArrangeIconsLinesUpTheMinimisedChildrenInTheirOrder) {
    std::vector<TForm*> kids;
    for (int i = 0; i < 3; ++i) kids.push_back(Child("Window " + std::to_string(i), TRect(10, 10, 250, 200)));
    for (TForm* f : kids) f->SetWindowState(wsMinimized);
    const RECT area = ClientArea();
    const int w = GetSystemMetrics(SM_CXMINIMIZED), h = GetSystemMetrics(SM_CYMINIMIZED);
    // Dragged about: the second one left a gap, the third lies in the middle of the client.
    SetWindowPos(kids[1]->GetHandle(), nullptr, 2 * w + 40, area.bottom - h, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetWindowPos(kids[2]->GetHandle(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Main->ArrangeIcons();
    ProcessPendingMessages();
    EXPECT_EQ(PlaceOf(kids[0]), (RECT{0, area.bottom - h, w, area.bottom}));
    EXPECT_EQ(PlaceOf(kids[1]), (RECT{w, area.bottom - h, 2 * w, area.bottom}));
    EXPECT_EQ(PlaceOf(kids[2]), (RECT{2 * w, area.bottom - h, 3 * w, area.bottom})) << "the bottom row first";
    // Rows stack upwards when one row is full; a smaller client arranges them again.
    Main->SetBounds(0, 0, 2 * w + 40, 500);
    ProcessPendingMessages();
    const RECT narrow = ClientArea();
    EXPECT_EQ(PlaceOf(kids[2]), (RECT{0, narrow.bottom - 2 * h, w, narrow.bottom - h}));
}

TEST_F(VclMdi, TileLaysTheOpenChildrenSideBySideOverTheClient) {
    const RECT area = ClientArea();
    const int iconRow = GetSystemMetrics(SM_CYMINSPACING);
    struct Case {
        int open;
        bool oneMinimised;
    };
    for (const Case c : {Case{1, false}, Case{2, false}, Case{3, false}, Case{4, false}, Case{5, true}}) {
        std::vector<TForm*> kids;
        for (int i = 0; i < c.open; ++i)
            kids.push_back(Child("Window " + std::to_string(i + 1), TRect(30 * i, 30 * i, 30 * i + 250, 30 * i + 180),
                                 i == 0 ? bsDialog : bsSizeable));
        TForm* icon = c.oneMinimised ? Child("Icon", TRect(0, 0, 200, 100)) : nullptr;
        if (icon != nullptr) icon->SetWindowState(wsMinimized);
        if (c.open == 2) kids[1]->SetWindowState(wsMaximized);
        Main->Tile();
        ProcessPendingMessages();
        // The open ones cover the area above the icons exactly: inside it, none overlapping, no gap.
        const RECT tiled{0, 0, area.right, area.bottom - (icon != nullptr ? iconRow : 0)};
        long long covered = 0;
        for (std::size_t i = 0; i < kids.size(); ++i) {
            const RECT r = PlaceOf(kids[i]);
            SCOPED_TRACE(std::to_string(c.open) + " windows, window " + std::to_string(i + 1));
            EXPECT_EQ(kids[i]->GetWindowState(), wsNormal);
            EXPECT_GE(r.left, tiled.left);
            EXPECT_GE(r.top, tiled.top);
            EXPECT_LE(r.right, tiled.right);
            EXPECT_LE(r.bottom, tiled.bottom);
            for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(Overlap(r, PlaceOf(kids[j]))) << "with " << j + 1;
            covered += static_cast<long long>(r.Width()) * r.Height();
        }
        EXPECT_EQ(covered, static_cast<long long>(tiled.Width()) * tiled.Height()) << c.open << " windows";
        if (c.open == 4) {
            EXPECT_NEAR(PlaceOf(kids[3]).Width(), area.right / 2, 1) << "four windows are two by two";
            EXPECT_TRUE(SaveWindowImage(Main->GetHandle(), ScreenshotPath("mdi-tile-four")));
        }
        if (icon != nullptr) {
            EXPECT_EQ(icon->GetWindowState(), wsMinimized) << "Tile leaves a minimised child as it is";
            EXPECT_EQ(PlaceOf(icon).top, area.bottom - GetSystemMetrics(SM_CYMINIMIZED));
        }
        for (TForm* f : kids) f->Hide();
        if (icon != nullptr) icon->Hide();
    }
}

TEST_F(VclMdi, CascadeStepsEachChildACaptionDownAndRightWithTheActiveOneInFront) {
    std::vector<TForm*> kids;
    for (int i = 0; i < 4; ++i)
        kids.push_back(Child("Library " + std::to_string(i + 1), TRect(300 - 40 * i, 10, 500 - 40 * i, 200)));
    TForm* icon = Child("Icon", TRect(0, 0, 200, 100));
    icon->SetWindowState(wsMinimized);
    ProcessPendingMessages();
    const RECT iconBefore = PlaceOf(icon);
    ASSERT_EQ(Main->ActiveMDIChild(), kids[3]);
    Main->Cascade();
    ProcessPendingMessages();
    const int step = GetSystemMetrics(SM_CYCAPTION);
    // The active (top) child is in front, at the furthest step; the others behind it, a step apart.
    for (int i = 0; i < 4; ++i) {
        const RECT r = PlaceOf(kids[static_cast<std::size_t>(i)]);
        EXPECT_EQ(r.left, i * step) << "window " << i + 1;
        EXPECT_EQ(r.top, i * step) << "window " << i + 1;
        EXPECT_LE(r.bottom, ClientArea().bottom - GetSystemMetrics(SM_CYMINSPACING)) << "above the icons";
    }
    EXPECT_EQ(GetWindow(Client(), GW_CHILD), kids[3]->GetHandle()) << "the active child in front";
    EXPECT_EQ(PlaceOf(icon), iconBefore) << "Cascade leaves a minimised child where it is";
    EXPECT_EQ(Main->ActiveMDIChild(), kids[3]);
    EXPECT_TRUE(SaveWindowImage(Main->GetHandle(), ScreenshotPath("mdi-cascade")));
}

TEST_F(VclMdi, AChildPlacedByDefaultTakesTheNextCascadePlace) {
    const int step = GetSystemMetrics(SM_CYCAPTION);
    TForm* first = Child("First", TRect(0, 0, 300, 200), bsDialog, poDefaultPosOnly);
    TForm* second = Child("Second", TRect(0, 0, 300, 200), bsDialog, poDefaultPosOnly);
    TForm* designed = Child("Designed", TRect(5, 7, 305, 207), bsDialog, poDesigned);
    EXPECT_EQ(PlaceOf(first), (RECT{0, 0, 300, 200}));
    EXPECT_EQ(PlaceOf(second), (RECT{step, step, step + 300, step + 200})) << "not on top of the first";
    EXPECT_EQ(PlaceOf(designed), (RECT{5, 7, 305, 207})) << "a designed place is kept";
    // The first place, once free again, is taken again.
    first->Hide();
    TForm* third = Child("Third", TRect(0, 0, 300, 200), bsDialog, poDefaultPosOnly);
    EXPECT_EQ(PlaceOf(third), (RECT{0, 0, 300, 200}));
}

TEST_F(VclMdi, TheClientShowsScrollBarsWhileAChildLiesPartlyOutsideIt) {
    auto bars = [&] { return GetWindowLongPtr(Client(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL); };
    TForm* f = Child("Library", TRect(20, 20, 320, 220));
    EXPECT_EQ(bars(), 0);
    const RECT area = ClientArea();
    f->SetBounds(-100, 20, 300, 200);
    ProcessPendingMessages();
    EXPECT_EQ(bars(), static_cast<LONG_PTR>(WS_HSCROLL)) << "past the left edge";
    f->SetBounds(20, area.bottom - 50, 300, 200);
    ProcessPendingMessages();
    EXPECT_EQ(bars(), static_cast<LONG_PTR>(WS_VSCROLL)) << "past the bottom edge";
    EXPECT_TRUE(SaveWindowImage(Main->GetHandle(), ScreenshotPath("mdi-scroll-bar")));
    // A click on the track below the thumb scrolls a page: the child comes into view and the bar goes.
    RECT window;
    GetWindowRect(Client(), &window);
    POINT origin{0, 0};
    ClientToScreen(Client(), &origin);
    const RECT shown = ClientArea();
    ClickWindowPoint(Client(), origin.x - window.left + shown.right + 3,
                     origin.y - window.top + shown.bottom - GetSystemMetrics(SM_CYVSCROLL) - 3);
    EXPECT_EQ(PlaceOf(f).bottom, area.bottom) << "scrolled up by what lay outside";
    EXPECT_EQ(bars(), 0);
    // A maximised child fills the client: no bars.
    f->SetBounds(-100, 20, 300, 200);
    f->SetWindowState(wsMaximized);
    ProcessPendingMessages();
    EXPECT_EQ(bars(), 0);
}

}  // namespace
}  // namespace zel::test
