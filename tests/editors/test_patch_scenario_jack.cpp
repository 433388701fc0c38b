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

#include "EditorsJackFixture.h"

namespace zel::test {
namespace {

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
