// The performance: names, copies, the seventeen messages at each location, its .Syx and library forms,
// and block-by-block receives against the instrument simulator; what every kind's receive does with
// damaged, stray and missing replies is in test_single_receive.cpp.
#include <gtest/gtest.h>

#include "model/CurrentElements.h"
#include "model/Library.h"
#include "model/Performance.h"
#include "model/Rhythm.h"
#include "model/SystemElem.h"
#include "platform/rtl/SafeFile.h"
#include "support/TempDir.h"
#include "support/model/TransferFakes.h"

namespace zel::test {
namespace {

// Fills a performance with a repeatable pattern, name "Seeded".
void Seed(TPerformance& perf, unsigned seed) {
    const Bytes c = Pattern(TPerformanceCommon::DataSize, seed);
    std::copy(c.begin(), c.end(), perf.Common->Data());
    for (int p = 1; p <= PartCount; ++p) {
        const Bytes d = Pattern(TPerformancePart::DataSize, seed * 100 + static_cast<unsigned>(p));
        std::copy(d.begin(), d.end(), perf.Part(p).Data());
    }
    perf.SetName("Seeded", false);
}

// The data bytes, common then parts, as the instrument holds them.
Bytes DataOf(const TPerformance& perf) {
    Bytes out(perf.Common->Data(), perf.Common->Data() + TPerformanceCommon::DataSize);
    for (int p = 1; p <= PartCount; ++p)
        out.insert(out.end(), perf.Part(p).Data(), perf.Part(p).Data() + TPerformancePart::DataSize);
    return out;
}

void Place(TLibElem& e, bool user, int slot) {
    e.Temporary = 0;
    e.User = user ? 1 : 0;
    e.Number = static_cast<std::int16_t>(slot);
}

TEST(Performance, NewPerformanceHasBlankNameTheInitialValuesAndNumberedParts) {
    TModelTestScope model;
    TPerformance perf(nullptr);
    EXPECT_EQ(perf.ElemType, etPerformance);
    EXPECT_EQ(perf.TypeName(), "Performance");
    EXPECT_EQ(perf.GetName(), "");
    EXPECT_EQ(perf.Common->GetName(), "            ");
    EXPECT_EQ(perf.Common->GetParam(45), 1);
    EXPECT_EQ(perf.Common->GetParam(46), 4);
    for (int p = 1; p <= PartCount; ++p) EXPECT_EQ(perf.Part(p).PartNumber, p);
    EXPECT_EQ(CreateElementOfType(etPerformance, nullptr)->ClassName(), "TPerformance");
}

TEST(Performance, SetNamePadsCutsAndSendsToTheTemporaryCommonOnlyWhenAsked) {
    TModelTestScope model;
    TManualClockScope clock;
    TPerformance perf(nullptr);
    Place(perf, true, 4);
    perf.SetName("Split", false);
    EXPECT_EQ(perf.Common->GetName(), "Split       ");
    EXPECT_EQ(perf.GetName(), "Split");
    EXPECT_TRUE(model.Ports.Sent.empty());

    perf.SetName("A Long Performance", true);
    EXPECT_EQ(perf.GetName(), "A Long Perfo");
    ASSERT_EQ(model.Ports.Sent.size(), 1u);
    EXPECT_EQ(model.Ports.Sent[0].size(), 23u);
    EXPECT_EQ(AddressOf(model.Ports.Sent[0]), "01 00 00 00");  // edits go to the edit area, whatever the slot
}

TEST(Performance, AssignCopiesTheMessagesButNotTheEditorPlaces) {
    TModelTestScope model;
    TPerformance source(nullptr);
    Seed(source, 3);
    Place(source, false, 12);
    source.PartEditor.Left = 40;
    source.Common->Editors[TPerformanceCommon::ceEffects].Top = 50;
    TPerformance copy(nullptr);
    copy.Assign(&source);
    EXPECT_EQ(DataOf(copy), DataOf(source));
    EXPECT_EQ(copy.Part(16).Message, source.Part(16).Message);
    EXPECT_EQ(copy.Number, 12);
    EXPECT_EQ(copy.PartEditor.Left, -1);
    EXPECT_EQ(copy.Common->Editors[TPerformanceCommon::ceEffects].Top, -1);
}

TEST(Performance, InitDefaultResetsTheDataAndRefreshesEveryOpenWindow) {
    TModelTestScope model;
    TFakeWindow window, common, effects, parts;
    TPerformance perf(nullptr);
    Seed(perf, 1);
    perf.Window = &window;
    perf.WindowOpen = 1;
    perf.Common->Editors[TPerformanceCommon::ceCommon] = {&common, 1, -1, -1};
    perf.Common->Editors[TPerformanceCommon::ceEffects] = {&effects, 1, -1, -1};
    perf.PartEditor = {&parts, 1, -1, -1};
    perf.InitDefault();
    EXPECT_EQ(DataOf(perf), DataOf(TPerformance(nullptr)));
    EXPECT_EQ(model.Windows.Updated, (std::vector<TObject*>{&window, &common, &effects, &parts}));
    perf.Window = nullptr;
    perf.WindowOpen = 0;
}

TEST(Performance, DestroyingClosesThePartAndCommonEditorsAndForgetsTheCurrentPerformance) {
    TModelTestScope model;
    TManualClockScope clock;
    TFakeWindow parts, effects;
    parts.Left = 310;
    {
        TPerformance perf(nullptr);
        perf.PartEditor = {&parts, 1, -1, -1};
        perf.Common->Editors[TPerformanceCommon::ceEffects] = {&effects, 1, -1, -1};
        perf.Transmit(true);
        EXPECT_EQ(CurrentPerformance, &perf);
        perf.ClosePartEditor();
        EXPECT_EQ(perf.PartEditor.EditorOpen, 0);
        EXPECT_EQ(perf.PartEditor.Left, 310);  // its place is kept
        perf.PartEditor = {&parts, 1, -1, -1};
    }
    EXPECT_EQ(CurrentPerformance, nullptr);
    EXPECT_EQ(model.Windows.Released, (std::vector<TObject*>{&parts, &parts, &effects}));
}

// ------------------------------------------------------------------------------------------- transmit

struct TransmitCase {
    const char* Name;
    bool Temporary;
    bool ToTemporary;
    bool User;
    int Slot;
    const char* Common;
    const char* Part16;
    bool BecomesCurrent;
};

class PerformanceTransmit : public ::testing::TestWithParam<TransmitCase> {};

TEST_P(PerformanceTransmit, SendsCommonThenSixteenPartsToTheLocation) {
    const TransmitCase& c = GetParam();
    TModelTestScope model;
    TManualClockScope clock;
    TPerformance perf(nullptr);
    Seed(perf, 5);
    Place(perf, c.User, c.Slot);
    perf.Temporary = c.Temporary ? 1 : 0;
    CurrentPerformance = nullptr;
    PreviewChannel = 7;

    perf.Transmit(c.ToTemporary);
    const auto& sent = model.Ports.Sent;
    // The common leaves at once, the parts from the event loop as the pace runs out.
    EXPECT_EQ(sent.size(), 1u);
    SendQueuedMessages(clock.Clock());
    ASSERT_EQ(sent.size(), 17u);
    EXPECT_EQ(AddressOf(sent[0]), c.Common);
    EXPECT_EQ(AddressOf(sent[16]), c.Part16);
    EXPECT_EQ(sent[0].size(), 75u);
    for (int p = 1; p <= PartCount; ++p) {
        EXPECT_EQ(sent[static_cast<std::size_t>(p)].size(), 30u);
        EXPECT_EQ(sent[static_cast<std::size_t>(p)][7], 0x0F + p);
        EXPECT_TRUE(
            std::equal(perf.Part(p).Data(), perf.Part(p).Data() + 19, sent[static_cast<std::size_t>(p)].begin() + 9));
    }
    EXPECT_TRUE(clock->Waits().empty());  // nothing holds the thread
    for (std::size_t i = 0; i < sent.size(); ++i) EXPECT_EQ(model.Ports.Departures()[i], 50 * i) << i;
    EXPECT_EQ(CurrentPerformance == &perf, c.BecomesCurrent);
    EXPECT_EQ(PreviewChannel, c.BecomesCurrent ? 1 : 7);
    CurrentPerformance = nullptr;
}

INSTANTIATE_TEST_SUITE_P(
    Locations, PerformanceTransmit,
    ::testing::Values(TransmitCase{"UserSlot32", false, false, true, 32, "10 1F 00 00", "10 1F 1F 00", false},
                      TransmitCase{"CardSlot1", false, false, false, 1, "20 00 00 00", "20 00 1F 00", false},
                      TransmitCase{"UserSlotToTemporary", false, true, true, 9, "01 00 00 00", "01 00 1F 00", true},
                      TransmitCase{"TemporaryElement", true, false, false, 3, "01 00 00 00", "01 00 1F 00", true}),
    [](const ::testing::TestParamInfo<TransmitCase>& info) { return std::string(info.param.Name); });

TEST(Performance, NothingIsSentWithoutPorts) {
    TModelTestScope model;
    TPerformance perf(nullptr);
    DevicesOpen = 0;
    CurrentPerformance = nullptr;
    perf.Transmit(true);
    perf.SendPartsToTemp();
    EXPECT_TRUE(model.Ports.Sent.empty());
    EXPECT_EQ(CurrentPerformance, nullptr);
}

TEST(Performance, SendPartsToTempSendsEachPartToTheEditArea) {
    TModelTestScope model;
    TManualClockScope clock;
    TPerformance perf(nullptr);
    Place(perf, true, 2);
    perf.SendPartsToTemp();
    SendQueuedMessages(clock.Clock());
    ASSERT_EQ(model.Ports.Sent.size(), 16u);
    EXPECT_EQ(model.Ports.Departures().back(), 15u * 50);
    EXPECT_TRUE(clock->Waits().empty());
    EXPECT_EQ(AddressOf(model.Ports.Sent.front()), "01 00 10 00");
    EXPECT_EQ(AddressOf(model.Ports.Sent.back()), "01 00 1F 00");
}

// ------------------------------------------------------------------------------------- files and records

TEST(PerformanceSyx, IsSeventeenMessagesAddressedForTheLocation) {
    TModelTestScope model;
    TPerformance perf(nullptr);
    Seed(perf, 2);
    Place(perf, true, 32);
    const Bytes body = SyxOf(perf);
    ASSERT_EQ(body.size(), 555u);
    ASSERT_EQ(static_cast<std::int32_t>(body.size()), perf.ExpectedSyxSize());
    std::size_t at = 0;
    for (int m = 0; m <= PartCount; ++m) {
        const std::size_t length = m == 0 ? 75 : 30;
        const Bytes msg(body.begin() + static_cast<std::ptrdiff_t>(at),
                        body.begin() + static_cast<std::ptrdiff_t>(at + length));
        EXPECT_EQ(Hex(Bytes(msg.begin(), msg.begin() + 5)), "F0 41 10 6A 12") << m;
        EXPECT_EQ(msg[5], 0x10);
        EXPECT_EQ(msg[6], 0x1F);
        EXPECT_EQ(msg[7], m == 0 ? 0 : 0x0F + m);
        EXPECT_EQ(msg.back(), 0xF7);
        EXPECT_TRUE(CheckReceivedChecksum(msg.data(), msg.size())) << m;
        at += length;
    }

    TPerformance copy(nullptr);
    Place(copy, true, 32);
    ReadSyxFrom(copy, body);
    EXPECT_EQ(SyxOf(copy), body);
    EXPECT_EQ(copy.GetName(), "Seeded");
}

TEST(PerformanceSyx, XpFormAddsTwoCommonAndSixPartBytesAndReadsBackToTheNormalForm) {
    TModelTestScope model;
    TPerformance perf(nullptr);
    Seed(perf, 4);
    const Bytes normal = SyxOf(perf);
    XpFormat = 1;
    const Bytes xp = SyxOf(perf);
    ASSERT_EQ(xp.size(), 653u);
    EXPECT_EQ(static_cast<std::int32_t>(xp.size()), perf.ExpectedSyxSize());
    // The common is 77 bytes with two zeros after its data; every part 36 with six.
    EXPECT_EQ(Hex(Bytes(xp.begin() + 73, xp.begin() + 75)), "00 00");
    EXPECT_TRUE(CheckReceivedChecksum(xp.data(), 77));
    EXPECT_EQ(Hex(Bytes(xp.begin() + 77, xp.begin() + 86)), "F0 41 10 6A 12 01 00 10 00");
    EXPECT_TRUE(CheckReceivedChecksum(xp.data() + 77 + 36 * 15, 36));

    TPerformance back(nullptr);
    ReadSyxFrom(back, xp);
    XpFormat = 0;
    EXPECT_EQ(SyxOf(back), normal);
}

class PerformanceSyxFiles : public ::testing::Test {
protected:
    void WriteFile(const std::string& path, const Bytes& bytes) {
        SafeWriteFile(path, [&](TStream& s) { s.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size())); });
    }
    TModelTestScope model;
    TempDir dir;
};

TEST_F(PerformanceSyxFiles, OnlyAFileOfTheFormatInUseIsRead) {
    TPerformance source(nullptr);
    Seed(source, 8);
    const std::string normal = dir.File("Normal.Syx");
    const std::string xp = dir.File("Xp.Syx");
    WriteFile(normal, SyxOf(source));
    XpFormat = 1;
    WriteFile(xp, SyxOf(source));
    XpFormat = 0;

    TPerformance perf(nullptr);
    model.Dialogs.Confirm(xp);
    perf.LoadSyxDialog();
    ASSERT_EQ(model.Messages.Shown.size(), 1u);
    EXPECT_EQ(model.Messages.Shown[0].Text, "Incorrect SysEx File Type.");
    EXPECT_EQ(perf.GetName(), "");

    model.Dialogs.Confirm(normal);
    perf.LoadSyxDialog();
    EXPECT_EQ(DataOf(perf), DataOf(source));
    EXPECT_EQ(perf.GetName(), "Seeded");  // from the data, not the file

    TPerformance imported(nullptr);
    XpFormat = 1;
    model.Dialogs.Confirm(xp);
    imported.LoadSyxDialog();
    EXPECT_EQ(DataOf(imported), DataOf(source));
    EXPECT_EQ(model.Messages.Shown.size(), 1u);
}

TEST(PerformanceLibRecord, PositionsFollowTheHeaderAndTheRecordRoundTrips) {
    TModelTestScope model;
    TPerformance perf(nullptr);
    Seed(perf, 9);
    Place(perf, true, 7);
    perf.PartEditor.Left = 0x0102;
    perf.PartEditor.Top = -2;
    perf.Common->Editors[TPerformanceCommon::ceCommon] = {nullptr, 0, 3, 4};
    perf.Common->Editors[TPerformanceCommon::ceEffects] = {nullptr, 0, 5, 6};
    TMemoryStream stream;
    perf.WriteLibRecord(stream);
    const std::string s = stream.DataString();
    const Bytes record(s.begin(), s.end());
    // Type word, name (13), file name (80), four dates (32), flags (2), number, window left, top (6).
    const std::size_t header = 2 + 13 + 80 + 32 + 2 + 6;
    ASSERT_EQ(record.size(), header + 12 + 555);
    EXPECT_EQ(Hex(Bytes(record.begin() + header, record.begin() + header + 12)), "02 01 FE FF 03 00 04 00 05 00 06 00");

    TPerformance back(nullptr);
    stream.SetPosition(2);
    back.ReadLibRecord(stream);
    EXPECT_EQ(DataOf(back), DataOf(perf));
    EXPECT_EQ(back.Number, 7);
    EXPECT_EQ(back.PartEditor.Left, 0x0102);
    EXPECT_EQ(back.PartEditor.Top, -2);
    EXPECT_EQ(back.Common->Editors[TPerformanceCommon::ceEffects].Top, 6);
}

TEST(PerformanceLibRecord, ASlotOutsideTheMemoryOrACutBodyIsRefused) {
    TModelTestScope model;
    TPerformance perf(nullptr);
    Seed(perf, 10);
    Place(perf, false, 32);
    TMemoryStream stream;
    perf.WriteLibRecord(stream);
    const std::string good = stream.DataString();

    // Slot 33 patched into the number field.
    std::string slot33 = good;
    slot33[2 + 13 + 80 + 32 + 2] = 33;
    TMemoryStream a;
    a.WriteBuffer(slot33.data(), static_cast<std::int64_t>(slot33.size()));
    a.SetPosition(2);
    TPerformance fromA(nullptr);
    EXPECT_THROW(fromA.ReadLibRecord(a), EReadError);

    // The body cut one byte short: the data and the editor places stay as they were.
    TMemoryStream b;
    b.WriteBuffer(good.data(), static_cast<std::int64_t>(good.size() - 1));
    b.SetPosition(2);
    TPerformance fromB(nullptr);
    const Bytes before = DataOf(fromB);
    EXPECT_THROW(fromB.ReadLibRecord(b), EReadError);
    EXPECT_EQ(DataOf(fromB), before);
    EXPECT_EQ(fromB.PartEditor.Left, -1);
}

// The three kinds come back from a library file through the element factory, byte for byte.
TEST(PerformanceLibRecord, ALibraryHoldsPerformancesRhythmSetsAndSystems) {
    TModelTestScope model;
    TempDir dir;
    TLibrary library;
    auto perf = std::make_unique<TPerformance>(&library);
    Seed(*perf, 31);
    Place(*perf, false, 20);
    auto rhythm = std::make_unique<TRhythm>(&library);
    rhythm->SetName("Brushes", false);
    rhythm->Note(40).Data()[0] = 0x7F;
    auto system = std::make_unique<TSystem>(&library);
    system->SetName("Stage", false);
    system->ScaleTune(17).Data()[11] = 0;
    library.Elements.push_back(std::move(perf));
    library.Elements.push_back(std::move(rhythm));
    library.Elements.push_back(std::move(system));
    const std::string path = dir.File("Kinds.Lib");
    library.SaveToFile(path);

    TLibrary loaded;
    loaded.LoadFromFile(path);
    ASSERT_EQ(loaded.Elements.size(), 3u);
    EXPECT_EQ(loaded.Elements[0]->ClassName(), "TPerformance");
    EXPECT_EQ(loaded.Elements[0]->GetName(), "Seeded");
    EXPECT_EQ(loaded.Elements[0]->LocationText(), "Card : 20");
    EXPECT_EQ(loaded.Elements[1]->ClassName(), "TRhythm");
    EXPECT_EQ(loaded.Elements[1]->GetName(), "Brushes");
    EXPECT_EQ(dynamic_cast<TRhythm&>(*loaded.Elements[1]).Note(40).GetParam(0), 0x7F);
    EXPECT_EQ(loaded.Elements[2]->ClassName(), "TSystem");
    EXPECT_EQ(loaded.Elements[2]->GetName(), "Stage");
    EXPECT_EQ(dynamic_cast<TSystem&>(*loaded.Elements[2]).ScaleTune(17).GetParam(11), 0);
    const std::string again = dir.File("Again.Lib");
    loaded.SaveToFile(again);
    EXPECT_EQ(ReadAll(again), ReadAll(path));
}

// -------------------------------------------------------------------------------------------- receive

class PerformanceReceive : public ::testing::Test {
protected:
    // Puts a recognisable performance into the simulator at base.
    void Store(std::uint32_t base, unsigned seed) {
        TPerformance perf(nullptr);
        Seed(perf, seed);
        s.Sim.Write(base, Bytes(perf.Common->Data(), perf.Common->Data() + TPerformanceCommon::DataSize));
        for (int p = 1; p <= PartCount; ++p)
            s.Sim.Write(base + PartOffset(p),
                        Bytes(perf.Part(p).Data(), perf.Part(p).Data() + TPerformancePart::DataSize));
        expected = DataOf(perf);
    }

    TTransferScope s;
    Bytes expected;
};

TEST_F(PerformanceReceive, AsksForEachBlockInTurnAndStoresIt) {
    Store(0x101F0000, 21);  // user slot 32
    TPerformance perf(nullptr);
    Place(perf, true, 32);
    perf.Receive(false);
    EXPECT_EQ(s.Ports.Pump(), 17);

    const auto requests = s.Ports.Requests();
    ASSERT_EQ(requests.size(), 17u);
    EXPECT_EQ(Hex(requests[0]), "F0 41 10 6A 11 10 1F 00 00 00 00 00 4B 06 F7");
    for (int p = 1; p <= PartCount; ++p)
        EXPECT_EQ(requests[static_cast<std::size_t>(p)], MakeDataRequest(0x10, 0x101F0000 + PartOffset(p), 0x1E)) << p;
    EXPECT_EQ(DataOf(perf), expected);
    EXPECT_EQ(perf.GetName(), "Seeded");
    EXPECT_EQ(s.Progress.Title, "Now Receiving Performance");
    EXPECT_EQ(s.Progress.ElementLabel, "Performance");
    EXPECT_EQ(s.Progress.Expected, 17);
    EXPECT_EQ(s.Progress.BytesReceived, 555);
    EXPECT_EQ(s.Progress.MessagesReceived, 17);
    EXPECT_EQ(s.Progress.BytesSent, 17 * 15);
    EXPECT_EQ(s.Progress.MessagesSent, 17);
    EXPECT_EQ(s.Progress.Elements, 1);
    EXPECT_TRUE(s.Progress.Completed);
    EXPECT_EQ(s.Progress.Closes, 1);
    EXPECT_FALSE(s.Progress.TimerEnabled());
    // What came in goes back unchanged.
    s.Sim.ClearLog();
    perf.Transmit(false);
    SendQueuedMessages(s.Clock.Clock());
    EXPECT_EQ(s.Sim.DataSetsApplied(), 17);
    EXPECT_EQ(s.Sim.Read(0x101F1F00, 19), Bytes(expected.end() - 19, expected.end()));
}

TEST_F(PerformanceReceive, FromTheTemporaryArea) {
    Store(TempPerformanceBase, 22);
    TPerformance perf(nullptr);
    Place(perf, false, 5);
    perf.Receive(true);
    s.Ports.Pump();
    EXPECT_EQ(AddressOf(s.Ports.Requests().at(0)), "01 00 00 00");
    EXPECT_EQ(AddressOf(s.Ports.Requests().at(16)), "01 00 1F 00");
    EXPECT_EQ(DataOf(perf), expected);
}

}  // namespace
}  // namespace zel::test
