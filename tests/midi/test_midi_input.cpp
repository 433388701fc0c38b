// TMidiInput over the in-process MIDI back end.
#include "support/midi/MidiTestFixture.h"

namespace zel::test {
namespace {

TEST_F(MidiComponents, InputNeedsAnInputDevice) {
    TInProcessMidiBackend none;
    SetMidiBackendForTests(&none);
    try {
        TMidiInput in(nullptr);
        FAIL() << "constructed without a device";
    } catch (const EMidiInputError& e) {
        EXPECT_EQ(e.Message, "Invalid device ID");
    }
    SetMidiBackendForTests(&backend);
}

TEST_F(MidiComponents, InputDeviceChosenByIdOrName) {
    TMidiInput in(nullptr);
    EXPECT_EQ(in.GetDeviceID(), 0);
    EXPECT_EQ(in.GetProductName(), "JV-1080");
    EXPECT_EQ(in.NumDevs, 2);
    EXPECT_EQ(in.MID, MM_ZELMOVI_MID);
    in.SetProductName("Keyboard");
    EXPECT_EQ(in.GetDeviceID(), 1);
    try {
        in.SetProductName("Nope");
        FAIL();
    } catch (const EMidiInputError& e) {
        EXPECT_EQ(e.Message, "MIDI Input Device Nope not installed ");
    }
    EXPECT_THROW(in.SetDeviceID(2), EMidiInputError);
    EXPECT_EQ(in.GetDeviceID(), 1);
}

TEST_F(MidiComponents, InputSettersRefusedWhileOpen) {
    auto in = OpenInput();
    struct Row {
        const char* message;
        std::function<void()> set;
    };
    const Row rows[] = {
        {"Change to DeviceID while device was open", [&] { in->SetDeviceID(1); }},
        {"Change to ProductName while device was open", [&] { in->SetProductName("Keyboard"); }},
        {"Change to SysexBufferSize while device was open", [&] { in->SetSysexBufferSize(100); }},
        {"Change to SysexBuffercount while device was open", [&] { in->SetSysexBufferCount(2); }},
    };
    for (const Row& r : rows) {
        try {
            r.set();
            ADD_FAILURE() << "accepted: " << r.message;
        } catch (const EMidiInputError& e) {
            EXPECT_EQ(e.Message, r.message);
        }
    }
    in->Close();
    for (const Row& r : rows) EXPECT_NO_THROW(r.set()) << r.message;
}

TEST_F(MidiComponents, ShortMessagesReachTheMainThreadInOrder) {
    auto in = OpenInput();
    clock->Advance(10);
    Inject({0x90, 0x3C, 0x40});
    Inject({0xFE});  // active sensing
    Inject({0xF8});  // timing clock
    clock->Advance(7);
    Inject({0xB0, 0x07, 0x64});
    Inject({0xC1, 0x05});
    EXPECT_EQ(in->PendingEventCount(), 3);
    EXPECT_TRUE(events.empty()) << "events arrive only through the message loop";
    ProcessPendingMessages();
    ASSERT_EQ(events.size(), 3u);
    struct Row {
        BYTE status, data1, data2;
        DWORD time;
    };
    const Row expected[] = {{0x90, 0x3C, 0x40, 10}, {0xB0, 0x07, 0x64, 17}, {0xC1, 0x05, 0x00, 17}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(events[i]->status, expected[i].status);
        EXPECT_EQ(events[i]->data1, expected[i].data1);
        EXPECT_EQ(events[i]->data2, expected[i].data2);
        EXPECT_EQ(events[i]->timestamp, expected[i].time);
        EXPECT_EQ(events[i]->SysexLength, 0);
    }
    EXPECT_EQ(in->PendingEventCount(), 0);
}

TEST_F(MidiComponents, SysexOnlyDropsShortMessages) {
    auto in = OpenInput();
    in->SetSysexOnly(true);  // taken over by the running callback
    Inject({0x90, 0x3C, 0x40});
    Inject(MakeDataSet(0x10, Addr(3, 0, 0, 0), {1, 2, 3}));
    in->SetSysexOnly(false);
    Inject({0x80, 0x3C, 0x00});
    ProcessPendingMessages();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]->status, 0xF0);
    EXPECT_EQ(events[0]->Sysex, MakeDataSet(0x10, Addr(3, 0, 0, 0), {1, 2, 3}));
    EXPECT_EQ(events[1]->status, 0x80);
}

TEST_F(MidiComponents, ClosedInputHasNoEvents) {
    TMidiInput in(nullptr);
    EXPECT_EQ(in.NextEvent(), nullptr);
    EXPECT_EQ(in.PendingEventCount(), 0);
    EXPECT_NO_THROW(in.Close());
    in.Open();
    in.Start();
    Inject({0x90, 1, 2});
    in.Close();
    EXPECT_EQ(in.NextEvent(), nullptr);
    EXPECT_EQ(in.PendingEventCount(), 0);
}

TEST_F(MidiComponents, TheEntryAfterAFullRingIsLostAndReported) {
    auto in = OpenInput();
    for (int i = 0; i < 1025; ++i) Inject({0x90, static_cast<BYTE>(i % 128), static_cast<BYTE>(i / 128)});
    EXPECT_EQ(in->PendingEventCount(), 1024);
    ProcessPendingMessages();
    EXPECT_EQ(overflows, 1);
    ASSERT_EQ(events.size(), 1024u);
    EXPECT_EQ(events.back()->data1, 1023 % 128);
    EXPECT_EQ(events.back()->data2, 1023 / 128);
    // Room again once drained.
    Inject({0x90, 0, 0});
    ProcessPendingMessages();
    EXPECT_EQ(events.size(), 1025u);
    EXPECT_EQ(overflows, 1);
}

TEST_F(MidiComponents, LongSysexArrivesInBufferSizedEvents) {
    auto in = OpenInput();
    TBytes big = SysexOfLength(10000);
    Inject(big);
    ProcessPendingMessages();
    ASSERT_EQ(events.size(), 3u);
    TBytes joined;
    for (auto& e : events) {
        EXPECT_EQ(e->status, 0xF0);
        EXPECT_EQ(e->SysexLength, e->Sysex.size());
        joined.insert(joined.end(), e->Sysex.begin(), e->Sysex.end());
    }
    EXPECT_EQ(events[0]->SysexLength, 4096);
    EXPECT_EQ(events[2]->SysexLength, 1808);
    EXPECT_EQ(joined, big);
}

TEST_F(MidiComponents, SysexBuffersGoBackToTheDriverOnceCopied) {
    auto in = std::make_unique<TMidiInput>(nullptr);
    in->SetSysexBufferCount(2);
    in->SetSysexBufferSize(64);
    in->Open();
    in->Start();
    // Two buffers: a third message before any is taken finds none and is lost, never written anywhere.
    Inject(SysexOfLength(20, 1));
    Inject(SysexOfLength(20, 2));
    Inject(SysexOfLength(20, 3));
    EXPECT_EQ(in->PendingEventCount(), 2);
    auto first = in->NextEvent();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Sysex, SysexOfLength(20, 1));
    Inject(SysexOfLength(20, 4));  // the buffer handed back takes it
    auto second = in->NextEvent();
    auto third = in->NextEvent();
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(second->Sysex, SysexOfLength(20, 2));
    EXPECT_EQ(third->Sysex, SysexOfLength(20, 4));
    EXPECT_EQ(in->NextEvent(), nullptr);
    // Many more, one at a time, all arrive: the buffers keep circulating.
    for (int i = 0; i < 50; ++i) {
        Inject(SysexOfLength(30, i));
        auto ev = in->NextEvent();
        ASSERT_NE(ev, nullptr) << i;
        EXPECT_EQ(ev->Sysex, SysexOfLength(30, i));
    }
}

TEST_F(MidiComponents, InputFreesEverythingItTookAndIgnoresLateMessages) {
    std::size_t baseline = GlobalBlockCount();
    {
        auto in = OpenInput();
        EXPECT_GT(GlobalBlockCount(), baseline);
        Inject({0x90, 1, 2});
        Inject(SysexOfLength(100));
        in->Close();
        EXPECT_EQ(GlobalBlockCount(), baseline + 1) << "only the callback block stays until destruction";
        ProcessPendingMessages();  // the messages posted before the close find the input closed
        EXPECT_TRUE(events.empty());
        in->Open();
        in->Start();
        Inject({0x90, 3, 4});
    }
    EXPECT_EQ(GlobalBlockCount(), baseline);
    ProcessPendingMessages();
    EXPECT_TRUE(events.empty());
}

TEST_F(MidiComponents, InputOpenFailureLeavesItClosedSilently) {
    std::size_t baseline = GlobalBlockCount();
    TMidiInput in(nullptr);
    backend.FailInputOpen = MMSYSERR_ALLOCATED;
    EXPECT_NO_THROW(in.Open());
    EXPECT_EQ(in.GetState(), misClosed);
    EXPECT_EQ(in.GetError(), MMSYSERR_ALLOCATED);
    EXPECT_EQ(GlobalBlockCount(), baseline);
    EXPECT_NO_THROW(in.Start());
    backend.FailInputOpen = MMSYSERR_NOERROR;

    // A buffer that the driver refuses: the device opened so far is closed again, nothing is kept.
    in.SetSysexBufferSize(0);
    in.Open();
    EXPECT_EQ(in.GetState(), misClosed);
    EXPECT_EQ(in.GetError(), MMSYSERR_INVALPARAM);
    EXPECT_FALSE(backend.InputOpen("JV-1080"));
    EXPECT_EQ(GlobalBlockCount(), baseline);
}

}  // namespace
}  // namespace zel::test
