// Parameter blocks: sizes, initial values, the one-byte edits and their addresses in the temporary
// area, runs, editor slots, and how a received message is judged.
#include <gtest/gtest.h>

#include <functional>

#include "model/ParamBlocks.h"
#include "support/InstrumentSimulator.h"
#include "support/model/ModelFakes.h"

namespace zel::test {
namespace {

// The address bytes of a sent data set.
TEST(ParamBlocks, MessageSizesFollowTheDataSizes) {
    EXPECT_EQ(TCommon::MessageSize, 83u);
    EXPECT_EQ(TTone::MessageSize, 140u);
    EXPECT_EQ(TPerformanceCommon::MessageSize, 75u);
    EXPECT_EQ(TPerformancePart::MessageSize, 30u);
    EXPECT_EQ(TSystemCommon::MessageSize, 51u);
    EXPECT_EQ(TPartScaleTune::MessageSize, 23u);
    EXPECT_EQ(TRhythmCommon::MessageSize, 23u);
    EXPECT_EQ(TRhythmNote::MessageSize, 69u);
}

TEST(ParamBlocks, InitialValues) {
    TCommon common;
    EXPECT_EQ(NameFromData(common.Data()), std::string(12, ' '));
    EXPECT_EQ(common.GetParam(44), 1);
    EXPECT_EQ(common.GetParam(45), 4);
    EXPECT_EQ(common.GetParam(12), 0);
    // The header is written only when the element builds its messages.
    for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(common.Message[i], 0) << i;
    EXPECT_EQ(common.Message[82], 0);

    TTone tone(3);
    EXPECT_EQ(tone.GetParam(12), 1);
    EXPECT_EQ(tone.GetParam(13), 1);
    EXPECT_EQ(tone.GetParam(122), 1);
    EXPECT_EQ(tone.GetParam(0), 0);

    TPerformanceCommon perf;
    EXPECT_EQ(perf.GetName(), std::string(12, ' '));
    EXPECT_EQ(perf.GetParam(45), 1);
    EXPECT_EQ(perf.GetParam(46), 4);

    TSystemCommon sys;
    const std::uint8_t expected[40] = {1, 0, 0, 0, 0, 0, 63, 0, 1,  1, 1, 0, 1,  0,   0,  0,   0,  2,   97, 11,
                                       1, 1, 1, 1, 1, 1, 1,  1, 16, 0, 1, 0, 60, 127, 64, 127, 67, 127, 61, 127};
    for (int i = 0; i < 40; ++i) EXPECT_EQ(sys.GetParam(i), expected[i]) << "system data byte " << i;

    TPartScaleTune tune(17);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(tune.GetParam(i), 64);
    TRhythmCommon rhythm;
    EXPECT_EQ(NameFromData(rhythm.Data()), std::string(12, ' '));
    TRhythmNote note(98);
    EXPECT_EQ(note.GetParam(53), 1);
    EXPECT_EQ(note.GetParam(52), 0);
}

struct EditCase {
    const char* Name;
    std::function<void()> Edit;
    const char* Message;
};

class SingleParameterEdits : public ::testing::TestWithParam<EditCase> {};

TEST_P(SingleParameterEdits, GoToTheTemporaryArea) {
    TModelTestScope model;
    TManualClockScope clock;
    GetParam().Edit();
    ASSERT_EQ(model.Ports.Sent.size(), 1u);
    EXPECT_EQ(Hex(model.Ports.Sent[0]), GetParam().Message);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, SingleParameterEdits,
    ::testing::Values(
        EditCase{"PatchCommon", [] { TCommon().SetParam(20, 0x05); }, "F0 41 10 6A 12 03 00 00 14 05 64 F7"},
        EditCase{"ToneThreeByteFive", [] { TTone(3).SetParam(5, 0x40); }, "F0 41 10 6A 12 03 00 14 05 40 24 F7"},
        EditCase{"ToneByte128LiesAtPlusOneHundred", [] { TTone(1).SetParam(128, 0x02); },
                 "F0 41 10 6A 12 03 00 11 00 02 6A F7"},
        EditCase{"PerformanceCommon", [] { TPerformanceCommon().SetParam(13, 0x7F); },
                 "F0 41 10 6A 12 01 00 00 0D 7F 73 F7"},
        EditCase{"PerformancePartSixteen", [] { TPerformancePart(16).SetParam(0, 0x01); },
                 "F0 41 10 6A 12 01 00 1F 00 01 5F F7"},
        EditCase{"SystemCommon", [] { TSystemCommon().SetParam(3, 0x02); }, "F0 41 10 6A 12 00 00 00 03 02 7B F7"},
        EditCase{"ScaleTuneOne", [] { TPartScaleTune(1).SetParam(0, 0x10); }, "F0 41 10 6A 12 00 00 10 00 10 60 F7"},
        EditCase{"ScaleTuneSeventeenByteEleven", [] { TPartScaleTune(17).SetParam(11, 0x00); },
                 "F0 41 10 6A 12 00 00 20 0B 00 55 F7"},
        EditCase{"RhythmKey98", [] { TRhythmNote(98).SetParam(0, 0x03); }, "F0 41 10 6A 12 02 09 62 00 03 10 F7"}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return std::string(info.param.Name); });

TEST(ParamBlocks, AnUnchangedValueSendsNothing) {
    TModelTestScope model;
    TManualClockScope clock;
    TTone tone(2);
    tone.SetParam(12, 1);
    TCommon common;
    common.SetParam(44, 1);
    EXPECT_TRUE(model.Ports.Sent.empty());
    EXPECT_EQ(tone.GetParam(12), 1);
}

TEST(ParamBlocks, WithoutPortsTheByteStillChanges) {
    TModelTestScope model;
    TManualClockScope clock;
    DevicesOpen = 0;
    TTone tone(4);
    tone.SetParam(7, 0x33);
    TPerformanceCommon common;
    common.SetParams(0, Bytes{'A', 'B'});
    EXPECT_TRUE(model.Ports.Sent.empty());
    EXPECT_EQ(tone.GetParam(7), 0x33);
    EXPECT_EQ(common.GetParam(1), 'B');
}

TEST(ParamBlocks, OnlyTheToneSkipsAnUnchangedRun) {
    TModelTestScope model;
    TManualClockScope clock;
    TTone tone(1);
    const Bytes same = {1, 1};  // data bytes 12 and 13 already hold 1
    tone.SetParams(12, same);
    EXPECT_TRUE(model.Ports.Sent.empty());

    TCommon common;
    common.SetParams(44, Bytes{1, 4});
    ASSERT_EQ(model.Ports.Sent.size(), 1u);
    EXPECT_EQ(Hex(model.Ports.Sent[0]), "F0 41 10 6A 12 03 00 00 2C 01 04 4C F7");

    tone.SetParams(12, Bytes{1, 2});
    ASSERT_EQ(model.Ports.Sent.size(), 2u);
    EXPECT_EQ(AddressOf(model.Ports.Sent[1]), "03 00 10 0C");
    EXPECT_EQ(tone.GetParam(13), 2);
}

TEST(ParamBlocks, ValuesOf80HOrMoreAndPositionsOutsideAreRefused) {
    TModelTestScope model;
    TManualClockScope clock;
    TTone tone(1);
    const auto before = tone.Message;
    EXPECT_THROW(tone.SetParam(3, 0x80), EInvalidOperation);
    EXPECT_THROW(tone.SetParam(129, 1), EInvalidOperation);
    EXPECT_THROW(tone.SetParam(-1, 1), EInvalidOperation);
    EXPECT_THROW(tone.SetParams(120, Bytes{1, 0xFF}), EInvalidOperation);
    EXPECT_THROW(tone.SetParams(128, Bytes{1, 1}), EInvalidOperation);
    TCommon common;
    EXPECT_THROW(common.SetParam(72, 1), EInvalidOperation);
    EXPECT_EQ(tone.Message, before);
    EXPECT_TRUE(model.Ports.Sent.empty());
}

TEST(ParamBlocks, SendToTempSendsTheWholeBlockOnlyWithPorts) {
    TModelTestScope model;
    TManualClockScope clock;
    TTone tone(4);
    tone.SendToTemp();
    ASSERT_EQ(model.Ports.Sent.size(), 1u);
    EXPECT_EQ(model.Ports.Sent[0].size(), 140u);
    EXPECT_EQ(AddressOf(model.Ports.Sent[0]), "03 00 16 00");
    DevicesOpen = 0;
    TCommon common;
    common.SendToTemp();
    EXPECT_EQ(model.Ports.Sent.size(), 1u);
    // The first message had nothing to wait behind; the skipped send, right after it, does not even wait.
    EXPECT_TRUE(clock->Waits().empty());
}

TEST(ParamBlocks, SlotAddresses) {
    EXPECT_EQ(PatchBaseAddress(true, 5), 0x11040000u);
    EXPECT_EQ(PatchBaseAddress(false, 128), 0x217F0000u);
    EXPECT_EQ(PerformanceBaseAddress(true, 32), 0x101F0000u);
    EXPECT_EQ(PerformanceBaseAddress(false, 1), 0x20000000u);
    EXPECT_EQ(RhythmBaseAddress(true, 2), 0x10410000u);
    EXPECT_EQ(RhythmBaseAddress(false, 1), 0x20400000u);
    EXPECT_THROW(PatchBaseAddress(true, 0), EInvalidOperation);
    EXPECT_THROW(PatchBaseAddress(true, 129), EInvalidOperation);
    EXPECT_THROW(PerformanceBaseAddress(true, 33), EInvalidOperation);
    EXPECT_THROW(RhythmBaseAddress(false, 3), EInvalidOperation);
}

TEST(ParamBlocks, CloseEditorsReleasesOpenWindowsInOrderAndKeepsTheirPlace) {
    TModelTestScope model;
    TFakeWindow wave, lfo2;
    wave.Left = 10;
    wave.Top = 20;
    lfo2.Left = 30;
    lfo2.Top = 40;
    {
        TTone tone(2);
        tone.Editors[TTone::teLFO2] = {&lfo2, 1, -1, -1};
        tone.Editors[TTone::teWave] = {&wave, 1, -1, -1};
        tone.Editors[TTone::tePitch].Left = 7;  // closed: keeps its stored place
        tone.StoreWindowPositions();
        EXPECT_EQ(tone.Editors[TTone::teWave].Left, 10);
        EXPECT_EQ(tone.Editors[TTone::teLFO2].Top, 40);
        EXPECT_EQ(tone.Editors[TTone::tePitch].Left, 7);

        tone.CloseEditors();
        ASSERT_EQ(model.Windows.Released.size(), 2u);
        EXPECT_EQ(model.Windows.Released[0], &wave);
        EXPECT_EQ(model.Windows.Released[1], &lfo2);
        for (const TEditorSlot& slot : tone.Editors) {
            EXPECT_EQ(slot.EditorOpen, 0);
            EXPECT_EQ(slot.EditorForm, nullptr);
        }
        tone.Editors[TTone::teControl] = {&wave, 1, -1, -1};
    }
    // The destructor closes what is still open.
    ASSERT_EQ(model.Windows.Released.size(), 3u);
    EXPECT_EQ(model.Windows.Released[2], &wave);
}

struct RefusedSend {
    const char* Name;
    std::function<void()> Send;
};

class SendersRefuse : public ::testing::TestWithParam<RefusedSend> {};

TEST_P(SendersRefuse, AnyByteOf80HOrMoreBetweenF0AndF7) {
    TModelTestScope model;
    TManualClockScope clock;
    EXPECT_THROW(GetParam().Send(), EInvalidOperation);
    EXPECT_TRUE(model.Ports.Sent.empty());
    EXPECT_TRUE(clock->Waits().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Framing, SendersRefuse,
    ::testing::Values(RefusedSend{"DataByte", [] { SendDataByte(TempPatchBase, 0, 3, 0x80); }},
                      RefusedSend{"LastOfARun",
                                  [] {
                                      SendDataSet(TempPatchBase, 0, 0, Bytes{1, 2, 0xFF});
                                  }},
                      RefusedSend{"PositionPast7FH", [] { SendDataByte(TempPatchBase, 0x1000, 0x80, 1); }},
                      RefusedSend{"SlotPast7FH", [] { SendDataRequest(0x11800000, 0, 0, 0x1718); }},
                      RefusedSend{"SizeByte", [] { SendDataRequest(TempPatchBase, 0, 0, 0x00000080); }}),
    [](const ::testing::TestParamInfo<RefusedSend>& info) { return std::string(info.param.Name); });

// ------------------------------------------------------------------------------------------ replies

Bytes Reply(std::uint32_t address, std::size_t dataSize) { return MakeDataSet(0x10, address, Bytes(dataSize, 0x11)); }

struct ReplyCase {
    const char* Name;
    Bytes Message;
    TReplyKind Expected;
};

class ReplyJudgement : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(ReplyJudgement, OfTheToneAt03001200) {
    const Bytes& m = GetParam().Message;
    EXPECT_EQ(ClassifyReply(m.data(), m.size(), 0x03001200, TTone::MessageSize), GetParam().Expected);
}

Bytes Spoilt(Bytes m, std::size_t index, std::uint8_t value) {
    m[index] = value;
    return m;
}

Bytes WithZeroAt(Bytes m, std::size_t index) {
    m.insert(m.begin() + static_cast<long>(index), 0x00);
    return m;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyJudgement,
    ::testing::Values(ReplyCase{"TheExpectedTone", Reply(0x03001200, 129), TReplyKind::Good},
                      ReplyCase{"AForeignDeviceIsStillOurs", Spoilt(Reply(0x03001200, 129), 2, 0x05), TReplyKind::Good},
                      ReplyCase{"AnotherTone", Reply(0x03001400, 129), TReplyKind::Foreign},
                      ReplyCase{"TooShort", Reply(0x03001200, 100), TReplyKind::Damaged},
                      ReplyCase{"OneByteShort", Reply(0x03001200, 128), TReplyKind::Damaged},
                      // A 00 added keeps the checksum valid: only the length tells.
                      ReplyCase{"A00MoreAtTheEnd", Reply(0x03001200, 130), TReplyKind::Damaged},
                      ReplyCase{"A00RepeatedInTheMiddle", WithZeroAt(Reply(0x03001200, 129), 70), TReplyKind::Damaged},
                      ReplyCase{"OnlyTheHeader", Bytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x00, 0xF7},
                                TReplyKind::Damaged},
                      ReplyCase{"ANoteOn", Bytes{0x90, 0x3C, 0x40}, TReplyKind::Foreign},
                      ReplyCase{"NothingAtAll", Bytes{}, TReplyKind::Foreign},
                      ReplyCase{"ADataRequest", MakeDataRequest(0x10, 0x03001200, 0x81), TReplyKind::Foreign},
                      ReplyCase{"AnotherModel", Spoilt(Reply(0x03001200, 129), 3, 0x16), TReplyKind::Foreign},
                      ReplyCase{"WrongChecksum", Spoilt(Reply(0x03001200, 129), 138, 0x00), TReplyKind::Damaged},
                      ReplyCase{"AByteOf80HInside", Spoilt(Reply(0x03001200, 129), 20, 0x91), TReplyKind::Damaged},
                      ReplyCase{"NoEndByte", Spoilt(Reply(0x03001200, 129), 139, 0x00), TReplyKind::Damaged}),
    [](const ::testing::TestParamInfo<ReplyCase>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace zel::test
