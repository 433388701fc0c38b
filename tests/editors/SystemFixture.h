#pragma once
// The program with a library of systems open, for the tests of the system window and its editors: the
// windows opened by real double clicks, and the system area of the instrument simulator to compare with.
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "EditorsFixture.h"
#include "editors/Uescalet.h"
#include "editors/Uesysmid.h"
#include "editors/Uesyspre.h"
#include "editors/Uesysset.h"
#include "editors/Uesystem.h"
#include "model/SystemElem.h"
#include "platform/vcl/Dialogs.h"
#include "support/JackInstrument.h"
#include "support/model/ScriptedNamePicker.h"

namespace zel::test {

class Systems : public Editors {
protected:
    // A library window on a new library of systems named "S0", "S1"...
    TFormLibrary* OpenLibraryOfSystems(int Count) {
        auto* library = new TLibrary;
        for (int i = 0; i < Count; ++i) {
            library->Elements.push_back(CreateElementOfType(etSystem, library));
            library->Elements.back()->SetName("S" + std::to_string(i), false);
        }
        TFormLibrary* form = TFormLibrary::OpenLibrary(Formzelmo, *library, false);
        ProcessPendingMessages();
        return form;
    }
    static TSystem& SystemOf(TFormLibrary* form, int i) {
        return dynamic_cast<TSystem&>(*form->Library()->Elements.at(static_cast<std::size_t>(i)));
    }
    // Opens the system's window as a double click on its library row does.
    static TFormSystem* OpenSystem(TSystem& system) {
        system.OpenEditor();
        ProcessPendingMessages();
        SendQueued();
        return dynamic_cast<TFormSystem*>(system.Window);
    }
    // Opens an editor by a double click on its section panel; the messages of the opening are forgotten.
    template <class TEditor>
    TEditor* OpenSection(TFormSystem* window, TPanel* panel, int slot) {
        // The system window comes to the front first: an editor opened before may cover it.
        window->BringToFront();
        ProcessPendingMessages();
        DoubleClick(panel);
        auto* editor = dynamic_cast<TEditor*>(window->EditElem->Editors[static_cast<std::size_t>(slot)].EditorForm);
        EXPECT_NE(editor, nullptr);
        Sim.ClearLog();
        return editor;
    }
    TFormSysSetup* OpenSetup(TFormSystem* w) { return OpenSection<TFormSysSetup>(w, w->SysSetup, TSystem::seSetup); }
    TFormSysMidi* OpenMidi(TFormSystem* w) { return OpenSection<TFormSysMidi>(w, w->SysMidi, TSystem::seMidi); }
    TFormSysPreview* OpenPreview(TFormSystem* w) {
        return OpenSection<TFormSysPreview>(w, w->SysPreview, TSystem::sePreview);
    }
    TFormScaleTune* OpenScaleTune(TFormSystem* w) {
        return OpenSection<TFormScaleTune>(w, w->SysScaleTune, TSystem::seScaleTune);
    }

    // A library of Count systems open, the first one's window open.
    void OpenFirstSystemOf(int Count) {
        library_ = OpenLibraryOfSystems(Count);
        system_ = &SystemOf(library_, 0);
        window_ = OpenSystem(*system_);
        ASSERT_NE(window_, nullptr);
    }
    // The data set of system common bytes from Position, and of note Note of scale tune Tune.
    static std::string DataSet(int Position, const TBytes& Values) {
        return Hex(MakeDataSet(0x10, Addr(0, 0, 0, static_cast<std::uint8_t>(Position)), Values));
    }
    static std::string DataSet(int Position, int Value) {
        return DataSet(Position, TBytes{static_cast<std::uint8_t>(Value)});
    }
    static std::string ScaleTuneDataSet(int Tune, int Note, int Value) {
        return Hex(MakeDataSet(0x10,
                               Addr(0, 0, static_cast<std::uint8_t>(0x0F + Tune), static_cast<std::uint8_t>(Note)),
                               {static_cast<std::uint8_t>(Value)}));
    }

    // One row of an editor's table of system common controls: the bytes stored before the input, the
    // input, the messages it sends and the byte it leaves.
    template <class TEditor>
    struct TCommonRow {
        std::string Name;
        std::function<void(TSystem&)> Stored;
        std::function<void(TEditor*)> Input;
        std::vector<std::string> Sent;
        int Position;
        int Value;
    };
    // A stored byte of the common, for a row.
    static std::function<void(TSystem&)> Store(int Position, int Value) {
        return [Position, Value](TSystem& s) { s.Common->Data()[Position] = static_cast<std::uint8_t>(Value); };
    }
    static void StoreNothing(TSystem&) {}
    // Each row on the first system, its editor opened afresh: exactly the row's messages, the byte, and
    // the system marked modified and Undo enabled exactly when something was sent.
    template <class TEditor>
    void RunCommonRows(const std::vector<TCommonRow<TEditor>>& Rows, const std::function<TEditor*()>& OpenEditor) {
        for (const TCommonRow<TEditor>& row : Rows) {
            SCOPED_TRACE(row.Name);
            system_->InitDefault();
            row.Stored(*system_);
            library_->Library()->Saved = 1;
            TEditor* editor = OpenEditor();
            ASSERT_NE(editor, nullptr);
            row.Input(editor);
            EXPECT_EQ(Received(), row.Sent);
            EXPECT_EQ(system_->Common->GetParam(row.Position), row.Value);
            EXPECT_EQ(Modified(*system_), !row.Sent.empty());
            EXPECT_EQ(editor->BtnUndo->GetEnabled(), !row.Sent.empty());
            editor->Close();
            RunQueue();
        }
        EXPECT_TRUE(Boxes.empty());
    }

    // The system's bytes and the simulator's system area: the common's 40 bytes, then the 17 scale tunes.
    static TBytes SystemData(const TSystem& system) {
        TBytes b(system.Common->Data(), system.Common->Data() + TSystemCommon::DataSize);
        for (int i = 1; i <= ScaleTuneCount; ++i)
            b.insert(b.end(), system.ScaleTune(i).Data(), system.ScaleTune(i).Data() + TPartScaleTune::DataSize);
        return b;
    }
    TBytes SystemArea() const {
        TBytes b = Sim.Read(Addr(0, 0, 0, 0), TSystemCommon::DataSize);
        for (int i = 1; i <= ScaleTuneCount; ++i) {
            const TBytes tune = Sim.Read(Addr(0, 0, static_cast<std::uint8_t>(0x0F + i), 0), TPartScaleTune::DataSize);
            b.insert(b.end(), tune.begin(), tune.end());
        }
        return b;
    }
    static TBytes ScaleTuneData(const TSystem& system, int i) {
        return TBytes(system.ScaleTune(i).Data(), system.ScaleTune(i).Data() + TPartScaleTune::DataSize);
    }
    static bool Modified(const TSystem& system) {
        const auto* library = dynamic_cast<const TLibrary*>(OwnerRoot(const_cast<TSystem*>(&system)));
        return library != nullptr && library->Saved == 0;
    }

    // What the instrument heard since the last look, as hex text. A transport may deliver a little later,
    // but System Exclusive blocks in the order sent: a block of no maker (7DH) sent last ends what there is
    // to hear. The program's messages are handled while it waits, as its loop would.
    std::vector<std::string> Heard() {
        const TBytes marker{0xF0, 0x7D, 0x66, 0xF7};
        ProcessPendingMessages();
        ModelServices().MidiPorts->PutLong(marker.data(), marker.size());
        std::vector<TBytes> heard;
        const bool arrived = TJackInstrument::WaitFor(
            [&] {
                ProcessPendingMessages();
                heard = Sim.ReceivedMessages();
                return !heard.empty() && heard.back() == marker;
            },
            std::chrono::seconds(5));
        EXPECT_TRUE(arrived) << "the instrument did not hear the marker";
        if (arrived) heard.pop_back();
        Sim.ClearLog();
        std::vector<std::string> lines;
        for (const TBytes& m : heard) lines.push_back(Hex(m));
        return lines;
    }
    // The system area once everything sent has arrived.
    TBytes SystemAreaHeard() {
        Heard();
        return SystemArea();
    }

    // ---- behaviours that reach the instrument, run over each transport

    // A row of each editor's table: its control's exact data set.
    void OneRowOfEachEditorReachesTheInstrument() {
        TFormLibrary* library = OpenLibraryOfSystems(1);
        TSystem& system = SystemOf(library, 0);
        system.Common->Data()[36] = 61;
        system.ScaleTune(17).Data()[0] = 73;
        TFormSystem* window = OpenSystem(system);
        ASSERT_NE(window, nullptr);
        TFormSysMidi* midi = OpenMidi(window);
        Heard();
        Click(midi->RecBender);
        EXPECT_EQ(Heard(), (std::vector<std::string>{"F0 41 10 6A 12 00 00 00 1A 00 66 F7"}));
        TFormSysPreview* preview = OpenPreview(window);
        Heard();
        StepField(preview->KeySet(3), false, 1);
        EXPECT_EQ(Heard(), (std::vector<std::string>{"F0 41 10 6A 12 00 00 00 24 3C 20 F7"}));
        TFormScaleTune* tunes = OpenScaleTune(window);
        Heard();
        Click(tunes->SpeedButtons[16]);
        StepField(tunes->Tune[0], true, 1);
        EXPECT_EQ(Heard(), (std::vector<std::string>{"F0 41 10 6A 12 00 00 20 00 4A 16 F7"}));
        EXPECT_EQ(SystemAreaHeard(), SystemData(system));
    }

    // " Patch" ticked on a system in " Performance" mode: the GM message, then the mode's data set after
    // its pace; Undo the same way back.
    void APanelModeChangeReachesTheInstrumentAfterTheGMMessage() {
        TFormLibrary* library = OpenLibraryOfSystems(1);
        TSystem& system = SystemOf(library, 0);
        system.Common->Data()[0] = 0;
        TFormSystem* window = OpenSystem(system);
        ASSERT_NE(window, nullptr);
        TFormSysSetup* setup = OpenSetup(window);
        const TBytes opened = SystemAreaHeard();
        Clock->ClearWaits();
        Click(setup->Patch);
        EXPECT_EQ(Heard(), (std::vector<std::string>{"F0 7E 7F 09 02 F7", "F0 41 10 6A 12 00 00 00 00 01 7F F7"}));
        EXPECT_EQ(Clock->Waits(), (std::vector<std::uint32_t>{50}));
        Click(setup->BtnUndo);
        EXPECT_EQ(Heard(), (std::vector<std::string>{"F0 7E 7F 09 02 F7", "F0 41 10 6A 12 00 00 00 00 00 00 F7"}));
        EXPECT_EQ(SystemArea(), opened);
    }

    // A musician's session: a library holding a system in " Performance" mode, its row double-clicked,
    // " Patch" and the patch "User" 12 chosen in the setup, "Tune For E" of part 3 at -20, saved, opened
    // again, and sent.
    void SetThePatchModeAndAScaleTuneSaveReopenAndSend() {
        std::optional<TScriptedNamePicker> picker;
        picker.emplace();
        picker->FillList(61, 128, "User Patch ");
        std::deque<std::string> choose;
        const TFileDialogAnswerer old = SetFileDialogAnswerer([&choose](TOpenDialog& d) {
            if (choose.empty()) return false;
            d.FileName = choose.front();
            choose.pop_front();
            return true;
        });
        Program::Click(Formzelmo->FileNewItem);
        auto* library = dynamic_cast<TFormLibrary*>(Formzelmo->ActiveMDIChild());
        ASSERT_NE(library, nullptr);
        ClickOn(library->NewSystem);
        ASSERT_EQ(library->Library()->Elements.size(), 1u);
        TSystem& system = dynamic_cast<TSystem&>(*library->Library()->Elements.back());
        system.Common->Data()[0] = 0;
        system.Common->Data()[3] = 3;  // a patch of "Preset A" selected

        // The row double-clicked: the system arrives, its window opens.
        Heard();
        DoubleClickRow(library, 0);
        auto* window = dynamic_cast<TFormSystem*>(system.Window);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(SystemAreaHeard(), SystemData(system));

        // "Setup": " Patch", then "User" and number 12 through the picker.
        TFormSysSetup* setup = OpenSetup(window);
        Heard();
        Click(setup->Patch);
        ChooseItem(setup->PatchGroup, 0);
        picker->Picks = {12};
        Click(setup->ButPatch);
        EXPECT_EQ(setup->PatchName->GetText(), "User Patch 12");
        const std::vector<std::string> setupSent = Heard();
        ASSERT_FALSE(setupSent.empty());
        EXPECT_EQ(setupSent.front(), "F0 7E 7F 09 02 F7");
        EXPECT_EQ(setupSent.back(), "F0 41 10 6A 12 00 00 00 02 00 01 00 0C 71 F7");

        // "Scale Tune": part 3, "Tune For E" down to -20.
        TFormScaleTune* tunes = OpenScaleTune(window);
        Click(tunes->SpeedButtons[2]);
        StepField(tunes->Tune[4], false, 20);
        EXPECT_EQ(tunes->Tune[4]->GetCode(), -20);
        EXPECT_EQ(SystemAreaHeard(), SystemData(system));

        // Saved with Ctrl+S from the scale-tune editor.
        const std::string path = Folder() + "/system-session.Lib";
        choose.push_back(path);
        ASSERT_EQ(Formzelmo->ActiveMDIChild(), tunes);
        Key('S', {VK_CONTROL});
        ASSERT_TRUE(std::filesystem::exists(path));
        EXPECT_EQ(library->Library()->Saved, 1);
        TLibrary reread;
        reread.LoadFromFile(path);
        ASSERT_EQ(reread.Elements.size(), 1u);
        const auto& saved = dynamic_cast<const TSystem&>(*reread.Elements.front());
        EXPECT_EQ(saved.Common->GetParam(0), 1);
        EXPECT_EQ(TBytes(saved.Common->Data() + 2, saved.Common->Data() + 6), (TBytes{0, 1, 0, 12}));
        EXPECT_EQ(saved.ScaleTune(3).GetParam(4), 44);
        EXPECT_EQ(SystemData(saved), SystemData(system));

        // Opened again and sent: the instrument holds the system as saved.
        library->Close();
        RunQueue();
        choose.push_back(path);
        Program::Click(Formzelmo->FileOpenItem);
        library = dynamic_cast<TFormLibrary*>(Formzelmo->ActiveMDIChild());
        ASSERT_NE(library, nullptr);
        TSystem& again = dynamic_cast<TSystem&>(*library->Library()->Elements.front());
        TFormSystem* reopened = OpenSystem(again);
        ASSERT_NE(reopened, nullptr);
        Sim.Write(Addr(0, 0, 0, 0), TBytes(TSystemCommon::DataSize, 0));
        Heard();
        Click(reopened->SpeedButton3);
        EXPECT_EQ(SystemAreaHeard(), SystemData(saved));
        EXPECT_TRUE(Boxes.empty());
        SetFileDialogAnswerer(old);
    }

    TFormLibrary* library_ = nullptr;
    TSystem* system_ = nullptr;
    TFormSystem* window_ = nullptr;
};

}  // namespace zel::test
