// The TVA editor, driven by real mouse input: the data set of each control with the pan value rules, the
// envelope whose last level is fixed, and the picture of each bias direction.
#include <gtest/gtest.h>

#include <functional>

#include "ToneEditorsFixture.h"

namespace zel::test {
namespace {

class TVAEditor : public ToneEditors {};

TEST_F(TVAEditor, EachControlSendsItsOneDataSet) {
    using TRow = TToneRow<TFormTVA>;
    const auto none = [](TPatch&) {};
    const auto centred = [](TPatch& p) {
        p.Tone(1).Data()[119] = 64;
        p.Tone(1).Data()[122] = 64;
    };
    const std::vector<TRow> rows = {
        {"level 100", 2, none, [this](TFormTVA* e) { DragPanTo(e->Level, 100); }, Sets({ToneSet(2, 101, {100})})},
        {"bias direction next", 1, none, [this](TFormTVA* e) { Click(e->Successivo); }, Sets({ToneSet(1, 102, {1})})},
        {"bias point", 1, none, [this](TFormTVA* e) { StepField(e->BiasPoint, true, 1); },
         Sets({ToneSet(1, 103, {1})})},
        {"bias level", 1, none, [this](TFormTVA* e) { StepField(e->BiasLevel, true, 1); },
         Sets({ToneSet(1, 104, {1})})},
        {"velocity curve 2", 1, none, [this](TFormTVA* e) { StepField(e->EnvVelCurve, true, 1); },
         Sets({ToneSet(1, 105, {1})})},
        {"velocity sensitivity", 1, none, [this](TFormTVA* e) { StepField(e->VelocitySens, true, 1); },
         Sets({ToneSet(1, 106, {1})})},
        {"velocity time 1", 1, none, [this](TFormTVA* e) { StepField(e->VelTime1S, true, 1); },
         Sets({ToneSet(1, 107, {1})})},
        {"velocity time 4", 1, none, [this](TFormTVA* e) { StepField(e->VelTime4S, true, 1); },
         Sets({ToneSet(1, 108, {1})})},
        {"time keyfollow", 1, none, [this](TFormTVA* e) { StepField(e->TimeKeyfollow, true, 1); },
         Sets({ToneSet(1, 109, {1})})},
        // Pans store value + 64: the far left of the tone pan is 0, alternate pan -63 is 1 and +63 is 127.
        {"tone pan far left", 1, centred, [this](TFormTVA* e) { HoldCellUntil(e->ClickPan, -64); },
         Sets({ToneSet(1, 119, {0})})},
        {"pan keyfollow", 1, none, [this](TFormTVA* e) { StepField(e->PanKeyfollow, true, 1); },
         Sets({ToneSet(1, 120, {1})})},
        {"random pan depth 30", 3, none, [this](TFormTVA* e) { DragPanTo(e->RndPanDepth, 30); },
         Sets({ToneSet(3, 121, {30})})},
        {"alternate pan -63", 1, centred, [this](TFormTVA* e) { DragPanTo(e->AltPanDepth, -63); },
         Sets({ToneSet(1, 122, {1})})},
        {"alternate pan +63", 1, centred, [this](TFormTVA* e) { DragPanTo(e->AltPanDepth, 63); },
         Sets({ToneSet(1, 122, {127})})},
        {"T4 on its cell", 1, none, [this](TFormTVA* e) { HoldCellUntil(e->Graph->PointCell(4, true), 3); },
         Sets({ToneSet(1, 113, {3})})},
    };
    CheckEachRow<TFormTVA, TRow>(rows, [this](const TRow& row) { return Open<TFormTVA>("TVA", row.Tone); });
}

TEST_F(TVAEditor, TheLastLevelOfTheEnvelopeChangesNoByte) {
    for (int n = 110; n <= 116; ++n) patch_->Tone(1).Data()[n] = 40;
    const TBytes stored = ToneData(*patch_, 1);
    TFormTVA* editor = Open<TFormTVA>("TVA", 1);
    EXPECT_EQ(editor->Graph->GetGraphType(), LastLocked);
    EXPECT_FALSE(editor->Graph->PointCell(4, false)->GetVisible());
    DragGraphPoint(editor->Graph, 4, 0, -30);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(ToneData(*patch_, 1), stored);
    // A point dragged up and right: its time and level, each with its record.
    DragGraphPoint(editor->Graph, 3, 5, -15);
    const TGraphPoint p = editor->Graph->GetPoints()[3];
    EXPECT_EQ(Received(), Sets({ToneSet(1, 112, {p.Time}), ToneSet(1, 116, {p.Level})}));
    EXPECT_EQ(editor->CurrentUndoList()->Count(), 2);
}

// Whether any pixel of column X from Y0 to Y1 is black.
bool BlackIn(TCanvas* c, int x, int y0, int y1) {
    for (int y = y0; y <= y1; ++y)
        if (c->GetPixel(x, y) == 0) return true;
    return false;
}

TEST_F(TVAEditor, EachBiasDirectionHasItsPictureAndName) {
    TFormTVA* editor = Open<TFormTVA>("TVA", 1);
    const struct {
        const char* Name;
        bool RightFlat, LeftFlat, RightFalls, Rises;
    } rows[] = {
        {"Lower", true, false, false, false},
        {"Upper", false, true, true, false},
        {"Lower Upper", false, false, true, false},
        {"All", false, false, false, true},
    };
    for (int d = 0; d < 4; ++d) {
        SCOPED_TRACE(d);
        if (d > 0) Click(editor->Successivo);
        EXPECT_EQ(editor->LabelDir->Caption(), rows[d].Name);
        TCanvas* c = editor->Image1->Picture()->Canvas();
        EXPECT_EQ(c->GetPixel(1, 1), static_cast<TColor>(0xFFFF00)) << "aqua";
        // The level line at the zero level (half-way down) right and left of the bias point, falling on the
        // right, and rising across the whole range.
        const int zero = editor->Image1->Picture()->GetHeight() / 2;
        EXPECT_EQ(BlackIn(c, 120, zero - 2, zero + 2), rows[d].RightFlat);
        EXPECT_EQ(BlackIn(c, 40, zero - 2, zero + 2), rows[d].LeftFlat);
        EXPECT_EQ(BlackIn(c, 120, zero + 7, zero + 17), rows[d].RightFalls);
        EXPECT_EQ(BlackIn(c, 130, zero - 20, zero - 12), rows[d].Rises);
        EXPECT_TRUE(editor->Image1->Picture()->SaveToPngFile(ScreenshotPath("bias-direction-" + std::to_string(d))));
    }
    // "next" at "All" sends nothing.
    Sim.ClearLog();
    Click(editor->Successivo);
    EXPECT_TRUE(Received().empty());
}

}  // namespace
}  // namespace zel::test
