// The system and its scale tunes: the one address area, its .Syx and library forms, the name taken
// from files and records, and block-by-block receives against the instrument simulator.
#include <gtest/gtest.h>

#include "model/CurrentElements.h"
#include "model/SystemElem.h"
#include "platform/rtl/SafeFile.h"
#include "support/TempDir.h"
#include "support/model/TransferFakes.h"

namespace zel::test {
namespace {

void Seed(TSystem& system, unsigned seed) {
    const Bytes c = Pattern(TSystemCommon::DataSize, seed);
    std::copy(c.begin(), c.end(), system.Common->Data());
    for (int i = 1; i <= ScaleTuneCount; ++i) {
        const Bytes d = Pattern(TPartScaleTune::DataSize, seed * 100 + static_cast<unsigned>(i));
        std::copy(d.begin(), d.end(), system.ScaleTune(i).Data());
    }
}

Bytes DataOf(const TSystem& system) {
    Bytes out(system.Common->Data(), system.Common->Data() + TSystemCommon::DataSize);
    for (int i = 1; i <= ScaleTuneCount; ++i)
        out.insert(out.end(), system.ScaleTune(i).Data(), system.ScaleTune(i).Data() + TPartScaleTune::DataSize);
    return out;
}

TEST(System, NewSystemIsUntitledWithTheInitialValuesAndNoLocation) {
    TModelTestScope model;
    TSystem system(nullptr);
    EXPECT_EQ(system.ElemType, etSystem);
    EXPECT_EQ(system.GetName(), "Untitled");
    EXPECT_EQ(system.LocationText(), "");
    EXPECT_EQ(system.Common->GetParam(18), 97);
    EXPECT_EQ(system.Common->GetParam(39), 127);
    for (int i = 1; i <= ScaleTuneCount; ++i) {
        EXPECT_EQ(system.ScaleTune(i).Index, i);
        EXPECT_EQ(system.ScaleTune(i).GetParam(11), 64);
    }
    system.SetName("A Setup Name Too Long", true);
    EXPECT_EQ(system.GetName(), "A Setup Name");
    EXPECT_TRUE(model.Ports.Sent.empty());  // the name lives only in the element
    EXPECT_EQ(CreateElementOfType(etSystem, nullptr)->ClassName(), "TSystem");
}

TEST(System, EveryLocationTransmitsTheSameEighteenMessages) {
    TModelTestScope model;
    TManualClockScope clock;
    TSystem system(nullptr);
    Seed(system, 1);
    system.Temporary = 0;
    system.User = 1;
    system.Number = 9;
    CurrentSystem = nullptr;
    PreviewChannel = 10;

    system.Transmit(false);
    SendQueuedMessages(clock.Clock());
    const auto& sent = model.Ports.Sent;
    ASSERT_EQ(sent.size(), 18u);
    EXPECT_EQ(model.Ports.Departures().back(), 17u * 50);
    EXPECT_TRUE(clock->Waits().empty());
    EXPECT_EQ(AddressOf(sent[0]), "00 00 00 00");
    EXPECT_EQ(sent[0].size(), 51u);
    EXPECT_EQ(AddressOf(sent[1]), "00 00 10 00");
    EXPECT_EQ(AddressOf(sent[17]), "00 00 20 00");
    EXPECT_EQ(sent[17].size(), 23u);
    EXPECT_EQ(CurrentSystem, &system);  // whatever the argument
    EXPECT_EQ(PreviewChannel, 1);

    model.Ports.Sent.clear();
    system.TransmitToTemp();
    SendQueuedMessages(clock.Clock());
    EXPECT_EQ(model.Ports.Sent.size(), 18u);

    model.Ports.Sent.clear();
    DevicesOpen = 0;
    system.Transmit(true);
    EXPECT_TRUE(model.Ports.Sent.empty());
    CurrentSystem = nullptr;
}

TEST(System, ScaleTuneEditsGoToTheirOwnAddress) {
    TModelTestScope model;
    TManualClockScope clock;
    TSystem system(nullptr);
    system.ScaleTune(1).SetParam(0, 70);
    system.ScaleTune(17).SetParam(11, 0);
    ASSERT_EQ(model.Ports.Sent.size(), 2u);
    EXPECT_EQ(Hex(model.Ports.Sent[0]), "F0 41 10 6A 12 00 00 10 00 46 2A F7");
    EXPECT_EQ(AddressOf(model.Ports.Sent[1]), "00 00 20 0B");
}

TEST(System, WindowsAreRefreshedAndClosedInTheirOrder) {
    TModelTestScope model;
    TFakeWindow window, setup, midi, scale, preview;
    scale.Left = 77;
    {
        TSystem system(nullptr);
        system.Window = &window;
        system.WindowOpen = 1;
        system.Editors[TSystem::seSetup] = {&setup, 1, -1, -1};
        system.Editors[TSystem::seMidi] = {&midi, 1, -1, -1};
        system.Editors[TSystem::seScaleTune] = {&scale, 1, -1, -1};
        system.Editors[TSystem::sePreview] = {&preview, 1, -1, -1};
        system.InitDefault();
        EXPECT_EQ(model.Windows.Updated, (std::vector<TObject*>{&window, &setup, &midi, &preview, &scale}));
        system.CloseEditors();
        EXPECT_EQ(model.Windows.Released, (std::vector<TObject*>{&setup, &midi, &preview, &scale}));
        EXPECT_EQ(system.Editors[TSystem::seScaleTune].Left, 77);
        EXPECT_EQ(system.Editors[TSystem::seScaleTune].EditorOpen, 0);
    }
    EXPECT_EQ(model.Windows.Released.back(), &window);
}

// ------------------------------------------------------------------------------------- files and records

TEST(SystemSyx, IsEighteenMessagesAtTheSystemAddressesInBothForms) {
    TModelTestScope model;
    TSystem system(nullptr);
    Seed(system, 2);
    system.Temporary = 0;
    const Bytes body = SyxOf(system);
    ASSERT_EQ(body.size(), 442u);
    EXPECT_EQ(static_cast<std::int32_t>(body.size()), system.ExpectedSyxSize());
    EXPECT_EQ(Hex(Bytes(body.begin(), body.begin() + 9)), "F0 41 10 6A 12 00 00 00 00");
    EXPECT_TRUE(CheckReceivedChecksum(body.data(), 51));
    EXPECT_EQ(Hex(Bytes(body.begin() + 51 + 16 * 23, body.begin() + 51 + 16 * 23 + 9)), "F0 41 10 6A 12 00 00 20 00");
    EXPECT_TRUE(CheckReceivedChecksum(body.data() + 51 + 16 * 23, 23));

    XpFormat = 1;
    const Bytes xp = SyxOf(system);
    ASSERT_EQ(xp.size(), 484u);
    EXPECT_EQ(static_cast<std::int32_t>(xp.size()), system.ExpectedSyxSize());
    EXPECT_TRUE(CheckReceivedChecksum(xp.data(), 93));
    EXPECT_EQ(Bytes(xp.begin() + 93, xp.end()), Bytes(body.begin() + 51, body.end()));  // scale tunes unchanged

    TSystem back(nullptr);
    TMemoryStream stream;
    stream.WriteBuffer(xp.data(), static_cast<std::int64_t>(xp.size()));
    stream.SetPosition(0);
    back.ReadSyx(stream);
    XpFormat = 0;
    EXPECT_EQ(SyxOf(back), body);
}

TEST(SystemSyx, ALoadedFileNamesTheSystem) {
    TModelTestScope model;
    TempDir dir;
    TSystem source(nullptr);
    Seed(source, 3);
    const std::string path = dir.File("StudioSetup.Syx");
    const Bytes body = SyxOf(source);
    SafeWriteFile(path, [&](TStream& s) { s.WriteBuffer(body.data(), static_cast<std::int64_t>(body.size())); });

    TSystem system(nullptr);
    model.Dialogs.Confirm(path);
    system.LoadSyxDialog();
    EXPECT_EQ(system.GetName(), "StudioSetup");
    EXPECT_EQ(DataOf(system), DataOf(source));
}

TEST(SystemLibRecord, KeepsTheNameAndTheFourEditorPlaces) {
    TModelTestScope model;
    TSystem system(nullptr);
    Seed(system, 4);
    system.Editors[TSystem::seSetup] = {nullptr, 0, 1, 2};
    system.Editors[TSystem::seMidi] = {nullptr, 0, 3, 4};
    system.Editors[TSystem::seScaleTune] = {nullptr, 0, 5, 6};
    system.Editors[TSystem::sePreview] = {nullptr, 0, 7, 8};
    TMemoryStream stream;
    system.WriteLibRecord(stream);
    const std::string s = stream.DataString();
    const std::size_t header = 2 + 13 + 80 + 32 + 2 + 6;
    ASSERT_EQ(s.size(), header + 16 + 442);
    EXPECT_EQ(Hex(Bytes(s.begin() + header, s.begin() + header + 16)),
              "01 00 02 00 03 00 04 00 05 00 06 00 07 00 08 00");

    TSystem back(nullptr);
    back.SetName("Other", false);
    stream.SetPosition(2);
    back.ReadLibRecord(stream);
    EXPECT_EQ(back.GetName(), "Untitled");
    EXPECT_EQ(DataOf(back), DataOf(system));
    EXPECT_EQ(back.Editors[TSystem::sePreview].Top, 8);

    system.SetName("Live Rig", false);
    TMemoryStream named;
    system.WriteLibRecord(named);
    named.SetPosition(2);
    back.ReadLibRecord(named);
    EXPECT_EQ(back.GetName(), "Live Rig");
}

// -------------------------------------------------------------------------------------------- receive

class SystemReceive : public ::testing::Test {
protected:
    void Store(unsigned seed) {
        TSystem system(nullptr);
        Seed(system, seed);
        s.Sim.Write(SystemBase, Bytes(system.Common->Data(), system.Common->Data() + TSystemCommon::DataSize));
        for (int i = 1; i <= ScaleTuneCount; ++i)
            s.Sim.Write(SystemBase + ScaleTuneOffset(i),
                        Bytes(system.ScaleTune(i).Data(), system.ScaleTune(i).Data() + TPartScaleTune::DataSize));
        expected = DataOf(system);
    }
    TTransferScope s;
    Bytes expected;
};

TEST_F(SystemReceive, AsksForEachBlockInTurnAndStoresIt) {
    Store(11);
    TSystem system(nullptr);
    system.Receive(false);
    EXPECT_EQ(s.Ports.Pump(), 18);
    const auto requests = s.Ports.Requests();
    ASSERT_EQ(requests.size(), 18u);
    EXPECT_EQ(Hex(requests[0]), "F0 41 10 6A 11 00 00 00 00 00 00 00 33 4D F7");
    EXPECT_EQ(requests[17], MakeDataRequest(0x10, 0x00002000, 0x17));
    EXPECT_EQ(DataOf(system), expected);
    EXPECT_EQ(s.Progress.Title, "Now Receiving System");
    EXPECT_EQ(s.Progress.ElementLabel, "System");
    EXPECT_EQ(s.Progress.Expected, 18);
    EXPECT_EQ(s.Progress.BytesReceived, 442);
    EXPECT_EQ(s.Progress.MessagesReceived, 18);
    EXPECT_TRUE(s.Progress.Completed);
    EXPECT_EQ(s.Progress.Closes, 1);
    EXPECT_FALSE(s.Progress.TimerEnabled());
}

TEST_F(SystemReceive, ASilentInstrumentIsReportedAfterTwoSeconds) {
    TSystem system(nullptr);
    s.Sim.Silent = true;
    s.Model.Messages.Answers.push_back(TMessageResult::Retry);
    s.Model.Messages.Answers.push_back(TMessageResult::Cancel);
    system.Receive(false);
    s.Clock->Advance(2000);
    EXPECT_EQ(s.Ports.Requests().size(), 2u);
    s.Clock->Advance(2100);  // the retried request was paced before its time-out started
    EXPECT_EQ(s.Model.Messages.Shown.size(), 2u);
    EXPECT_EQ(s.Progress.Closes, 1);
    EXPECT_EQ(s.Ports.Requests().size(), 2u);
}

}  // namespace
}  // namespace zel::test
