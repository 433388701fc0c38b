// The LFO editor, driven by real mouse input: the data set of each control at the bytes of LFO 1 or 2,
// the fade graph and its mode, the waveform pictures, and both LFO windows of a tone open at once.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "ToneEditorsFixture.h"

namespace zel::test {
namespace {

class LFOEditor : public ToneEditors {};

TEST_F(LFOEditor, EachControlSendsItsOneDataSetAtTheBytesOfItsLfo) {
    struct TRow {
        const char* Name;
        const char* Lfo;
        int Tone;
        std::function<void(TPatch&)> Stored;
        std::function<void(TFormLFO*)> Input;
        std::vector<std::string> Sent;
    };
    const auto none = [](TPatch&) {};
    const std::vector<TRow> rows = {
        {"waveform of LFO 2 of tone 3 to Square", "LFO2", 3, [](TPatch& p) { p.Tone(3).Data()[53] = 2; },
         [this](TFormLFO* e) { Click(e->Successivo); }, Sets({"F0 41 10 6A 12 03 00 14 35 03 31 F7"})},
        {"pitch depth of LFO 2 of tone 3", "LFO2", 3, none, [this](TFormLFO* e) { DragPanTo(e->PitchLFODepth, 10); },
         Sets({ToneSet(3, 79, {73})})},
        {"key trigger", "LFO1", 1, none, [this](TFormLFO* e) { Click(e->KeyTrigger); }, Sets({ToneSet(1, 46, {1})})},
        {"rate", "LFO2", 1, none, [this](TFormLFO* e) { StepField(e->LFORate, true, 1); }, Sets({ToneSet(1, 55, {1})})},
        // The offset steps by 50 and stores (code + 100) / 50: -100 is 0, +100 is 4.
        {"offset up to +100", "LFO1", 1, [](TPatch& p) { p.Tone(1).Data()[48] = 3; },
         [this](TFormLFO* e) { StepField(e->OffsetLevel, true, 2); }, Sets({ToneSet(1, 48, {4})})},
        {"offset down to -100", "LFO1", 1, [](TPatch& p) { p.Tone(1).Data()[48] = 1; },
         [this](TFormLFO* e) { StepField(e->OffsetLevel, false, 2); }, Sets({ToneSet(1, 48, {0})})},
        {"fade mode Off-In", "LFO1", 2, none, [this](TFormLFO* e) { ChooseItem(e->FadeMode, 2); },
         Sets({ToneSet(2, 50, {2})})},
        {"external sync Tap", "LFO2", 1, none, [this](TFormLFO* e) { ChooseItem(e->ExternalSync, 2); },
         Sets({ToneSet(1, 60, {2})})},
        {"delay on the fade graph", "LFO1", 1, none,
         [this](TFormLFO* e) { HoldCellUntil(e->FadeGraph->DelayCell(), 5); }, Sets({ToneSet(1, 49, {5})})},
        {"TVF depth of LFO 1", "LFO1", 4, none, [this](TFormLFO* e) { DragPanTo(e->TVFLfoDepth, -20); },
         Sets({ToneSet(4, 99, {43})})},
        {"TVA depth of LFO 2", "LFO2", 1, none, [this](TFormLFO* e) { DragPanTo(e->TVALfoDepth, 0); },
         Sets({ToneSet(1, 118, {63})})},
        {"pan depth of LFO 1", "LFO1", 1, none, [this](TFormLFO* e) { DragPanTo(e->PanDepth, 63); },
         Sets({ToneSet(1, 123, {126})})},
    };
    CheckEachRow<TFormLFO, TRow>(rows, [this](const TRow& row) { return Open<TFormLFO>(row.Lfo, row.Tone); });
}

TEST_F(LFOEditor, AFadeModeChoiceWritesThenTurnsTheGraphAndTheGraphWritesDelayThenFade) {
    TFormLFO* editor = Open<TFormLFO>("LFO1", 1);
    ChooseItem(editor->FadeMode, 3);
    EXPECT_EQ(editor->FadeGraph->GetFadeMode(), OFF_OUT);
    Sim.ClearLog();
    // A drag of the graph's first point changes the fade time (or delay) of its mode; both bytes are
    // written in order, the unchanged one sending nothing.
    const TPoint p = editor->FadeGraph->PointPos(1);
    Clock->Advance(GetDoubleClickTime() + 1);
    POINT s = ScreenPoint(editor->FadeGraph, p.x, p.y);
    SetCursorPos(s.x, s.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    RunQueue();
    for (int i = 1; i <= 12; ++i) {
        s = ScreenPoint(editor->FadeGraph, p.x + i, p.y);
        SetCursorPos(s.x, s.y);
        mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
        RunQueue();
    }
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    RunQueue();
    std::vector<std::string> expected;
    if (editor->FadeGraph->GetFadeDelay() != 0) expected.push_back(ToneSet(1, 49, {editor->FadeGraph->GetFadeDelay()}));
    if (editor->FadeGraph->GetFadeTime() != 0) expected.push_back(ToneSet(1, 51, {editor->FadeGraph->GetFadeTime()}));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Received(), expected);
    EXPECT_EQ(TemporaryTone(1), ToneData(*patch_, 1));
}

TEST_F(LFOEditor, TheTwoLfoWindowsOfAToneOpenSideBySideAndReopenAtTheirOwnPlaces) {
    TFormLFO* first = Open<TFormLFO>("LFO1", 2);
    TFormLFO* second = Open<TFormLFO>("LFO2", 2);
    ASSERT_NE(first, second);
    EXPECT_EQ(first->LfoNumber, 1);
    EXPECT_EQ(second->LfoNumber, 2);
    EXPECT_NE(first->Caption().find("[LFO 1] [Tone 2]"), std::string::npos);
    EXPECT_NE(second->Caption().find("[LFO 2] [Tone 2]"), std::string::npos);
    EXPECT_EQ(first->HelpContext, 22);
    first->SetBounds(10, 20, first->GetWidth(), first->GetHeight());
    second->SetBounds(60, 200, second->GetWidth(), second->GetHeight());
    EXPECT_TRUE(SaveWindowImage(Formzelmo->GetHandle(), ScreenshotPath("lfo-windows")));
    // A second double click brings the open window up instead of another one.
    EXPECT_EQ(Open<TFormLFO>("LFO1", 2), first);
    first->Close();
    second->Close();
    RunQueue();
    EXPECT_EQ(patch_->Tone(2).Editors[TTone::teLFO1].EditorOpen, 0);
    TFormLFO* again2 = Open<TFormLFO>("LFO2", 2);
    TFormLFO* again1 = Open<TFormLFO>("LFO1", 2);
    EXPECT_EQ(again1->GetLeft(), 10);
    EXPECT_EQ(again1->GetTop(), 20);
    EXPECT_EQ(again2->GetLeft(), 60);
    EXPECT_EQ(again2->GetTop(), 200);
}

TEST_F(LFOEditor, EachWaveformHasItsPictureAndName) {
    TFormLFO* editor = Open<TFormLFO>("LFO1", 1);
    const char* names[] = {"Triangolar", "Sinuisoidal", "SAW", "Square", "Trapeziodal", "Sample", "Random", "Caos"};
    TBitmap* picture = editor->Image1->Picture();
    const int mid = picture->GetHeight() / 2;
    for (int w = 0; w < 8; ++w) {
        SCOPED_TRACE(w);
        editor->Random.seed(7);
        if (w > 0) Click(editor->Successivo);
        EXPECT_EQ(editor->LabelWave->Caption(), names[w]);
        EXPECT_EQ(picture->Canvas()->GetPixel(1, 1), static_cast<TColor>(0xFFFF00)) << "aqua";
        int black = 0;
        for (int y = 0; y < picture->GetHeight(); ++y)
            for (int x = 0; x < picture->GetWidth(); ++x) black += picture->Canvas()->GetPixel(x, y) == 0 ? 1 : 0;
        EXPECT_GT(black, 20);
        if (w == 1) {
            // A point of the sine: x = 1.6 gives (round(9.6) + 4, middle - round(18 sin 1.6)).
            const double x = 20 * 0.08;
            EXPECT_EQ(picture->Canvas()->GetPixel(static_cast<int>(std::lround(6 * x)) + 4,
                                                  mid - static_cast<int>(std::lround(18 * std::sin(x)))),
                      0);
        }
        EXPECT_TRUE(picture->SaveToPngFile(ScreenshotPath("lfo-waveform-" + std::to_string(w))));
    }
    Sim.ClearLog();
    Click(editor->Successivo);
    EXPECT_TRUE(Received().empty());
}

}  // namespace
}  // namespace zel::test
