// Roland DT1/RQ1 framing, checksums and the senders' pacing, gating and monitor copy.
#include <gtest/gtest.h>

#include <functional>

#include "model/Patch.h"
#include "model/Performance.h"
#include "model/SysexFraming.h"
#include "support/model/ModelFakes.h"

namespace zel::test {
namespace {

struct DataSetCase {
    const char* Name;
    int DeviceID;
    std::uint32_t Base;
    std::uint16_t Offset;
    std::uint16_t Position;
    Bytes Data;
    const char* Expected;
};

class DataSetVectors : public ::testing::TestWithParam<DataSetCase> {};

TEST_P(DataSetVectors, AreByteExact) {
    const DataSetCase& c = GetParam();
    TModelTestScope model;
    TManualClockScope clock;
    model.Holder.Config->DeviceID = c.DeviceID;
    SendDataSet(c.Base, c.Offset, c.Position, c.Data);
    ASSERT_EQ(model.Ports.Sent.size(), 1u);
    EXPECT_EQ(Hex(model.Ports.Sent[0]), c.Expected);
    EXPECT_EQ(model.Ports.Sent[0].size(), c.Data.size() + 11);
}

INSTANTIATE_TEST_SUITE_P(
    Framing, DataSetVectors,
    ::testing::Values(
        DataSetCase{
            "ToneTwoOfTheTemporaryPatch", 17, 0x03000000, 0x1200, 5, {0x40}, "F0 41 10 6A 12 03 00 12 05 40 26 F7"},
        DataSetCase{
            "ToneOneOfTheTemporaryPatch", 17, 0x03000000, 0x1000, 5, {0x40}, "F0 41 10 6A 12 03 00 10 05 40 28 F7"},
        DataSetCase{
            "SumMultipleOf128GivesChecksumZero", 17, 0x03000000, 0, 0, {0x7D}, "F0 41 10 6A 12 03 00 00 00 7D 00 F7"},
        DataSetCase{
            "PositionIsAddedAsANumber", 17, 0x03000000, 0x1000, 0x7F, {0x01}, "F0 41 10 6A 12 03 00 10 7F 01 6D F7"},
        DataSetCase{"HighestDeviceId", 32, 0x03000000, 0x1000, 5, {0x40}, "F0 41 1F 6A 12 03 00 10 05 40 28 F7"},
        DataSetCase{"TwelveByteNameRun",
                    17,
                    0x03000000,
                    0,
                    0,
                    {0x50, 0x61, 0x64, 0x73, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20},
                    "F0 41 10 6A 12 03 00 00 00 50 61 64 73 20 20 20 20 20 20 20 20 75 F7"}),
    [](const ::testing::TestParamInfo<DataSetCase>& info) { return std::string(info.param.Name); });

TEST(SendDataByte, IsADataSetOfOneByte) {
    TModelTestScope model;
    TManualClockScope clock;
    SendDataByte(0x03000000, 0x1200, 5, 0x40);
    ASSERT_EQ(model.Ports.Sent.size(), 1u);
    EXPECT_EQ(Hex(model.Ports.Sent[0]), "F0 41 10 6A 12 03 00 12 05 40 26 F7");
}

TEST(SendDataRequest, IsFifteenBytesWithTheSizeAsData) {
    TModelTestScope model;
    TManualClockScope clock;
    model.Holder.Config->DeviceID = 16;  // a device other than the default: its byte is one less
    SendDataRequest(0x11000000, 0, 0, 0x00001718);
    ASSERT_EQ(model.Ports.Sent.size(), 1u);
    EXPECT_EQ(Hex(model.Ports.Sent[0]), "F0 41 0F 6A 11 11 00 00 00 00 00 17 18 40 F7");
}

// Messages leave at least 50 ms apart: one sent sooner waits the rest, one sent later goes at once, so
// that a transfer ticking every 50 ms never holds the thread.
TEST(Senders, MessagesLeaveAtLeastFiftyMillisecondsApart) {
    struct Row {
        const char* name;
        std::vector<TTick> pauses;  // the time that passes before each message
        std::vector<std::uint32_t> waits;
        std::vector<TTick> departures;  // from the start
    };
    const Row rows[] = {
        {"back to back", {0, 0, 0}, {50, 50}, {0, 50, 100}},
        {"a pause shorter than the pace", {0, 20, 45}, {30, 5}, {0, 50, 100}},
        {"a tick of the pace", {0, 50, 50}, {}, {0, 50, 100}},
        {"a long pause", {0, 5000, 0}, {50}, {0, 5000, 5050}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TModelTestScope model;
        TManualClockScope clock;
        std::vector<TTick> departures;
        const TTick start = clock->TickCount();
        for (std::size_t i = 0; i < row.pauses.size(); ++i) {
            clock->Advance(row.pauses[i]);
            if (i == 1) SendDataRequest(0x03000000, 0, 0, 0x48);
            else SendDataByte(0x03000000, 0, 0, 1);
            departures.push_back(clock->TickCount() - start);
        }
        EXPECT_EQ(clock->Waits(), row.waits);
        EXPECT_EQ(departures, row.departures);
        EXPECT_EQ(model.Ports.Sent.size(), row.pauses.size());
    }
}

// A message sent straight to the output (the GM message) counts for the pace of the next.
TEST(Senders, AMessageSentStraightKeepsThePace) {
    TModelTestScope model;
    TManualClockScope clock;
    clock->Advance(1000);
    NoteMessageSent();
    clock->Advance(10);
    SendDataByte(0x03000000, 0, 0, 1);
    EXPECT_EQ(clock->Waits(), (std::vector<std::uint32_t>{40}));
}

struct GateCase {
    const char* Name;
    bool DevicesOpen;
    bool OutputOpen;
    bool PortsRegistered;
};

class SendGate : public ::testing::TestWithParam<GateCase> {};

TEST_P(SendGate, UnusablePortsSendNothingButStillKeepThePace) {
    const GateCase& c = GetParam();
    TModelTestScope model;
    TManualClockScope clock;
    model.Holder.MonitorOpen = 1;
    DevicesOpen = c.DevicesOpen ? 1 : 0;
    model.Ports.Open = c.OutputOpen;
    if (!c.PortsRegistered) ModelServices().MidiPorts = nullptr;

    EXPECT_NO_THROW(SendDataByte(0x03000000, 0, 0, 1));
    EXPECT_NO_THROW(SendDataRequest(0x03000000, 0, 0, 0x48));
    EXPECT_NO_THROW(SendDataSet(0x03000000, 0x1000, 0, Bytes(129, 0)));

    EXPECT_TRUE(model.Ports.Sent.empty());
    EXPECT_TRUE(model.Monitor.Lines.empty());
    EXPECT_EQ(clock->Waits(), (std::vector<std::uint32_t>{50, 50}));
}

INSTANTIATE_TEST_SUITE_P(Framing, SendGate,
                         ::testing::Values(GateCase{"DevicesOpenClear", false, true, true},
                                           GateCase{"OutputPortNotOpen", true, false, true},
                                           GateCase{"NoPortsRegistered", true, true, false}),
                         [](const ::testing::TestParamInfo<GateCase>& info) { return std::string(info.param.Name); });

TEST(Senders, CopyMessagesOfAtMostFourDataBytesToAnOpenMonitor) {
    TModelTestScope model;
    TManualClockScope clock;
    model.Holder.MonitorOpen = 1;
    SendDataByte(0x03000000, 0, 0, 1);                    // 1 data byte: shown
    SendDataSet(0x03000000, 0, 0, Bytes{1, 2, 3, 4});     // 4: shown
    SendDataSet(0x03000000, 0, 0, Bytes{1, 2, 3, 4, 5});  // 5: not shown
    SendDataRequest(0x11000000, 0, 0, 0x00001718);        // a request: shown
    ASSERT_EQ(model.Ports.Sent.size(), 4u);
    ASSERT_EQ(model.Monitor.Lines.size(), 3u);
    EXPECT_EQ(model.Monitor.Lines[0], model.Ports.Sent[0]);
    EXPECT_EQ(model.Monitor.Lines[1], model.Ports.Sent[1]);
    EXPECT_EQ(model.Monitor.Lines[2], model.Ports.Sent[3]);

    model.Holder.MonitorOpen = 0;
    SendDataByte(0x03000000, 0, 0, 1);
    EXPECT_EQ(model.Monitor.Lines.size(), 3u);
}

TEST(Senders, RefuseAnEmptyOrOversizedRun) {
    TModelTestScope model;
    TManualClockScope clock;
    EXPECT_THROW(SendDataSet(0x03000000, 0, 0, Bytes{}), EInvalidOperation);
    EXPECT_THROW(SendDataSet(0x03000000, 0, 0, Bytes(2038, 0)), EInvalidOperation);
    SendDataSet(0x03000000, 0, 0, Bytes(2037, 0));
    ASSERT_EQ(model.Ports.Sent.size(), 1u);
    EXPECT_EQ(model.Ports.Sent[0].size(), 2048u);
}

// ------------------------------------------------------------------------------------ the outgoing queue

// A performance send in a slot: its common leaves at once, its parts are queued behind the pace.
class OutgoingQueue : public ::testing::Test {
protected:
    OutgoingQueue() {
        model_.Ports.Manual = &clock_.Clock();
        performance_.Temporary = 0;
        performance_.User = 1;
        performance_.Number = 4;
    }
    // The third address byte of a data set (the block), or the status of a short or universal message.
    static std::vector<int> Kinds(const std::vector<Bytes>& wire) {
        std::vector<int> kinds;
        for (const Bytes& m : wire) kinds.push_back(m.size() > 8 && m[1] == RolandManufacturer ? m[7] : m[0]);
        return kinds;
    }

    TModelTestScope model_;
    TManualClockScope clock_;
    TPerformance performance_{nullptr};
};

// Whatever is sent while a performance's parts are queued goes out after its last part, in order, at
// the pace: nothing overtakes a queued message, nothing splits the send, nothing is lost, and the
// thread is never held.
TEST_F(OutgoingQueue, WhatIsSentDuringASendFollowsItsLastMessageAtThePace) {
    struct Row {
        const char* Name;
        std::function<void()> Send;
        std::vector<int> Kinds;         // of the messages after the performance's
        std::vector<TTick> Departures;  // of all long messages, from the common's
    };
    std::vector<TTick> performanceTimes;
    for (TTick t = 0; t <= 800; t += 50) performanceTimes.push_back(t);
    const auto then = [&](std::initializer_list<TTick> more) {
        std::vector<TTick> all = performanceTimes;
        all.insert(all.end(), more);
        return all;
    };
    const Row rows[] = {
        {"a note leaves right behind the last part", [] { SendShortMessage(0x90, 60, 100); }, {0x90}, then({})},
        {"an edit's data set keeps the pace", [] { SendDataByte(0x03000000, 0, 5, 9); }, {0x00}, then({850})},
        {"a data request keeps the pace", [] { SendDataRequest(0x03000000, 0, 0, 0x48); }, {0x00}, then({850})},
        {"another send follows whole",
         [] {
             TPatch patch(nullptr);
             patch.Transmit(true);
         },
         {0x00, 0x10, 0x12, 0x14, 0x16},
         then({850, 900, 950, 1000, 1050})},
        {"a universal message leaves with no pace before it",
         [] {
             const Bytes gmOff{0xF0, 0x7E, 0x7F, 0x09, 0x02, 0xF7};
             SendWholeMessage(gmOff);
             SendDataByte(0x03000000, 0, 5, 9);
         },
         {0xF0, 0x00},
         then({800, 850})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        clock_->Advance(1000);  // no pace left from the row before
        model_.Ports.ClearSent();
        clock_->ClearWaits();
        performance_.Transmit(false);
        ASSERT_EQ(model_.Ports.Sent.size(), 1u);
        EXPECT_EQ(QueuedMessages(), 16u);
        EXPECT_EQ(QueuedSendsMs(), 800u);
        clock_->Advance(120);  // two parts out
        row.Send();
        EXPECT_EQ(model_.Ports.Wire.size(), 3u) << "nothing overtakes the queued parts";
        SendQueuedMessages(clock_.Clock());
        std::vector<int> kinds(17, 0x00);
        for (int p = 1; p <= PartCount; ++p) kinds[static_cast<std::size_t>(p)] = 0x0F + p;
        kinds.insert(kinds.end(), row.Kinds.begin(), row.Kinds.end());
        EXPECT_EQ(Kinds(model_.Ports.Wire), kinds);
        EXPECT_EQ(model_.Ports.Departures(), row.Departures);
        EXPECT_TRUE(clock_->Waits().empty());
    }
}

// Before the output closes, what is queued goes out at once, each message waiting the rest of its pace.
TEST_F(OutgoingQueue, AFlushBeforeThePortClosesSendsEveryQueuedMessage) {
    performance_.Transmit(false);
    SendShortMessage(0x90, 60, 100);
    FlushQueuedSends(model_.Ports);
    EXPECT_EQ(model_.Ports.Sent.size(), 17u);
    ASSERT_EQ(model_.Ports.Wire.size(), 18u);
    EXPECT_EQ(model_.Ports.Wire.back(), (Bytes{0x90, 60, 100}));
    EXPECT_EQ(clock_->Waits(), std::vector<std::uint32_t>(16, 50));
    EXPECT_EQ(QueuedMessages(), 0u);
    EXPECT_EQ(QueuedSendsMs(), 0u);
    clock_->Advance(1000);
    EXPECT_EQ(model_.Ports.Wire.size(), 18u) << "nothing is sent twice";
}

// A message queued while the ports are unusable is dropped when its turn comes, as one sent then is; the
// ones behind it keep their pace.
TEST_F(OutgoingQueue, PortsThatCloseUnderTheQueueTakeNothingButKeepThePace) {
    performance_.Transmit(false);
    model_.Ports.Open = false;
    clock_->Advance(200);
    model_.Ports.Open = true;
    SendQueuedMessages(clock_.Clock());
    EXPECT_EQ(model_.Ports.Sent.size(), 17u - 4u);
    EXPECT_EQ(model_.Ports.SentAt.back() - model_.Ports.SentAt.front(), 800u);
}

TEST(DeviceByte, IsTheConfiguredDeviceIdMinusOne) {
    TModelTestScope model;
    model.Holder.Config->DeviceID = 17;
    EXPECT_EQ(DeviceByte(), 0x10);
    model.Holder.Config->DeviceID = 1;
    EXPECT_EQ(DeviceByte(), 0x00);
    // A device ID outside 1..32 set by code never puts a status byte (80H and up) inside a message.
    model.Holder.Config->DeviceID = 0;
    EXPECT_EQ(DeviceByte(), 0x7F);
    ZelmoHolder = nullptr;  // before the main window exists: the settings' own default, 17
    EXPECT_EQ(DeviceByte(), 0x10);
}

TEST(FillDataSetHeader, WritesHeaderChecksumAndEndAroundTheData) {
    TModelTestScope model;
    model.Holder.Config->DeviceID = 17;
    // A rhythm common block: 12 data bytes, 23 bytes in all.
    Bytes block(23, 0);
    for (int i = 0; i < 12; ++i) block[9 + i] = 0x20;
    FillDataSetHeader(block.data(), block.size() - 1, 0x02090000);
    // Sum 02 + 09 + 12 x 20H = 18BH; 18BH mod 128 = 0BH; 128 - 0BH = 75H.
    EXPECT_EQ(Hex(block), "F0 41 10 6A 12 02 09 00 00 20 20 20 20 20 20 20 20 20 20 20 20 75 F7");
    EXPECT_TRUE(CheckReceivedChecksum(block.data(), block.size()));
}

TEST(RolandChecksum, SumsAddressAndDataOnly) {
    // Header bytes do not count: changing them leaves the checksum.
    Bytes m = {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x05, 0x40, 0x00, 0xF7};
    EXPECT_EQ(RolandChecksum(m.data(), m.size() - 1), 0x28);
    m[2] = 0x7F;
    m[4] = 0x11;
    EXPECT_EQ(RolandChecksum(m.data(), m.size() - 1), 0x28);
    m[9] = 0x68;  // address + data = 80H
    EXPECT_EQ(RolandChecksum(m.data(), m.size() - 1), 0x00);
}

struct ReceivedCase {
    const char* Name;
    Bytes Event;
    bool Valid;
};

class ReceivedChecksum : public ::testing::TestWithParam<ReceivedCase> {};

TEST_P(ReceivedChecksum, TestsOnlyTheChecksumByte) {
    const ReceivedCase& c = GetParam();
    // Exactly the event's bytes on the heap, so that a read past them is caught by the sanitizers.
    auto copy = std::make_unique<std::uint8_t[]>(c.Event.size() + 1);
    std::copy(c.Event.begin(), c.Event.end(), copy.get());
    EXPECT_EQ(CheckReceivedChecksum(c.Event.empty() ? nullptr : copy.get(), c.Event.size()), c.Valid);
}

INSTANTIATE_TEST_SUITE_P(
    Framing, ReceivedChecksum,
    ::testing::Values(
        ReceivedCase{"Correct", {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x05, 0x40, 0x26, 0xF7}, true},
        ReceivedCase{
            "ChecksumOffByOne", {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x05, 0x40, 0x27, 0xF7}, false},
        ReceivedCase{
            "ForeignDeviceByte", {0xF0, 0x41, 0x05, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x05, 0x40, 0x26, 0xF7}, true},
        ReceivedCase{"ChecksumZero", {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x7D, 0x00, 0xF7}, true},
        ReceivedCase{"Empty", {}, false}, ReceivedCase{"ShortMessage", {0xF0, 0x7E, 0xF7}, false},
        ReceivedCase{
            "OneByteShortOfADataSet", {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x7D, 0x00, 0xF7}, false}),
    [](const ::testing::TestParamInfo<ReceivedCase>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace zel::test
