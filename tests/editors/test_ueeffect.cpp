// The effects editor, driven by real mouse and key input: the exact data sets each control sends on a
// patch and on a performance, the parameter panel of every EFX type, the fetch of a type's values with
// its failures, the undo history of each page and the drawings.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "EffectsFixture.h"
#include "model/CurrentElements.h"

namespace zel::test {
namespace {

class EffectsEditor : public EffectsFixture {};

TEST_F(EffectsEditor, OpensForAPatchAndForAPerformance) {
    TFormEffect* patchEditor = OpenPatchEffects();
    ASSERT_NE(patchEditor, nullptr);
    EXPECT_EQ(patchEditor->HelpContext, 6);
    EXPECT_EQ(patchEditor->Caption(), "P0 [Effects] [Loc : " + library_->Library()->GetName() + "]");
    EXPECT_FALSE(patchEditor->Panelefxsource->GetVisible());
    EXPECT_EQ(patchEditor->EfxReverbsendlevel->GetLeft(), 78);
    EXPECT_EQ(patchEditor->EfxChorusSendLevel->GetLeft(), 222);
    EXPECT_EQ(patchEditor->TabbedNotebook1->GetPageIndex(), 0);
    EXPECT_EQ(patchEditor->EFXType->Items()->Count(), 40);
    EXPECT_EQ(patchEditor->EFXType->Items()->Strings(0), "  1 : Stereo Equalizer");
    EXPECT_EQ(patchEditor->EFXType->Items()->Strings(9), "10 : Limiter");
    EXPECT_EQ(patchEditor->EFXType->GetDropDownCount(), 15);
    // A second double click brings the same editor to the front.
    DoubleClick(window_->Effects);
    EXPECT_EQ(patch_->Common->Editors[TCommon::ceEffects].EditorForm, patchEditor);

    TFormEffect* perfEditor = OpenPerformanceEffects();
    ASSERT_NE(perfEditor, nullptr);
    EXPECT_EQ(perfEditor->HelpContext, 41);
    EXPECT_EQ(perfEditor->Caption(), "Perf         [Effects] [Loc : " + library_->Library()->GetName() + "]");
    EXPECT_TRUE(perfEditor->Panelefxsource->GetVisible());
    EXPECT_EQ(perfEditor->EfxReverbsendlevel->GetLeft(), 8);
    EXPECT_EQ(perfEditor->EfxChorusSendLevel->GetLeft(), 152);
    EXPECT_EQ(perfEditor->efxsource->Items()->Count(), 16);
    EXPECT_EQ(perfEditor->efxsource->Items()->Strings(10), "11");
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(EffectsEditor, EachPageOneControlSendsItsOneDataSetFromRealInput) {
    struct TRow {
        const char* Name;
        bool Patch;
        std::function<void(TCommon*, TPerformanceCommon*)> Stored;
        std::function<void(TFormEffect*)> Input;
        std::vector<std::string> Sent;
        int Position;  // in the common; -1: nothing stored
        int Value;
        bool Undoable;
    };
    const auto none = [](TCommon*, TPerformanceCommon*) {};
    const std::vector<TRow> rows = {
        {"chorus level to 100 on a patch",
         true,
         none,
         [this](TFormEffect* e) { DragSliderTo(e->ChorusLevel->Slider(), 100); },
         {"F0 41 10 6A 12 03 00 00 21 64 78 F7"},
         33,
         100,
         true},
        {"chorus level to 100 on a performance",
         false,
         none,
         [this](TFormEffect* e) { DragSliderTo(e->ChorusLevel->Slider(), 100); },
         {"F0 41 10 6A 12 01 00 00 22 64 79 F7"},
         34,
         100,
         true},
        {"EFX ctrl depth 1 to +63",
         true,
         none,
         [this](TFormEffect* e) { DragSliderTo(e->EfxCtrlDepth1->Slider(), 126); },
         {DataSet(true, 30, 126)},
         30,
         126,
         true},
        {"EFX ctrl depth 1 back to -63",
         true,
         [](TCommon* c, TPerformanceCommon*) { c->Data()[30] = 126; },
         [this](TFormEffect* e) { DragSliderTo(e->EfxCtrlDepth1->Slider(), 0); },
         {DataSet(true, 30, 0)},
         30,
         0,
         true},
        {"HF damp next from 16",
         true,
         [](TCommon* c, TPerformanceCommon*) { c->Data()[42] = 16; },
         [this](TFormEffect* e) { Click(e->Successivo); },
         {"F0 41 10 6A 12 03 00 00 2A 11 42 F7"},
         42,
         17,
         true},
        {"HF damp next at 17 (ByPass)",
         true,
         [](TCommon* c, TPerformanceCommon*) { c->Data()[42] = 17; },
         [this](TFormEffect* e) { Click(e->Successivo); },
         {},
         42,
         17,
         false},
        {"HF damp previous at 0", true, none, [this](TFormEffect* e) { Click(e->Precedente); }, {}, 42, 0, false},
        {"HF damp previous from 1",
         true,
         [](TCommon* c, TPerformanceCommon*) { c->Data()[42] = 1; },
         [this](TFormEffect* e) { Click(e->Precedente); },
         {DataSet(true, 42, 0)},
         42,
         0,
         true},
        {"EFX source 11 on a performance",
         false,
         none,
         [this](TFormEffect* e) { ChooseItem(e->efxsource, 10); },
         {"F0 41 10 6A 12 01 00 00 0C 0A 69 F7"},
         12,
         10,
         false},
        {"reverb type Hall 2 on a performance",
         false,
         none,
         [this](TFormEffect* e) { ChooseItem(e->Reverbtype, 5); },
         {DataSet(false, 40, 5)},
         40,
         5,
         true},
        {"EFX ctrl source 2 Foot",
         true,
         none,
         [this](TFormEffect* e) { ChooseItem(e->EfxCtrlSource2, 5); },
         {DataSet(true, 31, 5)},
         31,
         5,
         true},
        {"a slider set to its stored value",
         true,
         [](TCommon* c, TPerformanceCommon*) { c->Data()[40] = 64; },
         [this](TFormEffect* e) {
             DragSliderTo(e->Reverblevel->Slider(), 65);
             DragSliderTo(e->Reverblevel->Slider(), 64);
         },
         {DataSet(true, 40, 65), DataSet(true, 40, 64)},
         40,
         64,
         true},
        {"a combo set to its stored item",
         true,
         none,
         [this](TFormEffect* e) { ChooseItem(e->Outputassign, 0); },
         {},
         25,
         0,
         false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        patch_->Common->Initialise();
        performance_->Common->Initialise();
        row.Stored(patch_->Common.get(), performance_->Common.get());
        TFormEffect* editor = row.Patch ? OpenPatchEffects() : OpenPerformanceEffects();
        ASSERT_NE(editor, nullptr);
        library_->Library()->Saved = 1;
        row.Input(editor);
        EXPECT_EQ(Received(), row.Sent);
        const std::uint8_t stored =
            row.Patch ? patch_->Common->GetParam(row.Position) : performance_->Common->GetParam(row.Position);
        EXPECT_EQ(stored, row.Value);
        EXPECT_EQ(editor->BtnUndo->GetEnabled(), row.Undoable);
        // Every change marks the element modified, the EFX source included.
        EXPECT_EQ(library_->Library()->Saved == 0, !row.Sent.empty());
        EXPECT_TRUE(Boxes.empty());
        editor->Close();
        if (row.Patch) window_->Close();
        RunQueue();
    }
}

// The control, spin or combo of a parameter, its box on the EFX panel and the label in that box.
TControl* BoxOf(TControl* control) {
    return dynamic_cast<TPanSlider*>(control) != nullptr ? control : control->GetParent();
}
std::string LabelOf(TControl* control) {
    auto* box = dynamic_cast<TWinControl*>(BoxOf(control));
    for (int i = 0; box != nullptr && i < box->ControlCount(); ++i)
        if (auto* label = dynamic_cast<TLabel*>(box->Controls(i))) return label->Caption();
    return "";
}

TEST_F(EffectsEditor, EveryTypeBuildsItsControlsAndEachControlWritesItsOwnByte) {
    struct TRow {
        const char* Kinds;  // S slider, E spin, C combo, in creation order
        std::vector<int> Bytes;
        const char* Ctrl1;
        const char* Ctrl2;
    };
    const TRow rows[EfxTypeCount] = {
        {"CECEEEEEEES", {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}, "Level", "----------"},
        {"SSEECS", {13, 18, 16, 17, 15, 14}, "Drive", "Pan"},
        {"SSEECS", {13, 18, 16, 17, 15, 14}, "Drive", "Pan"},
        {"EESSSSS", {13, 14, 15, 16, 17, 18, 19}, "Manual", "Rate"},
        {"EEEEEEEEESS", {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}, "Pan", "Level"},
        {"SSEES", {13, 14, 15, 16, 17}, "Sens", "Mix"},
        {"CSSSESS", {13, 16, 17, 18, 14, 15, 19}, "Rate", "Manual"},
        {"EEESEEESSCS", {14, 16, 19, 21, 13, 15, 18, 20, 22, 17, 23}, "Speed", "Level"},
        {"SSCEESS", {14, 13, 16, 17, 18, 15, 19}, "Pan", "Level"},
        {"SCSCEESS", {13, 15, 14, 17, 18, 19, 16, 20}, "Pan", "Level"},
        {"EESEEEES", {13, 14, 15, 16, 17, 18, 19, 20}, "Rate", "Balance"},
        {"EESEESES", {13, 14, 15, 18, 16, 17, 19, 20}, "Trm Rate", "Balance"},
        {"EESEEEES", {13, 14, 15, 18, 16, 17, 19, 20}, "Rate", "Balance"},
        {"EESECEEEES", {15, 16, 17, 18, 13, 14, 20, 21, 22, 23}, "Rate", "Balance"},
        {"EESEECEEEES", {15, 16, 17, 19, 18, 13, 14, 20, 21, 22, 23}, "Rate", "Feedback"},
        {"EESEEEEEES", {13, 14, 15, 16, 18, 17, 19, 20, 21, 22}, "Step Rate", "Feedback"},
        {"EEECCCEEEES", {14, 15, 18, 13, 16, 17, 19, 20, 21, 22, 23}, "Feedback", "Balance"},
        {"EEECESEEEEES", {14, 15, 16, 13, 18, 19, 20, 17, 21, 22, 23, 24}, "Rate", "Balance"},
        {"EEEESSSEEEES", {15, 13, 14, 16, 20, 18, 19, 17, 21, 22, 23, 24}, "FeedBack", "Balance"},
        {"EEEESSSSEEES", {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}, "Feedback", "Balance"},
        {"EEESEEEES", {13, 15, 14, 17, 16, 18, 19, 20, 21}, "Delay", "Feedback"},
        {"EESEEESEEEES", {14, 16, 20, 18, 15, 17, 21, 19, 13, 22, 23, 24}, "Coarse A", "Coarse B"},
        {"EESEEEEEES", {14, 15, 18, 16, 13, 17, 19, 20, 21, 22}, "Coarse", "Feedback"},
        {"CESEEEES", {13, 14, 15, 16, 17, 18, 19, 20}, "Time", "Balance"},
        {"CEEEEES", {13, 14, 15, 16, 17, 18, 19}, "Balance", "Level"},
        {"SSEESES", {13, 14, 15, 16, 17, 19, 20}, "Pan", "Balance"},
        {"SSEESEES", {13, 14, 15, 16, 17, 18, 19, 20}, "Pan", "Balance"},
        {"SSEEEES", {13, 14, 15, 16, 17, 18, 19}, "Pan", "Balance"},
        {"SSEESES", {13, 14, 15, 16, 17, 19, 20}, "Pan", "Balance"},
        {"SSEESEES", {13, 14, 15, 16, 17, 18, 19, 20}, "Pan", "Balance"},
        {"SSEEEES", {13, 14, 15, 16, 17, 18, 19}, "Pan", "Balance"},
        {"SSEESES", {13, 14, 15, 16, 17, 19, 20}, "Sens", "Balance"},
        {"SSEESEES", {13, 14, 15, 16, 17, 18, 19, 20}, "Sens", "Balance"},
        {"SSEEEES", {13, 14, 15, 16, 17, 19, 20}, "Sens", "Balance"},
        {"EESEEEEES", {13, 14, 15, 17, 18, 19, 20, 21, 22}, "Cho Balance", "Dly Balance"},
        {"EESEEEEEES", {13, 14, 15, 16, 17, 18, 19, 20, 21, 22}, "Flg Balance", "Dly Balance"},
        {"EESEEESEES", {13, 14, 15, 16, 17, 18, 19, 20, 21, 22}, "Cho Balance", "Flg Balance"},
        {"EESEEEEES", {13, 14, 15, 17, 18, 19, 20, 21, 22}, "Cho Balance", "Dly Balance"},
        {"EESEEEEEES", {13, 14, 15, 16, 17, 18, 19, 20, 21, 22}, "Flg Balance", "Dly Balance"},
        {"EESEEESEES", {13, 14, 15, 16, 17, 18, 19, 20, 21, 22}, "Cho Balance", "Flg Balance"},
    };
    const TPoint places[12] = {{8, 8},    {8, 65},    {8, 122},   {8, 179},   {8, 236},   {452, 8},
                               {452, 65}, {452, 122}, {452, 179}, {452, 236}, {156, 236}, {304, 236}};
    // Every parameter byte the instrument loads for a new type is 1: every control can step up (a combo
    // goes back to its first item).
    LoadOnTypeChange(true, TBytes(12, 1));
    patch_->Common->Data()[12] = 39;
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    ShowPage(editor, 1);
    for (int type = 1; type <= EfxTypeCount; ++type) {
        SCOPED_TRACE("type " + std::to_string(type));
        const TRow& row = rows[type - 1];
        ChooseItem(editor->EFXType, type - 1);
        ASSERT_EQ(editor->CurrentEfxType, type);
        EXPECT_EQ(editor->LabelCtrl1->Caption(), row.Ctrl1);
        EXPECT_EQ(editor->LabelCtrl2->Caption(), row.Ctrl2);
        const int count = static_cast<int>(std::string(row.Kinds).size());
        ASSERT_EQ(row.Bytes.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(Param(editor, count + 1), nullptr);
        for (int n = 1; n <= count; ++n) {
            SCOPED_TRACE("Param" + std::to_string(n) + " " + LabelOf(dynamic_cast<TControl*>(Param(editor, n))));
            auto* control = dynamic_cast<TControl*>(Param(editor, n));
            ASSERT_NE(control, nullptr);
            EXPECT_EQ(control->Tag, n);
            EXPECT_EQ(BoxOf(control)->GetLeft(), places[n - 1].x);
            EXPECT_EQ(BoxOf(control)->GetTop(), places[n - 1].y);
            EXPECT_EQ(BoxOf(control)->GetWidth(), 141);
            EXPECT_EQ(BoxOf(control)->GetHeight(), 51);
            EXPECT_FALSE(LabelOf(control).empty());
            const char kind = row.Kinds[n - 1];
            const int byte = row.Bytes[static_cast<std::size_t>(n - 1)];
            Sim.ClearLog();
            int expected = 2;
            if (kind == 'S') {
                auto* slider = dynamic_cast<TPanSlider*>(control);
                ASSERT_NE(slider, nullptr);
                // The thumb counts from the slider's low end.
                DragSliderTo(slider->Slider(), slider->Slider()->GetValue() + 1);
            } else if (kind == 'E') {
                auto* spin = dynamic_cast<TMyEdit*>(control);
                ASSERT_NE(spin, nullptr);
                StepField(spin, true, 1);
            } else {
                auto* combo = dynamic_cast<TComboBox*>(control);
                ASSERT_NE(combo, nullptr);
                ChooseItem(combo, 0);
                expected = 0;
            }
            EXPECT_EQ(Received(), (std::vector<std::string>{DataSet(true, byte, expected)}));
        }
        // The bytes the type does not list are neither shown nor written.
        for (int position = 13; position <= 24; ++position) {
            if (std::find(row.Bytes.begin(), row.Bytes.end(), position) != row.Bytes.end()) continue;
            EXPECT_EQ(patch_->Common->GetParam(position), 1) << position;
        }
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(EffectsEditor, SomeTypesShowTheirLabels) {
    struct TRow {
        int Type;
        std::vector<std::string> Labels;
    };
    const TRow rows[] = {
        {1,
         {"Low Freq", "Low Gain ", "Hi Freq", "Hi Gain ", "P1 Freq", "P1 Q", "P1 Gain ", "P2 Freq", "P2 Q", "P2 Gain ",
          "Level Output"}},
        {17,
         {"Delay L", "Delay R", "Feedback", "FeedBack Mode", "Phase L", "Phase R", "HF Damp", "Low Gain", "Hi Gain",
          "Balance", "Level"}},
        {25, {"Rverb Type", "Pre Delay", "Gate Time", "Low Gain", "Hi Gain", "Balance", "Level"}},
    };
    DevicesOpen = 0;
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    ShowPage(editor, 1);
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Type);
        ChooseItem(editor->EFXType, row.Type - 1);
        std::vector<std::string> labels;
        for (int n = 1; Param(editor, n) != nullptr; ++n)
            labels.push_back(LabelOf(dynamic_cast<TControl*>(Param(editor, n))));
        EXPECT_EQ(labels, row.Labels);
    }
}

TEST_F(EffectsEditor, ANewTypeShowsTheInstrumentsValuesOnAPatch) { ANewTypeShowsTheInstrumentsValues(true); }
TEST_F(EffectsEditor, ANewTypeShowsTheInstrumentsValuesOnAPerformance) { ANewTypeShowsTheInstrumentsValues(false); }
TEST_F(EffectsEditor, EachKindOfControlOnEachPageSendsItsDataSet) { EachKindOfControlSendsItsDataSet(); }

TEST_F(EffectsEditor, FeedbackPlusFortyOnTheStereoDelay) {
    DevicesOpen = 0;
    patch_->Common->Data()[12] = 16;
    patch_->Common->Data()[18] = 49;  // 0 %
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    ShowPage(editor, 1);
    DevicesOpen = 1;
    StepField(dynamic_cast<TMyEdit*>(Param(editor, 3)), true, 20);
    EXPECT_EQ(Received().back(), "F0 41 10 6A 12 03 00 00 12 45 26 F7");
    EXPECT_EQ(dynamic_cast<TMyEdit*>(Param(editor, 3))->GetCode(), 40);
}

TEST_F(EffectsEditor, AFetchWithoutAnAnswerEndsInTheMessage) {
    struct TRow {
        const char* Name;
        std::function<void()> Disturb;  // what comes instead of the answer
        TTick Wait;                     // how long until the message shows
    };
    const TRow rows[] = {
        {"silence", [] {}, 1000},
        {"a note first",
         [this] {
             Backend.Inject("JV-1080", {0x90, 0x3C, 0x40});
         },
         0},
        {"a short SysEx first",
         [this] {
             Backend.Inject("JV-1080", {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0, 0, 0x0D, 0xF7});
         },
         0},
        {"a reply of the wrong address",
         [this] { Backend.Inject("JV-1080", MakeDataSet(0x10, Addr(0x03, 0, 0, 0x0C), TBytes(12, 5))); }, 0},
        {"a reply with a bad checksum",
         [this] {
             TBytes reply = MakeDataSet(0x10, Addr(0x03, 0, 0, 0x0D), TBytes(12, 5));
             reply[reply.size() - 2] ^= 1;
             Backend.Inject("JV-1080", reply);
         },
         0},
    };
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    ShowPage(editor, 1);
    int type = 1;
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        for (int i = 13; i <= 24; ++i) patch_->Common->Data()[i] = 7;
        Boxes.clear();
        BoxAnswer = IDOK;
        Sim.Silent = true;
        ChooseItem(editor->EFXType, type++);
        EXPECT_TRUE(editor->HoldsMidiInput());
        row.Disturb();
        RunQueue();
        if (row.Wait > 0) {
            // The time runs from the request, which leaves 50 ms after the timer starts.
            Wait(row.Wait - 100);
            EXPECT_TRUE(Boxes.empty());
            Wait(100);
        }
        ASSERT_EQ(BoxTexts(), (std::vector<std::string>{"The instruments is not responding."}));
        // The box offers exactly OK and Retry.
        EXPECT_EQ(Boxes[0].Buttons, (std::vector<int>{IDOK, IDRETRY}));
        EXPECT_FALSE(editor->HoldsMidiInput());
        EXPECT_FALSE(editor->Timer->GetEnabled());
        // OK makes up no value: the sound keeps its twelve parameters, and the instrument is given them.
        for (int i = 13; i <= 24; ++i) EXPECT_EQ(patch_->Common->GetParam(i), 7) << i;
        EXPECT_EQ(Sim.Read(Addr(0x03, 0, 0, 0x0D), 12), TBytes(12, 7));
    }
}

TEST_F(EffectsEditor, RetryAsksAgainAndOKThenKeepsAndSendsTheSoundsValues) {
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    ShowPage(editor, 1);
    Sim.Silent = true;
    BoxAnswer = IDRETRY;
    const TBytes own = {1, 20, 30, 1, 0, 69, 5, 16, 14, 50, 100, 9};
    std::copy(own.begin(), own.end(), patch_->Common->Data() + 13);
    ChooseItem(editor->EFXType, 16);
    Sim.ClearLog();
    Wait(1000);
    EXPECT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 03 00 00 0C 10 61 F7",
                                                    "F0 41 10 6A 11 03 00 00 0D 00 00 00 0C 64 F7"}));
    EXPECT_TRUE(editor->HoldsMidiInput());
    BoxAnswer = IDOK;
    Sim.ClearLog();
    Wait(1000);
    EXPECT_EQ(Boxes.size(), 2u);
    EXPECT_FALSE(editor->HoldsMidiInput());
    // The sound's own twelve values stay, go to the instrument in one data set, and the panel shows them.
    EXPECT_EQ(TBytes(patch_->Common->Data() + 13, patch_->Common->Data() + 25), own);
    EXPECT_EQ(Received(), (std::vector<std::string>{Hex(MakeDataSet(0x10, Addr(0x03, 0, 0, 0x0D), own))}));
    EXPECT_EQ(dynamic_cast<TMyEdit*>(Param(editor, 3))->GetCode(), 40);
}

// A fetch that times out while a receive has taken the input leaves the input, and its replies, to
// the receive.
TEST_F(EffectsEditor, AFetchThatTimesOutDuringAReceiveLeavesItTheInput) {
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    ShowPage(editor, 1);
    auto& other = dynamic_cast<TPatch&>(
        *library_->Library()->Elements.emplace_back(CreateElementOfType(etPatch, library_->Library())));
    other.Temporary = 0;
    other.User = 1;
    other.Number = 1;
    const std::uint32_t base = Addr(0x11, 0, 0, 0);
    const std::string name = "From The JV ";
    Sim.Write(base, TBytes(name.begin(), name.end()));
    for (int t = 0; t < 4; ++t) Sim.Write(base + 0x1000 + static_cast<std::uint32_t>(t) * 0x200, TBytes(129, 0x21));

    Sim.Silent = true;
    BoxAnswer = IDOK;
    ChooseItem(editor->EFXType, 16);
    ASSERT_TRUE(editor->HoldsMidiInput());
    // The instrument answers the receive slowly: the fetch's second runs out half way through it.
    Sim.Silent = false;
    Sim.SetReplyFault(TReplyFault::TenTimesSlower);
    WithProgress([&] { other.Receive(false); });

    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"The instruments is not responding."}));
    EXPECT_FALSE(editor->HoldsMidiInput());
    EXPECT_EQ(other.GetName(), "From The JV");
    EXPECT_EQ(other.Tone(4).GetParam(128), 0x21);
    EXPECT_EQ(library_->Library()->Saved, 0);
}

TEST_F(EffectsEditor, ClosingTheWindowWhileTheFetchWaitsGivesTheInputBack) {
    int heard = 0;
    ModelServices().DefaultMidiInput = [&heard](TObject*) {
        ++heard;
        if (ModelServices().MidiPorts != nullptr) ModelServices().MidiPorts->NextEvent();
    };
    struct TRow {
        const char* Name;
        std::function<void(TFormEffect*)> End;
    };
    const TRow rows[] = {
        {"closed by the user", [this](TFormEffect* e) { Click(e->Btnclose); }},
        {"the patch window closed", [this](TFormEffect*) { window_->Close(); }},
        {"the patch deleted",
         [this](TFormEffect*) {
             for (auto& e : library_->Library()->Elements) e->Selected = 0;
             patch_->Selected = 1;
             library_->DeleteSelected();
             EXPECT_EQ(library_->Library()->Elements.size(), 1u);
             patch_ = nullptr;
         }},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TFormEffect* editor = OpenPatchEffects();
        ASSERT_NE(editor, nullptr);
        ShowPage(editor, 1);
        Sim.Silent = true;
        ChooseItem(editor->EFXType, editor->EFXType->GetItemIndex() == 3 ? 4 : 3);
        ASSERT_TRUE(editor->HoldsMidiInput());
        row.End(editor);
        RunQueue();
        if (patch_ != nullptr) {
            EXPECT_EQ(patch_->Common->Editors[TCommon::ceEffects].EditorOpen, 0);
        }
        heard = 0;
        Backend.Inject("JV-1080", {0x90, 0x3C, 0x40});
        RunQueue();
        Wait(2000);
        EXPECT_EQ(heard, 1);
        EXPECT_TRUE(Boxes.empty());
        if (patch_ != nullptr && patch_->WindowOpen != 0) {
            window_->Close();
            RunQueue();
        }
    }
}

TEST_F(EffectsEditor, WithTheDevicesClosedATypeChangeSendsNothingAndShowsTheNewType) {
    patch_->Common->Data()[24 - 0] = 1;
    for (int i = 13; i <= 24; ++i) patch_->Common->Data()[i] = 3;
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    ShowPage(editor, 1);
    DevicesOpen = 0;
    ChooseItem(editor->EFXType, 24);
    EXPECT_TRUE(Received().empty());
    EXPECT_FALSE(editor->HoldsMidiInput());
    EXPECT_EQ(patch_->Common->GetParam(12), 24);
    EXPECT_EQ(editor->CurrentEfxType, 25);
    // "Gate Time" from the stored byte 3: (3 + 1) x 5.
    EXPECT_EQ(dynamic_cast<TMyEdit*>(Param(editor, 3))->GetCode(), 20);
    EXPECT_EQ(editor->LabelCtrl1->Caption(), "Balance");
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(EffectsEditor, GateTimeTravelsAsItsStepNumber) {
    struct TRow {
        const char* Name;
        int Stored;
        bool Up;
        int Shown;
        std::string Sent;
    };
    const TRow rows[] = {
        {"down to 5", 1, false, 5, "F0 41 10 6A 12 03 00 00 0F 00 6E F7"},
        {"up to 500", 98, true, 500, "F0 41 10 6A 12 03 00 00 0F 63 0B F7"},
        {"no further than 500", 99, true, 500, ""},
    };
    patch_->Common->Data()[12] = 24;
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    ShowPage(editor, 1);
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        patch_->Common->Data()[15] = static_cast<std::uint8_t>(row.Stored);
        editor->UpDateView(false);
        Sim.ClearLog();
        auto* gate = dynamic_cast<TMyEdit*>(Param(editor, 3));
        ASSERT_NE(gate, nullptr);
        StepField(gate, row.Up, 1);
        EXPECT_EQ(gate->GetCode(), row.Shown);
        EXPECT_EQ(Received(), row.Sent.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.Sent});
    }
    // A file's 99 shows 500.
    patch_->Common->Data()[15] = 99;
    editor->UpDateView(false);
    EXPECT_EQ(dynamic_cast<TMyEdit*>(Param(editor, 3))->GetCode(), 500);
}

TEST_F(EffectsEditor, EachPageKeepsItsOwnHistoryAcrossFetches) {
    LoadOnTypeChange(true, TBytes(12, 1));
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    // A page-1 change, then the first fetch after showing: both histories are emptied.
    DragSliderTo(editor->ChorusLevel->Slider(), 90);
    EXPECT_TRUE(editor->BtnUndo->GetEnabled());
    ShowPage(editor, 1);
    ChooseItem(editor->EFXType, 16);
    EXPECT_FALSE(editor->BtnUndo->GetEnabled());
    ShowPage(editor, 0);
    EXPECT_FALSE(editor->BtnUndo->GetEnabled());
    // A later fetch keeps page 1's history; a type change empties page 2's.
    DragSliderTo(editor->ChorusLevel->Slider(), 80);
    ShowPage(editor, 1);
    StepField(dynamic_cast<TMyEdit*>(Param(editor, 3)), true, 1);
    EXPECT_TRUE(editor->BtnUndo->GetEnabled());
    ChooseItem(editor->EFXType, 17);
    EXPECT_FALSE(editor->BtnUndo->GetEnabled());
    EXPECT_FALSE(editor->BtnRevert->GetEnabled());
    ShowPage(editor, 0);
    EXPECT_TRUE(editor->BtnUndo->GetEnabled());
    // Undo on page 1 sends the old byte back.
    Sim.ClearLog();
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{DataSet(true, 33, 90)}));
    EXPECT_EQ(editor->ChorusLevel->GetValue(), 90);
    EXPECT_FALSE(editor->BtnUndo->GetEnabled());
    // Undo on page 2: the simulator's temporary common is back as it was.
    ShowPage(editor, 1);
    const TBytes page2Before = TemporaryCommon();
    StepField(dynamic_cast<TMyEdit*>(Param(editor, 1)), true, 2);
    Sim.ClearLog();
    Click(editor->BtnUndo);
    Click(editor->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{DataSet(true, 14, 2), DataSet(true, 14, 1)}));
    EXPECT_EQ(TemporaryCommon(), page2Before);
    EXPECT_EQ(dynamic_cast<TMyEdit*>(Param(editor, 1))->GetCode(), 1);
}

TEST_F(EffectsEditor, RevertSendsTheCommonOnceAndMarksThePatchModified) {
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    DragSliderTo(editor->Reverblevel->Slider(), 20);
    Click(editor->Successivo);
    Click(editor->Successivo);
    library_->Library()->Saved = 1;
    Sim.ClearLog();
    Click(editor->BtnRevert);
    ASSERT_EQ(Received().size(), 1u);
    EXPECT_EQ(Sim.ReceivedMessages().front().size(), 72u + 11u);
    EXPECT_EQ(patch_->Common->GetParam(40), 0);
    EXPECT_EQ(patch_->Common->GetParam(42), 0);
    EXPECT_EQ(TemporaryCommon(), CommonData(*patch_));
    EXPECT_TRUE(Modified(*patch_));
    EXPECT_FALSE(editor->BtnUndo->GetEnabled());
}

TEST_F(EffectsEditor, ActivatingTheEditorOfAnElementThatIsNotCurrentSendsItOnce) {
    TFormEffect* perfEditor = OpenPerformanceEffects();
    TFormEffect* patchEditor = OpenPatchEffects();
    ASSERT_NE(perfEditor, nullptr);
    ASSERT_NE(patchEditor, nullptr);
    struct TRow {
        const char* Name;
        TFormEffect* Editor;
        bool Sends;
    };
    CurrentPerformance = nullptr;
    const TRow rows[] = {
        {"the performance's editor, not current", perfEditor, true},
        {"the patch's editor, current", patchEditor, false},
        {"the performance's editor again", perfEditor, false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Sim.ClearLog();
        row.Editor->BringToFront();
        ProcessPendingMessages();
        EXPECT_EQ(Sim.ReceivedMessages().empty(), !row.Sends);
    }
    EXPECT_EQ(CurrentPerformance, performance_);
    EXPECT_EQ(CurrentPatch, patch_);
}

TEST_F(EffectsEditor, AThousandTypeChangesLeaveAsManyComponents) {
    DevicesOpen = 0;
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    ShowPage(editor, 1);
    // The focus on a run-time control that goes with the next type.
    Click(dynamic_cast<TMyEdit*>(Param(editor, 2))->UpButton());
    editor->EFXType->SetItemIndex(16);
    editor->EFXTypeChange(editor->EFXType);
    const int components = editor->ComponentCount();
    for (int i = 0; i < 1000; ++i) {
        editor->EFXType->SetItemIndex(i % EfxTypeCount);
        editor->EFXTypeChange(editor->EFXType);
    }
    editor->EFXType->SetItemIndex(16);
    editor->EFXTypeChange(editor->EFXType);
    EXPECT_EQ(editor->ComponentCount(), components);
    // The window is sound: keys and clicks after all that reach live controls.
    Key(VK_TAB);
    // "Delay L" of the stereo delay shares byte 14 with the equalizer's "Low Gain " stepped before.
    StepField(dynamic_cast<TMyEdit*>(Param(editor, 1)), true, 1);
    EXPECT_EQ(patch_->Common->GetParam(14), 2);
}

}  // namespace
}  // namespace zel::test

namespace zel::test {
namespace {

class EffectsScreens : public EffectsFixture {};

TEST_F(EffectsScreens, BothPagesForAPatchAndAPerformanceAndTheFortyDiagrams) {
    patch_->Common->Data()[12] = 16;
    patch_->Common->Data()[42] = 9;
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(SaveWindowImage(editor->GetHandle(), ScreenshotPath("effects-patch-page-1")));
    ShowPage(editor, 1);
    EXPECT_TRUE(SaveWindowImage(editor->GetHandle(), ScreenshotPath("effects-patch-page-2")));
    TFormEffect* perf = OpenPerformanceEffects();
    EXPECT_TRUE(SaveWindowImage(perf->GetHandle(), ScreenshotPath("effects-performance-page-1")));
    ShowPage(perf, 1);
    EXPECT_TRUE(SaveWindowImage(perf->GetHandle(), ScreenshotPath("effects-performance-page-2")));
    for (int type = 1; type <= EfxTypeCount; ++type) {
        SCOPED_TRACE(type);
        editor->EFXType->SetItemIndex(type - 1);
        editor->DrawEfxDiagram();
        ProcessPendingMessages();
        EXPECT_TRUE(
            SaveWindowImage(editor->Panel23->GetHandle(), ScreenshotPath("efx-diagram-" + std::to_string(type))));
    }
}

}  // namespace
}  // namespace zel::test

namespace zel::test {
namespace {

class EffectsPictures : public EffectsFixture {};

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF AquaColour = RGB(0, 255, 255);

TEST_F(EffectsPictures, TheDampKneeMovesWithTheStepAndByPassIsFlat) {
    struct TRow {
        int Step;
        std::vector<std::pair<TPoint, COLORREF>> Pixels;
    };
    // The image is 64 x 46: the flat line at y 20 runs to the knee, the fall ends on the axis at y 42.
    const TRow rows[] = {
        {0, {{{6, 20}, Black}, {{16, 25}, Black}, {{21, 42}, Black}, {{40, 20}, AquaColour}, {{58, 20}, AquaColour}}},
        {16, {{{40, 20}, Black}, {{48, 25}, Black}, {{53, 42}, Black}, {{16, 25}, AquaColour}, {{58, 20}, AquaColour}}},
        {17, {{{6, 20}, Black}, {{40, 20}, Black}, {{59, 20}, Black}, {{16, 25}, AquaColour}, {{48, 25}, AquaColour}}},
    };
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Step);
        patch_->Common->Data()[42] = static_cast<std::uint8_t>(row.Step);
        editor->UpDateView(false);
        EXPECT_EQ(Pixel(editor->Image1, 1, 1), AquaColour);
        for (const auto& [at, colour] : row.Pixels)
            EXPECT_EQ(Pixel(editor->Image1, at.x, at.y), colour) << at.x << "," << at.y;
    }
}

TEST_F(EffectsPictures, SymbolsStandAtTheirPoints) {
    struct TRow {
        int Type;
        std::vector<std::pair<TPoint, COLORREF>> Pixels;
    };
    // Image2 is 263 x 111: middle 55, bottom line 81, outputs at x 247, split column 213.
    const TRow rows[] = {
        // the input mixer's cross and ring, the split symbol's line, the output arrow heads
        {2,
         {{{60, 52}, Black},
          {{57, 55}, Black},
          {{61, 53}, AquaColour},
          {{213, 44}, Black},
          {{247, 30}, Black},
          {{245, 30}, Black},
          {{247, 81}, Black}}},
        // the junction dot instead of the mixer
        {5, {{{60, 55}, Black}, {{61, 56}, Black}, {{60, 57}, Black}, {{63, 58}, AquaColour}}},
        // the two junctions behind the boxes of a series chain
        {26, {{{140, 55}, Black}, {{141, 56}, Black}, {{60, 55}, Black}}},
        // the parallel chorus and delay: junctions at x 50 on both lines
        {38, {{{50, 30}, Black}, {{51, 31}, Black}, {{50, 81}, Black}}},
    };
    DevicesOpen = 0;
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    ShowPage(editor, 1);
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Type);
        ChooseItem(editor->EFXType, row.Type - 1);
        for (const auto& [at, colour] : row.Pixels)
            EXPECT_EQ(Pixel(editor->Image2, at.x, at.y), colour) << at.x << "," << at.y;
    }
}

TEST_F(EffectsPictures, TheDelayFeedbackCrossesWithFeedBackModeCross) {
    DevicesOpen = 0;
    patch_->Common->Data()[12] = 16;
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    ShowPage(editor, 1);
    // Straight: each feedback line runs level at y 45 and y 51 under its own delay.
    EXPECT_EQ(Pixel(editor->Image2, 100, 45), Black);
    EXPECT_EQ(Pixel(editor->Image2, 100, 51), Black);
    EXPECT_EQ(Pixel(editor->Image2, 100, 48), AquaColour);
    // The left-pointing arrow heads on the feedback paths.
    EXPECT_EQ(Pixel(editor->Image2, 110, 45), Black);
    EXPECT_EQ(Pixel(editor->Image2, 112, 43), Black);
    ChooseItem(dynamic_cast<TComboBox*>(Param(editor, 4)), 1);
    EXPECT_EQ(patch_->Common->GetParam(13), 1);
    EXPECT_EQ(Pixel(editor->Image2, 100, 45), AquaColour);
    EXPECT_EQ(Pixel(editor->Image2, 100, 48), Black);
    EXPECT_TRUE(SaveWindowImage(editor->Panel23->GetHandle(), ScreenshotPath("efx-diagram-17-cross")));
    ChooseItem(dynamic_cast<TComboBox*>(Param(editor, 4)), 0);
    EXPECT_EQ(Pixel(editor->Image2, 100, 45), Black);
}

}  // namespace
}  // namespace zel::test
