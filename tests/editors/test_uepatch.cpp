// The patch window, driven by real mouse input: opening from a library row, the tone switches, one window
// per editor, closing with its editors and their stored places, activation, the element going away under
// open windows, and a receive.
#include <gtest/gtest.h>

#include <filesystem>

#include "EditorsFixture.h"
#include "model/CurrentElements.h"
#include "platform/rtl/ScopeExit.h"

namespace zel::test {
namespace {

class PatchWindow : public Editors {
protected:
    static void Activate(TForm* form) {
        SendMessage(Formzelmo->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(form->GetHandle()), 0);
        ProcessPendingMessages();
        SendQueued();
    }
};

TEST_F(PatchWindow, ADoubleClickOnALibraryRowOpensThePatchWindowAfterSendingThePatchOnce) {
    TFormLibrary* library = OpenLibraryOf(2);
    TPatch& patch = PatchOf(library, 1);
    patch.SetName("Bass 1", false);
    patch.Tone(3).Data()[0] = 1;
    Sim.ClearLog();
    DoubleClickRow(library, 1);
    auto* window = dynamic_cast<TFormPatch*>(patch.Window);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(Sim.ReceivedMessages().size(), 5u);
    EXPECT_EQ(CurrentPatch, &patch);
    EXPECT_EQ(window->Caption(), "Bass 1 [Filename : Untitled.Syx]   [Loc : " + library->Library()->GetName() + "]");
    EXPECT_EQ(window->HelpContext, 38);
    EXPECT_EQ(window->GetWidth(), 482);
    EXPECT_EQ(window->GetHeight(), 296);
    EXPECT_FALSE(window->CheckBox1->GetChecked());
    EXPECT_TRUE(window->CheckBox3->GetChecked());
    // Every panel with its caption, Tag and section kind.
    struct TPanelRow {
        const char* Name;
        const char* Caption;
        int Tag;
        int Kind;
    };
    const TPanelRow panels[] = {
        {"Common", "Common", 0, skCommon},     {"Effects", "Effects", 0, skEffects},
        {"Wave1", "Wave", 1, skWave},          {"TVF", "TVF", 1, skTvf},
        {"Lfo11", "LFO 1", 1, skLfo1},         {"Lfo12", "LFO1", 2, skLfo1},
        {"Lfo23", "LFO 2", 3, skLfo2},         {"Tvf4", "TVF", 4, skTvf},
        {"Pitch2", "Pitch", 2, skPitch},       {"Tva3", "TVA", 3, skTva},
        {"control4", "Control", 4, skControl},
    };
    for (const TPanelRow& row : panels) {
        SCOPED_TRACE(row.Name);
        TPanel* panel = window->SectionPanel(row.Name);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->Caption(), row.Caption);
        EXPECT_EQ(panel->Tag, row.Tag);
        EXPECT_EQ(TDragInfo::SectionKindOfPanel(panel->GetName()), row.Kind);
    }
    EXPECT_EQ(window->SpeedReceive->Hint, "Receive");
    EXPECT_EQ(window->SpeedSend->Hint, "Send ");
}

TEST_F(PatchWindow, UntickingAToneSendsItsSwitchAtOnceMarksThePatchAndKeepsNoHistory) {
    TFormLibrary* library = OpenLibraryOf(1);
    TPatch& patch = PatchOf(library, 0);
    patch.Tone(3).Data()[0] = 1;
    TFormPatch* window = OpenPatch(patch);
    library->Library()->Saved = 1;
    Sim.ClearLog();
    Click(window->CheckBox3);
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 03 00 14 00 00 69 F7"}));
    EXPECT_EQ(patch.Tone(3).GetParam(0), 0);
    EXPECT_TRUE(Modified(patch));
    EXPECT_TRUE(window->UndoList.empty());
    Sim.ClearLog();
    Click(window->CheckBox3);
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 03 00 14 00 01 68 F7"}));
}

TEST_F(PatchWindow, NewGivesThePatchItsInitialValuesSendsItAndMarksItModified) {
    TFormLibrary* library = OpenLibraryOf(1);
    TPatch& patch = PatchOf(library, 0);
    patch.Common->Data()[46] = 77;
    patch.Tone(2).Data()[0] = 1;
    TFormPatch* window = OpenPatch(patch);
    DoubleClick(window->Common);
    auto* editor = dynamic_cast<TFormCommon*>(patch.Common->Editors[TCommon::ceCommon].EditorForm);
    ASSERT_NE(editor, nullptr);
    window->BringToFront();
    ProcessPendingMessages();
    library->Library()->Saved = 1;
    Sim.ClearLog();
    Click(window->SpeedNuovo);
    SendQueued();
    EXPECT_EQ(Sim.ReceivedMessages().size(), 5u);
    EXPECT_EQ(patch.GetName(), "");
    EXPECT_EQ(TemporaryCommon(), CommonData(patch));
    EXPECT_FALSE(window->CheckBox2->GetChecked());
    EXPECT_EQ(editor->PatchLevel->GetValue(), 0);
    EXPECT_TRUE(Modified(patch));
}

TEST_F(PatchWindow, ASectionOpensOneEditorInFrontOfThePatchWindowAndClosingThePatchWindowKeepsItsPlace) {
    TFormLibrary* library = OpenLibraryOf(1);
    TPatch& patch = PatchOf(library, 0);
    TFormPatch* window = OpenPatch(patch);
    DoubleClick(window->Common);
    auto* editor = dynamic_cast<TFormCommon*>(patch.Common->Editors[TCommon::ceCommon].EditorForm);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Formzelmo->ActiveMDIChild(), editor);
    EXPECT_EQ(editor->HelpContext, 2);
    EXPECT_EQ(editor->Caption(), "P0 [Common] [Loc : " + library->Library()->GetName() + "]");
    // A never-placed editor stays inside the main window's client area.
    int clientWidth = 0;
    int clientHeight = 0;
    Formzelmo->GetMainClientSize(clientWidth, clientHeight);
    EXPECT_LE(editor->GetLeft() + editor->GetWidth(), clientWidth);
    EXPECT_LE(editor->GetTop() + editor->GetHeight(), clientHeight - 45);
    Activate(window);
    DoubleClick(window->Common);
    EXPECT_EQ(patch.Common->Editors[TCommon::ceCommon].EditorForm, editor);
    EXPECT_EQ(Formzelmo->ActiveMDIChild(), editor);
    int editors = 0;
    for (int i = 0; i < Formzelmo->MDIChildCount(); ++i)
        if (Formzelmo->MDIChildren(i)->ClassName() == "TFormCommon") ++editors;
    EXPECT_EQ(editors, 1);
    // The user moves the editor, then closes the patch window: the editor goes with it, its place kept.
    editor->SetBounds(30, 20, editor->GetWidth(), editor->GetHeight());
    window->SetBounds(50, 60, window->GetWidth(), window->GetHeight());
    window->Close();
    RunQueue();
    EXPECT_EQ(patch.WindowOpen, 0);
    EXPECT_EQ(patch.Common->Editors[TCommon::ceCommon].EditorOpen, 0);
    EXPECT_EQ(patch.Common->Editors[TCommon::ceCommon].Left, 30);
    EXPECT_EQ(patch.Common->Editors[TCommon::ceCommon].Top, 20);
    EXPECT_EQ(patch.WindowLeft, 50);
    EXPECT_EQ(patch.WindowTop, 60);
    EXPECT_EQ(ChildClasses(), (std::vector<std::string>{"TFormLibrary"}));
    // The places travel with the library file.
    const std::string path = Folder() + "/places.Lib";
    library->Library()->SaveToFile(path);
    TLibrary reread;
    reread.LoadFromFile(path);
    auto& again = dynamic_cast<TPatch&>(*reread.Elements.at(0));
    EXPECT_EQ(again.Common->Editors[TCommon::ceCommon].Left, 30);
    EXPECT_EQ(again.Common->Editors[TCommon::ceCommon].Top, 20);
    EXPECT_EQ(again.WindowLeft, 50);
    EXPECT_EQ(again.WindowTop, 60);
    // Opened again, both windows are where they were.
    window = OpenPatch(patch);
    EXPECT_EQ(window->GetLeft(), 50);
    EXPECT_EQ(window->GetTop(), 60);
    DoubleClick(window->Common);
    editor = dynamic_cast<TFormCommon*>(patch.Common->Editors[TCommon::ceCommon].EditorForm);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetLeft(), 30);
    EXPECT_EQ(editor->GetTop(), 20);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(PatchWindow, ActivationSendsAPatchThatIsNotCurrentOnceAndNothingDuringASectionDrag) {
    TFormLibrary* library = OpenLibraryOf(2);
    TPatch& first = PatchOf(library, 0);
    TPatch& second = PatchOf(library, 1);
    TFormPatch* one = OpenPatch(first);
    TFormPatch* two = OpenPatch(second);
    ASSERT_EQ(CurrentPatch, &second);
    struct TRow {
        const char* Name;
        TFormPatch* Window;
        bool Dragging;
        std::size_t Messages;
    };
    const TRow rows[] = {
        {"a patch that is not current", one, false, 5},
        {"the current patch again", one, false, 0},
        {"during a section drag", two, true, 0},
        {"after the drag", two, false, 5},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        // The library window comes between: it sends nothing.
        Activate(library);
        SectionDragActive = row.Dragging ? 1 : 0;
        SendQueued();
        Sim.ClearLog();
        Activate(row.Window);
        SendQueued();
        EXPECT_EQ(Sim.ReceivedMessages().size(), row.Messages);
    }
    SectionDragActive = 0;
}

TEST_F(PatchWindow, DeletingAPatchWithOpenWindowsClosesThemAtOnceAndNothingReachesItAfterwards) {
    TFormLibrary* library = OpenLibraryOf(2);
    TPatch& patch = PatchOf(library, 1);
    TFormPatch* window = OpenPatch(patch);
    DoubleClick(window->Common);
    auto* editor = dynamic_cast<TFormCommon*>(patch.Common->Editors[TCommon::ceCommon].EditorForm);
    ASSERT_NE(editor, nullptr);
    OpenPatch(PatchOf(library, 0));
    // The patch goes into the trash, then the trash is emptied: the patch is destroyed.
    Activate(library);
    for (auto& e : library->Library()->Elements) e->Selected = 0;
    patch.Selected = 1;
    library->DeleteSelected();
    // The windows are closed at once: hidden and cut off until they are freed, an activation sends nothing.
    EXPECT_EQ(patch.WindowOpen, 0);
    EXPECT_FALSE(window->GetVisible());
    EXPECT_FALSE(editor->GetVisible());
    EXPECT_EQ(window->ShownElement(), nullptr);
    EXPECT_EQ(editor->ShownElement(), nullptr);
    Sim.ClearLog();
    window->FormActivate(window);
    editor->FormActivate(editor);
    editor->SendandStore(46, 3);
    EXPECT_TRUE(Sim.ReceivedMessages().empty());
    RunQueue();
    // Emptying the trash destroys the patch, whose windows are gone already.
    Formzelmo->TrashLibrary->Elements.clear();
    RunQueue();
    EXPECT_EQ(ChildClasses(), (std::vector<std::string>{"TFormLibrary", "TFormPatch"}));
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(PatchWindow, ReceiveAsksAgainAfterASpoiledChecksumAndTheWindowsShowWhatArrived) {
    TFormLibrary* library = OpenLibraryOf(1);
    TPatch& patch = PatchOf(library, 0);
    TFormPatch* window = OpenPatch(patch);
    DoubleClick(window->Common);
    auto* editor = dynamic_cast<TFormCommon*>(patch.Common->Editors[TCommon::ceCommon].EditorForm);
    ASSERT_NE(editor, nullptr);
    // The instrument's edit area holds another patch.
    TPatch other(nullptr);
    other.SetName("Strings", false);
    other.Common->Data()[46] = 77;
    other.Tone(2).Data()[0] = 1;
    Sim.Write(Addr(0x03, 0, 0, 0), CommonData(other));
    Sim.Write(Addr(0x03, 0, 0x12, 0), ToneData(other, 2));
    Sim.CorruptChecksumOfReply(2);
    Activate(window);
    Sim.ClearLog();
    WithProgress([&] { Click(window->SpeedReceive); });
    EXPECT_EQ(Sim.RequestsReceived(), 2);
    EXPECT_EQ(patch.GetName(), "Strings");
    EXPECT_TRUE(window->CheckBox2->GetChecked());
    EXPECT_EQ(editor->PatchLevel->GetValue(), 77);
    EXPECT_EQ(editor->EditName->GetText(), "Strings");
    EXPECT_EQ(window->Caption().rfind("Strings [Filename", 0), 0u);
}

TEST_F(PatchWindow, ASilentReceiveCancelledLeavesThePatchAsItWas) {
    TFormLibrary* library = OpenLibraryOf(1);
    TPatch& patch = PatchOf(library, 0);
    TFormPatch* window = OpenPatch(patch);
    library->Library()->Saved = 1;
    const TBytes common = CommonData(patch);
    Sim.Silent = true;
    BoxAnswer = IDCANCEL;
    WithProgress([&] { Click(window->SpeedReceive); });
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"The Instrument Is Not Responding."}));
    EXPECT_EQ(CommonData(patch), common);
    EXPECT_FALSE(Modified(patch));
}

}  // namespace
}  // namespace zel::test
