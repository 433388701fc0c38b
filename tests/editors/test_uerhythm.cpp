// The rhythm-set window and its four key editors, driven by real mouse and key input: opening from a
// library, the name, section drags between sets, the key chosen on the keyboard with its own undo
// history, the exact data sets of the controls, Copy and Paste between sets, Revert All, and the key an
// audition plays.
#include <gtest/gtest.h>

#include <functional>

#include "PerformanceFixture.h"
#include "model/CurrentElements.h"

namespace zel::test {
namespace {

class RhythmWindows : public PerformanceEditors {
protected:
    void SetUp() override {
        PerformanceEditors::SetUp();
        library_ = OpenLibraryWith(1, 2);
        rhythm_ = &ElementOf<TRhythm>(library_, 1);
        other_ = &ElementOf<TRhythm>(library_, 2);
        for (int key = FirstRhythmKey; key <= LastRhythmKey; ++key)
            for (int i = 0; i < 58; ++i) {
                rhythm_->Note(key).Data()[i] = static_cast<std::uint8_t>((key + i) % 50);
                other_->Note(key).Data()[i] = static_cast<std::uint8_t>((key + 2 * i) % 60 + 1);
            }
    }
    // The rhythm-set window and one key editor, the log cleared and the library saved.
    template <class T>
    T* OpenEditor(TRhythm& rhythm, TPanel* TFormRhythm::*panel, int slot) {
        TFormRhythm* window = OpenRhythm(rhythm);
        EXPECT_NE(window, nullptr);
        T* editor = OpenKeyEditor<T>(window, window->*panel, slot);
        EXPECT_NE(editor, nullptr);
        Sim.ClearLog();
        library_->Library()->Saved = 1;
        return editor;
    }
    TFormRhyTVF* OpenTvf(TRhythm& rhythm) {
        return OpenEditor<TFormRhyTVF>(rhythm, &TFormRhythm::RhyTVF, TRhythm::reTVF);
    }
    static std::string KeySet(int key, int position, const TBytes& bytes) {
        return Hex(MakeDataSet(
            0x10, Addr(0x02, 0x09, static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(position)), bytes));
    }
    static TBytes Section(const TRhythm& rhythm, int key, int from, int to) {
        return TBytes(rhythm.Note(key).Data() + from, rhythm.Note(key).Data() + to + 1);
    }

    TFormLibrary* library_ = nullptr;
    TRhythm* rhythm_ = nullptr;
    TRhythm* other_ = nullptr;
};

TEST_F(RhythmWindows, ADoubleClickOnALibraryRowOpensTheWindowAfterSendingTheElementOnce) {
    TPerformance& performance = ElementOf<TPerformance>(library_, 0);
    Sim.ClearLog();
    DoubleClickRow(library_, 0);
    ASSERT_NE(performance.Window, nullptr);
    EXPECT_EQ(Sim.ReceivedMessages().size(), 17u);
    dynamic_cast<TForm*>(performance.Window)->Close();
    ProcessPendingMessages();
    Sim.ClearLog();
    WithProgress([&] { DoubleClickRow(library_, 1); });
    auto* window = dynamic_cast<TFormRhythm*>(rhythm_->Window);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(Sim.ReceivedMessages().size(), 65u);
    EXPECT_EQ(CurrentRhythm, rhythm_);
    EXPECT_EQ(window->GetWidth(), 434);
    EXPECT_EQ(window->GetHeight(), 194);
    EXPECT_EQ(window->HelpContext, 48);
    EXPECT_EQ(window->Caption(), "Drums 0 [Filename : Untitled.Syx]   [Loc : Untitled.Lib]");
    EXPECT_EQ(window->EditName->GetText(), "Drums 0");
}

TEST_F(RhythmWindows, TheWindowAndItsFourKeyEditorsAsTheyLook) {
    rhythm_->Note(35).Data()[26] = 1;
    TFormRhythm* window = OpenRhythm(*rhythm_);
    EXPECT_TRUE(SaveWindowImage(window->GetHandle(), ScreenshotPath("rhythm-window")));
    struct TRow {
        const char* Name;
        TPanel* Panel;
        int Slot;
        int Help;
    };
    const TRow rows[] = {{"rhythm-main", window->RhyMain, TRhythm::reMain, 49},
                         {"rhythm-pitch", window->RhyPitch, TRhythm::rePitch, 50},
                         {"rhythm-tvf", window->RhyTVF, TRhythm::reTVF, 52},
                         {"rhythm-tva", window->RhyTVA, TRhythm::reTVA, 51}};
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        window->BringToFront();
        ProcessPendingMessages();
        auto* editor = OpenKeyEditor<TRhythmKeyEditor>(window, row.Panel, row.Slot);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->HelpContext, row.Help);
        EXPECT_TRUE(SaveWindowImage(editor->GetHandle(), ScreenshotPath(row.Name)));
        RECT client{};
        GetClientRect(editor->GetHandle(), &client);
        EXPECT_LE(editor->PanelBtn->GetTop() + editor->PanelBtn->GetHeight(), client.bottom);
        editor->Close();
        ProcessPendingMessages();
    }
}

TEST_F(RhythmWindows, EveryKeyReleaseInTheNameWritesThePaddedNameAndMarksTheSet) {
    TFormRhythm* window = OpenRhythm(*rhythm_);
    Click(window->EditName);
    Key(VK_END);
    Sim.ClearLog();
    library_->Library()->Saved = 1;
    Key(VK_BACK);
    const std::string sent =
        Hex(MakeDataSet(0x10, Addr(0x02, 0x09, 0, 0), {'D', 'r', 'u', 'm', 's', ' ', ' ', ' ', ' ', ' ', ' ', ' '}));
    EXPECT_EQ(Received(), (std::vector<std::string>{sent}));
    EXPECT_TRUE(Modified(*rhythm_));
    // A key that changes nothing writes the name again.
    Key(VK_LEFT);
    EXPECT_EQ(Received(), (std::vector<std::string>{sent, sent}));
    EXPECT_EQ(rhythm_->GetName(), "Drums");
}

TEST_F(RhythmWindows, AtvfDroppedOnAnotherSetCopiesItsBytesOfAllKeysAndSendsTheSetOnce) {
    TFormRhythm* one = OpenRhythm(*rhythm_);
    TFormRhythm* two = OpenRhythm(*other_);
    one->SetBounds(0, 0, one->GetWidth(), one->GetHeight());
    two->SetBounds(0, 240, two->GetWidth(), two->GetHeight());
    WithProgress([&] {
        one->BringToFront();
        ProcessPendingMessages();
    });
    const TBytes pitch60 = Section(*other_, 60, 12, 25);
    Sim.ClearLog();
    library_->Library()->Saved = 1;
    WithProgress([&] { Drag(one->RhyTVF, Centre(two->RhyTVF)); });
    EXPECT_EQ(SectionDragActive, 0);
    EXPECT_EQ(Sim.ReceivedMessages().size(), 65u);
    for (int key : {35, 60, 98}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(Section(*other_, key, 26, 40), Section(*rhythm_, key, 26, 40));
        EXPECT_EQ(TemporaryNote(key), NoteData(*other_, key));
    }
    EXPECT_EQ(Section(*other_, 60, 12, 25), pitch60);
    EXPECT_TRUE(Modified(*other_));
    // A drop on the other kind of section, or on the set's own window, is refused.
    WithProgress([&] {
        one->BringToFront();
        ProcessPendingMessages();
    });
    Sim.ClearLog();
    WithProgress([&] { Drag(one->RhyTVF, Centre(two->RhyTVA)); });
    WithProgress([&] { Drag(one->RhyMain, Centre(one->RhyPitch)); });
    EXPECT_TRUE(Received().empty());
    EXPECT_NE(Section(*other_, 60, 41, 53), Section(*rhythm_, 60, 41, 53));
}

TEST_F(RhythmWindows, TheKeyEditorsShowKey35FirstAndKeepAHistoryPerKey) {
    TFormRhyTVF* editor = OpenTvf(*rhythm_);
    EXPECT_EQ(editor->KeySelector->GetKeySelected(), -1);
    EXPECT_EQ(editor->CurrentKey(), 35);
    EXPECT_EQ(editor->Key->Caption(), "B 1  ");
    EXPECT_EQ(editor->Caption(), "Drums 0 [TVF] [Loc : Untitled.Lib]");
    for (const auto& list : editor->UndoList) EXPECT_EQ(list->Count(), 0);
    EXPECT_FALSE(editor->BtnUndo->GetEnabled());

    ClickKey(editor->KeySelector, 40);
    EXPECT_EQ(editor->CurrentKey(), 40);
    EXPECT_EQ(editor->Key->Caption(), "E 2  ");
    const int old = rhythm_->Note(40).GetParam(27);
    DragSliderTo(editor->cutofffrequency->Slider(), 64);
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 02 09 28 1B 40 72 F7"}));
    EXPECT_TRUE(Modified(*rhythm_));
    EXPECT_TRUE(editor->BtnUndo->GetEnabled());

    ClickKey(editor->KeySelector, 50);
    EXPECT_FALSE(editor->BtnUndo->GetEnabled());
    ClickKey(editor->KeySelector, 40);
    EXPECT_TRUE(editor->BtnUndo->GetEnabled());
    Sim.ClearLog();
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{KeySet(40, 27, {static_cast<std::uint8_t>(old)})}));
    EXPECT_EQ(editor->cutofffrequency->GetValue(), old);
}

TEST_F(RhythmWindows, RevertAllUndoesEveryKeySendsTheSetOnceAndShowsKey35) {
    TFormRhyTVF* editor = OpenTvf(*rhythm_);
    const TBytes key40 = NoteData(*rhythm_, 40), key50 = NoteData(*rhythm_, 50);
    ClickKey(editor->KeySelector, 40);
    DragSliderTo(editor->Resonance->Slider(), 100);
    ClickKey(editor->KeySelector, 50);
    Click(editor->Successivo);
    Sim.ClearLog();
    library_->Library()->Saved = 1;
    WithProgress([&] { Click(editor->BtnReverAll); });
    EXPECT_EQ(Sim.ReceivedMessages().size(), 65u);
    EXPECT_EQ(NoteData(*rhythm_, 40), key40);
    EXPECT_EQ(NoteData(*rhythm_, 50), key50);
    EXPECT_EQ(TemporaryNote(50), key50);
    EXPECT_EQ(editor->CurrentKey(), 35);
    EXPECT_TRUE(Modified(*rhythm_));
    for (const auto& list : editor->UndoList) EXPECT_EQ(list->Count(), 0);
}

TEST_F(RhythmWindows, ATvfCopiedFromOneSetIsPastedIntoAKeyOfAnother) {
    TFormRhyTVF* editor = OpenTvf(*rhythm_);
    EXPECT_FALSE(editor->PasteBtn->GetEnabled());
    ClickKey(editor->KeySelector, 36);
    Click(editor->CopyBtn);
    EXPECT_TRUE(editor->PasteBtn->GetEnabled());
    TFormRhyTVF* target = OpenTvf(*other_);
    EXPECT_TRUE(target->PasteBtn->GetEnabled());
    ClickKey(target->KeySelector, 60);
    Sim.ClearLog();
    WithProgress([&] { Click(target->PasteBtn); });
    EXPECT_EQ(Sim.ReceivedMessages().size(), 65u);
    EXPECT_EQ(Section(*other_, 60, 26, 40), Section(*rhythm_, 36, 26, 40));
    const TBytes sent = TemporaryNote(60);
    EXPECT_EQ(TBytes(sent.begin() + 26, sent.begin() + 41), Section(*rhythm_, 36, 26, 40));
    EXPECT_TRUE(Modified(*other_));
    EXPECT_FALSE(target->BtnUndo->GetEnabled());
}

TEST_F(RhythmWindows, EachKeyEditorWritesItsBytesForTheKeyOnShow) {
    struct TRow {
        const char* Name;
        std::function<TRhythmKeyEditor*()> Open;
        int Position;
        int Stored;
        std::function<void(TRhythmKeyEditor*)> Input;
        int Sent;
    };
    const std::vector<TRow> rows = {
        {"TVA pan held to the far left",
         [&] { return OpenEditor<TFormrhyTva>(*rhythm_, &TFormRhythm::RhyTVA, TRhythm::reTVA); }, 51, 64,
         [&](TRhythmKeyEditor* e) {
             auto* tva = dynamic_cast<TFormrhyTva*>(e);
             Clock->Advance(GetDoubleClickTime() + 1);
             const POINT p = Centre(tva->ClickPan);
             SetCursorPos(p.x, p.y);
             mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
             RunQueue();
             for (int t = 0; t < 6000; t += 10) {
                 Clock->Advance(10);
                 RunQueue();
             }
             mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
             RunQueue();
         },
         1},
        {"TVA level dragged to 100",
         [&] { return OpenEditor<TFormrhyTva>(*other_, &TFormRhythm::RhyTVA, TRhythm::reTVA); }, 41, 0,
         [&](TRhythmKeyEditor* e) { DragSliderTo(dynamic_cast<TFormrhyTva*>(e)->ToneLevel->Slider(), 100); }, 100},
        {"pitch fine tune dragged to +10",
         [&] { return OpenEditor<TFormRhyPitch>(*rhythm_, &TFormRhythm::RhyPitch, TRhythm::rePitch); }, 13, 50,
         [&](TRhythmKeyEditor* e) { DragSliderTo(dynamic_cast<TFormRhyPitch*>(e)->FineTune->Slider(), 60); }, 60},
        {"pitch velocity sensitivity stepped to +150",
         [&] { return OpenEditor<TFormRhyPitch>(*other_, &TFormRhythm::RhyPitch, TRhythm::rePitch); }, 16, 124,
         [&](TRhythmKeyEditor* e) { StepField(dynamic_cast<TFormRhyPitch*>(e)->VelSens, true, 1); }, 125},
        {"TVF envelope depth stepped to -63", [&] { return OpenTvf(*rhythm_); }, 30, 1,
         [&](TRhythmKeyEditor* e) { StepField(dynamic_cast<TFormRhyTVF*>(e)->EnvDepth, false, 1); }, 0},
        {"main mute group stepped up",
         [&] { return OpenEditor<TFormRhyMain>(*rhythm_, &TFormRhythm::RhyMain, TRhythm::reMain); }, 7, 3,
         [&](TRhythmKeyEditor* e) { StepField(dynamic_cast<TFormRhyMain*>(e)->MuteGroup, true, 1); }, 4},
        {"main pan control \"Key-On\"",
         [&] { return OpenEditor<TFormRhyMain>(*other_, &TFormRhythm::RhyMain, TRhythm::reMain); }, 11, 0,
         [&](TRhythmKeyEditor* e) { Click(dynamic_cast<TFormRhyMain*>(e)->PanKeyon); }, 2},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        rhythm_->Note(44).Data()[row.Position] = static_cast<std::uint8_t>(row.Stored);
        other_->Note(44).Data()[row.Position] = static_cast<std::uint8_t>(row.Stored);
        TRhythmKeyEditor* editor = row.Open();
        ASSERT_NE(editor, nullptr);
        ClickKey(editor->KeySelector, 44);
        Sim.ClearLog();
        row.Input(editor);
        EXPECT_EQ(Received(),
                  (std::vector<std::string>{KeySet(44, row.Position, {static_cast<std::uint8_t>(row.Sent)})}));
        editor->Close();
        ProcessPendingMessages();
    }
}

TEST_F(RhythmWindows, TheMainEditorPicksAWaveAsOneFourByteRun) {
    TScriptedNamePicker picker;
    picker.FillList(2, 300, "Wave ");
    rhythm_->Note(35).Data()[1] = 0;
    rhythm_->Note(35).Data()[2] = 2;  // Internal B
    auto* editor = OpenEditor<TFormRhyMain>(*rhythm_, &TFormRhythm::RhyMain, TRhythm::reMain);
    EXPECT_EQ(editor->ComboWave->GetItemIndex(), 1);
    picker.Picks = {200};
    Click(editor->Button1);
    EXPECT_EQ(Received(), (std::vector<std::string>{KeySet(35, 1, {0x00, 0x02, 0x0C, 0x08})}));
    EXPECT_EQ(editor->WaveName->GetText(), "Wave 200");
    // A pick past 255 is refused; a group without its board too.
    Sim.ClearLog();
    picker.Picks = {256};
    Click(editor->Button1);
    ChooseItem(editor->ComboWave, 4);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(editor->ComboWave->GetItemIndex(), 1);
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{KeySet(
                              35, 1, {0x00, 0x02, rhythm_->Note(35).GetParam(3), rhythm_->Note(35).GetParam(4)})}));
}

TEST_F(RhythmWindows, BadStoredBytesOpenAndWriteNothing) {
    rhythm_->Note(35).Data()[26] = 9;  // no such filter type
    rhythm_->Note(35).Data()[1] = 2;   // a board that no slot holds
    rhythm_->Note(35).Data()[2] = 9;
    TFormRhyTVF* tvf = OpenTvf(*rhythm_);
    EXPECT_EQ(tvf->Labelfilter->Caption(), "Peaking");
    Click(tvf->Successivo);
    tvf->Close();
    ProcessPendingMessages();
    TFormRhythm* window = dynamic_cast<TFormRhythm*>(rhythm_->Window);
    auto* main = OpenKeyEditor<TFormRhyMain>(window, window->RhyMain, TRhythm::reMain);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->ComboWave->GetItemIndex(), -1);
    Click(main->Button1);
    EXPECT_TRUE(Received().empty());
    EXPECT_FALSE(Modified(*rhythm_));
}

TEST_F(RhythmWindows, AnAuditionPlaysTheKeyOnShow) {
    ZelmoHolder->Config->SingleNote = 1;
    ZelmoHolder->Config->Note = 60;
    ZelmoHolder->Config->Velocity = 100;
    TFormRhyTVF* editor = OpenTvf(*rhythm_);
    const auto audition = [&] {
        Sim.ClearLog();
        const POINT p = Centre(editor->Key);
        SetCursorPos(p.x, p.y);
        // Through the application's loop, where the main window's message hook sees the press.
        keybd_event(VK_SHIFT, 0, 0, 0);
        mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
        Application->ProcessMessages();
        mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
        keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
        Application->ProcessMessages();
        return Sim.ReceivedMessages().empty() ? TBytes{} : Sim.ReceivedMessages().front();
    };
    EXPECT_EQ(audition(), (TBytes{0x99, 35, 100}));
    ClickKey(editor->KeySelector, 40);
    EXPECT_EQ(audition(), (TBytes{0x99, 40, 100}));
    Screen->SetCursor(crDefault);
}

}  // namespace
}  // namespace zel::test
