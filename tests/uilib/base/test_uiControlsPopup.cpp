// The library's popup window on a work area set by the test: placement with its flips and clamps, fitting
// around the children, activation, the drag image that lets the mouse through and the size frame's region.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Screenshot.h"
#include "platform/win/Gdi.h"
#include "platform/win/Messages.h"
#include "platform/win/SysInfo.h"
#include "support/uilib/LookAndFeelUnits.h"
#include "uilib/base/uiControlsPopup.h"

namespace zel::test {
namespace {

std::string ScreenshotPath(const std::string& Name) {
    const char* dir = std::getenv("TEST_OUTPUT_DIR");
    const std::filesystem::path folder =
        dir != nullptr ? std::filesystem::path(dir) : std::filesystem::current_path() / "screenshots";
    std::filesystem::create_directories(folder);
    return (folder / (Name + ".png")).string();
}

class PopupWindows : public ::testing::Test {
protected:
    void SetUp() override {
        MONITORINFO monitor;
        monitor.rcMonitor = RECT{0, 0, 1024, 768};
        monitor.rcWork = RECT{0, 0, 1024, 740};  // a task bar at the bottom
        monitor.dwFlags = MONITORINFOF_PRIMARY;
        SetTestMonitors({monitor});
        form = Construct<TForm>(nullptr);
        form->SetBounds(100, 100, 300, 200);
        form->Show();
        ProcessPendingMessages();
    }
    void TearDown() override {
        delete form;
        ProcessPendingMessages();
        SetTestMonitors({});
    }

    TLookAndFeelUnits units;
    TForm* form = nullptr;
};

TEST_F(PopupWindows, PlacementFlipsToTheRoomierSideAndStaysInTheWorkArea) {
    struct Row {
        const char* name;
        BYTE direction;
        TuiPopupEdgeAlign horz, vert;
        TRect owner;
        TPoint expected;
    } rows[] = {
        {"below, left edges aligned", 1, peaStart, peaEnd, {100, 100, 180, 120}, {100, 120}},
        {"near the bottom: above", 1, peaStart, peaEnd, {100, 700, 180, 720}, {100, 550}},
        {"above without room: below", 1, peaStart, peaStart, {100, 60, 180, 80}, {100, 80}},
        {"right edges aligned", 1, peaEnd, peaEnd, {300, 100, 380, 120}, {180, 120}},
        {"near the right: left of the owner", 0, peaEnd, peaStart, {900, 100, 980, 120}, {700, 100}},
        {"near the left: right of the owner", 0, peaStart, peaStart, {20, 300, 60, 320}, {60, 300}},
        {"beside, bottom edge clamped up", 0, peaEnd, peaEnd, {100, 20, 180, 40}, {180, 0}},
        {"centred, clamped on both axes", 1, peaCenter, peaCenter, {1000, 750, 1020, 760}, {824, 590}},
        {"a corner pushes it back in", 1, peaStart, peaEnd, {980, 700, 1020, 720}, {824, 550}},
    };
    auto* popup = Construct<TuiPopupWindow>();
    popup->SetBounds(0, 0, 200, 150);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        popup->Direction = r.direction;
        popup->HorzAlignment = r.horz;
        popup->VertAlignment = r.vert;
        popup->AnchorBounds = r.owner;
        EXPECT_EQ(popup->CalculatePosition(), r.expected);
        // The window's own alignments never change.
        EXPECT_EQ(popup->HorzAlignment, r.horz);
        EXPECT_EQ(popup->VertAlignment, r.vert);
    }
    delete popup;
}

TEST_F(PopupWindows, TheOwnerRectangleIsInItsParentsClientCoordinates) {
    auto* popup = Construct<TuiPopupWindow>();
    popup->SetBounds(0, 0, 50, 40);
    popup->SetAnchorParent(form);
    popup->AnchorBounds = TRect{10, 20, 60, 30};
    POINT origin{0, 0};
    ClientToScreen(form->GetHandle(), &origin);
    EXPECT_EQ(popup->CalculatePosition(), (TPoint{origin.x + 10, origin.y + 30}));
    delete popup;
}

TEST_F(PopupWindows, EveryPopupPlacesTheChildrenWhereTheFirstDid) {
    auto* popup = Construct<TuiPopupWindow>();
    popup->FrameStyle = pbkFrame3D;
    popup->BorderPadding = 1;
    auto* child = new TPanel(popup);
    child->SetParent(popup);
    child->SetBounds(0, 0, 50, 20);
    auto* second = new TPanel(popup);
    second->SetParent(popup);
    second->SetBounds(10, 25, 30, 10);
    popup->AnchorBounds = TRect{100, 100, 180, 120};
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        popup->Popup();
        EXPECT_EQ(child->BoundsRect(), (TRect{3, 3, 53, 23}));
        EXPECT_EQ(second->BoundsRect(), (TRect{13, 28, 43, 38}));
        EXPECT_EQ(popup->GetWidth(), 3 + 50 + 3);
        EXPECT_EQ(popup->GetHeight(), 3 + 35 + 3);
        EXPECT_EQ(popup->GetClientBounds(), (TRect{3, 3, 53, 38}));
        popup->ClosePopup();
    }
    delete popup;
}

TEST_F(PopupWindows, ThePopupKeepsTheOwnersCaptionActiveAndClosesWhenDeactivated) {
    std::vector<WPARAM> ncActivations;
    form->WindowProc = [&, old = form->WindowProc](TMessage& M) {
        if (M.Msg == WM_NCACTIVATE) ncActivations.push_back(M.WParam);
        old(M);
    };
    auto* popup = Construct<TuiPopupWindow>();
    popup->SetBounds(0, 0, 80, 40);
    popup->AnchorBounds = TRect{100, 100, 180, 120};
    form->SetFocus();
    ProcessPendingMessages();
    ncActivations.clear();
    popup->Popup();
    ProcessPendingMessages();
    ASSERT_TRUE(popup->GetVisible());
    EXPECT_EQ(popup->PreviousActiveWindow, form->GetHandle());
    ASSERT_FALSE(ncActivations.empty());
    EXPECT_EQ(ncActivations.back(), 1u);
    // The program loses the activation: the caption goes inactive and the popup closes.
    ncActivations.clear();
    SendMessage(popup->GetHandle(), WM_ACTIVATEAPP, 0, 0);
    EXPECT_FALSE(popup->GetVisible());
    ASSERT_FALSE(ncActivations.empty());
    EXPECT_EQ(ncActivations.front(), 0u);
    ProcessPendingMessages();
    // Another form taking the activation closes it too.
    popup->Popup();
    ProcessPendingMessages();
    ASSERT_TRUE(popup->GetVisible());
    form->SetFocus();
    SetActiveWindow(form->GetHandle());
    ProcessPendingMessages();
    EXPECT_FALSE(popup->GetVisible());
    delete popup;
}

TEST_F(PopupWindows, ADragImageIsNeverActivatedAndLetsTheMouseThrough) {
    std::vector<TPoint> clicks;
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) { clicks.push_back(TPoint{X, Y}); };
    SetActiveWindow(form->GetHandle());
    ProcessPendingMessages();
    auto* image = Construct<TuiCustomDragImage>();
    POINT at{20, 20};
    ClientToScreen(form->GetHandle(), &at);
    image->SetBounds(at.x - 10, at.y - 10, 60, 40);
    image->Show();
    ProcessPendingMessages();
    EXPECT_TRUE(IsWindowVisible(image->GetHandle()));
    EXPECT_EQ(GetActiveWindow(), form->GetHandle());
    EXPECT_EQ(GetParent(image->GetHandle()), form->GetHandle());  // owned by the active form
    BYTE alpha = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(image->GetHandle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 180);
    EXPECT_NE(GetClassLong(image->GetHandle(), GCL_STYLE) & CS_SAVEBITS, 0u);
    EXPECT_EQ(WindowFromPoint(at), form->GetHandle());
    SetCursorPos(at.x, at.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(clicks, (std::vector<TPoint>{TPoint{20, 20}}));
    delete image;
}

TEST_F(PopupWindows, TheSizeFrameRegionIsTheFrameAndIsLeftAloneWhenTooSmall) {
    auto* frame = Construct<TuiSizeFrame>(3);
    frame->HandleNeeded();
    auto regionOf = [&] {
        HRGN r = CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(GetWindowRgn(frame->GetHandle(), r), ERROR);
        return r;
    };
    auto expectRegion = [&](HRGN Expected) {
        HRGN own = regionOf();
        EXPECT_TRUE(EqualRgn(own, Expected));
        DeleteObject(own);
        DeleteObject(Expected);
    };
    frame->DrawSizeFrame(TRect{200, 200, 300, 260});
    HRGN ring = CreateRectRgn(0, 0, 100, 60);
    HRGN hole = CreateRectRgn(3, 3, 97, 57);
    CombineRgn(ring, ring, hole, RGN_DIFF);
    DeleteObject(hole);
    expectRegion(ring);
    // Not wider and higher than twice the frame: the window keeps its region.
    frame->DrawSizeFrame(TRect{200, 200, 206, 300});
    EXPECT_EQ(frame->GetWidth(), 6);
    ring = CreateRectRgn(0, 0, 100, 60);
    hole = CreateRectRgn(3, 3, 97, 57);
    CombineRgn(ring, ring, hole, RGN_DIFF);
    DeleteObject(hole);
    expectRegion(ring);
    frame->FillInside = true;
    frame->DrawSizeFrame(TRect{200, 200, 260, 240});
    expectRegion(CreateRectRgn(0, 0, 60, 40));
    delete frame;
}

TEST_F(PopupWindows, ScreenshotsOfTheFramesAndTheSizeFrame) {
    const struct {
        TuiPopupBorderKind kind;
        const char* name;
    } frames[] = {{pbkNone, "none"}, {pbkSingle, "single"}, {pbkFlat, "flat"}, {pbkFrame3D, "frame3d"}};
    for (const auto& f : frames) {
        auto* popup = Construct<TuiPopupWindow>();
        popup->FrameStyle = f.kind;
        popup->FrameColor = clNavy;
        popup->BorderPadding = 2;
        auto* panel = new TPanel(popup);
        panel->SetParent(popup);
        panel->SetBounds(0, 0, 120, 60);
        panel->SetCaption(f.name);
        popup->AnchorBounds = TRect{100, 100, 180, 120};
        popup->Popup();
        ProcessPendingMessages();
        ASSERT_TRUE(SaveWindowImage(popup->GetHandle(), ScreenshotPath(std::string("uipopup_") + f.name)));
        const int width = popup->GetFrameWidth(0);
        if (f.kind == pbkSingle) {
            EXPECT_EQ(ComposedPixel(popup->GetHandle(), 0, 10), ColorToRGB(clNavy));
        } else if (f.kind != pbkNone) {
            EXPECT_EQ(ComposedPixel(popup->GetHandle(), popup->GetWidth() - 1, 10),
                      ColorToRGB(f.kind == pbkFlat ? clBtnShadow : cl3DDkShadow));
        }
        EXPECT_EQ(width, f.kind == pbkNone ? 0 : f.kind == pbkFrame3D ? 2 : 1);
        delete popup;
        ProcessPendingMessages();  // the activation goes back before the next popup opens
    }
    auto* frame = Construct<TuiSizeFrame>(4);
    frame->HandleNeeded();  // the region is cut for a window that exists
    frame->DrawSizeFrame(TRect{300, 300, 420, 380});
    frame->Show();
    ProcessPendingMessages();
    // On the screen, with the window's region: a hatched ring around what lies below.
    ASSERT_TRUE(SaveScreenImage(RECT{290, 290, 430, 390}, ScreenshotPath("uisizeframe")));
    EXPECT_NE(ComposedScreenPixel(300, 300), ComposedScreenPixel(301, 300));  // black and white
    EXPECT_EQ(ComposedScreenPixel(360, 340), 0xFFFFFFu);                      // the inside shows the empty screen
    delete frame;
}

}  // namespace
}  // namespace zel::test
