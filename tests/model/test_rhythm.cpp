// The rhythm set: names, the 65 messages sent one per tick, its .Syx and library forms, and receives
// against the instrument simulator that end through the progress timer.
#include <gtest/gtest.h>

#include "model/CurrentElements.h"
#include "model/Rhythm.h"
#include "support/model/TransferFakes.h"

namespace zel::test {
namespace {

void Seed(TRhythm& rhythm, unsigned seed) {
    for (int k = FirstRhythmKey; k <= LastRhythmKey; ++k) {
        const Bytes d = Pattern(TRhythmNote::DataSize, seed * 100 + static_cast<unsigned>(k));
        std::copy(d.begin(), d.end(), rhythm.Note(k).Data());
    }
    rhythm.SetName("Seeded Kit", false);
}

Bytes DataOf(const TRhythm& rhythm) {
    Bytes out(rhythm.Common->Data(), rhythm.Common->Data() + TRhythmCommon::DataSize);
    for (int k = FirstRhythmKey; k <= LastRhythmKey; ++k)
        out.insert(out.end(), rhythm.Note(k).Data(), rhythm.Note(k).Data() + TRhythmNote::DataSize);
    return out;
}

void Place(TLibElem& e, bool user, int slot) {
    e.Temporary = 0;
    e.User = user ? 1 : 0;
    e.Number = static_cast<std::int16_t>(slot);
}

TEST(Rhythm, NewSetHasBlankNameAndKeys35To98) {
    TModelTestScope model;
    TRhythm rhythm(nullptr);
    EXPECT_EQ(rhythm.ElemType, etRhythm);
    EXPECT_EQ(rhythm.GetName(), "");
    EXPECT_EQ(rhythm.Note(35).Key, 35);
    EXPECT_EQ(rhythm.Note(98).Key, 98);
    EXPECT_EQ(rhythm.Note(60).GetParam(53), 1);
    EXPECT_EQ(CreateElementOfType(etRhythm, nullptr)->ClassName(), "TRhythm");
}

TEST(Rhythm, SetNameSendsOneRunToTheTemporaryCommon) {
    TModelTestScope model;
    TManualClockScope clock;
    TRhythm rhythm(nullptr);
    Place(rhythm, true, 2);
    rhythm.SetName("Jazz", false);
    EXPECT_EQ(NameFromData(rhythm.Common->Data()), "Jazz        ");
    EXPECT_TRUE(model.Ports.Sent.empty());
    rhythm.SetName("Thirteen Char", true);
    EXPECT_EQ(rhythm.GetName(), "Thirteen Cha");
    ASSERT_EQ(model.Ports.Sent.size(), 1u);
    EXPECT_EQ(model.Ports.Sent[0].size(), 23u);
    EXPECT_EQ(AddressOf(model.Ports.Sent[0]), "02 09 00 00");
}

TEST(Rhythm, AssignCopiesEveryNote) {
    TModelTestScope model;
    TRhythm source(nullptr);
    Seed(source, 1);
    source.Editors[TRhythm::reMain].Left = 5;
    TRhythm copy(nullptr);
    copy.Assign(&source);
    EXPECT_EQ(DataOf(copy), DataOf(source));
    EXPECT_EQ(copy.GetName(), "Seeded Kit");
    EXPECT_EQ(copy.Editors[TRhythm::reMain].Left, -1);
}

TEST(Rhythm, WindowsAreRefreshedAndClosedMainPitchTvaTvf) {
    TModelTestScope model;
    TFakeWindow window, tva, tvf, pitch, main;
    {
        TRhythm rhythm(nullptr);
        rhythm.Window = &window;
        rhythm.WindowOpen = 1;
        rhythm.Editors[TRhythm::reTVA] = {&tva, 1, -1, -1};
        rhythm.Editors[TRhythm::reTVF] = {&tvf, 1, -1, -1};
        rhythm.Editors[TRhythm::rePitch] = {&pitch, 1, -1, -1};
        rhythm.Editors[TRhythm::reMain] = {&main, 1, -1, -1};
        rhythm.InitDefault();
        EXPECT_EQ(model.Windows.Updated, (std::vector<TObject*>{&window, &main, &pitch, &tva, &tvf}));
    }
    // Destroying the set closes its window, then the editors.
    EXPECT_EQ(model.Windows.Released, (std::vector<TObject*>{&window, &main, &pitch, &tva, &tvf}));
}

// ------------------------------------------------------------------------------------------- transmit

TEST(RhythmTransmit, SendsOneMessagePerTickAndClosesASecondAfterTheLast) {
    TTransferScope s;
    TRhythm rhythm(nullptr);
    Seed(rhythm, 2);
    rhythm.Temporary = 1;
    CurrentRhythm = nullptr;
    PreviewChannel = 1;

    rhythm.Transmit(false);
    EXPECT_EQ(CurrentRhythm, &rhythm);
    EXPECT_EQ(PreviewChannel, 10);
    EXPECT_EQ(s.Progress.Title, "Now Transmitting Rhythm");
    EXPECT_EQ(s.Progress.ElementLabel, "Rhythm Number");
    EXPECT_EQ(s.Progress.Expected, 65);
    EXPECT_EQ(s.Progress.Elements, 1);
    EXPECT_EQ(s.Progress.Shown, 1);
    ASSERT_EQ(s.Ports.Sent.size(), 1u);  // the first at once
    EXPECT_EQ(Hex(Bytes(s.Ports.Sent[0].begin(), s.Ports.Sent[0].begin() + 9)), "F0 41 10 6A 12 02 09 00 00");
    EXPECT_EQ(s.Ports.Sent[0].size(), 23u);

    // The progress timer sends the rest, one per 50 ms tick: the tick is the pace, and nothing waits
    // inside it, so the main thread is back in its event loop between the messages.
    for (int tick = 0; tick < 64; ++tick) {
        s.Clock->Advance(50);
        ASSERT_EQ(s.Ports.Sent.size(), static_cast<std::size_t>(tick + 2)) << "tick " << tick;
    }
    EXPECT_EQ(s.Ports.WaitedAtSend, std::vector<TTick>(65, 0));
    EXPECT_EQ(AddressOf(s.Ports.Sent[1]), "02 09 23 00");
    EXPECT_EQ(s.Ports.Sent[1].size(), 69u);
    EXPECT_EQ(AddressOf(s.Ports.Sent[64]), "02 09 62 00");
    EXPECT_TRUE(std::equal(rhythm.Note(98).Data(), rhythm.Note(98).Data() + 58, s.Ports.Sent[64].begin() + 9));
    EXPECT_EQ(s.Progress.BytesSent, 4439);
    EXPECT_EQ(s.Progress.MessagesSent, 65);
    EXPECT_TRUE(s.Progress.Completed);
    EXPECT_EQ(s.Progress.Closes, 0);

    // About a second later the window closes by itself.
    s.Clock->Advance(900);
    EXPECT_EQ(s.Progress.Closes, 0);
    s.Clock->Advance(200);
    EXPECT_EQ(s.Progress.Closes, 1);
    EXPECT_TRUE(s.Model.Messages.Shown.empty());
    EXPECT_EQ(s.Ports.Sent.size(), 65u);
    EXPECT_EQ(s.Sim.DataSetsApplied(), 65);
    EXPECT_EQ(s.Sim.Read(0x02096200, 58), Bytes(rhythm.Note(98).Data(), rhythm.Note(98).Data() + 58));
    CurrentRhythm = nullptr;
}

struct BaseCase {
    const char* Name;
    bool User;
    int Slot;
    bool ToTemporary;
    const char* Common;
    const char* LastKey;
};

class RhythmBases : public ::testing::TestWithParam<BaseCase> {};

TEST_P(RhythmBases, TransmitAddressesTheSlot) {
    const BaseCase& c = GetParam();
    TTransferScope s;
    TRhythm rhythm(nullptr);
    Place(rhythm, c.User, c.Slot);
    CurrentRhythm = nullptr;
    rhythm.Transmit(c.ToTemporary);
    s.Clock->Advance(65 * 50);
    ASSERT_EQ(s.Ports.Sent.size(), 65u);
    EXPECT_EQ(AddressOf(s.Ports.Sent[0]), c.Common);
    EXPECT_EQ(AddressOf(s.Ports.Sent[64]), c.LastKey);
    EXPECT_EQ(CurrentRhythm == &rhythm, c.ToTemporary);
    CurrentRhythm = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Slots, RhythmBases,
                         ::testing::Values(BaseCase{"UserSet2", true, 2, false, "10 41 00 00", "10 41 62 00"},
                                           BaseCase{"CardSet1", false, 1, false, "20 40 00 00", "20 40 62 00"},
                                           BaseCase{"UserSetToTemporary", true, 1, true, "02 09 00 00", "02 09 62 00"}),
                         [](const ::testing::TestParamInfo<BaseCase>& info) { return std::string(info.param.Name); });

TEST(RhythmTransmit, NothingWithoutPortsAndNoProgressWindow) {
    TTransferScope s;
    TRhythm rhythm(nullptr);
    DevicesOpen = 0;
    rhythm.Transmit(true);
    EXPECT_TRUE(s.Ports.Sent.empty());
    EXPECT_EQ(s.Progress.Starts, 0);
}

// ------------------------------------------------------------------------------------- files and records

TEST(RhythmSyx, IsSixtyFiveMessagesWithoutAnXpForm) {
    TModelTestScope model;
    TRhythm rhythm(nullptr);
    Seed(rhythm, 3);
    Place(rhythm, false, 2);
    const Bytes body = SyxOf(rhythm);
    ASSERT_EQ(body.size(), 4439u);
    EXPECT_EQ(AddressOf(Bytes(body.begin(), body.begin() + 23)), "20 41 00 00");
    EXPECT_TRUE(CheckReceivedChecksum(body.data(), 23));
    const std::size_t last = 23 + 63 * 69;
    EXPECT_EQ(AddressOf(Bytes(body.begin() + last, body.end())), "20 41 62 00");
    EXPECT_TRUE(CheckReceivedChecksum(body.data() + last, 69));

    XpFormat = 1;
    EXPECT_EQ(SyxOf(rhythm), body);
    EXPECT_EQ(rhythm.ExpectedSyxSize(), 4439);
    TRhythm back(nullptr);
    Place(back, false, 2);
    TMemoryStream stream;
    stream.WriteBuffer(body.data(), static_cast<std::int64_t>(body.size()));
    stream.SetPosition(0);
    back.ReadSyx(stream);
    EXPECT_EQ(SyxOf(back), body);
}

TEST(RhythmLibRecord, PositionsAreMainPitchTvaTvfAndTheSlotIsChecked) {
    TModelTestScope model;
    TRhythm rhythm(nullptr);
    Seed(rhythm, 4);
    Place(rhythm, true, 2);
    rhythm.Editors[TRhythm::reTVA] = {nullptr, 0, 5, 6};
    rhythm.Editors[TRhythm::reTVF] = {nullptr, 0, 7, 8};
    rhythm.Editors[TRhythm::rePitch] = {nullptr, 0, 3, 4};
    rhythm.Editors[TRhythm::reMain] = {nullptr, 0, 1, 2};
    TMemoryStream stream;
    rhythm.WriteLibRecord(stream);
    const std::string s = stream.DataString();
    const std::size_t header = 2 + 13 + 80 + 32 + 2 + 6;
    ASSERT_EQ(s.size(), header + 16 + 4439);
    EXPECT_EQ(Hex(Bytes(s.begin() + header, s.begin() + header + 16)),
              "01 00 02 00 03 00 04 00 05 00 06 00 07 00 08 00");

    TRhythm back(nullptr);
    stream.SetPosition(2);
    back.ReadLibRecord(stream);
    EXPECT_EQ(DataOf(back), DataOf(rhythm));
    EXPECT_EQ(back.Editors[TRhythm::reTVF].Top, 8);
    EXPECT_EQ(back.Number, 2);

    std::string slot3 = s;
    slot3[2 + 13 + 80 + 32 + 2] = 3;
    TMemoryStream bad;
    bad.WriteBuffer(slot3.data(), static_cast<std::int64_t>(slot3.size()));
    bad.SetPosition(2);
    TRhythm refused(nullptr);
    EXPECT_THROW(refused.ReadLibRecord(bad), EReadError);
}

// -------------------------------------------------------------------------------------------- receive

class RhythmReceive : public ::testing::Test {
protected:
    void Store(std::uint32_t base, unsigned seed) {
        TRhythm rhythm(nullptr);
        Seed(rhythm, seed);
        s.Sim.Write(base, Bytes(rhythm.Common->Data(), rhythm.Common->Data() + TRhythmCommon::DataSize));
        for (int k = FirstRhythmKey; k <= LastRhythmKey; ++k)
            s.Sim.Write(base + RhythmNoteOffset(k),
                        Bytes(rhythm.Note(k).Data(), rhythm.Note(k).Data() + TRhythmNote::DataSize));
        expected = DataOf(rhythm);
    }
    TTransferScope s;
    Bytes expected;
};

TEST_F(RhythmReceive, AsksForEachBlockAndEndsASecondAfterTheLastAnswer) {
    Store(0x10410000, 5);  // user set 2
    TRhythm rhythm(nullptr);
    Place(rhythm, true, 2);
    rhythm.Receive(false);
    EXPECT_EQ(s.Ports.Pump(), 65);

    const auto requests = s.Ports.Requests();
    ASSERT_EQ(requests.size(), 65u);
    EXPECT_EQ(Hex(requests[0]), "F0 41 10 6A 11 10 41 00 00 00 00 00 0C 23 F7");
    EXPECT_EQ(requests[1], MakeDataRequest(0x10, 0x10412300, 0x3A));
    EXPECT_EQ(requests[64], MakeDataRequest(0x10, 0x10416200, 0x3A));
    EXPECT_EQ(DataOf(rhythm), expected);
    EXPECT_EQ(rhythm.GetName(), "Seeded Kit");
    EXPECT_EQ(s.Progress.Title, "Now Receiving Rhythm");
    EXPECT_EQ(s.Progress.ElementLabel, "Rhythm Number");
    EXPECT_EQ(s.Progress.Expected, 65);
    EXPECT_EQ(s.Progress.BytesReceived, 4439);
    EXPECT_EQ(s.Progress.MessagesReceived, 65);
    EXPECT_EQ(s.Progress.BytesSent, 65 * 15);
    EXPECT_EQ(rhythm.CompletionCount, 1);
    EXPECT_TRUE(s.Progress.Completed);
    EXPECT_EQ(s.Progress.Closes, 0);

    s.Clock->Advance(999);
    EXPECT_EQ(s.Progress.Closes, 0);
    s.Clock->Advance(1);
    EXPECT_EQ(s.Progress.Closes, 1);
    EXPECT_TRUE(s.Model.Messages.Shown.empty());
    EXPECT_EQ(s.Ports.Requests().size(), 65u);
}

}  // namespace
}  // namespace zel::test
