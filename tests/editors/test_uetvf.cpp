// The TVF editor, driven by real mouse input: the data set of each control with its value rules, the
// filter type arrows with their pictogram, and the patch made current when the window is activated.
#include <gtest/gtest.h>

#include <functional>

#include "ToneEditorsFixture.h"
#include "model/CurrentElements.h"

namespace zel::test {
namespace {

class TVFEditor : public ToneEditors {};

TEST_F(TVFEditor, EachControlSendsItsOneDataSet) {
    using TRow = TToneRow<TFormTVF>;
    const auto none = [](TPatch&) {};
    const std::vector<TRow> rows = {
        {"cutoff of tone 2 to 64", 2, none, [this](TFormTVF* e) { DragPanTo(e->cutofffrequency, 64); },
         Sets({"F0 41 10 6A 12 03 00 12 51 40 5A F7"})},
        {"resonance 100", 1, none, [this](TFormTVF* e) { DragPanTo(e->Resonance, 100); },
         Sets({ToneSet(1, 83, {100})})},
        {"envelope depth +10", 1, none, [this](TFormTVF* e) { DragPanTo(e->EnvDepth, 10); },
         Sets({ToneSet(1, 85, {73})})},
        {"cutoff keyfollow", 1, none, [this](TFormTVF* e) { StepField(e->CutoffKeyfollow, true, 1); },
         Sets({ToneSet(1, 82, {1})})},
        // The curve shows 1..7 and stores 0..6.
        {"velocity curve up to 7", 1, [](TPatch& p) { p.Tone(1).Data()[86] = 5; },
         [this](TFormTVF* e) { StepField(e->VelocityCurve, true, 2); }, Sets({ToneSet(1, 86, {6})})},
        {"velocity curve down to 1", 1, [](TPatch& p) { p.Tone(1).Data()[86] = 1; },
         [this](TFormTVF* e) { StepField(e->VelocityCurve, false, 2); }, Sets({ToneSet(1, 86, {0})})},
        {"velocity sensitivity", 3, none, [this](TFormTVF* e) { StepField(e->VelocitySens, true, 1); },
         Sets({ToneSet(3, 87, {1})})},
        {"resonance velocity sensitivity", 1, [](TPatch& p) { p.Tone(1).Data()[84] = 124; },
         [this](TFormTVF* e) { StepField(e->VelocityRes, true, 3); }, Sets({ToneSet(1, 84, {125})})},
        {"velocity time 1", 1, none, [this](TFormTVF* e) { StepField(e->VelTime1S, true, 1); },
         Sets({ToneSet(1, 88, {1})})},
        {"velocity time 4", 1, none, [this](TFormTVF* e) { StepField(e->VelTime4S, true, 1); },
         Sets({ToneSet(1, 89, {1})})},
        {"time keyfollow", 4, none, [this](TFormTVF* e) { StepField(e->TimeKeyfollow, true, 1); },
         Sets({ToneSet(4, 90, {1})})},
        {"filter type next", 1, none, [this](TFormTVF* e) { Click(e->Successivo); }, Sets({ToneSet(1, 80, {1})})},
        {"L3 on its cell", 1, none, [this](TFormTVF* e) { HoldCellUntil(e->Graph->PointCell(3, false), 2); },
         Sets({ToneSet(1, 97, {2})})},
    };
    CheckEachRow<TFormTVF, TRow>(rows, [this](const TRow& row) { return Open<TFormTVF>("TVF", row.Tone); });
}

TEST_F(TVFEditor, TheArrowsStopAtNoFilterAndPeakingAndRedrawThePictogram) {
    const TColor black = 0;
    TFormTVF* editor = Open<TFormTVF>("TVF", 1);
    EXPECT_EQ(editor->Labelfilter->Caption(), "No Filter");
    Click(editor->Precedente);
    EXPECT_TRUE(Received().empty());
    const char* names[] = {"No Filter", "Low Pass", "Band Pass", "High Pass", "Peaking"};
    for (int type = 0; type < 5; ++type) {
        SCOPED_TRACE(type);
        if (type > 0) {
            Sim.ClearLog();
            Click(editor->Successivo);
            EXPECT_EQ(Received(), Sets({ToneSet(1, 80, {type})}));
        }
        EXPECT_EQ(editor->Labelfilter->Caption(), names[type]);
        EXPECT_EQ(editor->Labelfilter->GetWidth(), editor->Image1->GetWidth());
        EXPECT_TRUE(editor->Image1->Picture()->SaveToPngFile(ScreenshotPath("tvf-type-" + std::to_string(type))));
        TCanvas* c = editor->Image1->Picture()->Canvas();
        // The low pass line from (4, 20) to (34, 20); no axes under "OFF".
        if (type == 1) {
            for (int x : {4, 20, 34}) EXPECT_EQ(c->GetPixel(x, 20), black) << x;
        }
        if (type == 0) {
            EXPECT_NE(c->GetPixel(4, editor->Image1->GetHeight() - 4), black);
        }
    }
    Sim.ClearLog();
    Click(editor->Successivo);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(patch_->Tone(1).GetParam(80), 4);
    // Undo steps the type and its pictogram back.
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), Sets({ToneSet(1, 80, {3})}));
    EXPECT_EQ(editor->Labelfilter->Caption(), "High Pass");
}

TEST_F(TVFEditor, ActivatingTheEditorOfAPatchThatIsNotCurrentSendsThatPatch) {
    TFormTVF* editor = Open<TFormTVF>("TVF", 2);
    ASSERT_EQ(CurrentPatch, patch_);
    // Another patch's window makes that patch current.
    TPatch& other = PatchOf(library_, 1);
    OpenPatch(other);
    ASSERT_EQ(CurrentPatch, &other);
    Sim.ClearLog();
    SendMessage(Formzelmo->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(editor->GetHandle()), 0);
    RunQueue();
    SendQueued();
    EXPECT_EQ(CurrentPatch, patch_);
    EXPECT_EQ(Sim.ReceivedMessages().size(), 5u);
    // An edit here now changes this patch on the instrument.
    Sim.ClearLog();
    DragPanTo(editor->cutofffrequency, 64);
    EXPECT_EQ(Received(), Sets({"F0 41 10 6A 12 03 00 12 51 40 5A F7"}));
    EXPECT_EQ(TemporaryTone(2), ToneData(*patch_, 2));
}

}  // namespace
}  // namespace zel::test
