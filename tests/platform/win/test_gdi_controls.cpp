// The classic frame-control glyphs and 3-D edges, pixel by pixel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_gdi_canvas.h"

namespace zel::test {
namespace {

std::vector<std::string> Rows(const TTestImage& c, int from, int to, COLORREF ink = 0) {
    std::vector<std::string> rows;
    for (int y = from; y <= to; ++y) rows.push_back(c.Row(y, ink));
    return rows;
}

TEST(GdiControls, ScrollArrowsAreClassicTriangles) {
    struct TCase {
        const char* Name;
        UINT State;
        std::vector<std::string> Rows3To11;  // the arrow in BTNTEXT
    };
    const TCase cases[] = {
        {"up",
         DFCS_SCROLLUP,
         {"................", "................", "................", ".......#........", "......###.......",
          ".....#####......", "....#######.....", "................", "................"}},
        {"down",
         DFCS_SCROLLDOWN,
         {"................", "................", "................", "....#######.....", ".....#####......",
          "......###.......", ".......#........", "................", "................"}},
        {"left",
         DFCS_SCROLLLEFT,
         {"................", ".........#......", "........##......", ".......###......", "......####......",
          ".......###......", "........##......", ".........#......", "................"}},
        {"right",
         DFCS_SCROLLRIGHT,
         {"................", "......#.........", "......##........", "......###.......", "......####......",
          "......###.......", "......##........", "......#.........", "................"}},
        {"pushed moves it one pixel right and down",
         DFCS_SCROLLUP | DFCS_PUSHED,
         {"................", "................", "................", "................", "........#.......",
          ".......###......", "......#####.....", ".....#######....", "................"}},
        {"flat keeps it in place",
         DFCS_SCROLLUP | DFCS_FLAT,
         {"................", "................", "................", ".......#........", "......###.......",
          ".....#####......", "....#######.....", "................", "................"}},
    };
    for (const auto& t : cases) {
        TTestImage c(16, 16, RGB(1, 2, 3));
        RECT r{0, 0, 16, 16};
        ASSERT_TRUE(DrawFrameControl(c.DC, &r, DFC_SCROLL, t.State));
        EXPECT_EQ(Rows(c, 3, 11), t.Rows3To11) << t.Name;
        EXPECT_NE(c.At(8, 1), RGB(1, 2, 3)) << t.Name << ": the button face is filled";
    }
}

TEST(GdiControls, ScrollButtonFrames) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW);
    struct TCase {
        const char* Name;
        UINT State;
        COLORREF TopLeft, Inner, BottomRight;
    };
    const TCase cases[] = {
        {"raised", DFCS_SCROLLUP, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNHIGHLIGHT),
         GetSysColor(COLOR_3DDKSHADOW)},
        {"pushed", DFCS_SCROLLUP | DFCS_PUSHED, shadow, face, shadow},
        {"flat", DFCS_SCROLLUP | DFCS_FLAT, shadow, face, shadow},
    };
    for (const auto& t : cases) {
        TTestImage c(16, 16);
        RECT r{0, 0, 16, 16};
        DrawFrameControl(c.DC, &r, DFC_SCROLL, t.State);
        EXPECT_EQ(c.At(0, 0), t.TopLeft) << t.Name;
        EXPECT_EQ(c.At(1, 1), t.Inner) << t.Name;
        EXPECT_EQ(c.At(15, 15), t.BottomRight) << t.Name;
        EXPECT_EQ(c.At(3, 12), face) << t.Name;
    }
}

TEST(GdiControls, InactiveScrollArrowIsEmbossed) {
    TTestImage c(16, 16);
    RECT r{0, 0, 16, 16};
    DrawFrameControl(c.DC, &r, DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(c.At(7, 6), shadow) << "the apex";
    EXPECT_EQ(c.At(4, 9), shadow) << "the base";
    EXPECT_EQ(c.At(11, 10), light) << "the highlight copy, one pixel right and down, shows below the base";
    EXPECT_EQ(c.At(5, 10), light);
    for (int y = 0; y < 16; ++y) EXPECT_EQ(c.Row(y, GetSysColor(COLOR_BTNTEXT)), std::string(16, '.')) << y;
}

TEST(GdiControls, SizeGripRidgesFaceTheCornerAndMirror) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW),
                   light = GetSysColor(COLOR_BTNHIGHLIGHT);
    TTestImage grip(16, 16);
    RECT r{0, 0, 16, 16};
    ASSERT_TRUE(DrawFrameControl(grip.DC, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP));
    auto map = [&](const TTestImage& c, int y) { return c.Map(y, {{'f', face}, {'s', shadow}, {'.', light}}); };
    EXPECT_EQ(map(grip, 0), "ffffffffffffffff");
    EXPECT_EQ(map(grip, 4), "ffffffffffffffff");
    EXPECT_EQ(map(grip, 5), "fffffffffffffffs");
    EXPECT_EQ(map(grip, 12), "ffffffffss.fss.f");
    EXPECT_EQ(map(grip, 13), "fffffffss.fss.fs");
    EXPECT_EQ(map(grip, 14), "ffffffss.fss.fss");
    EXPECT_EQ(map(grip, 15), "fffffss.fss.fss.");

    // Copied mirrored for a left-hand corner, the ridges face that corner.
    TTestImage left(16, 16);
    ASSERT_TRUE(StretchBlt(left.DC, 16, 0, -16, 16, grip.DC, 0, 0, 16, 16, SRCCOPY));
    for (int y = 0; y < 16; ++y) {
        const std::string row = map(grip, y);
        EXPECT_EQ(map(left, y), std::string(row.rbegin(), row.rend())) << y;
    }
}

TEST(GdiControls, CheckBoxGlyphs) {
    const COLORREF window = GetSysColor(COLOR_WINDOW), face = GetSysColor(COLOR_BTNFACE),
                   shadow = GetSysColor(COLOR_BTNSHADOW), text = GetSysColor(COLOR_WINDOWTEXT);
    // Columns 2 to 10: inside the frame.
    const std::vector<std::string> tick = {".......#.", "......##.", ".#...###.", ".##.###..",
                                           ".#####...", "..###....", "...#....."};
    const std::vector<std::string> none(7, std::string(9, '.'));
    struct TCase {
        const char* Name;
        UINT State;
        COLORREF Inside;  // at (3, 3), where the tick never reaches
        COLORREF Ink;
        bool Ticked;
        COLORREF Corner;  // (0, 0): the frame
    };
    const TCase cases[] = {
        {"unchecked", 0, window, text, false, shadow},
        {"checked", DFCS_CHECKED, window, text, true, shadow},
        {"checked inactive", DFCS_CHECKED | DFCS_INACTIVE, face, shadow, true, shadow},
        {"pushed", DFCS_PUSHED, face, text, false, shadow},
        {"flat checked", DFCS_CHECKED | DFCS_FLAT, window, text, true, shadow},
    };
    for (const auto& t : cases) {
        TTestImage c(13, 13, RGB(1, 2, 3));
        RECT r{0, 0, 13, 13};
        ASSERT_TRUE(DrawFrameControl(c.DC, &r, DFC_BUTTON, DFCS_BUTTONCHECK | t.State));
        EXPECT_EQ(c.At(3, 3), t.Inside) << t.Name;
        EXPECT_EQ(c.At(0, 0), t.Corner) << t.Name;
        std::vector<std::string> inside;
        for (const std::string& row : Rows(c, 3, 9, t.Ink)) inside.push_back(row.substr(2, 9));
        EXPECT_EQ(inside, t.Ticked ? tick : none) << t.Name;
    }
    // The sunken frame: shadow and dark shadow on the top and left, highlight and light on the bottom and right;
    // the flat one is a single shadow line.
    TTestImage sunken(13, 13), flat(13, 13);
    RECT r{0, 0, 13, 13};
    DrawFrameControl(sunken.DC, &r, DFC_BUTTON, DFCS_BUTTONCHECK);
    DrawFrameControl(flat.DC, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT);
    EXPECT_EQ(sunken.At(1, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(sunken.At(12, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(sunken.At(11, 11), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(flat.At(12, 12), shadow);
    EXPECT_EQ(flat.At(1, 1), window);
}

// The radio glyph as the painters measure it: the mask's black box, and the dot found by walking from the
// centre of the checked flat image over window-text pixels.
TEST(GdiControls, RadioGlyphMeasures) {
    TTestImage mask(13, 13, 0);
    RECT r{0, 0, 13, 13};
    DrawFrameControl(mask.DC, &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK | DFCS_FLAT);
    const std::vector<std::string> circle = {"....####.....", "..########...", ".##########..", ".##########..",
                                             "############.", "############.", "############.", "############.",
                                             ".##########..", ".##########..", "..########...", "....####.....",
                                             "............."};
    EXPECT_EQ(Rows(mask, 0, 12), circle);

    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    TTestImage image(13, 13, 0);
    DrawFrameControl(image.DC, &r, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED | DFCS_FLAT);
    int top = 6, bottom = 6, left = 6, right = 6;
    while (top > 0 && image.At(6, top - 1) == text) --top;
    while (bottom < 12 && image.At(6, bottom + 1) == text) ++bottom;
    while (left > 0 && image.At(left - 1, 6) == text) --left;
    while (right < 12 && image.At(right + 1, 6) == text) ++right;
    EXPECT_EQ((RECT{left, top, right + 1, bottom + 1}), (RECT{4, 4, 8, 8}));
    EXPECT_EQ(image.Row(4, text).substr(0, 12), ".....##.....") << "the dot's corners are left out";
    EXPECT_EQ(image.Row(5, text).substr(0, 12), "....####....");
    EXPECT_EQ(image.At(0, 0), 0u) << "outside the circle stays";
}

TEST(GdiControls, RadioImageColours) {
    struct TCase {
        const char* Name;
        UINT State;
        int OuterLT, OuterRB, InnerLT, InnerRB, Body, Dot;  // system colour indexes; Dot -1: no dot
    };
    const TCase cases[] = {
        {"normal", 0, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_WINDOW, -1},
        {"checked", DFCS_CHECKED, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_WINDOW,
         COLOR_WINDOWTEXT},
        {"checked inactive", DFCS_CHECKED | DFCS_INACTIVE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW,
         COLOR_3DLIGHT, COLOR_BTNFACE, COLOR_BTNSHADOW},
        {"pushed", DFCS_PUSHED, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNFACE,
         -1},
        {"flat", DFCS_FLAT, COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_WINDOW, COLOR_WINDOW, COLOR_WINDOW, -1},
    };
    for (const auto& t : cases) {
        TTestImage c(13, 13, RGB(1, 2, 3));
        RECT r{0, 0, 13, 13};
        DrawFrameControl(c.DC, &r, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | t.State);
        EXPECT_EQ(c.At(5, 0), GetSysColor(t.OuterLT)) << t.Name;
        EXPECT_EQ(c.At(0, 5), GetSysColor(t.OuterLT)) << t.Name;
        EXPECT_EQ(c.At(6, 11), GetSysColor(t.OuterRB)) << t.Name;
        EXPECT_EQ(c.At(11, 6), GetSysColor(t.OuterRB)) << t.Name;
        EXPECT_EQ(c.At(5, 1), GetSysColor(t.InnerLT)) << t.Name;
        EXPECT_EQ(c.At(10, 6), GetSysColor(t.InnerRB)) << t.Name;
        EXPECT_EQ(c.At(3, 6), GetSysColor(t.Body)) << t.Name;
        EXPECT_EQ(c.At(6, 6), GetSysColor(t.Dot >= 0 ? t.Dot : t.Body)) << t.Name;
        EXPECT_EQ(c.At(0, 0), RGB(1, 2, 3)) << t.Name << ": the corners are not painted";
    }
}

TEST(GdiControls, CaptionCloseCross) {
    const std::vector<std::string> cross = {"....##....##....", ".....##..##.....", "......####......",
                                            ".......##.......", "......####......", ".....##..##.....",
                                            "....##....##...."};
    struct TCase {
        const char* Name;
        UINT State;
        int Dx, Dy;
        COLORREF Corner;
    };
    const TCase cases[] = {
        {"raised", 0, 0, 0, GetSysColor(COLOR_3DLIGHT)},
        {"pushed", DFCS_PUSHED, 1, 1, GetSysColor(COLOR_BTNSHADOW)},
        {"flat", DFCS_FLAT, 0, 0, GetSysColor(COLOR_BTNSHADOW)},
        {"flat pushed", DFCS_FLAT | DFCS_PUSHED, 1, 1, GetSysColor(COLOR_BTNSHADOW)},
    };
    for (const auto& t : cases) {
        TTestImage c(16, 14);
        RECT r{0, 0, 16, 14};
        ASSERT_TRUE(DrawFrameControl(c.DC, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | t.State));
        std::vector<std::string> expected;
        for (const std::string& row : cross) {
            const auto dx = static_cast<size_t>(t.Dx);
            expected.push_back(std::string(dx, '.') + row.substr(0, 16 - dx));
        }
        EXPECT_EQ(Rows(c, 3 + t.Dy, 9 + t.Dy), expected) << t.Name;
        EXPECT_EQ(c.At(0, 0), t.Corner) << t.Name;
    }
    TTestImage inactive(16, 14);
    RECT r{0, 0, 16, 14};
    DrawFrameControl(inactive.DC, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_INACTIVE);
    EXPECT_EQ(inactive.At(4, 3), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(inactive.At(12, 10), GetSysColor(COLOR_BTNHIGHLIGHT)) << "the embossed copy";
}

// The edge kinds the painters and the parent-background painting use, one layer or two, each moving the
// rectangle in by the pixels it drew when adjusting.
TEST(GdiControls, EdgesAskedByThePainters) {
    struct TLayer {
        int LT, RB;
    };
    struct TCase {
        const char* Name;
        UINT Edge, Flags;
        std::vector<TLayer> Layers;
    };
    const TCase cases[] = {
        {"client edge (sunken, adjust)",
         EDGE_SUNKEN,
         0x200F,
         {{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT}, {COLOR_3DDKSHADOW, COLOR_3DLIGHT}}},
        {"border (both outers, mono, adjust)",
         BDR_RAISEDOUTER | BDR_SUNKENOUTER,
         0xA00F,
         {{COLOR_WINDOWFRAME, COLOR_WINDOWFRAME}}},
        {"raised inner", BDR_RAISEDINNER, BF_RECT | BF_ADJUST, {{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}}},
        {"raised outer", BDR_RAISEDOUTER, BF_RECT | BF_ADJUST, {{COLOR_3DLIGHT, COLOR_3DDKSHADOW}}},
        {"sunken outer", BDR_SUNKENOUTER, BF_RECT | BF_ADJUST, {{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT}}},
        {"sunken inner", BDR_SUNKENINNER, BF_RECT | BF_ADJUST, {{COLOR_3DDKSHADOW, COLOR_3DLIGHT}}},
    };
    const COLORREF paper = RGB(1, 2, 3);
    for (const auto& t : cases) {
        TTestImage c(10, 10, paper);
        RECT r{0, 0, 10, 10};
        ASSERT_TRUE(DrawEdge(c.DC, &r, t.Edge, t.Flags));
        int i = 0;
        for (const TLayer& l : t.Layers) {
            EXPECT_EQ(c.At(i, 5), GetSysColor(l.LT)) << t.Name << " layer " << i;
            EXPECT_EQ(c.At(5, i), GetSysColor(l.LT)) << t.Name << " layer " << i;
            EXPECT_EQ(c.At(9 - i, 5), GetSysColor(l.RB)) << t.Name << " layer " << i;
            EXPECT_EQ(c.At(5, 9 - i), GetSysColor(l.RB)) << t.Name << " layer " << i;
            ++i;
        }
        EXPECT_EQ(c.At(i, 5), paper) << t.Name;
        EXPECT_EQ(r, (RECT{i, i, 10 - i, 10 - i})) << t.Name;
    }
}

}  // namespace
}  // namespace zel::test
