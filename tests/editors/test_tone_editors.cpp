// What the six tone editors share: a change, its undo and the change again leave the instrument's tone
// equal to the patch's; Revert sends the tone once; stored bytes that no control can show open every
// editor without writing anything.
#include <gtest/gtest.h>

#include <functional>

#include "ToneEditorsFixture.h"

namespace zel::test {
namespace {

class ToneEditorsShared : public ToneEditors {};

TEST_F(ToneEditorsShared, ChangeUndoAndChangeAgainLeaveTheInstrumentEqualToThePatchAndRevertSendsTheToneOnce) {
    struct TRow {
        const char* Section;
        int Tone;
        const char* Caption;  // the editor's words in its caption
        int Help;
        std::function<void(TToneEditor*)> Change;
    };
    const std::vector<TRow> rows = {
        {"Wave", 1, " [Wave] [Tone 1]", 66, [this](TToneEditor* e) { Click(dynamic_cast<TFormWave*>(e)->SpeedGain4); }},
        {"Pitch", 2, " [Pitch] [Tone 2]", 43,
         [this](TToneEditor* e) { DragPanTo(dynamic_cast<TFormPitch*>(e)->CoarseTune, 7); }},
        {"TVF", 3, " [TVF] [Tone 3]", 65,
         [this](TToneEditor* e) { DragPanTo(dynamic_cast<TFormTVF*>(e)->cutofffrequency, 90); }},
        {"TVA", 4, " [TVA] [Tone 4]", 64,
         [this](TToneEditor* e) { DragGraphPoint(dynamic_cast<TFormTVA*>(e)->Graph, 2, 6, -12); }},
        {"LFO2", 1, " [LFO 2] [Tone 1]", 22,
         [this](TToneEditor* e) { StepField(dynamic_cast<TFormLFO*>(e)->LFORate, true, 1); }},
        {"Control", 2, " [Control] [Tone 2]", 3,
         [this](TToneEditor* e) { DragPanTo(dynamic_cast<TFormControl*>(e)->ReverbSendLevel, 33); }},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Section);
        TToneEditor* editor = Open<TToneEditor>(row.Section, row.Tone);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->Caption(), "Warm Pad" + std::string(row.Caption) + " [Loc : Untitled.Lib]");
        EXPECT_EQ(editor->HelpContext, row.Help);
        const TBytes opened = ToneData(*patch_, row.Tone);
        row.Change(editor);
        ASSERT_NE(ToneData(*patch_, row.Tone), opened);
        EXPECT_EQ(TemporaryTone(row.Tone), ToneData(*patch_, row.Tone));
        while (editor->CurrentUndoList()->Count() > 0) Click(editor->BtnUndo);
        EXPECT_EQ(ToneData(*patch_, row.Tone), opened);
        EXPECT_EQ(TemporaryTone(row.Tone), opened);
        row.Change(editor);
        EXPECT_EQ(TemporaryTone(row.Tone), ToneData(*patch_, row.Tone));
        Sim.ClearLog();
        Click(editor->BtnRevert);
        ASSERT_EQ(Sim.ReceivedMessages().size(), 1u);
        EXPECT_EQ(Sim.ReceivedMessages().front().size(), 140u) << "the tone's 129 data bytes in one message";
        EXPECT_EQ(ToneData(*patch_, row.Tone), opened);
        EXPECT_EQ(TemporaryTone(row.Tone), opened);
        EXPECT_FALSE(editor->BtnUndo->GetEnabled());
        CloseAll();
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(ToneEditorsShared, BytesNoControlCanShowOpenEveryEditorAndWriteNothing) {
    TTone& tone = patch_->Tone(1);
    tone.Data()[1] = 3;    // wave group type
    tone.Data()[9] = 9;    // delay mode
    tone.Data()[45] = 12;  // waveform of LFO 1
    tone.Data()[50] = 7;   // fade mode of LFO 1
    tone.Data()[52] = 5;   // external sync of LFO 1
    tone.Data()[80] = 9;   // filter type
    tone.Data()[102] = 6;  // bias direction
    tone.Data()[20] = 4;   // pan control
    tone.Data()[125] = 9;  // output assign
    tone.Data()[21] = 40;  // destination 1 of controller 1
    tone.Data()[66] = 127;
    tone.Data()[86] = 100;
    const TBytes stored = ToneData(*patch_, 1);
    auto* wave = Open<TFormWave>("Wave", 1);
    auto* lfo = Open<TFormLFO>("LFO1", 1);
    auto* tvf = Open<TFormTVF>("TVF", 1);
    auto* tva = Open<TFormTVA>("TVA", 1);
    auto* control = Open<TFormControl>("Control", 1);
    Open<TFormPitch>("Pitch", 1);
    EXPECT_EQ(wave->ComboWave->GetItemIndex(), -1);
    EXPECT_EQ(wave->ToneDelayMode->GetItemIndex(), -1);
    EXPECT_EQ(lfo->LabelWave->Caption(), "Caos");
    EXPECT_EQ(lfo->FadeMode->GetItemIndex(), -1);
    EXPECT_EQ(lfo->ExternalSync->GetItemIndex(), -1);
    EXPECT_EQ(tvf->Labelfilter->Caption(), "Peaking");
    EXPECT_EQ(tvf->VelocityCurve->GetCode(), 7);
    EXPECT_EQ(tva->LabelDir->Caption(), "All");
    EXPECT_EQ(control->PanCtrlSwitch->GetItemIndex(), -1);
    EXPECT_EQ(control->Outputassign->GetItemIndex(), -1);
    EXPECT_EQ(control->Dest[0]->GetItemIndex(), -1);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(ToneData(*patch_, 1), stored);
    // "next" on the last waveform shown sends nothing; "previous" steps from it.
    lfo->BringToFront();
    RunQueue();
    Click(lfo->Successivo);
    EXPECT_TRUE(Received().empty());
    Click(lfo->Precedente);
    EXPECT_EQ(Received(), Sets({ToneSet(1, 45, {6})}));
    EXPECT_TRUE(Boxes.empty());
}

}  // namespace
}  // namespace zel::test
