// The key selector (keys under the pointer, selection by press and drag, the red key) and the gradient
// panel (its bands' colours at the ends).
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "controls/Shader.h"
#include "controls/Uecomp.h"

namespace zel::test {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class KeySelectorTest : public ControlsTest {
protected:
    TKeySelector* MakeKeys() { return Place(new TKeySelector(Form)); }
};

TEST_F(KeySelectorTest, StartsWithTheLowestKeySelectedAndRed) {
    TKeySelector* k = MakeKeys();
    EXPECT_EQ(k->GetWidth(), 500);
    EXPECT_EQ(k->GetHeight(), 50);
    EXPECT_EQ(k->GetKeySelected(), -1);
    EXPECT_EQ(PixelAt(k, 5, 40), kRed);
    EXPECT_EQ(PixelAt(k, 15, 40), kWhite) << "the C above it";
    EXPECT_EQ(PixelAt(k, 18, 10), kBlack) << "the C-sharp";
    Shot(k, "keyselector");
}

TEST_F(KeySelectorTest, KeyEdgesFollowTheKeyWidth) {
    TKeySelector k(nullptr);
    EXPECT_EQ(k.KeyLeft(-1), 0);
    EXPECT_EQ(k.KeyLeft(0), 10);
    EXPECT_EQ(k.KeyLeft(1), 16);
    EXPECT_EQ(k.KeyLeft(3), 28);
    EXPECT_EQ(k.KeyLeft(8), 57);
    EXPECT_EQ(k.KeyLeft(10), 68);
    EXPECT_EQ(k.KeyLeft(12), 80);
    EXPECT_EQ(k.KeyLeft(62), 370);
}

TEST_F(KeySelectorTest, TheKeyUnderThePointer) {
    TKeySelector k(nullptr);
    k.SetBounds(0, 0, 500, 50);
    struct Row {
        const char* name;
        int x, y, key;
    };
    // White keys of the second octave start at 80 (C), 90 (D), 100 (E), 110 (F), 120 (G), 130 (A), 140 (B).
    const Row rows[] = {
        {"lowest B", 10, 40, -1},
        {"C, low part", 86, 40, 12},
        {"C, upper part left of its middle", 84, 10, 12},
        {"C, upper part right of its middle", 86, 10, 13},
        {"D, upper left quarter", 92, 10, 13},
        {"D, upper middle", 95, 10, 14},
        {"D, upper right quarter", 98, 10, 15},
        {"E, upper left half", 103, 10, 15},
        {"E, upper right half", 107, 10, 16},
        {"F, upper right half", 117, 10, 18},
        {"G, upper right quarter", 128, 10, 20},
        {"A, upper right quarter", 138, 10, 22},
        {"B, upper left half", 142, 10, 22},
        {"B, low part", 142, 40, 23},
        {"black zone ends at three fifths", 86, 31, 12},
        {"last key", 375, 40, 62},
        {"beyond the keyboard", 480, 40, 62},
        {"just past the last key's edge, upper", 371, 10, 61},
    };
    for (const Row& r : rows) EXPECT_EQ(k.KeyAt(r.x, r.y), r.key) << r.name;
}

TEST_F(KeySelectorTest, PressAndDragSelectAndReport) {
    TKeySelector* k = MakeKeys();
    int changes = 0, ends = 0;
    k->OnChange = [&](TObject*) { ++changes; };
    k->OnEndchange = [&](TObject*) { ++ends; };
    Down(k, 86, 10);  // just right of the middle of the C of index 12, upper part
    EXPECT_EQ(k->GetKeySelected(), 13);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(PixelAt(k, 88, 5), kRed) << "the C-sharp";
    EXPECT_EQ(PixelAt(k, 5, 40), kWhite) << "the old key is white again";
    Move(k, 88, 12);  // within the same key
    EXPECT_EQ(changes, 1);
    Move(k, 95, 40);  // onto the D
    EXPECT_EQ(k->GetKeySelected(), 14);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(PixelAt(k, 95, 40), kRed);
    EXPECT_EQ(PixelAt(k, 88, 5), kBlack);
    Up(k, 95, 40);
    EXPECT_EQ(ends, 1);
    Move(k, 200, 40, 0);  // no drag after the release
    EXPECT_EQ(k->GetKeySelected(), 14);
    // Pressing the selected key reports again.
    Down(k, 95, 40);
    Up(k, 95, 40);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(ends, 2);
    Shot(k, "keyselector_selected");
}

TEST_F(KeySelectorTest, SelectingFromOutsideRedrawsWithoutEvents) {
    TKeySelector* k = MakeKeys();
    int changes = 0;
    k->OnChange = [&](TObject*) { ++changes; };
    k->SetKeySelected(12);
    EXPECT_EQ(PixelAt(k, 82, 40), kRed);
    EXPECT_EQ(PixelAt(k, 5, 40), kWhite);
    // An index outside the keyboard selects nothing visible and harms nothing.
    k->SetKeySelected(200);
    EXPECT_EQ(PixelAt(k, 82, 40), kWhite);
    EXPECT_EQ(changes, 0);
}

// ------------------------------------------------------------------------------------- the gradient panel

class ShaderTest : public ControlsTest {
protected:
    TShader* MakeShader() {
        auto* s = new TShader(Form);
        s->SetBounds(0, 0, 100, 100);
        return Place(s);
    }
};

TEST_F(ShaderTest, DefaultsFadeFromBlueAtTheTopToBlackAtTheBottomInTwentyBands) {
    TShader* s = MakeShader();
    EXPECT_EQ(s->GetSteps(), 20);
    EXPECT_EQ(s->GetVersion(), "1.1.0.0");
    s->SetVersion("9.9.9.9");
    EXPECT_EQ(s->GetVersion(), "1.1.0.0");
    EXPECT_EQ(PixelAt(s, 50, 0), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(s, 50, 4), RGB(0, 0, 255)) << "the first band is 5 pixels high";
    EXPECT_EQ(PixelAt(s, 50, 5), RGB(0, 0, 242)) << "255 + round(-12.75)";
    EXPECT_EQ(PixelAt(s, 50, 99), RGB(0, 0, 13)) << "255 + round(19 * -12.75)";
    EXPECT_EQ(PixelAt(s, 0, 50), PixelAt(s, 99, 50)) << "bands span the whole width";
    Shot(s, "shader_default");
}

TEST_F(ShaderTest, OneBandOrNoneFillsTheFaceWithTheFromColour) {
    TShader* s = MakeShader();
    s->SetFromColor(clLime);
    s->SetSteps(1);
    EXPECT_EQ(PixelAt(s, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(s, 99, 99), RGB(0, 255, 0));
    s->SetFromColor(clYellow);
    s->SetSteps(0);
    EXPECT_EQ(PixelAt(s, 50, 99), RGB(255, 255, 0));
    EXPECT_EQ(s->GetSteps(), 1);
}

TEST_F(ShaderTest, LeftToRightAndSystemColoursStoredAsRgb) {
    TShader* s = MakeShader();
    s->SetFromColor(clWhite);
    s->SetToColor(clBtnFace);
    EXPECT_EQ(s->GetToColor(), ColorToRGB(clBtnFace));
    s->SetToColor(clBlack);
    s->SetDirection(true);
    s->SetSteps(4);
    EXPECT_EQ(PixelAt(s, 0, 50), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(s, 24, 50), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(s, 25, 0), RGB(191, 191, 191)) << "255 + round(-63.75)";
    EXPECT_EQ(PixelAt(s, 99, 99), RGB(64, 64, 64)) << "255 + round(3 * -63.75)";
    Shot(s, "shader_horizontal");
}

}  // namespace
}  // namespace zel::test
