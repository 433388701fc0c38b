// A musician's session with the tone editors, end to end over a real JACK transport to the instrument
// simulator, through real clicks and keys: the filter of tone 2 (a cutoff drag, an envelope point and one
// Undo), the reverb send of tone 1, a wave picked by name in the name picker, Ctrl+S, and a Send of the
// patch. Under CI (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure; elsewhere the test skips.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>

#include "EditorsJackFixture.h"
#include "app/ScreenInput.h"
#include "app/Uenames.h"
#include "editors/Uecontr.h"
#include "editors/Uetvf.h"
#include "editors/Uewave.h"

namespace zel::test {
namespace {

class ToneSessionOverJack : public EditorsOverJack {
protected:
    template <class T>
    T* OpenSection(TFormPatch* window, TPatch& patch, const std::string& panel, int tone, std::size_t slot) {
        window->BringToFront();
        RunQueue();
        DoubleClick(window->SectionPanel(panel));
        return dynamic_cast<T*>(patch.Tone(tone).Editors[slot].EditorForm);
    }
    // The last data set the instrument received.
    std::string LastReceived() const {
        const std::vector<TBytes> all = Sim.ReceivedMessages();
        return all.empty() ? std::string() : Hex(all.back());
    }
};

TEST_F(ToneSessionOverJack, EditFilterReverbAndWaveThenSaveAndSend) {
    Program::Click(Formzelmo->FileNewItem);
    auto* library = dynamic_cast<TFormLibrary*>(Formzelmo->ActiveMDIChild());
    ASSERT_NE(library, nullptr);
    ClickOn(library->NewPatch);
    TPatch& patch = dynamic_cast<TPatch&>(*library->Library()->Elements.back());
    patch.Tone(1).Data()[2] = 1;  // Internal A
    patch.Tone(2).Data()[81] = 20;
    for (int n = 91; n <= 98; ++n) patch.Tone(2).Data()[n] = 40;  // an envelope with its points apart
    Sim.ClearLog();
    DoubleClickAt(RowPoint(library, 0));
    auto* window = dynamic_cast<TFormPatch*>(patch.Window);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(TJackInstrument::WaitFor([&] { return Sim.DataSetsApplied() >= 5; }, 5s));

    // TVF of tone 2: the cutoff dragged to 64 arrives as its one-byte data set.
    auto* tvf = OpenSection<TFormTVF>(window, patch, "Tvf2", 2, TTone::teTVF);
    ASSERT_NE(tvf, nullptr);
    Sim.ClearLog();
    DragSliderTo(tvf->cutofffrequency->Slider(), 64);
    EXPECT_TRUE(Arrived("F0 41 10 6A 12 03 00 12 51 40 5A F7"));
    // A point of the envelope dragged, then one Undo: the old byte of the last change in one message.
    const TGraphPoints before = tvf->Graph->GetPoints();
    const TPoint p = tvf->Graph->PointPos(2);
    Clock->Advance(GetDoubleClickTime() + 1);
    POINT s = ScreenPoint(tvf->Graph, p.x, p.y);
    SetCursorPos(s.x, s.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    RunQueue();
    for (int i = 1; i <= 10; ++i) {
        s = ScreenPoint(tvf->Graph, p.x + i / 2, p.y - i);
        SetCursorPos(s.x, s.y);
        mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
        RunQueue();
    }
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    RunQueue();
    const TGraphPoints after = tvf->Graph->GetPoints();
    ASSERT_NE(after[2].Level, before[2].Level);
    EXPECT_TRUE(
        TJackInstrument::WaitFor([&] { return Sim.Read(Addr(0x03, 0, 0x12, 96), 1)[0] == after[2].Level; }, 5s));
    Sim.ClearLog();
    Click(tvf->BtnUndo);
    const std::string undone = "F0 41 10 6A 12 03 00 12 60 " + Hex(TBytes{static_cast<std::uint8_t>(before[2].Level)});
    EXPECT_TRUE(TJackInstrument::WaitFor([&] { return LastReceived().rfind(undone, 0) == 0; }, 5s)) << LastReceived();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(Sim.ReceivedMessages().size(), 1u);

    // Control of tone 1: the reverb send reaches offset 01 00 of the tone.
    auto* control = OpenSection<TFormControl>(window, patch, "Control1", 1, TTone::teControl);
    ASSERT_NE(control, nullptr);
    DragSliderTo(control->ReverbSendLevel->Slider(), 100);
    EXPECT_TRUE(Arrived("F0 41 10 6A 12 03 00 11 00 64 08 F7"));

    // Wave of tone 1: "B" shows the name picker; a click on a name and OK send group and number.
    ASSERT_NE(FormNames, nullptr);
    FormNames->List(1).Clear();
    for (int i = 0; i < 256; ++i) FormNames->List(1).Add("Wave " + std::to_string(i));
    auto* wave = OpenSection<TFormWave>(window, patch, "Wave1", 1, TTone::teWave);
    ASSERT_NE(wave, nullptr);
    bool picked = false;
    int idles = 0;
    Application->OnIdle = [&](TObject*, bool& done) {
        done = false;
        if (++idles > 100000) FormNames->ModalResult = mrCancel;  // never hang the test
        if (picked || !FormNames->GetVisible()) return;
        picked = true;
        const TRect cell = FormNames->StringGrid1->CellRect(2, 3);
        ClickScreen(ScreenPoint(FormNames->StringGrid1, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
        ClickControl(FormNames->BitBtn3);
    };
    Click(wave->Button1);
    Application->OnIdle = nullptr;
    ASSERT_TRUE(picked);
    EXPECT_EQ(wave->WaveName->GetText(), "Wave 20");
    EXPECT_TRUE(Arrived("F0 41 10 6A 12 03 00 10 01 00 01 01 04 66 F7"));

    // Ctrl+S saves the library: the file holds what the editors show.
    const std::string path = Folder() + "/tones.Lib";
    Choose.push_back(path);
    Key('S', {VK_CONTROL});
    ASSERT_TRUE(std::filesystem::exists(path));
    TLibrary reread;
    reread.LoadFromFile(path);
    ASSERT_EQ(reread.Elements.size(), 1u);
    auto& saved = dynamic_cast<TPatch&>(*reread.Elements.front());
    EXPECT_EQ(saved.Tone(2).GetParam(81), tvf->cutofffrequency->GetValue());
    EXPECT_EQ(saved.Tone(1).GetParam(0x100), control->ReverbSendLevel->GetValue());
    EXPECT_EQ(saved.Tone(1).GetParam(3), 1);
    EXPECT_EQ(saved.Tone(1).GetParam(4), 4);

    // Send: the instrument's temporary patch equals the patch.
    window->BringToFront();
    RunQueue();
    Click(window->SpeedSend);
    EXPECT_TRUE(TJackInstrument::WaitFor(
        [&] {
            if (TemporaryCommon() != CommonData(patch)) return false;
            for (int t = 1; t <= 4; ++t)
                if (TemporaryTone(t) != ToneData(patch, t)) return false;
            return true;
        },
        5s));
    EXPECT_TRUE(Boxes.empty());
}

}  // namespace
}  // namespace zel::test
