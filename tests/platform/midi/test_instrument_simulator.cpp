// The instrument simulator that transfer tests talk to: its address map, data sets, data requests and the
// misbehaviours it can be asked for; and its place behind the MIDI layer.
#include <gtest/gtest.h>

#include "platform/midi/MidiBackend.h"
#include "platform/midi/MmSystem.h"
#include "platform/rtl/Clock.h"
#include "support/InstrumentSimulator.h"

namespace zel::test {
namespace {

bool ChecksumOk(const TBytes& m) { return RolandChecksumOf(m.data() + 5, m.size() - 7) == m[m.size() - 2]; }
std::uint32_t AddressOf(const TBytes& m) { return Addr(m[5], m[6], m[7], m[8]); }

class Simulator : public ::testing::Test {
protected:
    void SetUp() override {
        sim.Transmit = [this](const TBytes& m) { out.push_back(m); };
    }
    TManualClockScope clock;
    TInstrumentSimulator sim{0x10};
    std::vector<TBytes> out;
};

TEST_F(Simulator, MemoryIsLaidOutAsTheAddressMap) {
    struct Row {
        const char* name;
        std::uint32_t address;
        std::uint16_t size;
    };
    const Row rows[] = {
        {"system common", Addr(0x00, 0x00, 0x00, 0x00), 40},
        {"scale tune 17", Addr(0x00, 0x00, 0x20, 0x00), 12},
        {"temporary performance part 16", Addr(0x01, 0x00, 0x1F, 0x00), 19},
        {"temporary rhythm note 98", Addr(0x02, 0x09, 0x62, 0x00), 58},
        {"temporary patch tone 4", Addr(0x03, 0x00, 0x16, 0x00), 129},
        {"user performance 32 common", Addr(0x10, 0x1F, 0x00, 0x00), 64},
        {"user rhythm 2 common", Addr(0x10, 0x41, 0x00, 0x00), 12},
        {"user patch 128 common", Addr(0x11, 0x7F, 0x00, 0x00), 72},
        {"card rhythm 1 note 35", Addr(0x20, 0x40, 0x23, 0x00), 58},
        {"card patch 1 tone 1", Addr(0x21, 0x00, 0x10, 0x00), 129},
    };
    std::map<std::uint32_t, std::uint16_t> blocks;
    for (const auto& b : TInstrumentSimulator::Blocks()) blocks[b.Address] = b.Size;
    for (const Row& r : rows) {
        ASSERT_EQ(blocks.count(r.address), 1u) << r.name;
        EXPECT_EQ(blocks[r.address], r.size) << r.name;
    }
    // System 1 + 17, temporary 17 + 65 + 5, user and card 32 x 17 + 2 x 65 + 128 x 5 each.
    EXPECT_EQ(TInstrumentSimulator::Blocks().size(), 18u + 87u + 2u * (544u + 130u + 640u));
    // A tone's byte 128 lies at the tone's address + 01 00, nothing after it.
    EXPECT_TRUE(TInstrumentSimulator::IsMapped(Addr(0x03, 0x00, 0x11, 0x00)));
    EXPECT_FALSE(TInstrumentSimulator::IsMapped(Addr(0x03, 0x00, 0x11, 0x01)));
    EXPECT_FALSE(TInstrumentSimulator::IsMapped(Addr(0x03, 0x00, 0x00, 0x48)));
}

TEST_F(Simulator, MessageBuildersFrameAndChecksum) {
    EXPECT_EQ(MakeDataSet(0x10, Addr(0x03, 0x00, 0x10, 0x05), {0x40}),
              (TBytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x05, 0x40, 0x28, 0xF7}));
    EXPECT_EQ(MakeDataRequest(0x10, Addr(0x11, 0, 0, 0), 0x1718),
              (TBytes{0xF0, 0x41, 0x10, 0x6A, 0x11, 0x11, 0x00, 0x00, 0x00, 0x00, 0x00, 0x17, 0x18, 0x40, 0xF7}));
    EXPECT_EQ(RolandChecksumOf(TBytes{0x40, 0x40}.data(), 2), 0x00);  // never 80H
}

TEST_F(Simulator, AppliesDataSetsForItsDeviceOnly) {
    struct Row {
        const char* name;
        TBytes message;
        bool applied;
    };
    TBytes badSum = MakeDataSet(0x10, Addr(0x03, 0, 0x10, 0x05), {0x41});
    badSum[10] ^= 1;
    TBytes otherModel = MakeDataSet(0x10, Addr(0x03, 0, 0x10, 0x05), {0x42});
    otherModel[3] = 0x16;
    otherModel[10] = RolandChecksumOf(otherModel.data() + 5, 5);
    const Row rows[] = {
        {"foreign device", MakeDataSet(0x11, Addr(0x03, 0, 0x10, 0x05), {0x43}), false},
        {"bad checksum", badSum, false},
        {"other model", otherModel, false},
        {"note on", {0x90, 0x3C, 0x40}, false},
        {"own device", MakeDataSet(0x10, Addr(0x03, 0, 0x10, 0x05), {0x40}), true},
    };
    for (const Row& r : rows) {
        sim.Poke(Addr(0x03, 0, 0x10, 0x05), 0);
        sim.Receive(r.message);
        EXPECT_EQ(sim.Peek(Addr(0x03, 0, 0x10, 0x05)) != 0, r.applied) << r.name;
    }
    EXPECT_EQ(sim.DataSetsApplied(), 1);
    EXPECT_EQ(sim.IgnoredMessages(), 4);

    // A run crossing the end of a tone's first 128 bytes continues at + 01 00.
    sim.Receive(MakeDataSet(0x10, Addr(0x11, 0x00, 0x10, 0x7F), {0x11, 0x22}));
    EXPECT_EQ(sim.Peek(Addr(0x11, 0x00, 0x10, 0x7F)), 0x11);
    EXPECT_EQ(sim.Peek(Addr(0x11, 0x00, 0x11, 0x00)), 0x22);
    EXPECT_TRUE(out.empty());
}

TEST_F(Simulator, AnswersARequestWithOneDataSetPerBlock) {
    for (std::uint8_t i = 0; i < 72; ++i) sim.Poke(Addr(0x11, 0x05, 0x00, i), static_cast<std::uint8_t>(0x20 + i));
    sim.Poke(Addr(0x11, 0x05, 0x17, 0x00), 0x55);  // tone 4, byte 128
    struct Row {
        const char* name;
        std::uint32_t address;
        std::uint32_t size;
        std::vector<std::size_t> lengths;
    };
    const Row rows[] = {
        {"whole patch", Addr(0x11, 0x05, 0, 0), 0x1718, {83, 140, 140, 140, 140}},
        {"patch name", Addr(0x11, 0x05, 0, 0), 0x0C, {23}},
        {"performance common, size beyond the block", Addr(0x10, 0x00, 0, 0), 0x4B, {75}},
        {"performance part 16", Addr(0x20, 0x1F, 0x1F, 0), 0x1E, {30}},
        {"system common", Addr(0, 0, 0, 0), 0x33, {51}},
        {"rhythm note", Addr(0x10, 0x40, 0x23, 0), 0x3A, {69}},
        {"unmapped", Addr(0x50, 0, 0, 0), 0x10, {}},
    };
    for (const Row& r : rows) {
        out.clear();
        sim.Receive(MakeDataRequest(0x10, r.address, r.size));
        ASSERT_EQ(out.size(), r.lengths.size()) << r.name;
        for (std::size_t i = 0; i < out.size(); ++i) {
            EXPECT_EQ(out[i].size(), r.lengths[i]) << r.name;
            EXPECT_TRUE(ChecksumOk(out[i])) << r.name;
            EXPECT_EQ(out[i][2], 0x10);
            EXPECT_EQ(out[i][4], 0x12);
        }
    }
    sim.Receive(MakeDataRequest(0x10, Addr(0x11, 0x05, 0, 0), 0x1718));
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(AddressOf(out[0]), Addr(0x11, 0x05, 0x00, 0x00));
    EXPECT_EQ(AddressOf(out[4]), Addr(0x11, 0x05, 0x16, 0x00));
    EXPECT_EQ(TBytes(out[0].begin() + 9, out[0].begin() + 21), sim.Read(Addr(0x11, 0x05, 0, 0), 12));
    EXPECT_EQ(out[4][9 + 128], 0x55);
    // A request for another device is not answered.
    out.clear();
    sim.Receive(MakeDataRequest(0x11, Addr(0x11, 0x05, 0, 0), 0x1718));
    EXPECT_TRUE(out.empty());
}

TEST_F(Simulator, MisbehavesOnDemand) {
    const TBytes request = MakeDataRequest(0x10, Addr(0x03, 0, 0, 0), 0x1718);
    const TBytes note = {0x90, 0x3C, 0x40};

    sim.Silent = true;
    sim.Receive(request);
    EXPECT_TRUE(out.empty()) << "silent";
    sim.Silent = false;

    sim.ReplyDelayMs = 2000;
    sim.Receive(request);
    clock->Advance(1999);
    EXPECT_TRUE(out.empty()) << "late";
    clock->Advance(1);
    EXPECT_EQ(out.size(), 5u) << "late";
    sim.ReplyDelayMs = 0;

    out.clear();
    sim.CorruptChecksumOfReply(3);
    sim.Receive(request);
    ASSERT_EQ(out.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(ChecksumOk(out[i]), i != 2) << "reply " << i;
    out.clear();
    sim.Receive(request);
    for (const TBytes& m : out) EXPECT_TRUE(ChecksumOk(m)) << "spoils only once";

    out.clear();
    sim.InterjectAfterReply(2, note);
    sim.Receive(request);
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(out[2], note);

    out.clear();
    sim.AnswerTwice = true;
    sim.Receive(request);
    ASSERT_EQ(out.size(), 10u);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(out[i], out[i + 5]);
}

TEST(SimulatorInProcess, AnswersThroughTheMidiLayer) {
    TManualClockScope clock;
    TInProcessMidiBackend backend;
    TInstrumentSimulator sim(0x10);
    sim.AttachInProcess(backend);
    SetMidiBackendForTests(&backend);

    std::vector<std::pair<UINT, DWORD_PTR>> calls;
    auto record = [](void*, UINT msg, DWORD_PTR inst, DWORD_PTR p1, DWORD_PTR) {
        reinterpret_cast<std::vector<std::pair<UINT, DWORD_PTR>>*>(inst)->push_back({msg, p1});
    };
    HMIDIIN in = nullptr;
    HMIDIOUT outDev = nullptr;
    ASSERT_EQ(midiInOpen(&in, 0, reinterpret_cast<DWORD_PTR>(+record), reinterpret_cast<DWORD_PTR>(&calls),
                         CALLBACK_FUNCTION),
              0u);
    ASSERT_EQ(midiOutOpen(&outDev, 0, 0, 0, CALLBACK_NULL), 0u);
    std::vector<std::vector<BYTE>> buffers(5, std::vector<BYTE>(256));
    std::vector<MIDIHDR> headers(5);
    for (std::size_t i = 0; i < 5; ++i) {
        headers[i].lpData = reinterpret_cast<LPSTR>(buffers[i].data());
        headers[i].dwBufferLength = 256;
        midiInPrepareHeader(in, &headers[i], sizeof(MIDIHDR));
        midiInAddBuffer(in, &headers[i], sizeof(MIDIHDR));
    }
    midiInStart(in);

    TBytes request = MakeDataRequest(0x10, Addr(0x11, 0, 0, 0), 0x1718);
    MIDIHDR out;
    out.lpData = reinterpret_cast<LPSTR>(request.data());
    out.dwBufferLength = static_cast<DWORD>(request.size());
    midiOutPrepareHeader(outDev, &out, sizeof(out));
    ASSERT_EQ(midiOutLongMsg(outDev, &out, sizeof(out)), 0u);

    ASSERT_EQ(sim.ReceivedMessages().size(), 1u);
    EXPECT_EQ(sim.ReceivedMessages()[0], request);
    ASSERT_EQ(calls.size(), 6u);  // open + five replies
    for (std::size_t i = 1; i < 6; ++i) {
        EXPECT_EQ(calls[i].first, MIM_LONGDATA);
        auto* h = reinterpret_cast<MIDIHDR*>(calls[i].second);
        EXPECT_EQ(TBytes(h->lpData, h->lpData + h->dwBytesRecorded), sim.SentMessages()[i - 1]);
    }
    midiInReset(in);
    midiInClose(in);
    midiOutClose(outDev);
    SetMidiBackendForTests(nullptr);
}

}  // namespace
}  // namespace zel::test
