// The media player's MIDI sequencer over a real JACK transport: a reset block and the notes after it reach a
// JACK client in the file's order, although the output sends blocks on a thread of its own, and a note
// left sounding at the end is ended.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/midi/MmSystem.h"
#include "platform/rtl/Clock.h"
#include "platform/vcl/MPlayer.h"
#include "support/JackTest.h"
#include "support/TempDir.h"
#include "support/midi/SmfBuilder.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

using namespace std::chrono_literals;

class MediaPlayerOnJack : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        opened = OpenOnJack(instrument);
    }
    void TearDown() override {
        VclTest::TearDown();
        SetMidiBackendForTests(nullptr);
    }
    TManualClockScope clock{1000};
    TJackInstrument instrument{"zelmovi-player-sim"};
    TempDir dir;
    bool opened = false;
};

TEST_F(MediaPlayerOnJack, ABlockAndTheNotesAfterItArriveInTheFilesOrder) {
    if (!opened) return;
    int device = -1;
    for (UINT i = 0; i < midiOutGetNumDevs(); ++i) {
        MIDIOUTCAPSA caps;
        if (midiOutGetDevCapsA(i, &caps, sizeof(caps)) == MMSYSERR_NOERROR &&
            instrument.InputPortName().substr(0, MAXPNAMELEN - 1) == caps.szPname)
            device = static_cast<int>(i);
    }
    ASSERT_GE(device, 0) << instrument.InputPortName();
    TSmfBytes reset{0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41};
    reset.resize(200, 0x00);  // a long block takes a while on its way
    reset.push_back(0xF7);
    TSmfTrack t;
    AppendNumber(t.Bytes, 0);
    t.Bytes.push_back(0xF0);
    AppendNumber(t.Bytes, static_cast<std::uint32_t>(reset.size()));
    t.Bytes.insert(t.Bytes.end(), reset.begin(), reset.end());
    t.Event(0, {0x90, 0x3C, 0x64}).Event(0, {0x90, 0x40, 0x64}).Event(96, {0x80, 0x3C, 0x00}).End();
    const TSmfBytes bytes = SmfFile(0, 96, {t});
    WriteAll(dir.File("Reset.Mid"), std::string(bytes.begin(), bytes.end()));

    TMediaPlayer* player = Keep(Construct<TMediaPlayer>(nullptr));
    player->OutputDevice = static_cast<UINT>(device);
    player->FileName = dir.File("Reset.Mid");
    player->Open();
    player->Play();
    // The manual clock moves on a millisecond at a time while the transport works in real time.
    ASSERT_TRUE(TJackInstrument::WaitFor(
        [&] {
            clock->Advance(1);
            std::this_thread::sleep_for(1ms);
            return instrument.ReceivedCount() >= 5;
        },
        10s));
    const std::vector<TBytes> got = instrument.Received();
    ASSERT_EQ(got.size(), 5u);
    TBytes block{0xF0};
    block.insert(block.end(), reset.begin(), reset.end());
    EXPECT_EQ(got[0], block);
    EXPECT_EQ(got[1], (TBytes{0x90, 0x3C, 0x64}));
    EXPECT_EQ(got[2], (TBytes{0x90, 0x40, 0x64}));
    EXPECT_EQ(got[3], (TBytes{0x80, 0x3C, 0x00}));
    // The file ends with a note still sounding: the end of playing ends it.
    EXPECT_EQ(got[4], (TBytes{0x80, 0x40, 0x00}));
    EXPECT_EQ(player->GetMode(), mpStopped);
}

}  // namespace
}  // namespace zel::test
