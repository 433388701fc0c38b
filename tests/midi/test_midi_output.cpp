// TMidiOutput over the in-process MIDI back end, and both components talking to the simulator.
#include "support/midi/MidiTestFixture.h"

namespace zel::test {
namespace {

TEST_F(MidiComponents, OutputDeviceChosenByIdOrName) {
    TMidiOutput out(nullptr);
    EXPECT_EQ(out.NumDevs, 2);
    EXPECT_FALSE(out.IsOpen());
    out.SetDeviceID(1);
    EXPECT_EQ(out.GetProductName(), "Keyboard");
    out.SetProductName(MidiMapperName);
    EXPECT_EQ(out.GetDeviceID(), -1);
    EXPECT_EQ(out.Technology, MOD_MAPPER);
    out.SetProductName("JV-1080");
    EXPECT_EQ(out.GetDeviceID(), 0);
    struct Row {
        const char* name;
        std::function<void()> set;
        const char* message;
    };
    const Row rows[] = {
        {"id past the devices", [&] { out.SetDeviceID(2); }, "Invalid device ID"},
        {"negative id", [&] { out.SetDeviceID(-2); }, "Invalid device ID"},
        {"unknown name", [&] { out.SetProductName("Nope"); }, "MIDI output Device Nope not installed"},
    };
    for (const Row& r : rows) {
        try {
            r.set();
            ADD_FAILURE() << r.name;
        } catch (const EmidioutputError& e) {
            EXPECT_EQ(e.Message, r.message) << r.name;
        }
    }
    ASSERT_TRUE(out.OpenPort());
    try {
        out.SetDeviceID(1);
        ADD_FAILURE();
    } catch (const EmidioutputError& e) {
        EXPECT_EQ(e.Message, "Change to DeviceID while device was open");
    }
    try {
        out.SetProductName("Keyboard");
        ADD_FAILURE();
    } catch (const EmidioutputError& e) {
        EXPECT_EQ(e.Message, "Change to ProductName while device was open");
    }
}

TEST_F(MidiComponents, OutputOpensAndClosesByResult) {
    std::size_t baseline = GlobalBlockCount();
    TMidiOutput out(nullptr);
    EXPECT_FALSE(out.ClosePort()) << "closing a closed port";
    EXPECT_FALSE(out.IsOpen());
    backend.FailOutputOpen = MMSYSERR_ALLOCATED;
    EXPECT_FALSE(out.OpenPort());
    EXPECT_EQ(out.GetError(), MMSYSERR_ALLOCATED);
    EXPECT_FALSE(out.IsOpen());
    EXPECT_EQ(GlobalBlockCount(), baseline);
    backend.FailOutputOpen = MMSYSERR_NOERROR;
    EXPECT_TRUE(out.OpenPort());
    EXPECT_TRUE(backend.OutputOpen("JV-1080"));
    EXPECT_TRUE(out.ClosePort());
    EXPECT_FALSE(backend.OutputOpen("JV-1080"));
    EXPECT_FALSE(out.ClosePort());
}

TEST_F(MidiComponents, OutputSendsShortMessagesAndEvents) {
    TMidiOutput out(nullptr);
    TMyMidiEvent note;
    note.status = 0x90;
    note.data1 = 0x3C;
    note.data2 = 0x40;
    try {
        out.SendEvent(&note);
        ADD_FAILURE();
    } catch (const EmidioutputError& e) {
        EXPECT_EQ(e.Message, "MIDI Output device not open");
    }
    ASSERT_TRUE(out.OpenPort());
    out.SendShort(0xB0, 0x07, 0x64);
    out.SendEvent(&note);
    TMyMidiEvent sysex;
    sysex.status = 0xF0;
    sysex.Sysex = MakeDataSet(0x10, Addr(3, 0, 0x10, 5), {0x40});
    sysex.SysexLength = static_cast<WORD>(sysex.Sysex.size());
    out.SendEvent(&sysex);
    auto got = sim.ReceivedMessages();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], (TBytes{0xB0, 0x07, 0x64}));
    EXPECT_EQ(got[1], (TBytes{0x90, 0x3C, 0x40}));
    EXPECT_EQ(got[2], sysex.Sysex);
    EXPECT_EQ(sim.Peek(Addr(3, 0, 0x10, 5)), 0x40);
}

TEST_F(MidiComponents, BackToBackBlocksAreEachFreedAfterTheirOwnDone) {
    std::size_t baseline = GlobalBlockCount();
    TMidiOutput out(nullptr);
    int done = 0;
    out.Onmidioutput = [&](TObject*) { ++done; };
    ASSERT_TRUE(out.OpenPort());
    std::size_t opened = GlobalBlockCount();
    backend.HoldLongMessages(true);
    TBytes a = MakeDataSet(0x10, Addr(3, 0, 0, 0), {1, 2, 3});
    TBytes b = MakeDataSet(0x10, Addr(3, 0, 0, 3), {4, 5});
    out.SendSysEx(a.data(), static_cast<WORD>(a.size()));
    out.SendSysEx(b.data(), static_cast<WORD>(b.size()));
    a.assign(a.size(), 0);  // the caller's buffer may be reused at once
    EXPECT_EQ(out.PendingBlockCount(), 2u);
    EXPECT_EQ(GlobalBlockCount(), opened + 4) << "a header and a data block each";

    backend.HoldLongMessages(false);
    backend.ReleaseHeld();
    EXPECT_EQ(sim.Read(Addr(3, 0, 0, 0), 5), (TBytes{1, 2, 3, 4, 5}));
    EXPECT_EQ(out.PendingBlockCount(), 2u) << "freed only when the done message is handled";
    ProcessPendingMessages();
    EXPECT_EQ(done, 2);
    EXPECT_EQ(out.PendingBlockCount(), 0u);
    EXPECT_EQ(GlobalBlockCount(), opened);
    out.ClosePort();
    EXPECT_GE(GlobalBlockCount(), baseline);
}

TEST_F(MidiComponents, ClosingWithBlocksQueuedFreesEachOnce) {
    TMidiOutput out(nullptr);
    int done = 0;
    out.Onmidioutput = [&](TObject*) { ++done; };
    ASSERT_TRUE(out.OpenPort());
    std::size_t opened = GlobalBlockCount();
    TBytes m = MakeDataSet(0x10, Addr(3, 0, 0, 0), {1});
    out.SendSysEx(m.data(), static_cast<WORD>(m.size()));  // done, its message not yet handled
    backend.HoldLongMessages(true);
    out.SendSysEx(m.data(), static_cast<WORD>(m.size()));  // still in the driver's hands
    out.SendSysEx(m.data(), static_cast<WORD>(m.size()));
    EXPECT_EQ(out.PendingBlockCount(), 3u);

    EXPECT_TRUE(out.ClosePort());
    EXPECT_FALSE(out.IsOpen());
    EXPECT_FALSE(backend.OutputOpen("JV-1080"));
    EXPECT_EQ(backend.HeldCount(), 0u);
    EXPECT_EQ(out.PendingBlockCount(), 0u);
    EXPECT_EQ(GlobalBlockCount(), opened);
    ProcessPendingMessages();  // the done messages of the freed blocks touch nothing
    EXPECT_EQ(done, 0);
    EXPECT_EQ(sim.ReceivedMessages().size(), 1u);
    backend.HoldLongMessages(false);

    ASSERT_TRUE(out.OpenPort());
    out.SendSysEx(m.data(), static_cast<WORD>(m.size()));
    ProcessPendingMessages();
    EXPECT_EQ(done, 1);
}

TEST_F(MidiComponents, AFailedSysexSendFreesItsCopy) {
    TMidiOutput out(nullptr);
    std::size_t baseline = GlobalBlockCount();
    TBytes m = MakeDataSet(0x10, Addr(3, 0, 0, 0), {1});
    try {
        out.SendSysEx(m.data(), static_cast<WORD>(m.size()));
        ADD_FAILURE();
    } catch (const EmidioutputError& e) {
        EXPECT_EQ(e.Message, TMidiOutput::MidiOutErrorString(MMSYSERR_INVALHANDLE));
    }
    EXPECT_EQ(GlobalBlockCount(), baseline);
    EXPECT_EQ(out.PendingBlockCount(), 0u);
    EXPECT_THROW(out.SendShort(0x90, 1, 2), EmidioutputError);
}

TEST_F(MidiComponents, ErrorTextsFallBackForUnknownCodes) {
    EXPECT_EQ(TMidiOutput::MidiOutErrorString(999), "Specified error number is out of range");
    EXPECT_EQ(TMidiInput::MidiInErrorString(999), "Specified error number is out of range");
    char text[MAXERRORLENGTH];
    midiOutGetErrorTextA(MIDIERR_STILLPLAYING, text, sizeof(text));
    EXPECT_EQ(TMidiOutput::MidiOutErrorString(MIDIERR_STILLPLAYING), text);
}

TEST_F(MidiComponents, ADataRequestIsAnsweredBlockByBlock) {
    sim.Write(Addr(0x11, 0, 0, 0), {'P', 'i', 'a', 'n', 'o'});
    auto in = OpenInput();
    TMidiOutput out(nullptr);
    ASSERT_TRUE(out.OpenPort());
    TBytes rq = MakeDataRequest(0x10, Addr(0x11, 0, 0, 0), 0x1718);
    out.SendSysEx(rq.data(), static_cast<WORD>(rq.size()));
    ProcessPendingMessages();
    ASSERT_EQ(events.size(), 5u);
    const std::size_t lengths[] = {83, 140, 140, 140, 140};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(events[i]->SysexLength, lengths[i]);
        EXPECT_EQ(events[i]->Sysex, sim.SentMessages()[i]);
    }
    EXPECT_EQ(TBytes(events[0]->Sysex.begin() + 9, events[0]->Sysex.begin() + 14), (TBytes{'P', 'i', 'a', 'n', 'o'}));

    // A late answer arrives when its time has come.
    events.clear();
    sim.ReplyDelayMs = 500;
    out.SendSysEx(rq.data(), static_cast<WORD>(rq.size()));
    ProcessPendingMessages();
    EXPECT_TRUE(events.empty());
    clock->Advance(500);
    ProcessPendingMessages();
    EXPECT_EQ(events.size(), 5u);
}

}  // namespace
}  // namespace zel::test
