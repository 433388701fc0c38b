// The media player's MIDI sequencer against the manual clock and an in-process MIDI output: each event at
// its time, the output held only while playing, Stop ending the notes that sound, and its failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/midi/MidiBackend.h"
#include "platform/rtl/Clock.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/MPlayer.h"
#include "support/TempDir.h"
#include "support/midi/SmfBuilder.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

struct TReceived {
    TTick time;
    TSmfBytes bytes;
    bool operator==(const TReceived&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TReceived& r) {
    os << r.time << ":";
    for (std::uint8_t b : r.bytes) os << " " << std::hex << static_cast<int>(b) << std::dec;
    return os;
}

class MediaPlayer : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        backend.AddOutput("Other");
        backend.AddOutput("Synth", [this](const BYTE* d, std::size_t n) {
            received.push_back({GetTickCount(), TSmfBytes(d, d + n)});
        });
        SetMidiBackendForTests(&backend);
        player = Keep(Construct<TMediaPlayer>(nullptr));
        player->DeviceType = dtSequencer;
        player->OutputDevice = 1;  // "Synth"
    }
    void TearDown() override {
        VclTest::TearDown();
        SetMidiBackendForTests(nullptr);
    }
    std::string Write(const std::string& name, const TSmfBytes& bytes) {
        const std::string path = dir.File(name);
        WriteAll(path, std::string(bytes.begin(), bytes.end()));
        return path;
    }
    bool Held() const { return backend.OutputOpen("Synth"); }

    TManualClockScope clock{1000};
    TInProcessMidiBackend backend;
    TempDir dir;
    TMediaPlayer* player = nullptr;
    std::vector<TReceived> received;
};

TEST_F(MediaPlayer, AFormatOneFileWithATempoChangePlaysEachEventAtItsTime) {
    player->FileName = Write("Tempo.Mid", TempoChangeFile());
    player->Open();
    EXPECT_EQ(player->GetMode(), mpStopped);
    EXPECT_EQ(player->GetLength(), 1250u);
    EXPECT_FALSE(Held());  // an open file does not hold the output
    player->Play();
    EXPECT_EQ(player->GetMode(), mpPlaying);
    EXPECT_TRUE(Held());
    clock->Advance(5000);
    const std::vector<TReceived> expected = {
        {1000, {0x90, 0x3C, 0x64}},
        {1500, {0x90, 0x3C, 0x00}},
        {2000, {0x90, 0x40, 0x64}},
        {2250, {0x80, 0x40, 0x00}},
        {2250, {0xF0, 0x41, 0x10, 0x42, 0x12, 0xF7}},
    };
    EXPECT_EQ(received, expected);
    // At the end the output is given back.
    EXPECT_FALSE(Held());
    EXPECT_EQ(player->GetMode(), mpStopped);
    EXPECT_EQ(ClockTimers().Count(), 0u);
    // Played again, it starts from the beginning.
    received.clear();
    player->Play();
    clock->Advance(600);
    EXPECT_EQ(received.size(), 2u);
    player->Close();
    EXPECT_EQ(player->GetMode(), mpNotReady);
    EXPECT_FALSE(Held());
}

TEST_F(MediaPlayer, StopEndsTheNotesThatSoundAndLetsGoOfTheOutput) {
    TSmfTrack t;
    t.Event(0, {0xB1, 0x40, 0x7F})  // sustain pedal down on channel 2
        .Event(0, {0x91, 0x3C, 0x64})
        .Event(0, {0x92, 0x40, 0x64})
        .Event(0, {0x92, 0x40, 0x50})  // the same note twice
        .Event(48, {0x82, 0x40, 0x00})
        .Event(48, {0x81, 0x3C, 0x00})
        .Event(0, {0xB1, 0x40, 0x00})
        .End();
    player->FileName = Write("Held.Mid", SmfFile(0, 96, {t}));
    player->Open();
    player->Play();
    clock->Advance(300);  // the first note-off (at 250 ms) is out
    ASSERT_EQ(received.size(), 5u);
    received.clear();
    player->Stop();
    const std::vector<TReceived> silence = {
        {1300, {0x81, 0x3C, 0x00}},
        {1300, {0xB1, 0x40, 0x00}},
        {1300, {0x82, 0x40, 0x00}},  // of the note started twice, the one still sounding
    };
    EXPECT_EQ(received, silence);
    EXPECT_FALSE(Held());
    EXPECT_EQ(player->GetMode(), mpStopped);
    EXPECT_EQ(player->GetPosition(), 300u);
    // Nothing more comes while stopped; Play goes on from where it stopped.
    received.clear();
    clock->Advance(1000);
    EXPECT_TRUE(received.empty());
    player->Play();
    EXPECT_TRUE(Held());
    clock->Advance(199);
    EXPECT_TRUE(received.empty());
    clock->Advance(1);
    const std::vector<TReceived> rest = {{2500, {0x81, 0x3C, 0x00}}, {2500, {0xB1, 0x40, 0x00}}};
    EXPECT_EQ(received, rest);
    EXPECT_FALSE(Held());
}

TEST_F(MediaPlayer, MessagesAfterASystemExclusiveBlockWaitUntilItIsSent) {
    TSmfTrack t;
    t.SysEx(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7}).Event(0, {0x90, 0x3C, 0x64}).Event(96, {0x80, 0x3C, 0x00}).End();
    player->FileName = Write("Reset.Mid", SmfFile(0, 96, {t}));
    player->Open();
    backend.HoldLongMessages(true);  // a slow output: the block stays queued
    player->Play();
    clock->Advance(20);
    EXPECT_TRUE(received.empty());
    backend.ReleaseHeld();
    clock->Advance(1);
    const std::vector<TReceived> first = {{1020, {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}}, {1021, {0x90, 0x3C, 0x64}}};
    EXPECT_EQ(received, first);
    // The later events keep their own times.
    clock->Advance(1000);
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[2], (TReceived{1500, {0x80, 0x3C, 0x00}}));
    EXPECT_FALSE(Held());

    // A stop while a block is held back takes it back and lets go of the output.
    received.clear();
    player->Play();
    EXPECT_EQ(backend.HeldCount(), 1u);
    player->Stop();
    EXPECT_EQ(backend.HeldCount(), 0u);
    EXPECT_FALSE(Held());
    EXPECT_TRUE(received.empty());
    backend.HoldLongMessages(false);
}

TEST_F(MediaPlayer, FailuresRaiseTheMediaPlayersErrorAndHoldNothing) {
    const std::string good = Write("Good.Mid", TempoChangeFile());
    const std::string syx =
        Write("Patch.Mid", {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x00, 0x7D, 0xF7});
    TSmfBytes damaged = TempoChangeFile();
    damaged.resize(damaged.size() - 3);
    const std::string cut = Write("Cut.Mid", damaged);
    struct Row {
        const char* name;
        std::string file;
        TMPDeviceTypes type;
        MMRESULT outputFails;
        bool openFirst;
        std::string message;
    };
    const Row rows[] = {
        {"a missing file", dir.File("None.Mid"), dtSequencer, 0, true,
         "Unable to open " + dir.File("None.Mid") + ": Unable to read the MIDI file " + dir.File("None.Mid")},
        {"a System Exclusive file", syx, dtSequencer, 0, true, "Unable to open " + syx + ": Not a standard MIDI file"},
        {"a damaged file", cut, dtSequencer, 0, true, "Unable to open " + cut + ": Damaged MIDI file: a chunk of"},
        {"no file name", "", dtSequencer, 0, true, "Unable to open the media player: no file name is given"},
        {"another device", good, dtWaveAudio, 0, true,
         "Unable to open the media player: only the MIDI sequencer is available"},
        {"not open", good, dtSequencer, 0, false, "Unable to play: no MIDI file is open"},
        {"an output in use", good, dtSequencer, MMSYSERR_ALLOCATED, true,
         "Unable to play " + good + " through the MIDI output: "},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        player->Close();
        player->FileName = r.file;
        player->DeviceType = r.type;
        backend.FailOutputOpen = r.outputFails;
        try {
            if (r.openFirst) player->Open();
            player->Play();
            ADD_FAILURE() << "played";
        } catch (const EMCIDeviceError& e) {
            EXPECT_EQ(e.Message.substr(0, r.message.size()), r.message) << e.Message;
        }
        EXPECT_NE(player->GetMode(), mpPlaying);
        EXPECT_FALSE(Held());
        EXPECT_TRUE(received.empty());
    }
}

TEST_F(MediaPlayer, AFormReadsAnInvisibleSequencerThatCanOpenItsFile) {
    struct TReadForm : TForm {
        TReadForm(TComponent* owner, const TFormResource* r) : TForm(owner), res(r) {}
        std::string ClassName() const override { return "TFormPlayer"; }
        const TFormResource* FormResource() const override { return res; }
        void DefineBindings(TFormBindings& B) override { B.Field("MediaPlayer", MediaPlayer); }
        TMediaPlayer* MediaPlayer = nullptr;
        const TFormResource* res;
    };
    const std::string song = Write("Song.Mid", TempoChangeFile());
    for (const bool autoOpen : {false, true}) {
        SCOPED_TRACE(autoOpen ? "opened when read" : "left closed");
        const std::string text = std::string(
                                     "object FormPlayer: TFormPlayer\n"
                                     "  Caption = 'Player'\n"
                                     "  object MediaPlayer: TMediaPlayer\n"
                                     "    Left = 16\n"
                                     "    Top = 200\n"
                                     "    Width = 253\n"
                                     "    Height = 30\n"
                                     "    DeviceType = dtSequencer\n"
                                     "    DoubleBuffered = True\n"
                                     "    Visible = False\n"
                                     "    TabOrder = 0\n") +
                                 (autoOpen ? "    AutoOpen = True\n    FileName = '" + song + "'\n" : "") +
                                 "  end\nend\n";
        const TFormResource resource{"Player", text.c_str()};
        auto* f = Keep(Construct<TReadForm>(nullptr, &resource));
        ASSERT_NE(f->MediaPlayer, nullptr);
        EXPECT_EQ(f->MediaPlayer->DeviceType, dtSequencer);
        EXPECT_FALSE(f->MediaPlayer->GetVisible());
        EXPECT_EQ(f->MediaPlayer->GetMode(), autoOpen ? mpStopped : mpNotReady);
        EXPECT_EQ(f->MediaPlayer->MidiFile().Events.size(), autoOpen ? 5u : 0u);
    }
}

}  // namespace
}  // namespace zel::test
