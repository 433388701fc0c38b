// The pitch editor, driven by real mouse input: the data set of each control with the value rules of
// the velocity sensitivity, and the envelope written point by point.
#include <gtest/gtest.h>

#include <functional>

#include "ToneEditorsFixture.h"

namespace zel::test {
namespace {

class PitchEditor : public ToneEditors {};

TEST_F(PitchEditor, EachControlSendsItsOneDataSet) {
    using TRow = TToneRow<TFormPitch>;
    const auto none = [](TPatch&) {};
    const std::vector<TRow> rows = {
        {"coarse tune +12", 1, none, [this](TFormPitch* e) { DragPanTo(e->CoarseTune, 12); },
         Sets({ToneSet(1, 61, {60})})},
        {"fine tune -10", 2, none, [this](TFormPitch* e) { DragPanTo(e->FineTune, -10); },
         Sets({ToneSet(2, 62, {40})})},
        {"random depth one step", 1, none, [this](TFormPitch* e) { StepField(e->RndPitchDepth, true, 1); },
         Sets({ToneSet(1, 63, {1})})},
        {"keyfollow one step", 1, none, [this](TFormPitch* e) { StepField(e->PitchKeyfollow, true, 1); },
         Sets({ToneSet(1, 64, {1})})},
        {"envelope depth -12", 3, [](TPatch& p) { p.Tone(3).Data()[65] = 12; },
         [this](TFormPitch* e) { DragPanTo(e->PitchenvDepth, -12); }, Sets({ToneSet(3, 65, {0})})},
        // The sensitivity steps by 2 and stores (code + 100) / 2: +150 is 125, -100 is 0.
        {"velocity sensitivity up to +150", 1, [](TPatch& p) { p.Tone(1).Data()[66] = 124; },
         [this](TFormPitch* e) { StepField(e->PitchEnvVelSens, true, 2); }, Sets({ToneSet(1, 66, {125})})},
        {"velocity sensitivity down to -100", 1, [](TPatch& p) { p.Tone(1).Data()[66] = 1; },
         [this](TFormPitch* e) { StepField(e->PitchEnvVelSens, false, 2); }, Sets({ToneSet(1, 66, {0})})},
        {"velocity time 1", 1, none, [this](TFormPitch* e) { StepField(e->Veltime1sens, true, 1); },
         Sets({ToneSet(1, 67, {1})})},
        {"velocity time 4", 1, none, [this](TFormPitch* e) { StepField(e->veltime4sens, true, 1); },
         Sets({ToneSet(1, 68, {1})})},
        {"time keyfollow", 1, none, [this](TFormPitch* e) { StepField(e->timekeyfollow, true, 1); },
         Sets({ToneSet(1, 69, {1})})},
        {"T1 of tone 4 to 32 on its cell", 4, none,
         [this](TFormPitch* e) { HoldCellUntil(e->Graph->PointCell(1, true), 32); },
         Sets({"F0 41 10 6A 12 03 00 16 46 20 01 F7"})},
    };
    CheckEachRow<TFormPitch, TRow>(
        rows, [this](const TRow& row) { return Open<TFormPitch>("Pitch", row.Tone); },
        [this](TFormPitch* editor) {
            // The same value again sends nothing.
            Sim.ClearLog();
            editor->UpdateView();
            EXPECT_TRUE(Received().empty());
        });
}

TEST_F(PitchEditor, ADraggedPointWritesItsChangedTimeAndLevelEachWithItsRecord) {
    for (int n = 70; n <= 77; ++n) patch_->Tone(1).Data()[n] = 63;
    TFormPitch* editor = Open<TFormPitch>("Pitch", 1);
    EXPECT_EQ(editor->Graph->GetGraphType(), FirstHalf);
    EXPECT_EQ(editor->Graph->GetPoints()[2], (TGraphPoint{63, 63}));
    DragGraphPoint(editor->Graph, 2, 4, -10);
    const TGraphPoints points = editor->Graph->GetPoints();
    ASSERT_NE(points[2].Time, 63);
    ASSERT_NE(points[2].Level, 63);
    // T2 (71) first, then L2 (75): two messages, two records; the unchanged six bytes send nothing.
    EXPECT_EQ(Received(), Sets({ToneSet(1, 71, {points[2].Time}), ToneSet(1, 75, {points[2].Level})}));
    EXPECT_EQ(editor->CurrentUndoList()->Count(), 2);
    Sim.ClearLog();
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), Sets({ToneSet(1, 75, {63})}));
}

}  // namespace
}  // namespace zel::test
