// The envelope graph and the LFO fade graph: points placed and dragged where the pointer goes, the cells
// that follow them, the events, and the pixels of box, points and key marks.
#include <gtest/gtest.h>

#include <algorithm>

#include "ControlsTestSupport.h"
#include "controls/Uecomp.h"

namespace zel::test {
namespace {

constexpr COLORREF kAqua = RGB(0, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

TGraphPoints Envelope(std::initializer_list<TGraphPoint> pts) {
    TGraphPoints p;
    std::size_t i = 0;
    for (const TGraphPoint& pt : pts) p[i++] = pt;
    return p;
}

class PanGraphTest : public ControlsTest {
protected:
    TPanGraph* MakeGraph(TGraphType Type) {
        auto* g = new TPanGraph(Form);
        g->SetGraphType(Type);
        g->SetPoints(Envelope({{0, 0}, {20, 100}, {30, 80}, {40, 60}, {50, 0}}));
        return Place(g);
    }
};

TEST_F(PanGraphTest, DrawsTheBoxThePointsAndTheCells) {
    TPanGraph* g = MakeGraph(Normal);
    // 508 / 137 time units and 127 / 67 level units per pixel.
    EXPECT_EQ(g->PointPos(0), Point(10, 128));
    EXPECT_EQ(g->PointPos(1), Point(15, 75));
    EXPECT_EQ(g->PointPos(2), Point(23, 85));
    EXPECT_EQ(g->PointPos(4), Point(47, 128));
    EXPECT_EQ(PixelAt(g, 5, 55), RGB(128, 128, 128)) << "box frame, outer top-left";
    EXPECT_EQ(PixelAt(g, 6, 56), RGB(0, 0, 0)) << "box frame, inner top-left";
    EXPECT_EQ(PixelAt(g, 5 + 146, 55 + 76), RGB(255, 255, 255)) << "box frame, outer bottom-right";
    EXPECT_EQ(PixelAt(g, 140, 60), kAqua) << "background inside the box";
    for (int n = 0; n <= 4; ++n) EXPECT_EQ(PixelAt(g, g->PointPos(n).x, g->PointPos(n).y), kRed) << "point " << n;
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(g->PointCell(n, true)->GetValue(), g->GetPoints()[static_cast<std::size_t>(n)].Time);
        EXPECT_EQ(g->PointCell(n, false)->GetValue(), g->GetPoints()[static_cast<std::size_t>(n)].Level);
        EXPECT_EQ(g->PointCell(n, true)->GetLeft(), 32 + (n - 1) * 30);
    }
    EXPECT_EQ(g->PointCell(1, true)->GetTop(), 15);
    EXPECT_EQ(g->PointCell(1, false)->GetTop(), 15 + 15 + 4);
    EXPECT_TRUE(g->PointCell(4, false)->GetVisible());
    Shot(g, "envelope_normal");
}

TEST_F(PanGraphTest, DraggingAPointMovesItAndItsCellsAndEndsWithOneEndChange) {
    TPanGraph* g = MakeGraph(Normal);
    int changes = 0, ends = 0;
    g->OnChange = [&](TObject*) { ++changes; };
    g->OnEndchange = [&](TObject*) { ++ends; };
    const TPoint before = g->PointPos(2);
    Down(g, before.x + 3, before.y - 3);  // within 4 pixels
    Move(g, 15 + 5, 75 + 10);             // 5 right of point 1, 10 below it
    EXPECT_EQ(g->GetPoints()[2].Time, 18);
    EXPECT_EQ(g->GetPoints()[2].Level, 82);
    EXPECT_EQ(g->PointCell(2, true)->GetValue(), 18);
    EXPECT_EQ(g->PointCell(2, false)->GetValue(), 82);
    // The old place is erased, the new one drawn.
    const TPoint after = g->PointPos(2);
    EXPECT_EQ(PixelAt(g, after.x, after.y), kRed);
    EXPECT_EQ(PixelAt(g, before.x + 2, before.y), kAqua);

    Move(g, 0, 75 + 10);  // left of its predecessor
    EXPECT_EQ(g->GetPoints()[2].Time, 0);
    Move(g, 20, 0);  // far above the box
    EXPECT_EQ(g->GetPoints()[2].Level, 127);
    EXPECT_EQ(changes, 0);
    Up(g, 20, 0);
    EXPECT_EQ(ends, 1);
    Shot(g, "envelope_dragged");

    // A press away from every point drags nothing.
    Down(g, 140, 60);
    Move(g, 100, 100);
    Up(g, 100, 100);
    EXPECT_EQ(ends, 1);
}

TEST_F(PanGraphTest, LastLockedHidesTheFourthLevelAndKeepsPointFourOnTheZeroLine) {
    TPanGraph* g = MakeGraph(LastLocked);
    EXPECT_FALSE(g->PointCell(4, false)->GetVisible());
    const TPoint p = g->PointPos(4);
    Down(g, p.x, p.y);
    Move(g, p.x + 10, p.y - 40);
    EXPECT_EQ(g->GetPoints()[4].Level, 0);
    EXPECT_GT(g->GetPoints()[4].Time, 50);
    Up(g, p.x + 10, p.y - 40);
}

TEST_F(PanGraphTest, FirstHalfCentresLevelsOn63) {
    TPanGraph* g = new TPanGraph(Form);
    g->SetGraphType(FirstHalf);
    g->SetPoints(Envelope({{0, 63}, {20, 100}, {30, 64}, {40, 30}, {50, 63}}));
    Place(g);
    TClickEdit* level1 = g->PointCell(1, false);
    EXPECT_EQ(level1->GetMin(), -63);
    EXPECT_EQ(level1->GetMax(), 63);
    EXPECT_EQ(level1->GetValue(), 37);
    int changes = 0;
    g->OnChange = [&](TObject*) { ++changes; };
    // The second point's level cell reads 1; one step down shows 0, which stores 63.
    Down(g->PointCell(2, false), 5, 5);
    Up(g->PointCell(2, false), 5, 5);
    EXPECT_EQ(g->PointCell(2, false)->GetValue(), 0);
    EXPECT_EQ(g->GetPoints()[2].Level, 63);
    EXPECT_EQ(changes, 1);
    // Dragged far up, a level stops at 126.
    const TPoint p = g->PointPos(3);
    Down(g, p.x, p.y);
    Move(g, p.x, -100);
    EXPECT_EQ(g->GetPoints()[3].Level, 126);
    Up(g, p.x, -100);
    Shot(g, "envelope_firsthalf");

    // Back to Normal, the level cells take 0..127 again and show levels above 63.
    g->SetGraphType(Normal);
    g->SetPoints(Envelope({{0, 0}, {20, 100}, {30, 64}, {40, 30}, {50, 0}}));
    ProcessPendingMessages();
    EXPECT_EQ(level1->GetValue(), 100);
}

TEST_F(PanGraphTest, PointZeroIsPutBackAtTheNextPaint) {
    TPanGraph* g = MakeGraph(Normal);
    g->SetPoints(Envelope({{5, 9}, {20, 100}, {30, 80}, {40, 60}, {50, 0}}));
    ProcessPendingMessages();
    EXPECT_EQ(g->GetPoints()[0], (TGraphPoint{0, 0}));
    EXPECT_EQ(g->GetPoints()[1], (TGraphPoint{20, 100}));
}

TEST_F(PanGraphTest, SteppingACellMovesItsPointAndReports) {
    TPanGraph* g = MakeGraph(Normal);
    int changes = 0, ends = 0;
    g->OnChange = [&](TObject*) { ++changes; };
    g->OnEndchange = [&](TObject*) { ++ends; };
    TClickEdit* time3 = g->PointCell(3, true);
    Down(time3, 5, 5, WM_RBUTTONDOWN, MK_RBUTTON);
    Up(time3, 5, 5, WM_RBUTTONUP);
    EXPECT_EQ(g->GetPoints()[3].Time, 41);
    EXPECT_EQ(g->GetPoints()[3].Level, 60);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(ends, 1);
}

// ------------------------------------------------------------------------------------------ the fade graph

class FadeGraphTest : public ControlsTest {
protected:
    TFadeGraph* MakeFade(TFadeMode Mode) {
        auto* f = new TFadeGraph(Form);
        f->SetFadeMode(Mode);
        return Place(f);
    }
};

TEST_F(FadeGraphTest, FadeTimeAndDelayReadTheCellsUnderFadeAndDelay) {
    TFadeGraph* f = MakeFade(ON_IN);
    f->SetFadeTime(30);
    f->SetFadeDelay(10);
    ProcessPendingMessages();
    EXPECT_EQ(f->FadeCell()->GetValue(), 30);
    EXPECT_EQ(f->DelayCell()->GetValue(), 10);
    EXPECT_LT(f->DelayCell()->GetLeft(), f->FadeCell()->GetLeft());
    EXPECT_FALSE(f->DepthCell()->GetVisible());
    // In the OUT modes the stored values change roles.
    f->SetFadeMode(ON_OUT);
    ProcessPendingMessages();
    EXPECT_EQ(f->GetFadeTime(), 10);
    EXPECT_EQ(f->GetFadeDelay(), 30);
    EXPECT_EQ(f->FadeCell()->GetValue(), 10);
    EXPECT_EQ(f->DelayCell()->GetValue(), 30);
}

TEST_F(FadeGraphTest, DraggingPointTwoSetsTheFadeAndFullDepth) {
    TFadeGraph* f = MakeFade(ON_IN);
    f->SetFadeDepth(50);
    f->SetFadeDelay(20);
    f->SetFadeTime(20);
    ProcessPendingMessages();
    int changes = 0, ends = 0;
    f->OnChange = [&](TObject*) { ++changes; };
    f->OnEndchange = [&](TObject*) { ++ends; };
    const TPoint p1 = f->PointPos(1), p2 = f->PointPos(2);
    EXPECT_EQ(p1.y, 55 + 38);
    Down(f, p2.x + 2, p2.y - 2);
    Move(f, p1.x + 20, p2.y);
    EXPECT_EQ(f->GetFadeTime(), 62);  // trunc(20 * 381 / 122)
    EXPECT_EQ(f->GetFadeDepth(), 127);
    EXPECT_EQ(f->FadeCell()->GetValue(), 62);
    Up(f, p1.x + 20, p2.y);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(changes, 0);
    const TPoint now = f->PointPos(2);
    EXPECT_EQ(PixelAt(f, now.x, now.y), kRed);
    Shot(f, "fade_on_in");
}

TEST_F(FadeGraphTest, DraggingPointOneLeftOfTheKeyMarkGivesNoDelay) {
    TFadeGraph* f = MakeFade(OFF_IN);
    const TPoint p1 = f->PointPos(1);
    Down(f, p1.x, p1.y);
    Move(f, 60, p1.y);
    EXPECT_EQ(f->GetFadeDelay(), 28);  // trunc((60 - 5 - 24 - 22) * 381 / 122)
    Move(f, 10, p1.y);
    EXPECT_EQ(f->GetFadeDelay(), 0);
    EXPECT_EQ(f->DelayCell()->GetValue(), 0);
    Up(f, 10, p1.y);
}

TEST_F(FadeGraphTest, TheKeyOffMarkStandsOnlyInTheOffModes) {
    struct Row {
        const char* name;
        TFadeMode mode;
        bool keyOff;
    };
    const Row rows[] = {
        {"ON_IN", ON_IN, false}, {"ON_OUT", ON_OUT, false}, {"OFF_IN", OFF_IN, true}, {"OFF_OUT", OFF_OUT, true}};
    for (const Row& r : rows) {
        TFadeGraph* f = MakeFade(r.mode);
        f->SetFadeDelay(0);
        f->SetFadeTime(0);
        ProcessPendingMessages();
        const int y0 = 55 + 38;
        EXPECT_EQ(PixelAt(f, 5 + 24, y0 + 4), RGB(0, 0, 0)) << r.name << ": key-on mark";
        EXPECT_EQ(PixelAt(f, 5 + 46, y0 + 4) == RGB(0, 0, 0), r.keyOff) << r.name << ": key-off mark";
        Shot(f, std::string("fade_") + r.name);
        Forget(f);
        delete f;
    }
}

// Whether a pixel of a red text, smoothed against the graph's background, is red to the eye.
bool IsRed(COLORREF C) { return GetRValue(C) > GetGValue(C) + 60 && GetRValue(C) > GetBValue(C) + 60; }

// The red labels under the key marks: every red pixel below the marks, as one rectangle.
TRect KeyLabels(TFadeGraph* F) {
    const int y0 = 55 + 38;
    TRect r{0, 0, 0, 0};
    bool any = false;
    for (int y = y0 + 6; y < 55 + 77; ++y)
        for (int x = 5; x < 5 + 147; ++x) {
            if (!IsRed(ComposedPixel(F->GetHandle(), x, y))) continue;
            r = any ? TRect{std::min<int>(r.left, x), std::min<int>(r.top, y), std::max<int>(r.right, x + 1),
                            std::max<int>(r.bottom, y + 1)}
                    : TRect{x, y, x + 1, y + 1};
            any = true;
        }
    return r;
}

// In every mode the two cells stay inside the panel, the "Fade" text stands clear between the cells, and the
// key-off label does not run into the key-on one.
TEST_F(FadeGraphTest, TheTextsAndCellsStayInsideThePanelAndApart) {
    TFadeGraph* on = MakeFade(ON_IN);
    ProcessPendingMessages();
    const TRect keyOn = KeyLabels(on);
    EXPECT_GT(keyOn.right, keyOn.left) << "no key-on label";
    for (TFadeMode mode : {ON_IN, ON_OUT, OFF_IN, OFF_OUT}) {
        SCOPED_TRACE(static_cast<int>(mode));
        TFadeGraph* f = MakeFade(mode);
        ProcessPendingMessages();
        TClickEdit* delay = f->DelayCell();
        TClickEdit* fade = f->FadeCell();
        EXPECT_LE(fade->GetLeft() + fade->GetWidth(), f->ClientWidth() - 2) << "the fade cell runs out";
        EXPECT_LT(delay->GetLeft() + delay->GetWidth(), fade->GetLeft());
        // The "Fade" text: dark pixels between the cells, a clear pixel short of the fade cell.
        int textLeft = -1, textRight = -1;
        for (int x = delay->GetLeft() + delay->GetWidth() + 1; x < fade->GetLeft(); ++x)
            for (int y = fade->GetTop(); y < fade->GetTop() + fade->GetHeight(); ++y) {
                const COLORREF c = ComposedPixel(f->GetHandle(), x, y);
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) >= 3 * 100) continue;
                if (textLeft < 0) textLeft = x;
                textRight = x;
            }
        EXPECT_GE(textLeft, 0) << "no \"Fade\" text";
        EXPECT_LT(textRight, fade->GetLeft() - 1) << "\"Fade\" runs into its cell";
        if (mode == OFF_IN || mode == OFF_OUT) {
            // With the key-off label, the red below the marks reaches past the key-on label's rectangle; red in
            // that rectangle's rows less than two spaces after it would read as one word with it, or overwrite it.
            const TRect both = KeyLabels(f);
            EXPECT_TRUE(both.right > keyOn.right || both.bottom > keyOn.bottom) << "no key-off label";
            for (int y = keyOn.top; y < keyOn.bottom; ++y)
                for (int x = keyOn.right; x < keyOn.right + 6; ++x)
                    EXPECT_FALSE(IsRed(ComposedPixel(f->GetHandle(), x, y))) << "the key labels touch";
        }
        Shot(f, std::string("fade_texts_") + std::to_string(static_cast<int>(mode)));
        Forget(f);
        delete f;
    }
}

TEST_F(FadeGraphTest, SteppingTheDelayCellRedrawsAndEndsWithoutOnChange) {
    TFadeGraph* f = MakeFade(ON_OUT);
    int changes = 0, ends = 0;
    f->OnChange = [&](TObject*) { ++changes; };
    f->OnEndchange = [&](TObject*) { ++ends; };
    const int before = f->PointPos(2).x;
    Down(f->DelayCell(), 5, 5);
    Up(f->DelayCell(), 5, 5);
    EXPECT_EQ(f->GetFadeDelay(), 126);
    EXPECT_LE(f->PointPos(2).x, before);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(changes, 0);
}

}  // namespace
}  // namespace zel::test
