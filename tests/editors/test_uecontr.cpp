// The control editor, driven by real mouse input: the data set of each control, the controller pages,
// the key range that never crosses, and the reverb send level at offset 01 00 of the tone.
#include <gtest/gtest.h>

#include <functional>

#include "ToneEditorsFixture.h"

namespace zel::test {
namespace {

class ControlEditor : public ToneEditors {};

TEST_F(ControlEditor, EachControlSendsItsOneDataSet) {
    using TRow = TToneRow<TFormControl>;
    const auto none = [](TPatch&) {};
    const auto wideKeys = [](TPatch& p) { p.Tone(1).Data()[15] = 127; };
    const std::vector<TRow> rows = {
        {"cross fade depth 50", 1, none, [this](TFormControl* e) { DragPanTo(e->VelCrossFadeDepth, 50); },
         Sets({ToneSet(1, 11, {50})})},
        {"velocity range lower 20", 2, none, [this](TFormControl* e) { DragPanTo(e->VelRangeLow, 20); },
         Sets({ToneSet(2, 12, {20})})},
        {"velocity range upper 100", 1, none, [this](TFormControl* e) { DragPanTo(e->VelRangeUp, 100); },
         Sets({ToneSet(1, 13, {100})})},
        {"key range lower", 1, wideKeys, [this](TFormControl* e) { StepField(e->KeyRangeLow, true, 1); },
         Sets({ToneSet(1, 14, {1})})},
        {"key range upper", 1, wideKeys, [this](TFormControl* e) { StepField(e->KeyRangeUp, false, 1); },
         Sets({ToneSet(1, 15, {126})})},
        {"redamper switch", 1, none, [this](TFormControl* e) { Click(e->RedCtrlSwitch); }, Sets({ToneSet(1, 16, {1})})},
        {"volume switch", 1, none, [this](TFormControl* e) { Click(e->VolCtrlSwitch); }, Sets({ToneSet(1, 17, {1})})},
        {"hold-1 switch", 1, none, [this](TFormControl* e) { Click(e->Hold1ctrlswitch); }, Sets({ToneSet(1, 18, {1})})},
        {"bender switch", 1, none, [this](TFormControl* e) { Click(e->BendCtrlSwitch); }, Sets({ToneSet(1, 19, {1})})},
        {"pan control Key-On", 1, none, [this](TFormControl* e) { ChooseItem(e->PanCtrlSwitch, 2); },
         Sets({ToneSet(1, 20, {2})})},
        {"destination 1 of controller 1 Cut", 1, none, [this](TFormControl* e) { ChooseItem(e->Dest[0], 2); },
         Sets({ToneSet(1, 21, {2})})},
        {"depth 2 with controller 3 on show", 1, none,
         [this](TFormControl* e) {
             Click(e->Speed3);
             DragPanTo(e->Depth[1], 10);
         },
         Sets({ToneSet(1, 40, {73})})},
        {"destination 4 of controller 2 L2R", 3, none,
         [this](TFormControl* e) {
             Click(e->Speed2);
             ChooseItem(e->Dest[3], 18);
         },
         Sets({ToneSet(3, 35, {18})})},
        {"output assign Output 2", 1, none, [this](TFormControl* e) { ChooseItem(e->Outputassign, 3); },
         Sets({ToneSet(1, 125, {3})})},
        {"output level 100", 1, none, [this](TFormControl* e) { DragPanTo(e->Outputlevel, 100); },
         Sets({ToneSet(1, 126, {100})})},
        {"chorus send 50", 1, none, [this](TFormControl* e) { DragPanTo(e->Chorussendlevel, 50); },
         Sets({ToneSet(1, 127, {50})})},
        // Byte 128 lies at offset 01 00 of the tone, never at 00 80.
        {"reverb send of tone 1 to 100", 1, none, [this](TFormControl* e) { DragPanTo(e->ReverbSendLevel, 100); },
         Sets({"F0 41 10 6A 12 03 00 11 00 64 08 F7"})},
        {"reverb send of tone 4 to 1", 4, none, [this](TFormControl* e) { DragPanTo(e->ReverbSendLevel, 1); },
         Sets({ToneSet(4, 128, {1})})},
    };
    CheckEachRow<TFormControl, TRow>(rows, [this](const TRow& row) {
        TFormControl* editor = Open<TFormControl>("Control", row.Tone);
        EXPECT_TRUE(editor->Speed1->GetDown());
        return editor;
    });
}

TEST_F(ControlEditor, AControllerPageShowsThatControllersDestinationsAndDepths) {
    patch_->Tone(1).Data()[37] = 8;   // controller 3, destination 1: Rev
    patch_->Tone(1).Data()[40] = 70;  // its depth 2: +7
    TFormControl* editor = Open<TFormControl>("Control", 1);
    EXPECT_EQ(editor->Dest[0]->GetItemIndex(), 0);
    Click(editor->Speed3);
    EXPECT_EQ(editor->Controller, 3);
    EXPECT_EQ(editor->Dest[0]->GetItemIndex(), 8);
    EXPECT_EQ(editor->Depth[1]->GetValue(), 7);
    EXPECT_TRUE(Received().empty());
    ASSERT_EQ(editor->Dest[0]->Items()->GetCount(), 19);
    EXPECT_EQ(editor->Dest[0]->Items()->Get(15), "pL1");
}

TEST_F(ControlEditor, TheLowerKeyStopsAtTheUpperKeyAndTheUpperAtTheLower) {
    patch_->Tone(1).Data()[14] = 60;
    patch_->Tone(1).Data()[15] = 62;
    TFormControl* editor = Open<TFormControl>("Control", 1);
    StepField(editor->KeyRangeLow, true, 4);
    EXPECT_EQ(editor->KeyRangeLow->GetCode(), 62);
    EXPECT_EQ(editor->KeyRangeUp->GetCode(), 62);
    EXPECT_EQ(Received(), Sets({ToneSet(1, 14, {61}), ToneSet(1, 14, {62})}));
    Sim.ClearLog();
    StepField(editor->KeyRangeUp, false, 2);
    EXPECT_EQ(editor->KeyRangeUp->GetCode(), 62);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(patch_->Tone(1).GetParam(15), 62);
}

TEST_F(ControlEditor, UndoOfTheReverbSendSendsTheOldValueToOffset0100AndStoresItAsByte128) {
    patch_->Tone(2).Data()[128] = 40;
    TFormControl* editor = Open<TFormControl>("Control", 2);
    EXPECT_EQ(editor->ReverbSendLevel->GetValue(), 40);
    DragPanTo(editor->ReverbSendLevel, 45);
    EXPECT_EQ(patch_->Tone(2).Data()[128], 45);
    Sim.ClearLog();
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), Sets({ToneSet(2, 128, {40})}));
    EXPECT_EQ(patch_->Tone(2).Data()[128], 40);
    EXPECT_EQ(editor->ReverbSendLevel->GetValue(), 40);
    // Revert stores it as byte 128 before the tone goes to the instrument once.
    DragPanTo(editor->ReverbSendLevel, 90);
    Click(editor->RedCtrlSwitch);
    Sim.ClearLog();
    Click(editor->BtnRevert);
    ASSERT_EQ(Sim.ReceivedMessages().size(), 1u);
    EXPECT_EQ(patch_->Tone(2).Data()[128], 40);
    EXPECT_EQ(TemporaryTone(2), ToneData(*patch_, 2));
}

}  // namespace
}  // namespace zel::test
