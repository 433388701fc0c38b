// The system's setup editor, driven by real mouse and key input: the General MIDI System Off message
// before every write of the panel mode (also in Undo and Revert) with the pace of the clock, the
// performance and patch selections through the name picker with their refusals, which controls the panel
// mode enables, and the master tune and switches with their exact data sets.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "SystemFixture.h"
#include "model/Settings.h"
#include "support/model/ScriptedNamePicker.h"

namespace zel::test {
namespace {

const std::string GMOffHex = "F0 7E 7F 09 02 F7";

class SetupEditor : public Systems {
protected:
    void SetUp() override {
        Systems::SetUp();
        library_ = OpenLibraryOfSystems(1);
        system_ = &SystemOf(library_, 0);
        // The main window has registered the program's name lists by now: the scripted picker stands in.
        picker_.emplace();
        picker_->FillList(59, 32, "User Perf ");
        picker_->FillList(58, 40, "Preset B Perf ");
        picker_->FillList(61, 128, "User Patch ");
        picker_->FillList(37, 128, "Preset A Patch ");
    }
    void TearDown() override {
        DevicesOpen = devicesOpen_;
        picker_.reset();
        Systems::TearDown();
    }
    TFormSysSetup* Open() {
        window_ = OpenSystem(*system_);
        EXPECT_NE(window_, nullptr);
        TFormSysSetup* editor = OpenSetup(window_);
        library_->Library()->Saved = 1;
        return editor;
    }

    std::optional<TScriptedNamePicker> picker_;
    std::uint8_t devicesOpen_ = DevicesOpen;
};

TEST_F(SetupEditor, APanelModeChangeSendsTheGMMessageAtOnceAndThenTheDataSetAfterItsPace) {
    system_->Common->Data()[0] = 0;
    TFormSysSetup* editor = Open();
    EXPECT_TRUE(editor->Performance->GetChecked());
    EXPECT_EQ(editor->Caption(), "S0 [Setup] [Loc : " + library_->Library()->GetName() + "]");
    EXPECT_EQ(editor->HelpContext, 61);
    EXPECT_FALSE(editor->Tabbed->GetVisible());
    EXPECT_EQ(editor->PanelBtn->GetTop(), 251);
    EXPECT_EQ(editor->UndoList.size(), 3u);
    const TBytes opened = SystemArea();
    ASSERT_EQ(opened, SystemData(*system_));
    // At each wait of the clock: how many messages the instrument had then.
    std::vector<std::size_t> receivedAtWait;
    Clock->OnWait = [&](std::uint32_t) { receivedAtWait.push_back(Sim.ReceivedMessages().size()); };
    Clock->ClearWaits();
    Click(editor->Patch);
    EXPECT_EQ(Received(), (std::vector<std::string>{GMOffHex, "F0 41 10 6A 12 00 00 00 00 01 7F F7"}));
    EXPECT_EQ(Clock->Waits(), (std::vector<std::uint32_t>{50}));
    EXPECT_EQ(receivedAtWait, (std::vector<std::size_t>{1})) << "no wait before the GM message, 50 ms after it";
    EXPECT_EQ(editor->CurrentUndoList(), editor->UndoList[0].get());
    EXPECT_EQ(editor->UndoList[0]->Count(), 1);
    EXPECT_TRUE(Modified(*system_));
    // Undo of the mode: the GM message first, then the old byte; the instrument is as it was.
    Sim.ClearLog();
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{GMOffHex, "F0 41 10 6A 12 00 00 00 00 00 00 F7"}));
    EXPECT_EQ(SystemArea(), opened);
    EXPECT_TRUE(editor->Performance->GetChecked());
    // Revert: one GM message for each mode record it meets, then the system once.
    Click(editor->GM);
    StepField(editor->MasterTune, true, 1);
    Click(editor->Patch);
    Sim.ClearLog();
    Click(editor->BtnRevert);
    SendQueued();
    const std::vector<std::string> sent = Received();
    ASSERT_EQ(sent.size(), 2u + 18u);
    EXPECT_EQ(sent[0], GMOffHex);
    EXPECT_EQ(sent[1], GMOffHex);
    EXPECT_EQ(SystemData(*system_), opened);
    EXPECT_EQ(SystemArea(), opened);
    Clock->OnWait = nullptr;
}

TEST_F(SetupEditor, WithTheDevicesClosedAModeChangeSendsNothingAndIsStored) {
    system_->Common->Data()[0] = 0;
    TFormSysSetup* editor = Open();
    DevicesOpen = 0;
    Click(editor->GM);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(system_->Common->GetParam(0), 2);
    EXPECT_TRUE(Modified(*system_));
    Click(editor->BtnUndo);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(system_->Common->GetParam(0), 0);
}

TEST_F(SetupEditor, ThePanelModeEnablesOnlyItsOwnSelection) {
    struct TRow {
        const char* Name;
        int Stored;
        std::function<TRadioButton*(TFormSysSetup*)> Radio;
        bool Patch;
        bool Performance;
    };
    const TRow rows[] = {
        {" GM ticked", 0, [](TFormSysSetup* e) { return e->GM; }, false, false},
        {" Patch ticked", 2, [](TFormSysSetup* e) { return e->Patch; }, true, false},
        {" Performance ticked", 1, [](TFormSysSetup* e) { return e->Performance; }, false, true},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        system_->Common->Data()[0] = static_cast<std::uint8_t>(row.Stored);
        TFormSysSetup* editor = Open();
        Click(row.Radio(editor));
        for (TControl* c : std::initializer_list<TControl*>{editor->PatchGroup, editor->PatchName, editor->ButPatch})
            EXPECT_EQ(c->GetEnabled(), row.Patch) << c->GetName();
        for (TControl* c : std::initializer_list<TControl*>{editor->PerfGroup, editor->PerfName, editor->ButPerf})
            EXPECT_EQ(c->GetEnabled(), row.Performance) << c->GetName();
        // Filled from the stored byte, the window enables the same.
        editor->UpdateView();
        EXPECT_EQ(editor->PatchGroup->GetEnabled(), row.Patch);
        EXPECT_EQ(editor->PerfGroup->GetEnabled(), row.Performance);
        window_->Close();
        RunQueue();
    }
}

TEST_F(SetupEditor, ThePerformanceSelectionWritesGroupTimes32PlusNumberAndRefusesAPickBeyond31) {
    system_->Common->Data()[0] = 0;
    system_->Common->Data()[1] = 31;
    TFormSysSetup* editor = Open();
    EXPECT_EQ(editor->PerfGroup->GetItemIndex(), 0);
    EXPECT_EQ(editor->PerfNumber, 31);
    EXPECT_EQ(editor->PerfName->GetText(), "User Perf 31");
    // "Preset B" number 31 is stored as 127.
    ChooseItem(editor->PerfGroup, 3);
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 00 00 00 01 7F 00 F7"}));
    EXPECT_EQ(system_->Common->GetParam(1), 127);
    EXPECT_EQ(editor->PerfName->GetText(), "Preset B Perf 31");
    // A pick through the picker, shown with the number on show preselected.
    Sim.ClearLog();
    picker_->Picks = {5};
    Click(editor->ButPerf);
    EXPECT_EQ(picker_->Shown.back(), (TScriptedNamePicker::TShown{58, 31}));
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 00 00 00 01 65 1A F7"}));
    EXPECT_EQ(editor->PerfName->GetText(), "Preset B Perf 5");
    // Performance 40 of a longer list is refused: nothing is written, the number stays.
    Sim.ClearLog();
    picker_->Picks = {40};
    Click(editor->ButPerf);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(editor->PerfNumber, 5);
    EXPECT_EQ(system_->Common->GetParam(1), 101);
    // A closed picker changes nothing either.
    Click(editor->ButPerf);
    EXPECT_TRUE(Received().empty());
    // Undo takes the pick back in one message.
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 00 00 00 01 7F 00 F7"}));
    EXPECT_EQ(editor->PerfNumber, 31);
}

TEST_F(SetupEditor, ThePatchSelectionWritesItsGroupAndNumberAndRefusesAnEmptySlot) {
    system_->Common->Data()[0] = 1;
    TFormSysSetup* editor = Open();
    const TBytes opened = SystemArea();
    // "Expansion A" without a board: nothing is sent and the combo returns to the group shown.
    const int shown = editor->PatchGroup->GetItemIndex();
    ChooseItem(editor->PatchGroup, 6);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(editor->PatchGroup->GetItemIndex(), shown);
    // "Preset A": the group's two bytes in one message, the name of the number in its list.
    ChooseItem(editor->PatchGroup, 2);
    EXPECT_EQ(Received(), (std::vector<std::string>{DataSet(2, {0x00, 0x03})}));
    EXPECT_EQ(editor->PatchName->GetText(), "Preset A Patch 0");
    // "User" 12 through the picker: the four bytes in one message.
    ChooseItem(editor->PatchGroup, 0);
    Sim.ClearLog();
    picker_->Picks = {12};
    Click(editor->ButPatch);
    EXPECT_EQ(picker_->Shown.back(), (TScriptedNamePicker::TShown{61, 0}));
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 00 00 00 02 00 01 00 0C 71 F7"}));
    EXPECT_EQ(editor->PatchName->GetText(), "User Patch 12");
    // Undo: four bytes in one message, then each group change's two bytes in one.
    Sim.ClearLog();
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{DataSet(2, {0x00, 0x01, 0x00, 0x00})}));
    Click(editor->BtnUndo);
    Click(editor->BtnUndo);
    EXPECT_EQ(Received().size(), 3u);
    EXPECT_EQ(SystemArea(), opened);
}

TEST_F(SetupEditor, APickOfAnotherEntryOfTheSameNameIsStillWritten) {
    // Two performances and two patches of one name: the name on show does not change with the pick.
    picker_->Lists[59] = {"Init", "Pad", "Init"};
    picker_->Lists[61] = {"Init", "Init"};
    system_->Common->Data()[0] = 0;
    TFormSysSetup* editor = Open();
    ASSERT_EQ(editor->PerfName->GetText(), "Init");
    picker_->Picks = {2};
    Click(editor->ButPerf);
    EXPECT_EQ(Received(), (std::vector<std::string>{DataSet(1, 2)}));
    Click(editor->Patch);
    ASSERT_EQ(editor->PatchName->GetText(), "Init");
    Sim.ClearLog();
    picker_->Picks = {1};
    Click(editor->ButPatch);
    EXPECT_EQ(Received(), (std::vector<std::string>{DataSet(2, {0x00, 0x00, 0x00, 0x01})}));
}

TEST_F(SetupEditor, APatchOnABoardInNoSlotShowsNoGroupAndCannotBePicked) {
    ZelmoHolder->Config->ExpA = 3;
    system_->Common->Data()[0] = 1;
    system_->Common->Data()[2] = 2;
    system_->Common->Data()[3] = 5;  // a board no slot holds
    TFormSysSetup* editor = Open();
    EXPECT_EQ(editor->PatchGroup->GetItemIndex(), -1);
    EXPECT_EQ(editor->PatchName->GetText(), "");
    picker_->Picks = {3};
    Click(editor->ButPatch);
    EXPECT_TRUE(picker_->Shown.empty());
    EXPECT_TRUE(Received().empty());
    // The board of slot A can be chosen.
    ChooseItem(editor->PatchGroup, 6);
    EXPECT_EQ(Received(), (std::vector<std::string>{DataSet(2, {0x02, 0x03})}));
    ZelmoHolder->Config->ExpA = 0;
}

TEST_F(SetupEditor, MasterTuneAndTheFiveSwitchesSendTheirDataSets) {
    struct TRow {
        std::string Name;
        std::function<void(TFormSysSetup*)> Input;
        std::string Sent;
    };
    std::vector<TRow> rows = {
        {"Master tune stepped up", [this](TFormSysSetup* e) { StepField(e->MasterTune, true, 1); },
         "F0 41 10 6A 12 00 00 00 06 40 3A F7"},
        {"Master tune stepped down", [this](TFormSysSetup* e) { StepField(e->MasterTune, false, 1); },
         "F0 41 10 6A 12 00 00 00 06 3E 3C F7"},
    };
    // Initially scale tune switch 0, EFX, chorus and reverb 1, patch remain 0: a click toggles each.
    const std::pair<const char*, int> switches[] = {
        {"ScaleTuneSwitch", 1}, {"EfxSwitch", 0}, {"ChorusSwitch", 0}, {"ReverbSwitch", 0}, {"PatchRemain", 1}};
    for (int i = 0; i < 5; ++i) {
        const std::string name = switches[i].first;
        rows.push_back({name,
                        [this, name](TFormSysSetup* e) { Click(dynamic_cast<TCheckBox*>(e->FindComponent(name))); },
                        DataSet(7 + i, {static_cast<std::uint8_t>(switches[i].second)})});
    }
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        system_->InitDefault();
        TFormSysSetup* editor = Open();
        const TBytes opened = SystemArea();
        row.Input(editor);
        EXPECT_EQ(Received(), (std::vector<std::string>{row.Sent}));
        EXPECT_TRUE(Modified(*system_));
        Sim.ClearLog();
        Click(editor->BtnUndo);
        EXPECT_EQ(Received().size(), 1u);
        EXPECT_EQ(SystemArea(), opened);
        window_->Close();
        RunQueue();
    }
}

}  // namespace
}  // namespace zel::test
