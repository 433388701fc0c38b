// The parts editor, driven by real mouse and key input: the data set each control sends for the part on
// show, the patch chosen by group and name, undo of its runs, Revert All, Copy and Paste of a part, and
// the rhythm-set names asked for on show, with replies that are late, missing or foreign.
#include <gtest/gtest.h>

#include <functional>

#include "PerformanceFixture.h"

namespace zel::test {
namespace {

class PartsEditor : public PerformanceEditors {
protected:
    void SetUp() override {
        PerformanceEditors::SetUp();
        library_ = OpenLibraryWith(1, 0);
        performance_ = &ElementOf<TPerformance>(library_, 0);
    }
    TFormPart* Open() {
        window_ = OpenPerformance(*performance_);
        EXPECT_NE(window_, nullptr);
        TFormPart* parts = OpenParts(window_);
        EXPECT_NE(parts, nullptr);
        Sim.ClearLog();
        library_->Library()->Saved = 1;
        return parts;
    }
    // The one-byte (or run) data set of part Part at Position, as hex text.
    static std::string PartSet(int part, int position, const TBytes& bytes) {
        return Hex(MakeDataSet(0x10, Addr(0x01, 0x00, static_cast<std::uint8_t>(0x0F + part), position), bytes));
    }
    static std::string Request(std::uint8_t a3, std::uint8_t a2) {
        return Hex(MakeDataRequest(0x10, Addr(a3, a2, 0, 0), 12));
    }
    static TBytes NameBytes(const std::string& name) {
        const auto bytes = NameToData(name);
        return TBytes(bytes.begin(), bytes.end());
    }
    std::vector<std::string> Requests() const {
        std::vector<std::string> lines;
        for (const std::string& line : Received())
            if (line.rfind("F0 41 10 6A 11", 0) == 0) lines.push_back(line);
        return lines;
    }

    TFormLibrary* library_ = nullptr;
    TPerformance* performance_ = nullptr;
    TFormPerformance* window_ = nullptr;
};

TEST_F(PartsEditor, EachControlSendsItsOneDataSetForThePartOnShow) {
    struct TRow {
        const char* Name;
        int Position;
        int Stored;
        std::function<void(TFormPart*)> Input;
        int Sent;
    };
    const std::vector<TRow> rows = {
        {"Part Level dragged to 100", 6, 0, [this](TFormPart* e) { DragSliderTo(e->PartLevel->Slider(), 100); }, 100},
        {"channel stepped up to 16", 1, 14, [this](TFormPart* e) { StepField(e->MidiChannel, true, 1); }, 15},
        {"coarse tune stepped down to -1", 8, 48, [this](TFormPart* e) { StepField(e->PitchCoarsetune, false, 1); },
         47},
        {"fine tune stepped up to +1", 9, 50, [this](TFormPart* e) { StepField(e->Pitchfinetune, true, 1); }, 51},
        {"Receive Volume ticked", 15, 0, [this](TFormPart* e) { Click(e->RecVolume); }, 1},
        {"output assign \"Output 1\"", 10, 0, [this](TFormPart* e) { ChooseItem(e->Outputassign, 2); }, 2},
        {"upper key stepped down", 18, 127, [this](TFormPart* e) { StepField(e->Keyupper, false, 1); }, 126},
        {"reverb send dragged to 64", 13, 0, [this](TFormPart* e) { DragSliderTo(e->ReverbSendLevel->Slider(), 64); },
         64},
    };
    TFormPart* parts = Open();
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        performance_->Part(3).Data()[row.Position] = static_cast<std::uint8_t>(row.Stored);
        Click(parts->PartButton[2]);
        ASSERT_EQ(parts->CurrentPart, 3);
        Sim.ClearLog();
        row.Input(parts);
        EXPECT_EQ(Received(),
                  (std::vector<std::string>{PartSet(3, row.Position, {static_cast<std::uint8_t>(row.Sent)})}));
        EXPECT_EQ(performance_->Part(3).GetParam(row.Position), row.Sent);
        EXPECT_TRUE(parts->BtnUndo->GetEnabled());
        EXPECT_TRUE(Modified(*performance_));
    }
}

TEST_F(PartsEditor, PanIsStoredWithItsOffset) {
    TFormPart* parts = Open();
    performance_->Part(1).Data()[7] = 64;
    Click(parts->PartButton[0]);
    EXPECT_EQ(parts->ClickPan->GetValue(), 0);
    Sim.ClearLog();
    Click(parts->ClickPan);  // a click on the left half steps one to the left
    EXPECT_EQ(Received(), (std::vector<std::string>{PartSet(1, 7, {63})}));
}

TEST_F(PartsEditor, APatchIsChosenByGroupAndPickedByNameAsOneRun) {
    TScriptedNamePicker picker;
    picker.FillList(61, 20, "User ");
    picker.FillList(37, 20, "Preset ");
    performance_->Part(3).Data()[2] = 0;
    performance_->Part(3).Data()[3] = 3;  // Preset A
    TFormPart* parts = Open();
    Click(parts->PartButton[2]);
    EXPECT_EQ(parts->ComboPatch->GetItemIndex(), 2);
    EXPECT_EQ(parts->Patchname->GetText(), "Preset 0");

    ChooseItem(parts->ComboPatch, 0);
    EXPECT_EQ(Received(), (std::vector<std::string>{PartSet(3, 2, {0x00, 0x01})}));
    EXPECT_EQ(parts->Patchname->GetText(), "User 0");

    Sim.ClearLog();
    picker.Picks = {12};
    Click(parts->ButtonPN);
    EXPECT_EQ(picker.Shown, (std::vector<TScriptedNamePicker::TShown>{{61, 0}}));
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 01 00 12 02 00 01 00 0C 5E F7"}));
    EXPECT_EQ(parts->Patchname->GetText(), "User 12");

    // One Undo restores the four bytes in one message.
    Sim.ClearLog();
    Click(parts->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{PartSet(3, 2, {0x00, 0x01, 0x00, 0x00})}));
    // The next restores the group alone.
    Sim.ClearLog();
    Click(parts->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{PartSet(3, 2, {0x00, 0x03})}));
    EXPECT_FALSE(parts->BtnUndo->GetEnabled());
}

TEST_F(PartsEditor, RefusedGroupsAndPicksSendNothing) {
    TScriptedNamePicker picker;
    ZelmoHolder->Config->ExpA = 3;
    TFormPart* parts = Open();
    Click(parts->PartButton[2]);
    struct TRow {
        const char* Name;
        std::function<void()> Input;
    };
    const std::vector<TRow> rows = {
        {"\"Expansion B\" without a board", [&] { ChooseItem(parts->ComboPatch, 7); }},
        {"\"PCM\" without a card", [&] { ChooseItem(parts->ComboPatch, 10); }},
        {"a pick beyond 255",
         [&] {
             picker.Picks = {256};
             Click(parts->ButtonPN);
         }},
        {"the picker closed", [&] { Click(parts->ButtonPN); }},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Sim.ClearLog();
        row.Input();
        EXPECT_TRUE(Received().empty());
        EXPECT_EQ(parts->ComboPatch->GetItemIndex(), 0);
        EXPECT_EQ(parts->Selection.PatchNumber, 0);
    }
    // A configured board is taken.
    Sim.ClearLog();
    ChooseItem(parts->ComboPatch, 6);
    EXPECT_EQ(Received(), (std::vector<std::string>{PartSet(3, 2, {0x02, 0x03})}));
}

TEST_F(PartsEditor, StoredBytesNoControlCanShowOpenAndWriteNothing) {
    TScriptedNamePicker picker;
    performance_->Part(1).Data()[2] = 5;  // no such group type
    performance_->Part(2).Data()[2] = 2;  // a board that no slot holds
    performance_->Part(2).Data()[3] = 9;
    performance_->Part(10).Data()[5] = 7;    // a rhythm set past the two of a group
    performance_->Part(1).Data()[10] = 9;    // no such output
    performance_->Part(4).Data()[4] = 0x20;  // a number the nibbles cannot carry
    TFormPart* parts = Open();
    for (int part : {1, 2, 10}) {
        SCOPED_TRACE(part);
        Click(parts->PartButton[static_cast<std::size_t>(part - 1)]);
        EXPECT_EQ(parts->ComboPatch->GetItemIndex(), part == 10 ? 0 : -1);
        picker.Picks = {4};
        if (part == 10) {
            EXPECT_EQ(parts->ComboRhythmName->GetItemIndex(), -1);
        } else {
            Click(parts->ButtonPN);
        }
    }
    Click(parts->PartButton[0]);
    EXPECT_EQ(parts->Outputassign->GetItemIndex(), -1);
    EXPECT_TRUE(Received().empty());
    EXPECT_FALSE(Modified(*performance_));
    // A group chosen for that number writes the group alone; the number's bytes stay.
    Click(parts->PartButton[3]);
    ChooseItem(parts->ComboPatch, 1);
    EXPECT_EQ(Received(), (std::vector<std::string>{PartSet(4, 2, {0x00, 0x02})}));
    EXPECT_EQ(performance_->Part(4).GetParam(4), 0x20);
}

TEST_F(PartsEditor, KeyRangeStaysOrderedWhileStepping) {
    performance_->Part(1).Data()[17] = 60;
    performance_->Part(1).Data()[18] = 60;
    TFormPart* parts = Open();
    StepField(parts->Keyupper, false, 1);
    StepField(parts->Keylower, true, 1);
    EXPECT_EQ(parts->Keyupper->GetCode(), 60);
    EXPECT_EQ(parts->Keylower->GetCode(), 60);
    EXPECT_TRUE(Received().empty());
}

TEST_F(PartsEditor, UndoThenTheSameChangeLeavesTheInstrumentEqualToThePart) {
    TFormPart* parts = Open();
    Click(parts->PartButton[2]);
    DragSliderTo(parts->PartLevel->Slider(), 100);
    Click(parts->BtnUndo);
    EXPECT_EQ(TemporaryPart(3), PartData(*performance_, 3));
    DragSliderTo(parts->PartLevel->Slider(), 100);
    EXPECT_EQ(TemporaryPart(3), PartData(*performance_, 3));
    EXPECT_EQ(performance_->Part(3).GetParam(6), 100);
}

TEST_F(PartsEditor, RevertAllSendsTheSixteenPartsAndShowsPartOne) {
    TFormPart* parts = Open();
    const TBytes part3 = PartData(*performance_, 3);
    const TBytes part5 = PartData(*performance_, 5);
    Click(parts->PartButton[2]);
    DragSliderTo(parts->PartLevel->Slider(), 90);
    Click(parts->PartButton[4]);
    Click(parts->RecHold1);
    Sim.ClearLog();
    library_->Library()->Saved = 1;
    Click(parts->BtnReverAll);
    SendQueued();
    EXPECT_EQ(Sim.ReceivedMessages().size(), 16u);
    EXPECT_EQ(parts->CurrentPart, 1);
    EXPECT_TRUE(parts->PartButton[0]->GetDown());
    EXPECT_EQ(PartData(*performance_, 3), part3);
    EXPECT_EQ(PartData(*performance_, 5), part5);
    EXPECT_EQ(TemporaryPart(3), part3);
    EXPECT_TRUE(Modified(*performance_));
    Click(parts->PartButton[2]);
    EXPECT_FALSE(parts->BtnUndo->GetEnabled());
}

TEST_F(PartsEditor, APartCopiedAndPastedIsSentAndMarksThePerformance) {
    TFormPart* parts = Open();
    for (int i = 6; i <= 13; ++i) performance_->Part(3).Data()[i] = static_cast<std::uint8_t>(20 + i);
    Click(parts->PartButton[2]);
    EXPECT_FALSE(parts->PasteBtn->GetEnabled());
    Click(parts->CopyBtn);
    EXPECT_TRUE(parts->PasteBtn->GetEnabled());
    Click(parts->PartButton[6]);
    Sim.ClearLog();
    Click(parts->PasteBtn);
    SendQueued();
    EXPECT_EQ(Sim.ReceivedMessages().size(), 16u);
    EXPECT_EQ(PartData(*performance_, 7), PartData(*performance_, 3));
    EXPECT_EQ(TemporaryPart(7), PartData(*performance_, 3));
    EXPECT_EQ(parts->PartLevel->GetValue(), 26);
    EXPECT_TRUE(Modified(*performance_));
    EXPECT_FALSE(parts->BtnUndo->GetEnabled());
}

// ------------------------------------------------------------------------------------ rhythm-set names

TEST_F(PartsEditor, TheRhythmPartListsTheInstrumentsUserSetNames) {
    Sim.Write(Addr(0x10, 0x40, 0, 0), NameBytes("Rock Kit"));
    Sim.Write(Addr(0x10, 0x41, 0, 0), NameBytes("Jazz Brushes"));
    window_ = OpenPerformance(*performance_);
    Sim.ClearLog();
    TFormPart* parts = OpenParts(window_);
    EXPECT_EQ(Requests(), (std::vector<std::string>{"F0 41 10 6A 11 10 40 00 00 00 00 00 0C 24 F7",
                                                    "F0 41 10 6A 11 10 41 00 00 00 00 00 0C 23 F7"}));
    EXPECT_FALSE(parts->HoldsMidiInput());
    Click(parts->PartButton[9]);
    EXPECT_EQ(parts->ComboPatch->Items()->Count(), 6);
    EXPECT_EQ(parts->LabelGroup->Caption(), "Rhythm Group");
    EXPECT_FALSE(parts->Patchname->GetVisible());
    EXPECT_TRUE(parts->ComboRhythmName->GetVisible());
    ASSERT_EQ(parts->ComboRhythmName->Items()->Count(), 2);
    EXPECT_EQ(parts->ComboRhythmName->Items()->Strings(0), "Rock Kit    ");
    EXPECT_EQ(parts->ComboRhythmName->Items()->Strings(1), "Jazz Brushes");
    Sim.ClearLog();
    ChooseItem(parts->ComboRhythmName, 1);
    EXPECT_EQ(Received(), (std::vector<std::string>{PartSet(10, 2, {0x00, 0x00, 0x00, 0x01})}));
    // The preset groups name their sets.
    ChooseItem(parts->ComboPatch, 5);
    EXPECT_EQ(parts->ComboRhythmName->Items()->Strings(0), "GM Drum Set");
    EXPECT_EQ(parts->ComboRhythmName->GetItemIndex(), 1);
    // Another part has the eleven patch groups again.
    Click(parts->PartButton[0]);
    EXPECT_EQ(parts->ComboPatch->Items()->Count(), 11);
    EXPECT_EQ(parts->LabelPN->Caption(), "Patch Name");
}

TEST_F(PartsEditor, WithADataCardTheCardNamesAreAskedForToo) {
    ZelmoHolder->Config->Installed = 1;
    window_ = OpenPerformance(*performance_);
    Sim.ClearLog();
    OpenParts(window_);
    EXPECT_EQ(Requests().size(), 4u);
    EXPECT_EQ(Requests()[2], Request(0x20, 0x40));
    EXPECT_EQ(Requests()[3], Request(0x20, 0x41));
}

TEST_F(PartsEditor, SilenceAsksTheUserAndRetryAsksAgain) {
    Sim.Silent = true;
    window_ = OpenPerformance(*performance_);
    Sim.ClearLog();
    TFormPart* parts = OpenParts(window_);
    EXPECT_EQ(Requests().size(), 2u);
    EXPECT_TRUE(parts->HoldsMidiInput());
    Sim.ClearLog();
    BoxAnswer = IDRETRY;
    Wait(1000);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"The instruments is not responding."}));
    EXPECT_EQ(Requests().size(), 2u);
    Sim.ClearLog();
    BoxAnswer = IDOK;
    Wait(1000);
    EXPECT_EQ(BoxTexts().size(), 2u);
    EXPECT_TRUE(Requests().empty());
    EXPECT_FALSE(parts->HoldsMidiInput());
    Click(parts->PartButton[9]);
    EXPECT_EQ(parts->ComboRhythmName->Items()->Strings(0), "User 01");
}

TEST_F(PartsEditor, ForeignEventsDuringTheRequestAreIgnored) {
    Sim.Silent = true;
    window_ = OpenPerformance(*performance_);
    TFormPart* parts = OpenParts(window_);
    TBytes spoiled = MakeDataSet(0x10, Addr(0x10, 0x40, 0, 0), NameBytes("Spoiled"));
    spoiled[spoiled.size() - 2] ^= 0x01;
    const std::vector<TBytes> events = {
        {0x90, 0x3C, 0x40},                                                         // a note from the keyboard
        {0xF0, 0x41, 0x10, 0x6A, 0xF7},                                             // a short SysEx
        spoiled,                                                                    // a damaged reply
        MakeDataSet(0x10, Addr(0x01, 0x00, 0x00, 0x00), NameBytes("Other Block")),  // another address
        MakeDataSet(0x10, Addr(0x10, 0x41, 0, 0), NameBytes("Second")),
        MakeDataSet(0x10, Addr(0x10, 0x40, 0, 0), NameBytes("First")),
    };
    for (const TBytes& e : events) {
        Backend.Inject("JV-1080", e);
        RunQueue();
        Wait(100);  // all within the time-out, which foreign events do not restart
    }
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_FALSE(parts->HoldsMidiInput());
    EXPECT_EQ(parts->RhythmNames[0], "First       ");
    EXPECT_EQ(parts->RhythmNames[1], "Second      ");
}

TEST_F(PartsEditor, ClosingOrDeletingMidRequestGivesTheInputBack) {
    struct TRow {
        const char* Name;
        std::function<void(TFormPart*)> End;
    };
    const std::vector<TRow> rows = {
        {"the editor closed", [this](TFormPart* parts) { Click(parts->Btnclose); }},
        {"the performance deleted", [this](TFormPart*) { library_->Library()->Elements.clear(); }},
    };
    Sim.Silent = true;
    ZelmoHolder->Config->Thrue = 1;
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        if (library_->Library()->Elements.empty()) {
            library_->Library()->Elements.push_back(CreateElementOfType(etPerformance, library_->Library()));
            performance_ = &ElementOf<TPerformance>(library_, 0);
        }
        window_ = OpenPerformance(*performance_);
        TFormPart* parts = OpenParts(window_);
        ASSERT_NE(parts, nullptr);
        ASSERT_TRUE(parts->HoldsMidiInput());
        row.End(parts);
        Wait(10);
        Sim.ClearLog();
        // The next event reaches the default handler, which passes it through.
        Backend.Inject("JV-1080", TBytes{0x90, 0x3C, 0x40});
        RunQueue();
        EXPECT_EQ(Received(), (std::vector<std::string>{"90 3C 40"}));
        Wait(2000);
        EXPECT_TRUE(BoxTexts().empty());
    }
}

}  // namespace
}  // namespace zel::test
