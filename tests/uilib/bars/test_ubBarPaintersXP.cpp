// The XP painter under the test theme provider: the theme parts each operation draws, the sizes it takes from
// the theme, and the base look's sizes and drawing where a theme cannot be opened.
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "BarsTestSupport.h"
#include "PaintSurface.h"
#include "platform/win/Gdi.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/base/ubThemeManager.h"

namespace zel::test {
namespace {

const TubBarItemControlPainter& XP() { return *BarPainterClass<TubBarItemControlXPPainter>(); }
const TubBarItemControlPainter& Base() { return *BarPainterClass<TubBarItemControlPainter>(); }

// Bar tests with the theme provider installed before the units start, so that themes are on.
class ubBarPaintersXP : public BarsTest {
protected:
    void SetUp() override {
        InstallThemeProvider(&provider_);
        BarsTest::SetUp();
    }
    void TearDown() override {
        BarsTest::TearDown();
        InstallThemeProvider(nullptr);
    }
    // The theme backgrounds drawn since the last call: theme class, part and state, in order.
    using TPart = std::tuple<std::wstring, int, int>;
    std::vector<TPart> DrawnParts() {
        std::vector<TPart> parts;
        for (const TThemeCall& c : provider_.Calls)
            if (c.Function == "DrawThemeBackground")
                parts.emplace_back(provider_.ClassListOf(c.Theme), c.Part, c.State);
        provider_.Calls.clear();
        return parts;
    }

    TTestThemeProvider provider_;
};

TEST_F(ubBarPaintersXP, TheLookIsChosenOnlyWithVisualStyles) {
    auto* m = new TubBarManager(NewForm());
    m->SetStyle(bmsXP);
    EXPECT_EQ(m->PainterKind(), bpkXP);
    EXPECT_EQ(BarPainterOf(m), &XP());
    m->SetStyle(bmsEnhanced);
    EXPECT_EQ(BarPainterOf(m), BarPainterClass<TubBarItemControlEnhancedPainter>());
}

TEST_F(ubBarPaintersXP, EachOperationDrawsItsThemeParts) {
    auto b = Surface(120, 40);
    HDC dc = b->Canvas()->GetHandle();
    const RECT r{2, 2, 40, 24};
    auto state = [](TubBarWindowKind bar, bool hot, bool pressed, bool down, bool enabled) {
        TubBarItemPaintState s;
        s.Bar = bar;
        s.Hot = hot;
        s.Pressed = pressed;
        s.Down = down;
        s.Enabled = enabled;
        s.HasGlyph = true;
        return s;
    };
    const TubBarItemPaintState plain = state(bwkToolbar, false, false, false, true);
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    const struct {
        const char* name;
        std::function<void()> op;
        std::vector<TPart> parts;
    } rows[] = {
        {"button", [&] { XP().DrawButtonBackground(dc, r, face, plain); }, {{L"ToolBar", 1, 1}}},
        {"hot button",
         [&] { XP().DrawButtonBackground(dc, r, face, state(bwkToolbar, true, false, false, true)); },
         {{L"ToolBar", 1, 2}}},
        {"pressed button",
         [&] { XP().DrawButtonBackground(dc, r, face, state(bwkToolbar, true, true, true, true)); },
         {{L"ToolBar", 1, 3}}},
        {"checked button",
         [&] { XP().DrawButtonBackground(dc, r, face, state(bwkToolbar, true, false, true, true)); },
         {{L"ToolBar", 1, 5}}},
        {"disabled button",
         [&] { XP().DrawButtonBackground(dc, r, face, state(bwkToolbar, true, true, false, false)); },
         {{L"ToolBar", 1, 4}}},
        {"face of a drop-down button",
         [&] {
             TubBarItemPaintState s = state(bwkToolbar, true, false, false, true);
             s.DropDownFace = true;
             XP().DrawButtonBackground(dc, r, face, s);
         },
         {{L"ToolBar", 3, 2}}},
        {"hot main-menu entry: the highlight, no theme",
         [&] { XP().DrawButtonBackground(dc, r, face, state(bwkMainMenu, true, false, false, true)); },
         {}},
        {"selected menu line with a glyph: the brush, no theme",
         [&] { XP().DrawButtonBackground(dc, r, face, state(bwkSubMenu, true, false, false, true)); },
         {}},
        {"separator", [&] { XP().DrawSeparator(dc, r, plain); }, {{L"ToolBar", 5, 1}}},
        {"separator of a vertical bar",
         [&] {
             TubBarItemPaintState s = plain;
             s.VerticalBar = true;
             XP().DrawSeparator(dc, r, s);
         },
         {{L"ToolBar", 6, 1}}},
        {"drop-down arrow, hot",
         [&] { XP().DrawDropDownArrowPart(dc, r, state(bwkToolbar, true, false, false, true)); },
         {{L"ToolBar", 4, 2}}},
        {"drop-down arrow of a down button",
         [&] { XP().DrawDropDownArrowPart(dc, r, state(bwkToolbar, false, false, true, true)); },
         {{L"ToolBar", 4, 3}}},
        {"drop-down arrow on a menu",
         [&] { XP().DrawDropDownArrowPart(dc, r, state(bwkSubMenu, false, false, false, false)); },
         {{L"ToolBar", 1, 4}}},
        {"combo button dropped down", [&] { XP().DrawComboButton(dc, r, true, plain); }, {{L"ComboBox", 1, 3}}},
        {"combo button selected",
         [&] { XP().DrawComboButton(dc, r, false, state(bwkToolbar, true, false, false, true)); },
         {{L"ComboBox", 1, 2}}},
        {"spin up pressed", [&] { XP().DrawSpinButton(dc, r, true, true, true); }, {{L"Spin", 1, 3}}},
        {"spin down disabled", [&] { XP().DrawSpinButton(dc, r, false, false, false); }, {{L"Spin", 2, 4}}},
        {"caption button hot", [&] { XP().DrawCaptionButton(dc, r, true, false, plain); }, {{L"Window", 19, 2}}},
        {"caption button pressed", [&] { XP().DrawCaptionButton(dc, r, true, true, plain); }, {{L"Window", 19, 3}}},
        {"caption button disabled",
         [&] { XP().DrawCaptionButton(dc, r, false, false, state(bwkToolbar, false, false, false, false)); },
         {{L"Window", 19, 4}}},
        {"edit box",
         [&] {
             RECT e = r;
             XP().DrawEditBox(dc, e, state(bwkToolbar, true, false, false, true));
         },
         {{L"Edit", 1, 1}}},
        {"edit box on a menu line not selected",
         [&] {
             RECT e = r;
             XP().DrawEditBox(dc, e, state(bwkSubMenu, false, false, false, true));
         },
         {}},
        {"docked bar background", [&] { XP().DrawBarBackground(dc, r, plain); }, {{L"Rebar", 0, 0}}},
        {"progress bar",
         [&] { XP().DrawProgressBar(dc, 5, 0, 10, true, false, clBlue, r, face); },
         {{L"Progress", 1, 1}, {L"Progress", 3, 1}}},
        {"vertical progress bar",
         [&] { XP().DrawProgressBar(dc, 5, 0, 10, true, true, clBlue, r, face); },
         {{L"Progress", 2, 1}, {L"Progress", 4, 1}}},
        {"empty progress bar: no chunk",
         [&] { XP().DrawProgressBar(dc, 0, 0, 10, true, false, clBlue, r, face); },
         {{L"Progress", 1, 1}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        DrawnParts();
        row.op();
        EXPECT_EQ(DrawnParts(), row.parts);
    }
}

// The edit box's frame is drawn around the content, which keeps the edit's face; a transparent progress bar is
// cleared first.
TEST_F(ubBarPaintersXP, TheEditFrameLeavesItsContentAndATransparentBarIsClearedFirst) {
    provider_.PaintsParts = true;
    provider_.ContentInsets[{L"Edit", 1, -1}] = RECT{2, 2, 2, 2};
    auto b = Surface(60, 30);
    HDC dc = b->Canvas()->GetHandle();
    TubBarItemPaintState s;
    s.Hot = true;
    RECT e{0, 0, 60, 30};
    XP().DrawEditBox(dc, e, s);
    EXPECT_EQ(e, (RECT{2, 2, 58, 28}));
    EXPECT_EQ(Pixel(*b, 30, 15), GetSysColor(COLOR_WINDOW));
    EXPECT_NE(Pixel(*b, 0, 15), kSurfaceBackground);

    provider_.PartiallyTransparent.insert({L"Progress", 1, -1});
    provider_.PaintsParts = false;
    auto p = Surface(60, 12);
    XP().DrawProgressBar(p->Canvas()->GetHandle(), 0, 0, 10, true, false, clBlue, RECT{0, 0, 60, 12},
                         GetSysColorBrush(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(*p, 30, 6), GetSysColor(COLOR_BTNSHADOW));
}

// A menu lies on the menu colour inside a one-pixel shadow line.
TEST_F(ubBarPaintersXP, AMenuTakesTheMenuColour) {
    const int index = COLOR_MENU;
    const COLORREF menu = RGB(250, 240, 200);
    SetSysColors(1, &index, &menu);
    auto b = Surface(40, 30);
    HDC dc = b->Canvas()->GetHandle();
    const RECT r{0, 0, 40, 30};
    XP().DrawSubMenuBackground(dc, r, 20, false);
    XP().DrawSubMenuFrame(dc, r, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(Pixel(*b, 0, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(*b, 1, 10), menu);
    EXPECT_EQ(Pixel(*b, 2, 10), menu);
    EXPECT_EQ(Pixel(*b, 20, 15), menu);
}

TEST_F(ubBarPaintersXP, SizesComeFromTheTheme) {
    provider_.ContentInsets[{L"ToolBar", 3, -1}] = RECT{3, 2, 3, 5};
    provider_.ContentInsets[{L"Edit", 1, -1}] = RECT{1, 2, 1, 2};
    provider_.ContentInsets[{L"Progress", 3, -1}] = RECT{0, 1, 0, 2};
    provider_.PartSizes[{L"Rebar", 1, -1, TS_TRUE}] = SIZE{4, 30};
    provider_.PartSizes[{L"ComboBox", 1, -1, TS_TRUE}] = SIZE{17, 21};
    provider_.PartSizes[{L"ToolBar", 5, -1, TS_MIN}] = SIZE{7, 10};
    provider_.PartSizes[{L"ToolBar", 6, -1, TS_TRUE}] = SIZE{8, 6};
    provider_.PartSizes[{L"Window", 19, -1, TS_TRUE}] = SIZE{13, 14};
    provider_.PartSizes[{L"ScrollBar", 10, -1, TS_TRUE}] = SIZE{17, 17};
    provider_.PartSizes[{L"Status", 3, -1, TS_TRUE}] = SIZE{12, 13};
    provider_.PartSizes[{L"Progress", 3, -1, TS_TRUE}] = SIZE{10, 11};
    provider_.Colors[{3, 1, 3802}] = RGB(0, 200, 0);
    auto* m = new TubBarManager(NewForm());
    m->SetButtonArrowWidth(11);
    const TubBarManagerSizes sizes = XP().ManagerSizes(m);
    EXPECT_EQ(sizes.ButtonHeight, 16 + 7);
    EXPECT_EQ(sizes.ButtonWidth, 16 + 7);
    EXPECT_EQ(sizes.ArrowWidth, 11 + 3);
    EXPECT_EQ(XP().GetLargeArrowWidth(m), Base().GetLargeArrowWidth(m) + 3);
    EXPECT_EQ(XP().GetBorderSize(), 4);
    EXPECT_EQ(XP().GetComboButtonWidth(8), 17);
    EXPECT_EQ(XP().GetEditHeightAddition(), 4 + 5);
    EXPECT_EQ(XP().GetGripSize(), 7);
    EXPECT_EQ(XP().GetGripOffset(), 3);
    EXPECT_EQ(XP().GetSeparatorSize(), 6);
    EXPECT_EQ(XP().GetCaptionButtonSize(TubBarItemPaintState{}), 14);
    EXPECT_EQ(XP().GetSizeGripSize(TubBarItemPaintState{}), (SIZE{12, 13}));
    EXPECT_EQ(XP().GetDropDownFooterHeight(), 17 + 3) << "the larger of 14 + 4 and 17 + 3";
    provider_.PartSizes[{L"Window", 19, -1, TS_TRUE}] = SIZE{13, 19};
    EXPECT_EQ(XP().GetDropDownFooterHeight(), 19 + 4);
    EXPECT_EQ(XP().GetProgressColor(), static_cast<TColor>(RGB(0, 200, 0)));
    EXPECT_EQ(XP().GetProgressBarSize(), 11 + 3);
    // The menus: one pixel higher lines, the width grown by the glyph column + 4, an empty menu by its text.
    TubSubMenuMetrics metrics;
    metrics.GlyphColumn = 19;
    metrics.TextHeight = 14;
    metrics.LineHeight = 21;
    EXPECT_EQ(XP().AdjustMenuLineHeight(20), 21);
    EXPECT_EQ(XP().AdjustSubMenuSize(SIZE{80, 60}, metrics), (SIZE{80 + 19 + 4, 60 + 4}));
    EXPECT_EQ(XP().AdjustSubMenuSize(SIZE{0, 0}, metrics), (SIZE{100, 14 + 4}));
}

// Classes the theme refuses leave the base look's sizes; the progress bar falls back to the base drawing.
TEST_F(ubBarPaintersXP, AThemeThatCannotBeOpenedLeavesTheBaseSizes) {
    provider_.UnknownClasses = {L"ToolBar", L"Rebar",    L"ComboBox",  L"Edit", L"Window",
                                L"Status",  L"Progress", L"ScrollBar", L"Spin"};
    auto* m = new TubBarManager(NewForm());
    EXPECT_EQ(XP().ManagerSizes(m).ButtonHeight, Base().ManagerSizes(m).ButtonHeight);
    EXPECT_EQ(XP().ManagerSizes(m).ButtonWidth, Base().ManagerSizes(m).ButtonWidth);
    EXPECT_EQ(XP().GetBorderSize(), Base().GetBorderSize());
    EXPECT_EQ(XP().GetComboButtonWidth(8), Base().GetComboButtonWidth(8));
    EXPECT_EQ(XP().GetEditHeightAddition(), Base().GetEditHeightAddition());
    EXPECT_EQ(XP().GetGripSize(), Base().GetGripSize());
    EXPECT_EQ(XP().GetSeparatorSize(), Base().GetSeparatorSize());
    EXPECT_EQ(XP().GetCaptionButtonSize(TubBarItemPaintState{}), Base().GetCaptionButtonSize(TubBarItemPaintState{}));
    EXPECT_EQ(XP().GetSizeGripSize(TubBarItemPaintState{}), Base().GetSizeGripSize(TubBarItemPaintState{}));
    EXPECT_EQ(XP().GetDropDownFooterHeight(), Base().GetDropDownFooterHeight());
    EXPECT_EQ(XP().GetProgressColor(), clHighlight);
    EXPECT_EQ(XP().GetProgressBarSize(), Base().GetProgressBarSize());
    // Nothing themed is drawn; the progress bar and the edit box still show.
    auto b = Surface(60, 30);
    HDC dc = b->Canvas()->GetHandle();
    TubBarItemPaintState s;
    XP().DrawButtonBackground(dc, RECT{0, 0, 23, 22}, GetSysColorBrush(COLOR_BTNFACE), s);
    XP().DrawProgressBar(dc, 10, 0, 10, true, false, clRed, RECT{0, 0, 60, 10}, GetSysColorBrush(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(*b, 30, 5), RGB(255, 0, 0));
    s.Hot = true;
    RECT e{0, 12, 60, 30};
    XP().DrawEditBox(dc, e, s);
    EXPECT_EQ(Pixel(*b, 30, 21), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(provider_.CallCount("DrawThemeBackground"), 0);
}

}  // namespace
}  // namespace zel::test
