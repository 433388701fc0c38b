// A musician's session with the patch editors, end to end over a real JACK transport to the instrument
// simulator, through real clicks and keys: a library with a patch, its window, the common editor, a slider,
// Undo, a name, Ctrl+S, and the library opened again. Under CI (ZELMOVI_REQUIRE_JACK=1) a missing server is
// a failure; elsewhere the test skips.
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <string>
#include <thread>

#include "EditorsFixture.h"
#include "app/JackPorts.h"
#include "platform/rtl/IniFiles.h"
#include "support/JackTest.h"

namespace zel::test {
namespace {

using namespace std::chrono_literals;

class PatchSessionOverJack : public Editors {
protected:
    // The program started on JACK, with the instrument's ports chosen in the port dialog.
    void SetUp() override {
        Program::SetUp();
        Sim.DeviceByte = 0x10;
        if (!OpenOnJack(instrument_, &Sim)) return;
        {
            TIniFile ini(SettingsFileName);
            ini.WriteInteger("Midi", "DeviceID", 17);
        }
        Start();
        Wait(2000);
        ASSERT_NE(FormInOut, nullptr);
        OpenPortsOn(instrument_, *FormInOut, *ZelmoHolder->Config, Boxes);
        oldDialogs_ = SetFileDialogAnswerer([this](TOpenDialog& d) {
            if (Choose.empty()) return false;
            d.FileName = Choose.front();
            Choose.pop_front();
            return true;
        });
    }
    void TearDown() override {
        SetFileDialogAnswerer(std::move(oldDialogs_));
        Program::TearDown();
    }
    static POINT RowPoint(TFormLibrary* form, int row) {
        return ScreenPoint(form->DrawGrid, 100, (row - form->DrawGrid->GetTopRow()) * 18 + 9);
    }
    void DoubleClickAt(POINT p) {
        Clock->Advance(GetDoubleClickTime() + 1);
        SetCursorPos(p.x, p.y);
        for (int i = 0; i < 2; ++i) {
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        }
        RunQueue();
    }
    bool Arrived(const std::string& message) {
        return TJackInstrument::WaitFor(
            [&] {
                for (const TBytes& m : Sim.ReceivedMessages())
                    if (Hex(m) == message) return true;
                return false;
            },
            5s);
    }

    TJackInstrument instrument_{"zelmovi-editors"};
    std::deque<std::string> Choose;

private:
    TFileDialogAnswerer oldDialogs_;
};

TEST_F(PatchSessionOverJack, EditTheCommonUndoNameSaveAndReopen) {
    // A library holding one patch.
    Program::Click(Formzelmo->FileNewItem);
    auto* library = dynamic_cast<TFormLibrary*>(Formzelmo->ActiveMDIChild());
    ASSERT_NE(library, nullptr);
    ClickOn(library->NewPatch);
    TPatch& patch = dynamic_cast<TPatch&>(*library->Library()->Elements.back());
    patch.Common->Data()[46] = 40;

    // Its row double-clicked: the patch arrives, its window opens.
    Sim.ClearLog();
    DoubleClickAt(RowPoint(library, 0));
    auto* window = dynamic_cast<TFormPatch*>(patch.Window);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(TJackInstrument::WaitFor([&] { return Sim.DataSetsApplied() >= 5; }, 5s));
    EXPECT_EQ(Sim.Read(Addr(0x03, 0, 0, 46), 1), TBytes{40});

    // "Common" double-clicked, Patch Level dragged: its one-byte data set arrives.
    DoubleClick(window->Common);
    auto* editor = dynamic_cast<TFormCommon*>(patch.Common->Editors[TCommon::ceCommon].EditorForm);
    ASSERT_NE(editor, nullptr);
    Sim.ClearLog();
    DragSliderTo(editor->PatchLevel->Slider(), 100);
    EXPECT_TRUE(Arrived("F0 41 10 6A 12 03 00 00 2E 64 6B F7"));
    // Undo: the old value in one message.
    Sim.ClearLog();
    Click(editor->BtnUndo);
    EXPECT_TRUE(Arrived("F0 41 10 6A 12 03 00 00 2E 28 27 F7"));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(Sim.ReceivedMessages().size(), 1u);
    DragSliderTo(editor->PatchLevel->Slider(), 100);
    // A name typed.
    Click(editor->EditName);
    Key(VK_END);
    Key(VK_BACK);
    Key(VK_BACK);
    Type("Pad");
    EXPECT_TRUE(Arrived("F0 41 10 6A 12 03 00 00 00 50 61 64 20 20 20 20 20 20 20 20 20 48 F7"));

    // The editor moved, then Ctrl+S with the editor active saves the library.
    editor->SetBounds(40, 30, editor->GetWidth(), editor->GetHeight());
    ASSERT_EQ(Formzelmo->ActiveMDIChild(), editor);
    const std::string path = Folder() + "/session.Lib";
    Choose.push_back(path);
    Key('S', {VK_CONTROL});
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(library->Library()->Saved, 1);

    // Opened again: the file holds the name and the level, and the editor opens where it was.
    TLibrary reread;
    reread.LoadFromFile(path);
    ASSERT_EQ(reread.Elements.size(), 1u);
    auto& saved = dynamic_cast<TPatch&>(*reread.Elements.front());
    EXPECT_EQ(saved.GetName(), "Pad");
    EXPECT_EQ(saved.Common->GetParam(46), 100);
    library->Close();
    RunQueue();
    Choose.push_back(path);
    Program::Click(Formzelmo->FileOpenItem);
    library = dynamic_cast<TFormLibrary*>(Formzelmo->ActiveMDIChild());
    ASSERT_NE(library, nullptr);
    TPatch& again = dynamic_cast<TPatch&>(*library->Library()->Elements.front());
    DoubleClickAt(RowPoint(library, 0));
    ASSERT_NE(again.Window, nullptr);
    DoubleClick(dynamic_cast<TFormPatch*>(again.Window)->Common);
    auto* reopened = dynamic_cast<TFormCommon*>(again.Common->Editors[TCommon::ceCommon].EditorForm);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->GetLeft(), 40);
    EXPECT_EQ(reopened->GetTop(), 30);
    EXPECT_EQ(reopened->EditName->GetText(), "Pad");
    EXPECT_EQ(reopened->PatchLevel->GetValue(), 100);
    EXPECT_TRUE(Boxes.empty());
}

}  // namespace
}  // namespace zel::test
