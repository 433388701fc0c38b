// A musician's session with the performance and rhythm-set editors, end to end over a real JACK transport
// to the instrument simulator, through real clicks and keys: a library with a performance and a rhythm
// set, part 10 given one of the instrument's user rhythm sets, part 1 a patch picked by name, a key's TVA
// level lowered, Ctrl+S, and both elements sent again. Under CI (ZELMOVI_REQUIRE_JACK=1) a missing server
// is a failure; elsewhere the test skips.
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <string>
#include <thread>

#include "EditorsJackFixture.h"
#include "PerformanceFixture.h"

namespace zel::test {
namespace {

using namespace std::chrono_literals;

class PerformanceSessionOverJack : public PerformanceEditorsOn<EditorsOverJack> {
protected:
    // Handles what arrives while waiting, in real time, for the condition.
    static bool Until(const std::function<bool()>& done) {
        for (auto end = std::chrono::steady_clock::now() + 5s; std::chrono::steady_clock::now() < end;) {
            RunQueue();
            if (done()) return true;
            std::this_thread::sleep_for(5ms);
        }
        return done();
    }
    bool Arrived(const TBytes& message) { return EditorsOverJack::Arrived(Hex(message)); }
    // Runs an action that sends a rhythm set through the progress window, until the instrument has it.
    void SendingTheSet(const std::function<void()>& act) {
        const int before = Sim.DataSetsApplied();
        WithProgress(act);
        EXPECT_TRUE(TJackInstrument::WaitFor([&] { return Sim.DataSetsApplied() >= before + 65; }, 5s));
    }
};

TEST_F(PerformanceSessionOverJack, PartsAndAKeyEditedSavedAndSentAgain) {
    TScriptedNamePicker picker;
    picker.FillList(61, 50, "User ");
    const auto rock = NameToData("Rock Kit"), jazz = NameToData("Jazz Kit");
    Sim.Write(Addr(0x10, 0x40, 0, 0), TBytes(rock.begin(), rock.end()));
    Sim.Write(Addr(0x10, 0x41, 0, 0), TBytes(jazz.begin(), jazz.end()));

    // A library holding a performance and a rhythm set.
    Program::Click(Formzelmo->FileNewItem);
    auto* library = dynamic_cast<TFormLibrary*>(Formzelmo->ActiveMDIChild());
    ASSERT_NE(library, nullptr);
    ClickOn(library->NewPerformance);
    ClickOn(library->NewRhythm);
    ASSERT_EQ(library->Library()->Elements.size(), 2u);
    auto& performance = dynamic_cast<TPerformance&>(*library->Library()->Elements[0]);
    auto& rhythm = dynamic_cast<TRhythm&>(*library->Library()->Elements[1]);
    rhythm.Note(38).Data()[41] = 100;
    library->SetBounds(0, 0, 300, 200);

    // The performance's row double-clicked, then "Parts": the user rhythm-set names come over.
    DoubleClickRow(library, 0);
    auto* window = dynamic_cast<TFormPerformance*>(performance.Window);
    ASSERT_NE(window, nullptr);
    window->SetBounds(320, 0, window->GetWidth(), window->GetHeight());
    TFormPart* parts = OpenParts(window);
    ASSERT_NE(parts, nullptr);
    parts->SetBounds(320, 160, parts->GetWidth(), parts->GetHeight());
    ASSERT_TRUE(Until([&] { return !parts->HoldsMidiInput(); }));
    EXPECT_TRUE(Boxes.empty());

    // Part 10: the second user set chosen by name.
    Click(parts->PartButton[9]);
    ASSERT_EQ(parts->ComboRhythmName->Items()->Count(), 2);
    EXPECT_EQ(parts->ComboRhythmName->Items()->Strings(1), "Jazz Kit    ");
    Sim.ClearLog();
    ChooseItem(parts->ComboRhythmName, 1);
    EXPECT_TRUE(Arrived(MakeDataSet(0x10, Addr(0x01, 0x00, 0x19, 0x02), {0x00, 0x00, 0x00, 0x01})));

    // Part 1: a patch picked by name.
    Click(parts->PartButton[0]);
    picker.Picks = {12};
    Click(parts->ButtonPN);
    EXPECT_EQ(parts->Patchname->GetText(), "User 12");
    EXPECT_TRUE(Arrived(MakeDataSet(0x10, Addr(0x01, 0x00, 0x10, 0x02), {0x00, 0x00, 0x00, 0x0C})));

    // The rhythm set's row double-clicked, then "TVA": the key of note 38 a step quieter.
    SendingTheSet([&] { DoubleClickRow(library, 1); });
    auto* rhythmWindow = dynamic_cast<TFormRhythm*>(rhythm.Window);
    ASSERT_NE(rhythmWindow, nullptr);
    rhythmWindow->SetBounds(0, 220, rhythmWindow->GetWidth(), rhythmWindow->GetHeight());
    ProcessPendingMessages();
    auto* tva = OpenKeyEditor<TFormrhyTva>(rhythmWindow, rhythmWindow->RhyTVA, TRhythm::reTVA);
    ASSERT_NE(tva, nullptr);
    ClickKey(tva->KeySelector, 38);
    ASSERT_EQ(tva->CurrentKey(), 38);
    const int level = tva->ToneLevel->GetValue();
    ASSERT_EQ(level, 100);
    Sim.ClearLog();
    DragSliderTo(tva->ToneLevel->Slider(), level - 1);
    EXPECT_TRUE(Arrived(MakeDataSet(0x10, Addr(0x02, 0x09, 0x26, 0x29), {static_cast<std::uint8_t>(level - 1)})));

    // Ctrl+S with the key editor active saves the library: the file holds both changes.
    ASSERT_EQ(Formzelmo->ActiveMDIChild(), tva);
    const std::string path = Folder() + "/session.Lib";
    Choose.push_back(path);
    Key('S', {VK_CONTROL});
    ASSERT_TRUE(std::filesystem::exists(path));
    TLibrary reread;
    reread.LoadFromFile(path);
    ASSERT_EQ(reread.Elements.size(), 2u);
    const auto& savedPerformance = dynamic_cast<const TPerformance&>(*reread.Elements[0]);
    const auto& savedRhythm = dynamic_cast<const TRhythm&>(*reread.Elements[1]);
    EXPECT_EQ(PartData(savedPerformance, 10), PartData(performance, 10));
    EXPECT_EQ(savedPerformance.Part(10).GetParam(5), 1);
    EXPECT_EQ(savedPerformance.Part(1).GetParam(5), 12);
    EXPECT_EQ(savedRhythm.Note(38).GetParam(41), level - 1);

    // Sent again: the instrument's temporary areas equal the elements.
    SendingTheSet([&] { Click(rhythmWindow->SpeedButton3); });
    for (int key : {35, 38, 98}) EXPECT_EQ(TemporaryNote(key), NoteData(rhythm, key)) << key;
    window->BringToFront();
    ProcessPendingMessages();
    const int before = Sim.DataSetsApplied();
    Click(window->SpeedButton3);
    EXPECT_TRUE(TJackInstrument::WaitFor([&] { return Sim.DataSetsApplied() >= before + 17; }, 5s));
    for (int part = 1; part <= PartCount; ++part) EXPECT_EQ(TemporaryPart(part), PartData(performance, part)) << part;
    EXPECT_EQ(Sim.Read(Addr(0x01, 0, 0, 0), 64),
              TBytes(performance.Common->Data(), performance.Common->Data() + TPerformanceCommon::DataSize));
    EXPECT_TRUE(Boxes.empty());
}

}  // namespace
}  // namespace zel::test
