// The wave editor, driven by real mouse input: the data set of each control, the wave group choice with
// its refusals, the wave picked by name, and stored groups the program cannot show.
#include <gtest/gtest.h>

#include <functional>

#include "ToneEditorsFixture.h"
#include "model/Settings.h"

namespace zel::test {
namespace {

class WaveEditor : public ToneEditors {
protected:
    TFormWave* OpenWave(int Tone = 1) { return Open<TFormWave>("Wave", Tone); }
    static void SetWave(TPatch& patch, int tone, std::initializer_list<int> bytes) {
        int i = 1;
        for (int b : bytes) patch.Tone(tone).Data()[i++] = static_cast<std::uint8_t>(b);
    }
};

TEST_F(WaveEditor, EachControlSendsItsOneDataSet) {
    struct TRow {
        const char* Name;
        int Tone;
        std::function<void(TFormWave*)> Input;
        std::vector<std::string> Sent;
    };
    const std::vector<TRow> rows = {
        {"Tone Switch", 1, [this](TFormWave* e) { Click(e->CheckToneSwitch); }, Sets({ToneSet(1, 0, {1})})},
        {"Internal B", 1, [this](TFormWave* e) { ChooseItem(e->ComboWave, 1); },
         Sets({"F0 41 10 6A 12 03 00 10 01 00 02 6A F7"})},
        {"gain +6 of tone 2", 2, [this](TFormWave* e) { Click(e->SpeedGain3); }, Sets({ToneSet(2, 5, {2})})},
        {"FXM Switch", 1, [this](TFormWave* e) { Click(e->CheckFXMSwitch); }, Sets({ToneSet(1, 6, {1})})},
        {"FXM colour 4", 3, [this](TFormWave* e) { Click(e->SpeedColor4); }, Sets({ToneSet(3, 7, {3})})},
        {"FXM depth 2", 1, [this](TFormWave* e) { StepField(e->SpinFXMDepth, true, 1); }, Sets({ToneSet(1, 8, {1})})},
        {"delay mode Clock-Sync", 4, [this](TFormWave* e) { ChooseItem(e->ToneDelayMode, 3); },
         Sets({ToneSet(4, 9, {3})})},
        {"delay time one step", 1, [this](TFormWave* e) { StepField(e->TonedlyTime, true, 1); },
         Sets({ToneSet(1, 10, {1})})},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TFormWave* editor = OpenWave(row.Tone);
        row.Input(editor);
        EXPECT_EQ(Received(), row.Sent);
        EXPECT_EQ(TemporaryTone(row.Tone), ToneData(*patch_, row.Tone));
        EXPECT_TRUE(editor->BtnUndo->GetEnabled());
        EXPECT_TRUE(Modified(*patch_));
        CloseAll();
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(WaveEditor, AGroupWithoutItsBoardOrCardIsRefusedAndAConfiguredOneWritesTypeAndBoard) {
    TConfig& config = *ZelmoHolder->Config;
    config.ExpA = 3;
    TFormWave* editor = OpenWave();
    EXPECT_EQ(editor->ListCode(2), 7);
    EXPECT_EQ(editor->ListCode(0), 1);
    // "Expansion C" and "PCM" without a board in slot C or a card: the combo goes back, nothing is sent.
    for (int group : {4, 6}) {
        ChooseItem(editor->ComboWave, group);
        EXPECT_EQ(editor->ComboWave->GetItemIndex(), 0) << group;
    }
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(editor->CurrentUndoList()->Count(), 0);
    // "Expansion A" holds board 3.
    ChooseItem(editor->ComboWave, 2);
    EXPECT_EQ(Received(), Sets({ToneSet(1, 1, {2, 3})}));
    EXPECT_EQ(editor->LastGroup, 2);
    // One Undo takes the group back in one message.
    Sim.ClearLog();
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), Sets({ToneSet(1, 1, {0, 0})}));
    EXPECT_EQ(editor->ComboWave->GetItemIndex(), 0);
    EXPECT_EQ(TemporaryTone(1), ToneData(*patch_, 1));
}

TEST_F(WaveEditor, AWavePickedByNameWritesGroupAndNumberInOneMessageAndOneUndoTakesThemBack) {
    Picker->FillList(1, 256);
    SetWave(*patch_, 1, {0, 1, 0, 0});
    TFormWave* editor = OpenWave();
    EXPECT_EQ(editor->WaveName->GetText(), "Wave 0");
    Picker->Picks = {200};
    Click(editor->Button1);
    EXPECT_EQ(Picker->Shown, (std::vector<TScriptedNamePicker::TShown>{{1, 0}}));
    EXPECT_EQ(Received(), Sets({"F0 41 10 6A 12 03 00 10 01 00 01 0C 08 57 F7"}));
    EXPECT_EQ(editor->WaveName->GetText(), "Wave 200");
    EXPECT_EQ(editor->CurrentUndoList()->Count(), 4);
    Sim.ClearLog();
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), Sets({ToneSet(1, 1, {0, 1, 0, 0})}));
    EXPECT_EQ(editor->WaveName->GetText(), "Wave 0");
    EXPECT_EQ(TemporaryTone(1), ToneData(*patch_, 1));
    // The picker closed without a pick, or a pick past the 256 numbers (a longer hand-made list): the
    // number stays and nothing is sent.
    Picker->FillList(2, 258);
    ChooseItem(editor->ComboWave, 1);
    Sim.ClearLog();
    Picker->Picks = {INameLists::NoPick, 257, 256};
    for (int i = 0; i < 3; ++i) Click(editor->Button1);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(editor->WaveNumber, 0);
    EXPECT_EQ(Picker->Shown.back(), (TScriptedNamePicker::TShown{2, 0}));
}

TEST_F(WaveEditor, ANumberPastTheListShowsNoNameAndABoardInNoSlotShowsNoGroup) {
    Picker->FillList(1, 100);
    Picker->FillList(2, 256);
    SetWave(*patch_, 1, {0, 1, 12, 8});  // Internal A, wave 200
    // Board 9 sits in no slot; a pick from another group's list must not be written with its bytes.
    SetWave(*patch_, 2, {2, 9, 0, 5});
    const TBytes tone1 = ToneData(*patch_, 1);
    TFormWave* first = OpenWave(1);
    EXPECT_EQ(first->ComboWave->GetItemIndex(), 0);
    EXPECT_EQ(first->WaveName->GetText(), "");
    EXPECT_EQ(ToneData(*patch_, 1), tone1);
    TFormWave* second = OpenWave(2);
    EXPECT_EQ(second->ComboWave->GetItemIndex(), -1);
    EXPECT_EQ(second->WaveName->GetText(), "");
    Picker->Picks = {7};
    Click(second->Button1);
    EXPECT_TRUE(Picker->Shown.empty()) << "no group, no list to pick from";
    EXPECT_TRUE(Received().empty());
    // The next group chosen writes as usual, with the number kept.
    ChooseItem(second->ComboWave, 1);
    EXPECT_EQ(Received(), Sets({ToneSet(2, 1, {0, 2})}));
    EXPECT_EQ(second->WaveName->GetText(), "Wave 5");
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(WaveEditor, TheToneSwitchShowsTheSameInTheWaveEditorAndThePatchWindow) {
    TFormWave* editor = OpenWave(2);
    Click(editor->CheckToneSwitch);
    EXPECT_EQ(Received(), Sets({ToneSet(2, 0, {1})}));
    EXPECT_TRUE(Window()->CheckBox2->GetChecked());
    Click(editor->BtnUndo);
    EXPECT_FALSE(Window()->CheckBox2->GetChecked());
    // The patch window's check box: the editor follows, and nothing more is sent.
    Window()->BringToFront();
    RunQueue();
    Sim.ClearLog();
    Click(Window()->CheckBox2);
    EXPECT_EQ(Received(), Sets({ToneSet(2, 0, {1})}));
    EXPECT_TRUE(editor->CheckToneSwitch->GetChecked());
    EXPECT_EQ(editor->CurrentUndoList()->Count(), 0);
}

}  // namespace
}  // namespace zel::test
