// The global set: its seven members, the .Glb file (round trip byte for byte, damaged files refused,
// safe saving, the dialogs) and the transfers that walk its members.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "model/Global.h"
#include "model/Library.h"
#include "model/Patch.h"
#include "model/Performance.h"
#include "model/Rhythm.h"
#include "model/SystemElem.h"
#include "platform/rtl/SafeFile.h"
#include "support/TempDir.h"
#include "support/model/BankTransferFakes.h"

namespace zel::test {
namespace {

// The size of a .Glb file: the global's header and window size, then each member's record.
constexpr std::size_t HeaderSize = 135;
constexpr std::size_t BankRecord(std::size_t body) { return HeaderSize + 4 + body; }

Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes RecordOf(TLibElem& element) {
    TMemoryStream out;
    element.WriteLibRecord(out);
    return Bytes(out.Memory(), out.Memory() + out.GetSize());
}

// Gives every member recognisable data.
void Seed(TGlobal& global) {
    for (bool user : {true, false}) {
        TPatchBank& patches = global.PatchBank(user);
        for (int i = 0; i < PatchSlots; ++i) {
            const Bytes d = Pattern(TTone::DataSize, static_cast<unsigned>(i + (user ? 0 : 500)));
            std::copy(d.begin(), d.end(), patches.Patch(i).Tone(3).Data());
            patches.Patch(i).SetName("P" + std::to_string(i), false);
        }
        TPerformanceBank& performances = global.PerformanceBank(user);
        for (int i = 0; i < PerformanceSlots; ++i) {
            const Bytes d = Pattern(TPerformancePart::DataSize, static_cast<unsigned>(i + 77));
            std::copy(d.begin(), d.end(), performances.Performance(i).Part(9).Data());
        }
        const Bytes n = Pattern(TRhythmNote::DataSize, user ? 3u : 4u);
        std::copy(n.begin(), n.end(), global.RhythmBank(user).Rhythm(1).Note(60).Data());
    }
    const Bytes c = Pattern(TSystemCommon::DataSize, 9);
    std::copy(c.begin(), c.end(), global.System().Common->Data());
    global.WindowWidth = 640;
    global.WindowHeight = 480;
}

TEST(Global, HoldsTheSevenMembersInTheirFixedOrder) {
    TModelTestScope model;
    TGlobal global(nullptr);
    EXPECT_EQ(global.ElemType, etGlobal);
    EXPECT_EQ(global.FileName, "Untitled.Glb");
    EXPECT_EQ(global.Name, "Untitled");
    EXPECT_EQ(global.LocationText(), "");
    const ElementType types[] = {etPatchBank,  etPatchBank,  etPerformanceBank, etPerformanceBank,
                                 etRhythmBank, etRhythmBank, etSystem};
    ASSERT_EQ(global.MemberCount(), 7);
    for (int i = 0; i < 7; ++i) {
        const TLibElem& m = *global.Members[static_cast<std::size_t>(i)];
        EXPECT_EQ(m.ElemType, types[i]) << i;
        EXPECT_EQ(m.Owner, &global);
        if (i < 6) {
            EXPECT_EQ(m.User, i % 2 == 0 ? 1 : 0) << i;
        }
    }
    EXPECT_EQ(global.PatchBank(false).Patch(127).LocationText(), "Card : 128");
    EXPECT_EQ(CreateElementOfType(etGlobal, nullptr)->ClassName(), "TGlobal");
}

TEST(Global, GlbFileRoundTripsByteForByte) {
    TModelTestScope model;
    TempDir dir;
    TGlobal global(nullptr);
    Seed(global);
    const std::string path = dir.File("Studio.Glb");
    global.FileName = path;
    global.SaveGlobalFile(path);
    EXPECT_EQ(global.HasFile, 1);

    const Bytes file = ReadFileBytes(path);
    const std::size_t expected = HeaderSize + 4 + 2 * BankRecord(82304) + 2 * BankRecord(17760) + 2 * BankRecord(8878) +
                                 RecordOf(global.System()).size();
    ASSERT_EQ(file.size(), expected);
    EXPECT_EQ(file[0], 0x07);
    EXPECT_EQ(file[1], 0x00);
    EXPECT_EQ(file[HeaderSize + 4], etPatchBank);  // the first member's type code

    TFakeLibrary library;
    TGlobal loaded(&library);
    loaded.LoadGlobalFile(path);
    EXPECT_EQ(loaded.Name, "Studio");
    EXPECT_EQ(loaded.FileName, path);
    EXPECT_EQ(library.Saved, 0);
    // Written again, the global gives the same bytes, but for the stamp of its change (it was loaded
    // into a library) and its new name.
    TMemoryStream again;
    loaded.Name = global.Name;
    loaded.WriteLibRecord(again);
    Bytes rewritten(again.Memory(), again.Memory() + again.GetSize());
    ASSERT_EQ(rewritten.size(), file.size());
    constexpr std::size_t ModifiedStamp = 111, AfterStamp = 127;
    EXPECT_EQ(Bytes(rewritten.begin(), rewritten.begin() + ModifiedStamp),
              Bytes(file.begin(), file.begin() + ModifiedStamp));
    EXPECT_EQ(Bytes(rewritten.begin() + AfterStamp, rewritten.end()), Bytes(file.begin() + AfterStamp, file.end()));
    EXPECT_EQ(loaded.PatchBank(false).Patch(5).GetName(), "P5");
    EXPECT_EQ(loaded.PatchBank(false).User, 0);
}

TEST(Global, ADamagedGlbFileIsRefusedAndTheGlobalKeepsItsData) {
    TModelTestScope model;
    TempDir dir;
    TGlobal source(nullptr);
    Seed(source);
    const std::string good = dir.File("Good.Glb");
    source.SaveGlobalFile(good);
    const Bytes file = ReadFileBytes(good);
    const std::size_t secondBank = HeaderSize + 4 + BankRecord(82304);

    struct Row {
        const char* name;
        Bytes bytes;
    };
    Bytes notGlobal = file;
    notGlobal[0] = etPatchBank;
    Bytes wrongMember = file;
    wrongMember[secondBank] = etRhythmBank;
    Bytes highByte = file;
    highByte[secondBank + HeaderSize + 4 + 643 * 50 + 100] = 0x9C;  // a data byte of card patch 51
    const Row rows[] = {
        {"empty", {}},
        {"cut inside the card patch bank", Bytes(file.begin(), file.begin() + static_cast<long>(secondBank) + 5000)},
        {"cut inside the system", Bytes(file.begin(), file.end() - 3)},
        {"not a global", notGlobal},
        {"a member of the wrong kind", wrongMember},
        {"a data byte of 80H or more", highByte},
    };
    TGlobal global(nullptr);
    global.Name = "Mine";
    const Bytes before = RecordOf(global);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = dir.File("Bad.Glb");
        WriteFileBytes(path, row.bytes);
        try {
            global.LoadGlobalFile(path);
            ADD_FAILURE() << "loaded";
        } catch (const EInOutError& e) {
            EXPECT_STREQ(e.what(), "Error Loadind Global");
        }
        EXPECT_EQ(RecordOf(global), before);
    }
}

TEST(Global, SavingGoesThroughTheDialogOnceAndNeverDestroysTheOldFile) {
    TModelTestScope model;
    TempDir dir;
    TGlobal global(nullptr);
    const std::string path = dir.File("Live.Glb");
    WriteFileBytes(path, Bytes{1, 2, 3});

    // A new global asks for a file; an existing one is overwritten only after Yes.
    model.Dialogs.Confirm(path);
    model.Messages.Answers.push_back(TMessageResult::No);
    global.SaveGlobalDialog(false);
    ASSERT_EQ(model.Dialogs.Shown.size(), 1u);
    EXPECT_EQ(model.Dialogs.Shown[0].Title, "Save Global");
    EXPECT_EQ(model.Dialogs.Shown[0].DefaultExt, "Glb");
    EXPECT_EQ(model.Dialogs.Shown[0].Filter, "Glb file|*.Glb");
    EXPECT_EQ(model.Messages.Shown.at(0).Text, "File Alredy Exist. Overwrite it ?");
    EXPECT_EQ(ReadFileBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(global.HasFile, 0);

    model.Dialogs.Confirm(path);
    model.Messages.Answers.push_back(TMessageResult::Yes);
    global.SaveGlobalDialog(false);
    EXPECT_EQ(global.FileName, path);
    const Bytes saved = ReadFileBytes(path);
    EXPECT_EQ(saved.size(), RecordOf(global).size());
    EXPECT_EQ(global.HasFile, 1);

    // From now on a plain save writes straight to the file; a failing one leaves it whole.
    global.System().Common->Data()[5] = 33;
    {
        TSafeFileFaultsGuard faults({.FailWriteAfter = 1000});
        try {
            global.SaveGlobalDialog(false);
            ADD_FAILURE() << "saved";
        } catch (const EInOutError& e) {
            EXPECT_STREQ(e.what(), "Error Saving Global");
        }
    }
    EXPECT_EQ(ReadFileBytes(path), saved);
    EXPECT_EQ(model.Dialogs.Shown.size(), 2u);

    // Loading through the dialog.
    TGlobal other(nullptr);
    model.Dialogs.Confirm(path);
    other.LoadGlobalDialog();
    EXPECT_EQ(model.Dialogs.Shown.back().Title, "Load Global");
    EXPECT_TRUE(model.Dialogs.Shown.back().FileMustExist);
    EXPECT_EQ(other.Name, "Live");
}

TEST(Global, LivesInALibraryFile) {
    TModelTestScope model;
    TempDir dir;
    TLibrary library;
    auto global = std::make_unique<TGlobal>(&library);
    Seed(*global);
    const Bytes record = RecordOf(*global);
    library.Elements.push_back(std::move(global));
    const std::string path = dir.File("Set.Lib");
    library.SaveToFile(path);

    TLibrary loaded;
    loaded.LoadFromFile(path);
    ASSERT_EQ(loaded.Elements.size(), 1u);
    EXPECT_EQ(loaded.Elements[0]->ElemType, etGlobal);
    EXPECT_EQ(RecordOf(*loaded.Elements[0]), record);
}

// ----------------------------------------------------------------------------------------- transfers

class GlobalTransfer : public ::testing::Test {
protected:
    // The first address byte of every data set sent, in order, with repeats folded.
    std::vector<int> AreasSent() {
        std::vector<int> areas;
        for (const Bytes& m : s.DataSets())
            if (areas.empty() || areas.back() != m[5]) areas.push_back(m[5]);
        return areas;
    }
    TBankTransferScope s;
};

TEST_F(GlobalTransfer, WithoutADataCardOnlyTheUserBanksAndTheSystemAreSent) {
    TGlobal global(nullptr);
    s.Model.Holder.Config->Installed = 0;
    global.Transmit(false);
    // The system, last, goes out from the event loop once the banks' windows have closed.
    SendQueuedMessages(s.Clock.Clock());
    EXPECT_EQ(s.Progress.Titles,
              (std::vector<std::string>{"Now Transmitting User Patch Bank", "Now Transmitting User Performance Bank",
                                        "Now Transmitting User Rhythm Bank"}));
    // User patches, user performances and rhythm sets, then the system.
    EXPECT_EQ(AreasSent(), (std::vector<int>{0x11, 0x10, 0x00}));
    EXPECT_EQ(s.DataSets().size(), 640u + 544u + 130u + 18u);
}

TEST_F(GlobalTransfer, WithADataCardCancellingTheCardPatchBankEndsTheTransmit) {
    TGlobal global(nullptr);
    s.Model.Holder.Config->Installed = 1;
    s.Progress.CancelWhen = [&]() { return s.Progress.Starts == 2 && s.Progress.MessagesSent >= 20; };
    global.Transmit(false);
    EXPECT_EQ(s.Progress.Titles,
              (std::vector<std::string>{"Now Transmitting User Patch Bank", "Now Transmitting Data Card Patch Bank"}));
    EXPECT_EQ(AreasSent(), (std::vector<int>{0x11, 0x21}));
    EXPECT_EQ(s.DataSets().size(), 640u + 20u);
}

TEST_F(GlobalTransfer, ReceiveFetchesEveryMemberAndStopsOnAFailure) {
    TFakeLibrary library;
    TGlobal global(&library);
    s.Model.Holder.Config->Installed = 1;
    s.Sim.Write(PatchBaseAddress(false, 128) + ToneOffset(4), Pattern(TTone::DataSize, 5));
    s.Sim.Write(SystemBase, Pattern(TSystemCommon::DataSize, 6));
    global.Receive(false);
    EXPECT_EQ(s.Progress.Titles.size(), 7u);
    EXPECT_EQ(s.Progress.Titles.back(), "Now Receiving System");
    const TTone& tone = global.PatchBank(false).Patch(127).Tone(4);
    EXPECT_EQ(Bytes(tone.Data(), tone.Data() + TTone::DataSize), Pattern(TTone::DataSize, 5));
    const auto& common = *global.System().Common;
    EXPECT_EQ(Bytes(common.Data(), common.Data() + TSystemCommon::DataSize), Pattern(TSystemCommon::DataSize, 6));
    EXPECT_EQ(library.Saved, 0);

    // An instrument that does not answer ends the receive at the first bank.
    s.Progress.Titles.clear();
    s.Sim.Silent = true;
    s.Model.Messages.Answers = {TMessageResult::Cancel};
    global.Receive(false);
    EXPECT_EQ(s.Progress.Titles, std::vector<std::string>{"Now Receiving User Patch Bank"});
}

}  // namespace
}  // namespace zel::test
