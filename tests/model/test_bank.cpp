// Banks: their .Syx bodies and library records, and the bank transfers against the instrument simulator
// (whole transmits and receives, damaged and stray replies, a silent instrument, cancelling, the
// progress counts and the name lists).
#include <gtest/gtest.h>

#include <algorithm>

#include "model/Bank.h"
#include "model/Patch.h"
#include "model/Performance.h"
#include "model/Rhythm.h"
#include "model/SysexFraming.h"
#include "support/model/BankTransferFakes.h"

namespace zel::test {
namespace {

// ------------------------------------------------------------------------------------------- helpers

void SeedPatch(TPatch& patch, unsigned seed) {
    const Bytes c = Pattern(TCommon::DataSize, seed);
    std::copy(c.begin(), c.end(), patch.Common->Data());
    for (int t = 1; t <= ToneCount; ++t) {
        const Bytes d = Pattern(TTone::DataSize, seed * 10 + static_cast<unsigned>(t));
        std::copy(d.begin(), d.end(), patch.Tone(t).Data());
    }
    patch.SetName("Patch " + std::to_string(seed), false);
}

Bytes PatchData(const TPatch& patch) {
    Bytes out(patch.Common->Data(), patch.Common->Data() + TCommon::DataSize);
    for (int t = 1; t <= ToneCount; ++t)
        out.insert(out.end(), patch.Tone(t).Data(), patch.Tone(t).Data() + TTone::DataSize);
    return out;
}

Bytes SimulatorPatch(const TInstrumentSimulator& sim, std::uint32_t base) {
    Bytes out = sim.Read(base, TCommon::DataSize);
    for (int t = 1; t <= ToneCount; ++t) {
        const Bytes d = sim.Read(base + ToneOffset(t), TTone::DataSize);
        out.insert(out.end(), d.begin(), d.end());
    }
    return out;
}

// Puts recognisable patches 1..128 into the simulator's user or card memory.
void SeedSimulatorPatches(TInstrumentSimulator& sim, bool user, unsigned seed) {
    TPatch patch(nullptr);
    for (int n = 1; n <= PatchSlots; ++n) {
        SeedPatch(patch, seed + static_cast<unsigned>(n));
        const std::uint32_t base = PatchBaseAddress(user, n);
        const Bytes data = PatchData(patch);
        sim.Write(base, Bytes(data.begin(), data.begin() + TCommon::DataSize));
        for (int t = 1; t <= ToneCount; ++t) {
            const auto from = data.begin() + TCommon::DataSize + (t - 1) * static_cast<long>(TTone::DataSize);
            sim.Write(base + ToneOffset(t), Bytes(from, from + TTone::DataSize));
        }
    }
}

void SeedBank(TPatchBank& bank, unsigned seed) {
    for (int i = 0; i < PatchSlots; ++i) SeedPatch(bank.Patch(i), seed + static_cast<unsigned>(i));
}

Bytes PerformanceData(const TPerformance& p) {
    Bytes out(p.Common->Data(), p.Common->Data() + TPerformanceCommon::DataSize);
    for (int part = 1; part <= PartCount; ++part)
        out.insert(out.end(), p.Part(part).Data(), p.Part(part).Data() + TPerformancePart::DataSize);
    return out;
}

Bytes SimulatorPerformance(const TInstrumentSimulator& sim, std::uint32_t base) {
    Bytes out = sim.Read(base, TPerformanceCommon::DataSize);
    for (int part = 1; part <= PartCount; ++part) {
        const Bytes d = sim.Read(base + PartOffset(part), TPerformancePart::DataSize);
        out.insert(out.end(), d.begin(), d.end());
    }
    return out;
}

Bytes RhythmData(const TRhythm& r) {
    Bytes out(r.Common->Data(), r.Common->Data() + TRhythmCommon::DataSize);
    for (int k = FirstRhythmKey; k <= LastRhythmKey; ++k)
        out.insert(out.end(), r.Note(k).Data(), r.Note(k).Data() + TRhythmNote::DataSize);
    return out;
}

Bytes SimulatorRhythm(const TInstrumentSimulator& sim, std::uint32_t base) {
    Bytes out = sim.Read(base, TRhythmCommon::DataSize);
    for (int k = FirstRhythmKey; k <= LastRhythmKey; ++k) {
        const Bytes d = sim.Read(base + RhythmNoteOffset(k), TRhythmNote::DataSize);
        out.insert(out.end(), d.begin(), d.end());
    }
    return out;
}

// ------------------------------------------------------------------------------------ creation, files

TEST(Bank, NewBanksHoldTheirMembersInTheUserMemory) {
    TModelTestScope model;
    TPatchBank patches(nullptr);
    TPerformanceBank performances(nullptr);
    TRhythmBank rhythms(nullptr);
    struct Row {
        TBank* bank;
        ElementType type;
        ElementType memberType;
        int members;
    };
    for (const Row& row :
         {Row{&patches, etPatchBank, etPatch, 128}, Row{&performances, etPerformanceBank, etPerformance, 32},
          Row{&rhythms, etRhythmBank, etRhythm, 2}}) {
        SCOPED_TRACE(row.bank->ClassName());
        EXPECT_EQ(row.bank->ElemType, row.type);
        EXPECT_EQ(row.bank->Name, "Untitled");
        EXPECT_EQ(row.bank->LocationText(), "User");
        EXPECT_EQ(row.bank->WindowWidth, -1);
        ASSERT_EQ(row.bank->MemberCount(), row.members);
        for (int i = 0; i < row.members; ++i) {
            const TLibElem& m = *row.bank->Members[static_cast<std::size_t>(i)];
            EXPECT_EQ(m.ElemType, row.memberType);
            EXPECT_EQ(m.Owner, row.bank);
            EXPECT_EQ(m.Number, i + 1);
            EXPECT_EQ(m.Temporary, 0);
        }
    }
    EXPECT_EQ(CreateElementOfType(etPatchBank, nullptr)->ClassName(), "TPatchBank");
    EXPECT_EQ(CreateElementOfType(etRhythmBank, nullptr)->ClassName(), "TRhythmBank");
}

TEST(Bank, SyxBodiesAreTheMembersBackToBackAddressedToTheBanksMemory) {
    TModelTestScope model;
    struct Row {
        const char* name;
        ElementType type;
        bool user;
        std::size_t size;
        std::size_t memberSize;
        std::uint8_t firstArea;
        std::uint8_t firstSlotByte;
    };
    const Row rows[] = {
        {"user patches", etPatchBank, true, 128 * 643, 643, 0x11, 0x00},
        {"card patches", etPatchBank, false, 82304, 643, 0x21, 0x00},
        {"user performances", etPerformanceBank, true, 17760, 555, 0x10, 0x00},
        {"card rhythm sets", etRhythmBank, false, 8878, 4439, 0x20, 0x40},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto bank = CreateElementOfType(row.type, nullptr);
        bank->User = row.user ? 1 : 0;
        EXPECT_EQ(bank->ExpectedSyxSize(), static_cast<std::int32_t>(row.size));
        const Bytes body = SyxOf(*bank);
        ASSERT_EQ(body.size(), row.size);
        // Each member's first message is its common, at the member's slot of the bank's memory.
        const std::size_t members = row.size / row.memberSize;
        for (std::size_t i = 0; i < members; ++i) {
            const std::uint8_t* m = body.data() + i * row.memberSize;
            EXPECT_EQ(m[0], 0xF0);
            EXPECT_EQ(m[5], row.firstArea);
            EXPECT_EQ(m[6], row.firstSlotByte + i);
            EXPECT_EQ(m[7], 0x00);
        }
        EXPECT_EQ(dynamic_cast<TBank&>(*bank).Members.back()->LocationText(),
                  std::string(row.user ? "User" : "Card") + " : " + std::to_string(members));
    }
}

TEST(Bank, SyxBodyReadsBackByteForByte) {
    TModelTestScope model;
    TPatchBank source(nullptr);
    SeedBank(source, 100);
    const Bytes body = SyxOf(source);
    TPatchBank copy(nullptr);
    ReadSyxFrom(copy, body);
    EXPECT_EQ(SyxOf(copy), body);
    EXPECT_EQ(copy.Patch(127).GetName(), "Patch 227");
}

TEST(Bank, ADamagedSyxBodyLeavesEveryMemberAsItWas) {
    TModelTestScope model;
    TPatchBank source(nullptr);
    SeedBank(source, 1);
    const Bytes good = SyxOf(source);
    TPatchBank bank(nullptr);
    SeedBank(bank, 500);
    const Bytes before = SyxOf(bank);

    struct Row {
        const char* name;
        Bytes body;
    };
    Bytes highByte = good;
    highByte[99 * 643 + 83 + 20] = 0x80;  // a data byte of patch 100, tone 1
    const Row rows[] = {
        {"a data byte of 80H in patch 100", highByte},
        {"cut short in the last patch", Bytes(good.begin(), good.end() - 10)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_THROW(ReadSyxFrom(bank, row.body), EReadError);
        EXPECT_EQ(SyxOf(bank), before);
    }
}

TEST(Bank, LibraryRecordCarriesTheWindowSizeAndTheBody) {
    TModelTestScope model;
    TPatchBank bank(nullptr);
    SeedBank(bank, 7);
    bank.User = 0;
    bank.Name = "Strings";
    bank.WindowWidth = 420;
    bank.WindowHeight = 300;
    TMemoryStream record;
    bank.WriteLibRecord(record);
    ASSERT_EQ(record.GetSize(), 135 + 4 + 82304);
    const std::uint8_t* r = record.Memory();
    EXPECT_EQ(r[0], etPatchBank);
    EXPECT_EQ(r[135] | (r[136] << 8), 420);
    EXPECT_EQ(r[137] | (r[138] << 8), 300);
    EXPECT_EQ(r[139 + 5], 0x21);  // the card's first patch

    record.SetPosition(2);
    TPatchBank copy(nullptr);
    copy.ReadLibRecord(record);
    EXPECT_EQ(copy.Name, "Strings");
    EXPECT_EQ(copy.User, 0);
    EXPECT_EQ(copy.WindowWidth, 420);
    EXPECT_EQ(copy.Patch(5).User, 0);  // members follow the bank's memory
    TMemoryStream again;
    copy.WriteLibRecord(again);
    EXPECT_EQ(Bytes(again.Memory(), again.Memory() + again.GetSize()), Bytes(r, r + record.GetSize()));
}

TEST(Bank, AssignCopiesEveryMember) {
    TModelTestScope model;
    TFakeLibrary library;
    TPatchBank source(nullptr);
    SeedBank(source, 40);
    TPatchBank bank(&library);
    bank.Assign(&source);
    for (int i : {0, 64, 127}) EXPECT_EQ(PatchData(bank.Patch(i)), PatchData(source.Patch(i)));
    EXPECT_EQ(library.Saved, 0);
}

// ---------------------------------------------------------------------------------------- transfers

class BankTransfer : public ::testing::Test {
protected:
    TBankTransferScope s;
};

TEST_F(BankTransfer, UserPatchBankTransmitFillsTheInstrumentWithTheBank) {
    TPatchBank bank(nullptr);
    SeedBank(bank, 300);
    s.Names.List(TNameListKind::UserPatches).Add("Old One");
    bank.Transmit(false);

    const std::vector<Bytes> sent = s.DataSets();
    ASSERT_EQ(sent.size(), 640u);
    EXPECT_EQ(AddressText(sent.front()), "11 00 00 00");
    EXPECT_EQ(sent.front().size(), 83u);
    EXPECT_EQ(AddressText(sent.back()), "11 7F 16 00");
    EXPECT_EQ(sent.back().size(), 140u);
    for (int n = 1; n <= PatchSlots; ++n)
        ASSERT_EQ(SimulatorPatch(s.Sim, PatchBaseAddress(true, n)), PatchData(bank.Patch(n - 1))) << "patch " << n;

    EXPECT_EQ(s.Progress.Titles, std::vector<std::string>{"Now Transmitting User Patch Bank"});
    EXPECT_EQ(s.Progress.ElementLabel, "Patch Number");
    EXPECT_EQ(s.Progress.Expected, 640);
    EXPECT_EQ(s.Progress.MessagesSent, 640);
    EXPECT_EQ(s.Progress.BytesSent, 82304);
    EXPECT_EQ(s.Progress.Elements, 128);
    EXPECT_TRUE(s.Progress.Completed);
    // The window closes one second after the last message's tick.
    EXPECT_GE(s.Progress.ClosedAt.at(0) - s.Ports.SentAt.back(), 950u);
    EXPECT_LE(s.Progress.ClosedAt.at(0) - s.Ports.SentAt.back(), 1050u);

    TStringList& names = s.Names.List(TNameListKind::UserPatches);
    ASSERT_EQ(names.GetCount(), 128);
    EXPECT_EQ(names.Get(0), "Patch 300");
    EXPECT_EQ(names.Get(127), "Patch 427");
    EXPECT_EQ(s.Names.List(TNameListKind::CardPatches).GetCount(), 0);
    EXPECT_EQ(s.Names.Calls, (std::vector<std::string>{"LoadUpdateNames", "SaveUpdateNames", "LoadNames"}));
}

// A bank send is paced by its window's 50 ms ticks alone: the main thread never waits inside a tick, so
// it is back in its event loop between the messages, while the instrument still gets one message every
// 50 ms, each patch as common then tones 1 to 4, patch 1 to 128, byte for byte.
TEST_F(BankTransfer, ASendNeverHoldsTheThreadAndKeepsTheWirePaceAndOrder) {
    TPatchBank bank(nullptr);
    SeedBank(bank, 700);
    s.Clock->ClearWaits();
    bank.Transmit(false);

    EXPECT_TRUE(s.Clock->Waits().empty()) << "a tick held the thread " << s.Clock->TotalWaited() << " ms";
    std::vector<Bytes> expected;
    for (int n = 1; n <= PatchSlots; ++n) {
        const TPatch& p = bank.Patch(n - 1);
        const std::uint32_t base = PatchBaseAddress(true, n);
        expected.push_back(MakeDataSet(0x10, base, Bytes(p.Common->Data(), p.Common->Data() + TCommon::DataSize)));
        for (int t = 1; t <= ToneCount; ++t)
            expected.push_back(
                MakeDataSet(0x10, base + ToneOffset(t), Bytes(p.Tone(t).Data(), p.Tone(t).Data() + TTone::DataSize)));
    }
    ASSERT_EQ(s.Ports.Sent.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(Hex(s.Ports.Sent[i]), Hex(expected[i])) << "message " << i;
    EXPECT_EQ(s.Sim.DataSetsApplied(), 640);
    for (std::size_t i = 1; i < s.Ports.SentAt.size(); ++i)
        ASSERT_EQ(s.Ports.SentAt[i] - s.Ports.SentAt[i - 1], SendPaceMs) << "message " << i;
}

TEST_F(BankTransfer, CardPatchBankReceiveStoresEveryPatchAndItsName) {
    SeedSimulatorPatches(s.Sim, false, 900);
    TFakeLibrary library;
    TPatchBank bank(&library);
    bank.User = 0;
    TStringList& names = s.Names.List(TNameListKind::CardPatches);
    names.Add("a");
    names.Add("b");
    bank.Receive(false);

    const auto requests = s.Ports.Requests();
    ASSERT_EQ(requests.size(), 128u);
    EXPECT_EQ(Hex(requests[0]), Hex(MakeDataRequest(0x10, 0x21000000, 0x1718)));
    EXPECT_EQ(AddressText(requests[127]), "21 7F 00 00");
    for (int n = 1; n <= PatchSlots; ++n)
        ASSERT_EQ(PatchData(bank.Patch(n - 1)), SimulatorPatch(s.Sim, PatchBaseAddress(false, n))) << "patch " << n;
    EXPECT_EQ(s.Progress.Titles, std::vector<std::string>{"Now Receiving Data Card Patch Bank"});
    EXPECT_EQ(s.Progress.MessagesReceived, 640);
    EXPECT_EQ(s.Progress.BytesReceived, 82304);
    EXPECT_EQ(s.Progress.MessagesSent, 128);
    EXPECT_EQ(s.Progress.BytesSent, 128 * 15);
    EXPECT_EQ(s.Progress.Elements, 128);
    EXPECT_TRUE(s.Progress.Completed);
    EXPECT_EQ(library.Saved, 0);
    ASSERT_EQ(names.GetCount(), 128);
    EXPECT_EQ(names.Get(0), "Patch 901");  // replaced
    EXPECT_EQ(names.Get(2), "Patch 903");  // appended
    EXPECT_EQ(s.Names.List(TNameListKind::UserPatches).GetCount(), 0);
}

TEST_F(BankTransfer, ADamagedReplyIsAskedForAgainAfter300msAndTheBankArrivesWhole) {
    SeedSimulatorPatches(s.Sim, true, 10);
    TPatchBank bank(nullptr);
    // Patch 7's third reply (tone 2) is spoilt: its fourth and fifth are swallowed.
    s.Sim.CorruptChecksumOfReply(6 * 5 + 3);
    bank.Receive(false);

    const auto requests = s.Ports.Requests();
    ASSERT_EQ(requests.size(), 129u);
    EXPECT_EQ(AddressText(requests[6]), "11 06 00 00");
    EXPECT_EQ(requests[7], requests[6]);  // patch 7 again, from its common
    EXPECT_EQ(AddressText(requests[8]), "11 07 00 00");
    // The repeat waits 300 ms (and the 50 ms pace) after the request that was answered badly.
    std::vector<TTick> requestTimes;
    for (std::size_t i = 0; i < s.Ports.Sent.size(); ++i)
        if (s.Ports.Sent[i].size() == 15) requestTimes.push_back(s.Ports.SentAt[i]);
    EXPECT_GE(requestTimes[7] - requestTimes[6], 300u);
    EXPECT_LT(requestTimes[7] - requestTimes[6], 400u);
    for (int n = 1; n <= PatchSlots; ++n)
        ASSERT_EQ(PatchData(bank.Patch(n - 1)), SimulatorPatch(s.Sim, PatchBaseAddress(true, n))) << "patch " << n;
    EXPECT_EQ(s.Progress.MessagesReceived, 640);
    EXPECT_TRUE(s.Progress.Completed);
}

TEST_F(BankTransfer, AStrayNoteDuringAReceiveIsDroppedWithoutAskingAgain) {
    SeedSimulatorPatches(s.Sim, true, 20);
    TPatchBank bank(nullptr);
    s.Sim.InterjectAfterReply(12);  // a note from the keyboard after patch 3's tone 2
    bank.Receive(false);
    EXPECT_EQ(s.Ports.Requests().size(), 128u);
    EXPECT_EQ(PatchData(bank.Patch(2)), SimulatorPatch(s.Sim, PatchBaseAddress(true, 3)));
    EXPECT_TRUE(s.Progress.Completed);
}

TEST_F(BankTransfer, ASilentInstrumentIsReportedAndRetryAsksForTheSamePatch) {
    TPatchBank bank(nullptr);
    s.Sim.Silent = true;
    s.Model.Messages.Answers = {TMessageResult::Retry, TMessageResult::Cancel};
    bank.Receive(false);

    ASSERT_EQ(s.Model.Messages.Shown.size(), 2u);
    EXPECT_EQ(s.Model.Messages.Shown[0].Text, "The Instrument Is Not Responding.");
    EXPECT_EQ(s.Model.Messages.Shown[0].Buttons, TMessageButtons::RetryCancel);
    const auto requests = s.Ports.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], requests[1]);
    EXPECT_GE(s.Ports.SentAt.back() - s.Ports.SentAt.front(), 2000u);
    EXPECT_FALSE(s.Progress.Completed);
    EXPECT_EQ(s.Progress.Closes, 1);
    EXPECT_FALSE(s.Ports.Handler);
    EXPECT_EQ(s.Names.Calls, std::vector<std::string>{"LoadUpdateNames"});  // nothing saved
}

TEST_F(BankTransfer, AnInstrumentThatStopsInsideAPatchIsReported) {
    SeedSimulatorPatches(s.Sim, true, 30);
    TPatchBank bank(nullptr);
    const Bytes before = PatchData(bank.Patch(1));
    s.Ports.DropRepliesAfter = 7;  // patch 1, then patch 2's common and tone 1
    s.Model.Messages.Answers = {TMessageResult::Cancel};
    bank.Receive(false);
    EXPECT_EQ(s.Model.Messages.Shown.size(), 1u);
    EXPECT_EQ(PatchData(bank.Patch(0)), SimulatorPatch(s.Sim, PatchBaseAddress(true, 1)));
    EXPECT_EQ(PatchData(bank.Patch(1)), before);  // a patch is taken whole or not at all
}

TEST_F(BankTransfer, CancelInTheMiddleOfAReceiveKeepsThePatchesReceivedSoFar) {
    SeedSimulatorPatches(s.Sim, true, 50);
    TPatchBank bank(nullptr);
    TFakeWindow window;
    bank.Window = &window;
    bank.WindowOpen = 1;
    const Bytes untouched = PatchData(bank.Patch(10));
    s.Progress.CancelWhen = [&]() { return s.Progress.Elements == 10; };
    bank.Receive(false);

    EXPECT_TRUE(s.Progress.Cancelled);
    EXPECT_FALSE(s.Progress.Completed);
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(PatchData(bank.Patch(n - 1)), SimulatorPatch(s.Sim, PatchBaseAddress(true, n)));
    EXPECT_EQ(PatchData(bank.Patch(10)), untouched);
    EXPECT_EQ(s.Model.Windows.Updated, std::vector<TObject*>{&window});  // the bank window refreshed
    const std::size_t sent = s.Ports.Sent.size();
    s.Clock->Advance(10000);
    EXPECT_EQ(s.Ports.Sent.size(), sent);
    EXPECT_TRUE(s.Model.Messages.Shown.empty());
    bank.Window = nullptr;
    bank.WindowOpen = 0;
}

TEST_F(BankTransfer, CancelDuringTheWaitAfterADamagedReplySendsNothingMore) {
    SeedSimulatorPatches(s.Sim, true, 60);
    TPatchBank bank(nullptr);
    s.Sim.CorruptChecksumOfReply(2);
    s.Progress.CancelWhen = [&]() { return s.Progress.TimerEnabled(TTransferTimer::TimerCleanup); };
    bank.Receive(false);
    EXPECT_TRUE(s.Progress.Cancelled);
    s.Clock->Advance(5000);
    EXPECT_EQ(s.Ports.Requests().size(), 1u);
    EXPECT_FALSE(s.Ports.Handler);
}

TEST_F(BankTransfer, CancelInTheMiddleOfATransmitStopsSending) {
    TPatchBank bank(nullptr);
    s.Progress.CancelWhen = [&]() { return s.Progress.MessagesSent >= 50; };
    bank.Transmit(false);
    EXPECT_EQ(s.DataSets().size(), 50u);
    s.Clock->Advance(10000);
    EXPECT_EQ(s.DataSets().size(), 50u);
    EXPECT_FALSE(s.Progress.Completed);
    EXPECT_EQ(s.Names.Calls, std::vector<std::string>{"LoadUpdateNames"});
}

TEST_F(BankTransfer, WithoutPortsNothingIsSent) {
    TPatchBank bank(nullptr);
    DevicesOpen = 0;
    bank.Transmit(false);
    EXPECT_EQ(s.Progress.Shown, 0);
    bank.Receive(false);  // the window is shown and waits for the user
    EXPECT_EQ(s.Progress.Shown, 1);
    EXPECT_TRUE(s.Ports.Sent.empty());
}

TEST_F(BankTransfer, CardPerformanceBankReceiveAsksBlockByBlock) {
    for (int n = 1; n <= PerformanceSlots; ++n) {
        const std::uint32_t base = PerformanceBaseAddress(false, n);
        s.Sim.Write(base, Pattern(TPerformanceCommon::DataSize, static_cast<unsigned>(n)));
        for (int p = 1; p <= PartCount; ++p)
            s.Sim.Write(base + PartOffset(p), Pattern(TPerformancePart::DataSize, static_cast<unsigned>(n * 100 + p)));
    }
    TPerformanceBank bank(nullptr);
    bank.User = 0;
    s.Sim.CorruptChecksumOfReply(40);  // a part of performance 3: asked for again at once
    bank.Receive(false);

    const auto requests = s.Ports.Requests();
    ASSERT_EQ(requests.size(), 545u);
    EXPECT_EQ(Hex(requests[0]), Hex(MakeDataRequest(0x10, 0x20000000, 0x4B)));
    EXPECT_EQ(requests[40], requests[39]);
    EXPECT_EQ(s.Ports.SentAt[40] - s.Ports.SentAt[39], 50u);  // no 300 ms wait
    EXPECT_EQ(Hex(requests.back()), Hex(MakeDataRequest(0x10, 0x201F1F00, 0x1E)));
    for (int n = 1; n <= PerformanceSlots; ++n)
        ASSERT_EQ(PerformanceData(bank.Performance(n - 1)),
                  SimulatorPerformance(s.Sim, PerformanceBaseAddress(false, n)));
    EXPECT_EQ(s.Progress.Titles, std::vector<std::string>{"Now Receiving Data Card Performance Bank"});
    EXPECT_EQ(s.Progress.ElementLabel, "Performance Number");
    EXPECT_EQ(s.Progress.Expected, 544);
    EXPECT_EQ(s.Progress.MessagesReceived, 544);
    EXPECT_EQ(s.Progress.BytesReceived, 17760);
    EXPECT_TRUE(s.Progress.Completed);
    EXPECT_EQ(s.Names.List(TNameListKind::CardPerformances).GetCount(), 32);
    EXPECT_EQ(s.Names.Calls, (std::vector<std::string>{"LoadUpdateNames", "SaveUpdateNames", "LoadNames"}));
}

TEST_F(BankTransfer, PerformanceBankTransmitAndRhythmBankRoundTrip) {
    TPerformanceBank performances(nullptr);
    for (int i = 0; i < PerformanceSlots; ++i) {
        Bytes c = Pattern(TPerformanceCommon::DataSize, static_cast<unsigned>(i + 7));
        std::copy(c.begin(), c.end(), performances.Performance(i).Common->Data());
        performances.Performance(i).SetName("Perf " + std::to_string(i + 1), false);
    }
    performances.Transmit(false);
    EXPECT_EQ(s.DataSets().size(), 544u);
    EXPECT_EQ(s.Progress.MessagesSent, 544);
    EXPECT_EQ(s.Progress.BytesSent, 17760);
    for (int n = 1; n <= PerformanceSlots; ++n)
        ASSERT_EQ(SimulatorPerformance(s.Sim, PerformanceBaseAddress(true, n)),
                  PerformanceData(performances.Performance(n - 1)));
    EXPECT_EQ(s.Names.List(TNameListKind::UserPerformances).Get(31), "Perf 32");

    TRhythmBank rhythms(nullptr);
    for (int i = 0; i < RhythmSlots; ++i)
        for (int k = FirstRhythmKey; k <= LastRhythmKey; ++k) {
            Bytes d = Pattern(TRhythmNote::DataSize, static_cast<unsigned>(i * 1000 + k));
            std::copy(d.begin(), d.end(), rhythms.Rhythm(i).Note(k).Data());
        }
    s.Ports.Sent.clear();
    s.Ports.SentAt.clear();
    rhythms.Transmit(false);
    const auto sent = s.DataSets();
    ASSERT_EQ(sent.size(), 130u);
    EXPECT_EQ(AddressText(sent[0]), "10 40 00 00");
    EXPECT_EQ(AddressText(sent.back()), "10 41 62 00");  // set 2, key 98
    EXPECT_EQ(s.Progress.Titles.back(), "Now Transmitting User Rhythm Bank");
    EXPECT_EQ(s.Progress.MessagesSent, 130);
    EXPECT_EQ(s.Progress.BytesSent, 8878);
    EXPECT_EQ(s.Progress.Elements, 2);
    EXPECT_TRUE(s.Progress.Completed);

    TRhythmBank fetched(nullptr);
    s.Sim.CorruptChecksumOfReply(70);
    fetched.Receive(false);
    EXPECT_EQ(s.Ports.Requests().size(), 131u);
    for (int i = 0; i < RhythmSlots; ++i) EXPECT_EQ(RhythmData(fetched.Rhythm(i)), RhythmData(rhythms.Rhythm(i)));
    EXPECT_EQ(s.Progress.Titles.back(), "Now Receiving User Rhythm Bank");
    EXPECT_EQ(s.Progress.MessagesReceived, 130);
    EXPECT_EQ(s.Progress.BytesReceived, 8878);
    EXPECT_TRUE(s.Progress.Completed);
    EXPECT_EQ(SimulatorRhythm(s.Sim, RhythmBaseAddress(true, 2)), RhythmData(fetched.Rhythm(1)));
}

}  // namespace
}  // namespace zel::test
