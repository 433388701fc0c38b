// The patch common editor, driven by real mouse and key input: the exact data sets each control sends,
// undo and revert with their messages, the history of each notebook page, and stored bytes that no
// control can show; the structure pictures, legible at 1:1, with every block joined where it must be.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "CanvasInk.h"
#include "EditorsFixture.h"
#include "model/CurrentElements.h"

namespace zel::test {
namespace {

class CommonEditor : public Editors {
protected:
    void SetUp() override {
        Editors::SetUp();
        library_ = OpenLibraryOf(1);
        patch_ = &PatchOf(library_, 0);
    }
    // Opens the patch window and, by a double click on its "Common" panel, the common editor.
    TFormCommon* Open() {
        window_ = OpenPatch(*patch_);
        EXPECT_NE(window_, nullptr);
        DoubleClick(window_->Common);
        auto* editor = dynamic_cast<TFormCommon*>(patch_->Common->Editors[TCommon::ceCommon].EditorForm);
        EXPECT_NE(editor, nullptr);
        Sim.ClearLog();
        return editor;
    }
    static void ShowPage(TFormCommon* editor, int page) {
        editor->TabbedNotebook1->SetPageIndex(page);
        ProcessPendingMessages();
    }
    // Holds the left button on a control while the time passes, then lets go.
    void Hold(TControl* control, TTick ms) {
        Clock->Advance(GetDoubleClickTime() + 1);
        const POINT p = Centre(control);
        SetCursorPos(p.x, p.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        RunQueue();
        for (TTick t = 0; t < ms; t += 10) {
            Clock->Advance(10);
            RunQueue();
        }
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        RunQueue();
    }

    TFormLibrary* library_ = nullptr;
    TPatch* patch_ = nullptr;
    TFormPatch* window_ = nullptr;
};

TEST_F(CommonEditor, EachControlSendsItsOneDataSetFromRealInput) {
    struct TRow {
        const char* Name;
        int Page;
        std::function<void(TPatch&)> Stored;  // the bytes before the input
        std::function<void(TFormCommon*)> Input;
        std::vector<std::string> Sent;
        int Position;
        int Value;
    };
    const std::vector<TRow> rows = {
        {"Patch Level dragged to 100",
         0,
         [](TPatch&) {},
         [this](TFormCommon* e) { DragSliderTo(e->PatchLevel->Slider(), 100); },
         {"F0 41 10 6A 12 03 00 00 2E 64 6B F7"},
         46,
         100},
        {"Default Tempo stepped up to 120",
         0,
         [](TPatch& p) {
             p.Common->Data()[44] = 7;
             p.Common->Data()[45] = 7;
         },
         [this](TFormCommon* e) { StepField(e->DefaultTempo, true, 1); },
         {"F0 41 10 6A 12 03 00 00 2C 07 08 42 F7"},
         45,
         8},
        {"Bender Down stepped to -12",
         0,
         [](TPatch& p) { p.Common->Data()[50] = 11; },
         [this](TFormCommon* e) { StepField(e->BenderDown, false, 1); },
         {"F0 41 10 6A 12 03 00 00 32 0C 3F F7"},
         50,
         12},
        {"Patch Pan held to the far left",
         0,
         [](TPatch& p) { p.Common->Data()[47] = 64; },
         [this](TFormCommon* e) { Hold(e->ClickPan, 6000); },
         {"F0 41 10 6A 12 03 00 00 2F 00 4E F7"},
         47,
         0},
        {"Ctrl 2 Peak",
         1,
         [](TPatch&) {},
         [this](TFormCommon* e) { Click(e->Ctrl2Peak); },
         {"F0 41 10 6A 12 03 00 00 3E 02 3D F7"},
         62,
         2},
        {"Booster +12 of tones 3 and 4",
         1,
         [](TPatch&) {},
         [this](TFormCommon* e) { Click(e->Booster343); },
         {"F0 41 10 6A 12 03 00 00 47 02 34 F7"},
         71,
         2},
        {"Solo",
         0,
         [](TPatch&) {},
         [this](TFormCommon* e) { Click(e->KeyAssModeSolo); },
         {"F0 41 10 6A 12 03 00 00 33 01 49 F7"},
         51,
         1},
        {"Stretch tune 3",
         0,
         [](TPatch&) {},
         [this](TFormCommon* e) { Click(e->Stretch4); },
         {"F0 41 10 6A 12 03 00 00 42 03 38 F7"},
         66,
         3},
        {"Octave shift up",
         0,
         [](TPatch& p) { p.Common->Data()[65] = 3; },
         [this](TFormCommon* e) { StepField(e->OctaveShift, true, 1); },
         {"F0 41 10 6A 12 03 00 00 41 04 38 F7"},
         65,
         4},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        row.Stored(*patch_);
        TFormCommon* editor = Open();
        ShowPage(editor, row.Page);
        row.Input(editor);
        EXPECT_EQ(Received(), row.Sent);
        EXPECT_EQ(patch_->Common->GetParam(row.Position), row.Value);
        const int records = editor->CurrentUndoList()->Count();
        EXPECT_GE(records, 1);
        EXPECT_TRUE(editor->BtnUndo->GetEnabled());
        EXPECT_TRUE(Modified(*patch_));
        // The same input again finds the value stored: nothing is sent, nothing recorded.
        Sim.ClearLog();
        if (std::string(row.Name).find("Peak") != std::string::npos || std::string(row.Name).find("Booster") == 0 ||
            std::string(row.Name) == "Solo" || std::string(row.Name).find("Stretch") == 0) {
            row.Input(editor);
            EXPECT_TRUE(Received().empty());
            EXPECT_EQ(editor->CurrentUndoList()->Count(), records);
        }
        editor->Close();
        window_->Close();
        RunQueue();
        library_->Library()->Saved = 1;
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(CommonEditor, TypingANameSendsTheTwelveCharactersAtEachKeyReleaseAndUndoRestoresThemInOneMessage) {
    TFormCommon* editor = Open();
    Click(editor->EditName);
    Key(VK_END);
    for (int i = 0; i < 2; ++i) Key(VK_BACK);
    Sim.ClearLog();
    Type("Pad");
    const std::vector<std::string> sent = Received();
    ASSERT_EQ(sent.size(), 3u) << "one message per letter, none for the Shift key";
    EXPECT_EQ(sent.back(), "F0 41 10 6A 12 03 00 00 00 50 61 64 20 20 20 20 20 20 20 20 20 48 F7");
    EXPECT_EQ(patch_->GetName(), "Pad");
    // A key that changes nothing sends nothing.
    Sim.ClearLog();
    Key(VK_LEFT);
    EXPECT_TRUE(Received().empty());
    // Undo restores all twelve bytes of the name before the last letter in one message.
    Sim.ClearLog();
    Click(editor->BtnUndo);
    ASSERT_EQ(Received().size(), 1u);
    EXPECT_EQ(Received().front(), "F0 41 10 6A 12 03 00 00 00 50 61 20 20 20 20 20 20 20 20 20 20 0C F7");
    EXPECT_EQ(editor->EditName->GetText(), "Pa");
}

// A letter the instrument cannot store is stored as its plain letter, typed or pasted; a character with no
// plain letter is refused and, typed, sends nothing.
TEST_F(CommonEditor, AnAccentedLetterInTheNameIsStoredAsItsPlainLetter) {
    TFormCommon* editor = Open();
    Click(editor->EditName);
    Key('A', {VK_CONTROL});
    // A character of another keyboard layout, as the desktop's translation of its key hands it over (the
    // layer's own translation knows only the US layout's keys).
    const auto typeCharacter = [&](unsigned char c) {
        PostMessage(editor->EditName->GetHandle(), WM_CHAR, c, 1);
        RunQueue();
    };
    Type("Caf");
    Sim.ClearLog();
    typeCharacter(0xE9);
    Type(" Pad");
    const std::vector<std::string> sent = Received();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), "F0 41 10 6A 12 03 00 00 00 43 61 66 65 20 20 20 20 20 20 20 20 0E F7");
    EXPECT_EQ(sent.back(), "F0 41 10 6A 12 03 00 00 00 43 61 66 65 20 50 61 64 20 20 20 20 59 F7");
    EXPECT_EQ(patch_->GetName(), "Cafe Pad");
    EXPECT_EQ(editor->EditName->GetText(), "Cafe Pad");

    // The euro sign has no plain letter: nothing changes and nothing is sent.
    const TBytes before = CommonData(*patch_);
    Sim.ClearLog();
    typeCharacter(0x80);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(CommonData(*patch_), before);
    EXPECT_EQ(editor->EditName->GetText(), "Cafe Pad");

    // A pasted text is stored with the plain letters too.
    editor->EditName->SetText(std::string("Caf\xE9", 4));
    Key(VK_RIGHT);
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 03 00 00 00 43 61 66 65 20 20 20 20 20 20 20 20 "
                                                    "0E F7"}));
    EXPECT_EQ(editor->EditName->GetText(), "Cafe");
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(CommonEditor, UndoRevertAndTheChangeAgainLeaveTheInstrumentEqualToThePatch) {
    TFormCommon* editor = Open();
    const TBytes opened = CommonData(*patch_);
    DragSliderTo(editor->PatchLevel->Slider(), 90);
    Click(editor->KeyAssModeSolo);
    EXPECT_EQ(TemporaryCommon(), CommonData(*patch_));
    // Undo of the last change: one message with the old byte.
    Sim.ClearLog();
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 03 00 00 33 00 4A F7"}));
    EXPECT_TRUE(editor->KeyAssModePoly->GetChecked());
    EXPECT_EQ(TemporaryCommon(), CommonData(*patch_));
    Click(editor->KeyAssModeSolo);
    EXPECT_EQ(TemporaryCommon(), CommonData(*patch_));
    // After a save an Undo marks the library unsaved again.
    library_->Library()->Saved = 1;
    Click(editor->BtnUndo);
    EXPECT_TRUE(Modified(*patch_));
    // Revert after several changes sends the common once, equal to the patch as it was opened.
    Click(editor->KeyAssModeSolo);
    DragSliderTo(editor->PatchLevel->Slider(), 20);
    library_->Library()->Saved = 1;
    Sim.ClearLog();
    Click(editor->BtnRevert);
    ASSERT_EQ(Received().size(), 1u);
    EXPECT_EQ(CommonData(*patch_), opened);
    EXPECT_EQ(TemporaryCommon(), opened);
    EXPECT_EQ(editor->PatchLevel->GetValue(), opened[46]);
    EXPECT_FALSE(editor->BtnUndo->GetEnabled());
    EXPECT_FALSE(editor->BtnRevert->GetEnabled());
    EXPECT_TRUE(Modified(*patch_));
}

TEST_F(CommonEditor, EachNotebookPageKeepsItsOwnHistory) {
    TFormCommon* editor = Open();
    Click(editor->KeyAssModeSolo);
    // The user turns to page 2 by its tab: its history is empty.
    const TRect tab = editor->TabbedNotebook1->TabRect(1);
    Press(ScreenPoint(editor->TabbedNotebook1, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2));
    ASSERT_EQ(editor->TabbedNotebook1->GetPageIndex(), 1);
    EXPECT_FALSE(editor->BtnUndo->GetEnabled());
    Click(editor->Ctrl1Hold);
    Click(editor->Booster122);
    EXPECT_EQ(editor->CurrentUndoList()->Count(), 2);
    Sim.ClearLog();
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 03 00 00 45 00 38 F7"}));
    // Back on page 1 its own record is there to undo.
    const TRect first = editor->TabbedNotebook1->TabRect(0);
    Press(ScreenPoint(editor->TabbedNotebook1, (first.left + first.right) / 2, (first.top + first.bottom) / 2));
    ASSERT_EQ(editor->TabbedNotebook1->GetPageIndex(), 0);
    EXPECT_TRUE(editor->BtnUndo->GetEnabled());
    Sim.ClearLog();
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 03 00 00 33 00 4A F7"}));
    EXPECT_FALSE(editor->BtnUndo->GetEnabled());
    EXPECT_EQ(editor->UndoList[1]->Count(), 1) << "page 2 keeps its Ctrl 1 record";
}

TEST_F(CommonEditor, TheStructureArrowsStepWithinTheTenTypesAndStopWithoutSending) {
    patch_->Common->Data()[68] = 8;
    TFormCommon* editor = Open();
    ShowPage(editor, 1);
    EXPECT_EQ(editor->Label12->Caption(), "Type 9");
    Click(editor->Successivo);
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 03 00 00 44 09 30 F7"}));
    EXPECT_EQ(editor->Label12->Caption(), "Type 10");
    Sim.ClearLog();
    Click(editor->Successivo);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(patch_->Common->GetParam(68), 9);
    // Tones 3 and 4 start at the first type: the previous arrow does nothing there.
    Click(editor->BitBtn1);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(editor->Label34->Caption(), "Type 1");
    Click(editor->BitBtn2);
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 03 00 00 46 01 36 F7"}));
}

// ---- the structure pictures

// A box's name as a player reads it: its row (the upper tone, the lower tone or between them) and its text.
std::string BoxName(const TStructureBox& Box, int Height) {
    const int y = (Box.Bounds.top + Box.Bounds.bottom) / 2;
    const char* row = y < Height / 3 ? "upper " : y >= Height - Height / 3 ? "lower " : "middle ";
    return row + Box.Text;
}

struct TStructureCase {
    const char* Name;
    int Type;
    std::multiset<std::string> Boxes;
    // The lines between boxes, each as the boxes it joins.
    std::vector<std::set<std::string>> Joins;
};

const std::multiset<std::string> Blocks = {"upper WG", "upper TVF", "upper TVA", "lower WG", "lower TVF", "lower TVA"};

std::multiset<std::string> BlocksAnd(const std::string& Box) {
    std::multiset<std::string> all = Blocks;
    all.insert(Box);
    return all;
}

using TJoins = std::vector<std::set<std::string>>;

TJoins JoinsAnd(TJoins Joins, const std::set<std::string>& Join) {
    Joins.push_back(Join);
    return Joins;
}

const std::vector<TStructureCase>& StructureCases() {
    // The ring's layouts: the upper tone's chain and a signal of the lower row go into the ring.
    const TJoins upperChain = {{"upper WG", "upper TVF"}, {"upper TVF", "upper TVA"}, {"upper TVA", "middle R"}};
    const TJoins ringB = JoinsAnd(JoinsAnd(JoinsAnd(upperChain, {"lower WG", "middle R"}), {"middle R", "lower TVF"}),
                                  {"lower TVF", "lower TVA"});
    const TJoins ringC = JoinsAnd(JoinsAnd(JoinsAnd(upperChain, {"lower WG", "lower TVF"}), {"lower TVF", "middle R"}),
                                  {"middle R", "lower TVA"});
    const std::set<std::string> lowerReturn = {"lower TVA", "lower WG"};
    static const std::vector<TStructureCase> cases = {
        {"two separate tones",
         0,
         Blocks,
         {{"upper WG", "upper TVF"},
          {"upper TVF", "upper TVA"},
          {"lower WG", "lower TVF"},
          {"lower TVF", "lower TVA"}}},
        {"upper WG through both filters",
         1,
         Blocks,
         {{"upper WG", "upper TVF"}, {"upper TVF", "lower TVF"}, {"lower TVF", "lower TVA"}}},
        {"booster between the rows",
         2,
         BlocksAnd("middle B"),
         {{"upper WG", "middle B"}, {"middle B", "upper TVF"}, {"upper TVF", "lower TVF"}, {"lower TVF", "lower TVA"}}},
        {"booster after the upper filter",
         3,
         BlocksAnd("upper B"),
         {{"upper WG", "upper TVF"}, {"upper TVF", "upper B"}, {"upper B", "lower TVF"}, {"lower TVF", "lower TVA"}}},
        {"ring between the rows",
         4,
         BlocksAnd("middle R"),
         {{"upper WG", "middle R"}, {"middle R", "upper TVF"}, {"upper TVF", "lower TVF"}, {"lower TVF", "lower TVA"}}},
        {"ring of both WGs",
         5,
         BlocksAnd("middle R"),
         {{"upper WG", "middle R"},
          {"lower WG", "middle R"},
          {"middle R", "upper TVF"},
          {"upper TVF", "lower TVF"},
          {"lower TVF", "lower TVA"}}},
        {"ring of the upper tone and the lower WG", 6, BlocksAnd("middle R"), ringB},
        {"as 6 with the lower return", 7, BlocksAnd("middle R"), JoinsAnd(ringB, lowerReturn)},
        {"ring of the upper tone and the lower TVF", 8, BlocksAnd("middle R"), ringC},
        {"as 8 with the lower return", 9, BlocksAnd("middle R"), JoinsAnd(ringC, lowerReturn)},
    };
    return cases;
}

// Each picture shows its blocks with their texts at a size read at 1:1 (capitals of 7 pixels or more), each
// text inside its box with a clear pixel all round, the boxes apart and inside the picture; and its lines
// join the blocks as the type says, none ending in the open.
TEST_F(CommonEditor, EachStructurePictureShowsLegibleBlocksJoinedAsItsTypeSays) {
    TFormCommon* editor = Open();
    ShowPage(editor, 1);
    TImage* image = editor->Image12;
    TBitmap* picture = image->Picture();
    const int w = picture->GetWidth();
    const int h = picture->GetHeight();
    EXPECT_EQ(w, image->GetWidth());
    EXPECT_EQ(h, image->GetHeight());
    for (const TStructureCase& row : StructureCases()) {
        SCOPED_TRACE(row.Name);
        editor->Struct12 = row.Type;
        editor->DrawStruct(image);
        const std::vector<TStructureBox>& boxes = editor->StructureBoxes[0];
        std::multiset<std::string> names;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const TStructureBox& box = boxes[i];
            const std::string name = BoxName(box, h);
            SCOPED_TRACE(name);
            names.insert(name);
            const TRect& r = box.Bounds;
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h) << "outside the picture";
            for (std::size_t j = 0; j < i; ++j) {
                const TRect& o = boxes[j].Bounds;
                EXPECT_FALSE(r.left < o.right && o.left < r.right && r.top < o.bottom && o.top < r.bottom)
                    << "overlaps " << BoxName(boxes[j], h);
            }
            // Inside the frame, a clear pixel, then the text.
            const TRect inside{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
            const TRect ink = InkIn(picture->Canvas(), inside);
            EXPECT_GE(ink.bottom - ink.top, 7) << "capitals too small to read";
            EXPECT_GE(ink.left, inside.left + 1);
            EXPECT_GE(ink.top, inside.top + 1);
            EXPECT_LE(ink.right, inside.right - 1);
            EXPECT_LE(ink.bottom, inside.bottom - 1);
        }
        EXPECT_EQ(names, row.Boxes);
        // The same diagram alone on a white picture: its lines between the boxes.
        TBitmap clean;
        clean.SetSize(w, h);
        const std::vector<TStructureBox> drawn = DrawStructureDiagram(clean.Canvas(), 44, h, row.Type);
        std::vector<std::pair<TRect, std::string>> named;
        for (const TStructureBox& box : drawn) named.emplace_back(box.Bounds, BoxName(box, h));
        std::vector<std::set<std::string>> expected = row.Joins;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(BoxJoins(clean.Canvas(), w, h, named), expected);
    }
    EXPECT_TRUE(SaveWindowImage(image->GetParent()->GetHandle(), ScreenshotPath("common-structure-group")));
}

TEST_F(CommonEditor, StoredBytesNoControlCanShowAreShownAsTheNearestValidValueAndNothingIsWritten) {
    patch_->Common->Data()[68] = 40;  // structure type
    patch_->Common->Data()[44] = 15;  // tempo nibbles
    patch_->Common->Data()[45] = 15;
    patch_->Common->Data()[50] = 100;  // bender down
    patch_->Common->Data()[61] = 7;    // hold/peak
    patch_->Common->Data()[66] = 9;    // stretch
    patch_->Common->Data()[58] = 30;   // control source
    const TBytes stored = CommonData(*patch_);
    TFormCommon* editor = Open();
    EXPECT_EQ(editor->Label12->Caption(), "Type 10");
    EXPECT_EQ(editor->DefaultTempo->GetCode(), 250);
    EXPECT_EQ(editor->BenderDown->GetCode(), -48);
    EXPECT_TRUE(editor->Ctrl1Peak->GetChecked());
    EXPECT_TRUE(editor->Stretch4->GetDown());
    EXPECT_EQ(editor->PatchCtrlSource2->GetItemIndex(), -1);
    EXPECT_EQ(CommonData(*patch_), stored);
    EXPECT_TRUE(Received().empty());
    // The arrows step from the value shown, within the range.
    ShowPage(editor, 1);
    Click(editor->Precedente);
    EXPECT_EQ(patch_->Common->GetParam(68), 8);
    EXPECT_EQ(editor->Label12->Caption(), "Type 9");
    EXPECT_TRUE(Boxes.empty());
}

}  // namespace
}  // namespace zel::test
