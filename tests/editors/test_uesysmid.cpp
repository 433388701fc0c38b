// The system's MIDI editor, driven by real mouse and key input: the exact data set each control sends,
// nothing for a control set to its stored value, and undo and revert back to what the instrument held.
#include <gtest/gtest.h>

#include <functional>

#include "SystemFixture.h"

namespace zel::test {
namespace {

class MidiEditor : public Systems {
protected:
    void SetUp() override {
        Systems::SetUp();
        OpenFirstSystemOf(1);
    }
};

TEST_F(MidiEditor, EachControlSendsItsOneDataSetFromRealInput) {
    using TRow = TCommonRow<TFormSysMidi>;
    const auto store = Store;
    const auto none = StoreNothing;
    std::vector<TRow> rows = {
        {"Internal",
         store(12, 1),
         [this](TFormSysMidi* e) { Click(e->Internal); },
         {"F0 41 10 6A 12 00 00 00 0C 00 74 F7"},
         12,
         0},
        {"Midi, the second radio, writes 1",
         store(12, 0),
         [this](TFormSysMidi* e) { Click(e->Midi); },
         {"F0 41 10 6A 12 00 00 00 0C 01 73 F7"},
         12,
         1},
        {"Midi already ticked", store(12, 1), [this](TFormSysMidi* e) { Click(e->Midi); }, {}, 12, 1},
        {"Volume + Exp",
         store(16, 0),
         [this](TFormSysMidi* e) { Click(e->SourceVolumeExp); },
         {"F0 41 10 6A 12 00 00 00 10 01 6F F7"},
         16,
         1},
        {"Volume",
         store(16, 1),
         [this](TFormSysMidi* e) { Click(e->SourceVolume); },
         {"F0 41 10 6A 12 00 00 00 10 00 70 F7"},
         16,
         0},
        {"Rhythm edit from the panel",
         store(30, 1),
         [this](TFormSysMidi* e) { Click(e->Panel); },
         {"F0 41 10 6A 12 00 00 00 1E 00 62 F7"},
         30,
         0},
        {"Rhythm edit from panel and MIDI",
         store(30, 0),
         [this](TFormSysMidi* e) { Click(e->PanelMidi); },
         {"F0 41 10 6A 12 00 00 00 1E 01 61 F7"},
         30,
         1},
        {"Tap source Hold-2",
         none,
         [this](TFormSysMidi* e) { ChooseItem(e->TapSource, 4); },
         {"F0 41 10 6A 12 00 00 00 0D 04 6F F7"},
         13,
         4},
        {"Hold source Sostenuto",
         none,
         [this](TFormSysMidi* e) { ChooseItem(e->HoldSource, 2); },
         {"F0 41 10 6A 12 00 00 00 0E 02 70 F7"},
         14,
         2},
        {"Peak source Soft",
         none,
         [this](TFormSysMidi* e) { ChooseItem(e->PeakSource, 3); },
         {"F0 41 10 6A 12 00 00 00 0F 03 6E F7"},
         15,
         3},
        {"Aftertouch source CH-After",
         none,
         [this](TFormSysMidi* e) { ChooseItem(e->AfterTouchSource, 0); },
         {"F0 41 10 6A 12 00 00 00 11 00 6F F7"},
         17,
         0},
        {"Aftertouch source chosen as stored",
         none,
         [this](TFormSysMidi* e) { ChooseItem(e->AfterTouchSource, 2); },
         {},
         17,
         2},
        {"Sys Ctrl Source 1 stepped down",
         none,
         [this](TFormSysMidi* e) { StepField(e->SysCtrlSource1, false, 1); },
         {"F0 41 10 6A 12 00 00 00 12 60 0E F7"},
         18,
         96},
        {"Sys Ctrl Source 1 stepped up at its highest",
         none,
         [this](TFormSysMidi* e) { StepField(e->SysCtrlSource1, true, 1); },
         {},
         18,
         97},
        {"Sys Ctrl Source 2 stepped up",
         none,
         [this](TFormSysMidi* e) { StepField(e->SysCtrlSource2, true, 1); },
         {"F0 41 10 6A 12 00 00 00 13 0C 61 F7"},
         19,
         12},
        {"Control channel from Off to 16",
         none,
         [this](TFormSysMidi* e) { StepField(e->CtrlChannel, false, 1); },
         {"F0 41 10 6A 12 00 00 00 1C 0F 55 F7"},
         28,
         15},
        {"Patch receive channel 16",
         store(29, 14),
         [this](TFormSysMidi* e) { StepField(e->PatchRecchannel, true, 1); },
         {"F0 41 10 6A 12 00 00 00 1D 0F 54 F7"},
         29,
         15},
        {"Patch receive channel back to 1",
         store(29, 1),
         [this](TFormSysMidi* e) { StepField(e->PatchRecchannel, false, 1); },
         {"F0 41 10 6A 12 00 00 00 1D 00 63 F7"},
         29,
         0},
        {"Receive Bender unticked",
         none,
         [this](TFormSysMidi* e) { Click(e->RecBender); },
         {"F0 41 10 6A 12 00 00 00 1A 00 66 F7"},
         26,
         0},
    };
    // Every receive switch, unticked from its initial 1 and ticked again from 0.
    const char* const switches[] = {"RecPrgChange", "RecBankSel", "RecCtrlChange", "RecModulation",
                                    "RecVolume",    "RecHold1",   "RecBender",     "RecAftertouch"};
    for (int i = 0; i < 8; ++i) {
        const int position = 20 + i;
        const std::string name = switches[i];
        const auto box = [name](TFormSysMidi* e) { return dynamic_cast<TCheckBox*>(e->FindComponent(name)); };
        rows.push_back({name + " unticked",
                        none,
                        [this, box](TFormSysMidi* e) { Click(box(e)); },
                        {DataSet(position, 0)},
                        position,
                        0});
        rows.push_back({name + " ticked",
                        store(position, 0),
                        [this, box](TFormSysMidi* e) { Click(box(e)); },
                        {DataSet(position, 1)},
                        position,
                        1});
    }
    RunCommonRows<TFormSysMidi>(rows, [this] { return OpenMidi(window_); });
}

TEST_F(MidiEditor, TheWindowShowsTheStoredBytesAndUndoAndRevertBringTheInstrumentBack) {
    system_->Common->Data()[29] = 9;
    system_->Common->Data()[16] = 1;
    system_->Common->Data()[22] = 0;
    system_->TransmitToTemp();
    TFormSysMidi* editor = OpenMidi(window_);
    EXPECT_EQ(editor->Caption(), "S0 [Midi] [Loc : " + library_->Library()->GetName() + "]");
    EXPECT_EQ(editor->HelpContext, 59);
    EXPECT_EQ(editor->PatchRecchannel->GetCode(), 10) << "the channel shows the byte + 1";
    EXPECT_TRUE(editor->SourceVolumeExp->GetChecked());
    EXPECT_FALSE(editor->RecCtrlChange->GetChecked());
    EXPECT_EQ(editor->CtrlChannel->DisplayText(), " Off");
    const TBytes opened = SystemArea();
    ASSERT_EQ(opened, SystemData(*system_));
    // Two changes, then Undo twice: one message per undone byte.
    Click(editor->Internal);
    Click(editor->RecCtrlChange);
    Sim.ClearLog();
    Click(editor->BtnUndo);
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(),
              (std::vector<std::string>{"F0 41 10 6A 12 00 00 00 16 00 6A F7", "F0 41 10 6A 12 00 00 00 0C 01 73 F7"}));
    EXPECT_EQ(SystemArea(), opened);
    EXPECT_TRUE(editor->Midi->GetChecked());
    EXPECT_FALSE(editor->BtnUndo->GetEnabled());
    // Revert puts every byte back and sends the whole system once.
    Click(editor->Internal);
    StepField(editor->PatchRecchannel, true, 3);
    Sim.ClearLog();
    Click(editor->BtnRevert);
    SendQueued();
    EXPECT_EQ(Sim.ReceivedMessages().size(), 18u);
    EXPECT_EQ(SystemData(*system_), opened);
    EXPECT_EQ(SystemArea(), opened);
    EXPECT_EQ(editor->PatchRecchannel->GetCode(), 10);
    EXPECT_FALSE(editor->BtnRevert->GetEnabled());
}

}  // namespace
}  // namespace zel::test
