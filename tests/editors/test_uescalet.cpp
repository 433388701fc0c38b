// The scale-tune editor, driven by real mouse input: the data set of each note of each scale tune, the
// ends of the offset range, one history per scale tune for Undo and Revert, Revert All, and Copy and
// Paste through the program's clipboard, within one system and between two.
#include <gtest/gtest.h>

#include "SystemFixture.h"

namespace zel::test {
namespace {

class ScaleTuneEditor : public Systems {
protected:
    void SetUp() override {
        Systems::SetUp();
        OpenFirstSystemOf(2);
    }
    void Show(TFormScaleTune* editor, int tune) { Click(editor->SpeedButtons[static_cast<std::size_t>(tune - 1)]); }
    static std::vector<int> Shown(TFormScaleTune* editor) {
        std::vector<int> codes;
        for (TMyEdit* field : editor->Tune) codes.push_back(field->GetCode());
        return codes;
    }
};

TEST_F(ScaleTuneEditor, EachNoteOfEachScaleTuneSendsItsDataSetWithinTheOffsetRange) {
    struct TRow {
        std::string Name;
        int Tune;
        int Note;
        int Stored;
        bool Up;
        std::vector<std::string> Sent;
        int Value;
    };
    std::vector<TRow> rows = {
        {"Patch Mode, Tune For C stepped to +10", 17, 0, 73, true, {"F0 41 10 6A 12 00 00 20 00 4A 16 F7"}, 74},
        {"-64 stores 0", 1, 4, 1, false, {ScaleTuneDataSet(1, 4, 0)}, 0},
        {"+63 stores 127", 16, 11, 126, true, {ScaleTuneDataSet(16, 11, 127)}, 127},
        {"nothing below -64", 2, 3, 0, false, {}, 0},
        {"nothing above +63", 2, 3, 127, true, {}, 127},
    };
    // Every note field, each on another scale tune, so that every button is pressed too.
    for (int note = 0; note < TFormScaleTune::NoteCount; ++note) {
        const int tune = note + 4;
        rows.push_back({"note " + std::to_string(note) + " of scale tune " + std::to_string(tune),
                        tune,
                        note,
                        64,
                        note % 2 == 0,
                        {ScaleTuneDataSet(tune, note, note % 2 == 0 ? 65 : 63)},
                        note % 2 == 0 ? 65 : 63});
    }
    rows.push_back({"Tune For B of scale tune 3", 3, 11, 64, false, {ScaleTuneDataSet(3, 11, 63)}, 63});
    TFormScaleTune* editor = OpenScaleTune(window_);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Caption(), "S0 [Scale Tune] [Loc : " + library_->Library()->GetName() + "]");
    EXPECT_EQ(editor->HelpContext, 56);
    EXPECT_EQ(editor->CurrentScaleTune, 1);
    EXPECT_EQ(Shown(editor), std::vector<int>(12, 0)) << "a fresh scale tune shows twelve zeros";
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        system_->ScaleTune(row.Tune).Data()[row.Note] = static_cast<std::uint8_t>(row.Stored);
        Show(editor, row.Tune);
        ASSERT_EQ(editor->CurrentScaleTune, row.Tune);
        Sim.ClearLog();
        StepField(editor->Tune[static_cast<std::size_t>(row.Note)], row.Up, 1);
        EXPECT_EQ(Received(), row.Sent);
        EXPECT_EQ(system_->ScaleTune(row.Tune).GetParam(row.Note), row.Value);
        EXPECT_EQ(editor->Tune[static_cast<std::size_t>(row.Note)]->GetCode(), row.Value - 64);
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(ScaleTuneEditor, UndoAndRevertActOnTheScaleTuneOnShowAndRevertAllOnAllSeventeen) {
    TFormScaleTune* editor = OpenScaleTune(window_);
    const TBytes opened = SystemArea();
    ASSERT_EQ(opened, SystemData(*system_));
    Show(editor, 2);
    StepField(editor->Tune[0], true, 2);
    Show(editor, 5);
    StepField(editor->Tune[7], false, 1);
    StepField(editor->Tune[8], false, 1);
    // Undo on scale tune 5 takes back its last note only.
    Sim.ClearLog();
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{ScaleTuneDataSet(5, 8, 64)}));
    EXPECT_EQ(system_->ScaleTune(2).GetParam(0), 66);
    // Revert on scale tune 5 sends the system once; scale tune 2 keeps its change and its history.
    Sim.ClearLog();
    Click(editor->BtnRevert);
    EXPECT_EQ(Sim.ReceivedMessages().size(), 18u);
    EXPECT_EQ(system_->ScaleTune(5).GetParam(7), 64);
    EXPECT_EQ(system_->ScaleTune(2).GetParam(0), 66);
    EXPECT_FALSE(editor->BtnUndo->GetEnabled());
    Show(editor, 2);
    EXPECT_TRUE(editor->BtnUndo->GetEnabled());
    // Undo round trip on scale tune 2: one message per undone byte, the instrument as it was.
    Sim.ClearLog();
    Click(editor->BtnUndo);
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{ScaleTuneDataSet(2, 0, 65), ScaleTuneDataSet(2, 0, 64)}));
    EXPECT_EQ(SystemArea(), opened);
    // Revert All: changes on three scale tunes all go back, scale tune 1 shows, the system is sent once
    // and marked modified.
    for (int tune : {1, 9, 17}) {
        Show(editor, tune);
        StepField(editor->Tune[3], true, 1);
    }
    library_->Library()->Saved = 1;
    Sim.ClearLog();
    Click(editor->BtnReverAll);
    SendQueued();
    EXPECT_EQ(Sim.ReceivedMessages().size(), 18u);
    EXPECT_EQ(SystemData(*system_), opened);
    EXPECT_EQ(SystemArea(), opened);
    EXPECT_EQ(editor->CurrentScaleTune, 1);
    EXPECT_TRUE(editor->SpeedButtons[0]->GetDown());
    EXPECT_TRUE(Modified(*system_));
    for (int tune : {1, 9, 17}) {
        Show(editor, tune);
        EXPECT_FALSE(editor->BtnUndo->GetEnabled()) << tune;
    }
}

TEST_F(ScaleTuneEditor, ACopiedScaleTunePastesByteForByteInThisSystemAndInAnother) {
    for (int k = 0; k < 12; ++k) system_->ScaleTune(3).Data()[k] = static_cast<std::uint8_t>(40 + 3 * k);
    TFormScaleTune* editor = OpenScaleTune(window_);
    EXPECT_EQ(editor->PasteBtn->GetEnabled(), ModelServices().Clipboard->ScaleTuneHeld != 0);
    Show(editor, 3);
    Click(editor->CopyBtn);
    EXPECT_TRUE(editor->PasteBtn->GetEnabled());
    Show(editor, 7);
    library_->Library()->Saved = 1;
    Sim.ClearLog();
    Click(editor->PasteBtn);
    SendQueued();
    EXPECT_EQ(ScaleTuneData(*system_, 7), ScaleTuneData(*system_, 3));
    EXPECT_EQ(system_->ScaleTune(7).Index, 7);
    EXPECT_EQ(Sim.ReceivedMessages().size(), 18u);
    EXPECT_EQ(SystemArea(), SystemData(*system_));
    EXPECT_TRUE(Modified(*system_));
    EXPECT_EQ(Shown(editor)[1], 43 - 64);
    EXPECT_FALSE(editor->BtnUndo->GetEnabled()) << "a paste keeps no history";
    // Into another system's editor.
    TSystem& other = SystemOf(library_, 1);
    TFormSystem* otherWindow = OpenSystem(other);
    TFormScaleTune* otherEditor = OpenScaleTune(otherWindow);
    EXPECT_TRUE(otherEditor->PasteBtn->GetEnabled());
    Show(otherEditor, 12);
    library_->Library()->Saved = 1;
    Sim.ClearLog();
    Click(otherEditor->PasteBtn);
    SendQueued();
    EXPECT_EQ(ScaleTuneData(other, 12), ScaleTuneData(*system_, 3));
    EXPECT_EQ(Sim.ReceivedMessages().size(), 18u);
    EXPECT_EQ(SystemArea(), SystemData(other));
    EXPECT_TRUE(Modified(other));
}

}  // namespace
}  // namespace zel::test
