// The floating toolbar window: its frame's hit codes, the sizes a frame drag snaps to, and a window lost
// off every work area coming back.
#include <gtest/gtest.h>

#include "uilib/bars/ubBarFloating.h"

namespace zel {
namespace {

// A frame of 3-pixel borders, a 15-pixel caption band and 2-pixel margins on a 100 x 60 window.
TubFloatingFrame Frame() {
    TubFloatingFrame f;
    f.BorderWidth = 3;
    f.BorderHeight = 3;
    f.CaptionHeight = 15;
    f.Margins = TRect{2, 2, 2, 2};
    return f;
}

TEST(ubBarFloatingGeometry, FrameHitCodes) {
    const TRect close{80, 3, 95, 18};
    struct Row {
        const char* Name;
        TPoint P;
        int Hit;
    };
    const Row rows[] = {
        {"top-left corner, within the top border", {1, 1}, HTTOP},
        {"left border below the top border", {1, 10}, HTLEFT},
        {"top-right corner", {98, 2}, HTTOP},
        {"right border", {98, 30}, HTRIGHT},
        {"bottom-left corner", {1, 58}, HTBOTTOM},
        {"bottom-right corner", {99, 59}, HTBOTTOM},
        {"caption band", {30, 10}, HTCAPTION},
        {"close button", {85, 10}, ubFloatingCloseHit},
        {"margin beside the links", {4, 40}, HTCAPTION},
        {"client area", {50, 40}, HTCLIENT},
    };
    for (const Row& r : rows) EXPECT_EQ(FloatingFrameHit(Frame(), TSize{100, 60}, r.P, close), r.Hit) << r.Name;
    EXPECT_EQ(Frame().NonClient(), (TRect{5, 20, 5, 5}));
}

TEST(ubBarFloatingGeometry, FrameDragsSnapToWrappedSizes) {
    // Links wrap to 40 pixels a line: a width gives ceil(300 / width) lines of 20; a height the width back.
    auto heightFor = [](int w) { return 20 * ((300 + w - 1) / w); };
    auto widthFor = [](int h) { return 300 / std::max(1, h / 20); };
    struct Row {
        const char* Name;
        int Edge;
        TRect In;
        TRect Out;
    };
    const Row rows[] = {
        {"right edge keeps the width, wraps the height", WMSZ_RIGHT, {100, 100, 250, 130}, {100, 100, 250, 140}},
        {"left edge keeps the right side", WMSZ_LEFT, {160, 100, 260, 130}, {160, 100, 260, 160}},
        {"bottom edge keeps the height, takes its width", WMSZ_BOTTOM, {100, 100, 150, 160}, {100, 100, 200, 160}},
        {"top edge keeps the bottom", WMSZ_TOP, {100, 80, 150, 160}, {100, 80, 175, 160}},
        {"a corner leaves it as it is", WMSZ_BOTTOMRIGHT, {100, 100, 123, 145}, {100, 100, 123, 145}},
        {"a top above -15 comes down", WMSZ_TOP, {100, -40, 150, 20}, {100, -15, 200, 45}},
    };
    for (const Row& r : rows) EXPECT_EQ(SnapFloatingSizing(r.Edge, r.In, heightFor, widthFor), r.Out) << r.Name;
}

TEST(ubBarFloatingGeometry, LostWindowComesBackToTheEdgeOfTheWorkAreaUnderThePointer) {
    const std::vector<TRect> areas{{0, 0, 1024, 740}, {1024, 0, 2048, 768}};
    const TRect under = areas[0];
    struct Row {
        const char* Name;
        TRect In;
        TRect Out;
        bool Moved;
    };
    const Row rows[] = {
        {"wholly left", {-500, 100, -400, 150}, {0, 100, 100, 150}, true},
        {"wholly above", {200, -300, 300, -250}, {200, 0, 300, 50}, true},
        {"wholly right of every area", {2100, 100, 2200, 150}, {924, 100, 1024, 150}, true},
        {"wholly below and left", {-300, 900, -200, 950}, {0, 690, 100, 740}, true},
        {"partly on an area stays", {-50, 100, 50, 150}, {-50, 100, 50, 150}, false},
        {"on the second monitor stays", {1500, 700, 1600, 750}, {1500, 700, 1600, 750}, false},
    };
    for (const Row& r : rows) {
        TRect rect = r.In;
        EXPECT_EQ(PullOntoWorkArea(rect, areas, under), r.Moved) << r.Name;
        EXPECT_EQ(rect, r.Out) << r.Name;
    }
}

}  // namespace
}  // namespace zel
