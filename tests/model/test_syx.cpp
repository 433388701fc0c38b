// .Syx bodies: the patch's 643 bytes (644 in the XP form), byte-exact round trips, re-targeting, the
// XP forms of the other blocks, and damaged files.
#include <gtest/gtest.h>

#include "model/Patch.h"
#include "model/SyxFiles.h"
#include "platform/rtl/SafeFile.h"
#include "support/TempDir.h"
#include "support/model/TransferFakes.h"

namespace zel::test {
namespace {

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    SafeWriteFile(path, [&](TStream& s) { s.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size())); });
}

void SeedPatch(TPatch& patch, unsigned seed) {
    const Bytes c = Pattern(TCommon::DataSize, seed);
    std::copy(c.begin(), c.end(), patch.Common->Data());
    for (int t = 1; t <= ToneCount; ++t) {
        const Bytes d = Pattern(TTone::DataSize, seed + static_cast<unsigned>(t));
        std::copy(d.begin(), d.end(), patch.Tone(t).Data());
    }
}

bool ChecksumOk(const Bytes& body, std::size_t start, std::size_t length) {
    return CheckReceivedChecksum(body.data() + start, length);
}

TEST(PatchSyx, IsFiveMessagesAddressedForTheLocation) {
    TModelTestScope model;
    TPatch patch(nullptr);
    SeedPatch(patch, 1);
    patch.Temporary = 0;
    patch.User = 1;
    patch.Number = 5;
    const Bytes body = SyxOf(patch);
    ASSERT_EQ(body.size(), 643u);
    const std::size_t starts[] = {0, 83, 223, 363, 503};
    const char* addresses[] = {"11 04 00 00", "11 04 10 00", "11 04 12 00", "11 04 14 00", "11 04 16 00"};
    for (int i = 0; i < 5; ++i) {
        const std::size_t at = starts[i];
        const std::size_t length = i == 0 ? 83 : 140;
        EXPECT_EQ(Hex(Bytes(body.begin() + at, body.begin() + at + 5)), "F0 41 10 6A 12") << i;
        EXPECT_EQ(Hex(Bytes(body.begin() + at + 5, body.begin() + at + 9)), addresses[i]) << i;
        EXPECT_EQ(body[at + length - 1], 0xF7) << i;
        EXPECT_TRUE(ChecksumOk(body, at, length)) << i;
    }
    patch.Temporary = 1;
    const Bytes temporary = SyxOf(patch);
    EXPECT_EQ(Hex(Bytes(temporary.begin() + 5, temporary.begin() + 9)), "03 00 00 00");
}

TEST(PatchSyx, ReadsBackToTheSameBytes) {
    TModelTestScope model;
    TPatch patch(nullptr);
    SeedPatch(patch, 2);
    patch.Temporary = 0;
    patch.User = 0;
    patch.Number = 77;
    const Bytes body = SyxOf(patch);

    TPatch copy(nullptr);
    copy.Temporary = 0;
    copy.User = 0;
    copy.Number = 77;
    ReadSyxFrom(copy, body);
    EXPECT_EQ(copy.Common->Message, patch.Common->Message);
    EXPECT_EQ(SyxOf(copy), body);
}

TEST(PatchSyx, ReadingTakesTheBytesAsTheyAre) {
    TModelTestScope model;
    TPatch patch(nullptr);
    Bytes body = SyxOf(patch);
    body[2] = 0x05;   // another device
    body[81] = 0x00;  // a wrong checksum
    TPatch copy(nullptr);
    ReadSyxFrom(copy, body);
    EXPECT_EQ(copy.Common->Message[2], 0x05);
    EXPECT_EQ(copy.Common->Message[81], 0x00);
}

TEST(PatchSyx, RetargetingChangesOnlyAddressesAndChecksums) {
    TModelTestScope model;
    TPatch patch(nullptr);
    SeedPatch(patch, 3);
    patch.Temporary = 0;
    patch.User = 1;
    patch.Number = 5;
    const Bytes before = SyxOf(patch);
    patch.Number = 9;
    const Bytes after = SyxOf(patch);
    ASSERT_EQ(before.size(), after.size());
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] != after[i]) changed.push_back(i);
    // Byte 6 of each message (the slot) and, since the slot moved by four, every checksum.
    const std::vector<std::size_t> expected = {6,         81,      83 + 6,    83 + 138, 223 + 6,
                                               223 + 138, 363 + 6, 363 + 138, 503 + 6,  503 + 138};
    EXPECT_EQ(changed, expected);
    EXPECT_EQ(after[6], 0x08);
}

TEST(PatchSyx, XpFormIsOneByteLongerAndReadsBackToTheNormalForm) {
    TModelTestScope model;
    TPatch patch(nullptr);
    SeedPatch(patch, 4);
    const Bytes normal = SyxOf(patch);

    XpFormat = 1;
    const Bytes xp = SyxOf(patch);
    ASSERT_EQ(xp.size(), 644u);
    EXPECT_EQ(patch.ExpectedSyxSize(), 644);
    // The common: header and 72 data bytes as before, one 00, a checksum over all 73, F7.
    EXPECT_TRUE(std::equal(normal.begin(), normal.begin() + 81, xp.begin()));
    EXPECT_EQ(xp[81], 0x00);
    EXPECT_EQ(xp[83], 0xF7);
    EXPECT_TRUE(ChecksumOk(xp, 0, 84));
    // The tones are unchanged.
    EXPECT_TRUE(std::equal(normal.begin() + 83, normal.end(), xp.begin() + 84));

    TPatch copy(nullptr);
    ReadSyxFrom(copy, xp);
    XpFormat = 0;
    EXPECT_EQ(copy.Common->Message, patch.Common->Message);
    EXPECT_EQ(SyxOf(copy), normal);
}

TEST(PatchSyx, XpReadKeepsTheCommonDataAndRechecksumsIt) {
    TModelTestScope model;
    TPatch patch(nullptr);
    SeedPatch(patch, 5);
    XpFormat = 1;
    Bytes xp = SyxOf(patch);
    xp[81] = 0x33;  // an extra data byte that is not zero: dropped
    xp[82] = RolandChecksum(xp.data(), 83);
    TPatch copy(nullptr);
    ReadSyxFrom(copy, xp);
    EXPECT_TRUE(std::equal(copy.Common->Data(), copy.Common->Data() + 72, patch.Common->Data()));
    EXPECT_TRUE(CheckReceivedChecksum(copy.Common->Message.data(), 83));
    EXPECT_EQ(copy.Common->Message[82], 0xF7);
}

// The XP forms of the blocks that later kinds write, through the shared body machinery.
struct XpCase {
    const char* Name;
    std::size_t DataSize;
    std::size_t Extra;
    std::size_t XpLength;
};

class XpForms : public ::testing::TestWithParam<XpCase> {};

TEST_P(XpForms, PadWithZerosAndRoundTrip) {
    TModelTestScope model;
    const XpCase& c = GetParam();
    Bytes message(c.DataSize + 11, 0);
    const Bytes data = Pattern(c.DataSize, 7);
    std::copy(data.begin(), data.end(), message.begin() + 9);
    FillDataSetHeader(message.data(), message.size() - 1, 0x01001000);
    const TSyxMessage m[1] = {{message.data(), c.DataSize, c.Extra}};

    XpFormat = 1;
    TMemoryStream stream;
    WriteSyxBody(stream, m);
    const std::string xp = stream.DataString();
    ASSERT_EQ(xp.size(), c.XpLength);
    for (std::size_t i = 9 + c.DataSize; i < xp.size() - 2; ++i) EXPECT_EQ(xp[i], 0) << i;
    EXPECT_TRUE(CheckReceivedChecksum(reinterpret_cast<const std::uint8_t*>(xp.data()), xp.size()));

    Bytes back(c.DataSize + 11, 0xEE);
    const TSyxMessage r[1] = {{back.data(), c.DataSize, c.Extra}};
    stream.SetPosition(0);
    ReadSyxBody(stream, r);
    EXPECT_EQ(back, message);
}

INSTANTIATE_TEST_SUITE_P(Blocks, XpForms,
                         ::testing::Values(XpCase{"PatchCommon", 72, XpPatchCommonExtra, 84},
                                           XpCase{"PerformanceCommon", 64, XpPerformanceCommonExtra, 77},
                                           XpCase{"PerformancePart", 19, XpPerformancePartExtra, 36},
                                           XpCase{"SystemCommon", 40, XpSystemCommonExtra, 93}),
                         [](const ::testing::TestParamInfo<XpCase>& info) { return std::string(info.param.Name); });

// --------------------------------------------------------------------------------------- the dialogs

class PatchSyxFiles : public ::testing::Test {
protected:
    TModelTestScope model;
    TempDir dir;
};

TEST_F(PatchSyxFiles, SaveAndLoadThroughTheDialogs) {
    TPatch patch(nullptr);
    SeedPatch(patch, 6);
    patch.SetName("Strings", false);
    const std::string path = dir.File("Strings.Syx");
    model.Dialogs.Confirm(path);
    patch.SaveSyxDialog(false);
    TMemoryStream file;
    file.LoadFromFile(path);
    EXPECT_EQ(file.GetSize(), 643);

    TPatch loaded(nullptr);
    model.Dialogs.Confirm(path);
    loaded.LoadSyxDialog();
    EXPECT_EQ(loaded.GetName(), "Strings");
    EXPECT_EQ(SyxOf(loaded), SyxOf(patch));
    EXPECT_EQ(loaded.FileName, path);
}

struct SizeCase {
    const char* Name;
    std::size_t FileSize;
    bool Xp;
    bool Accepted;
};

class PatchSyxSizes : public PatchSyxFiles, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(PatchSyxSizes, OnlyTheExpectedSizeIsRead) {
    const SizeCase& c = GetParam();
    TPatch source(nullptr);
    SeedPatch(source, 12);
    XpFormat = c.FileSize == 644 ? 1 : 0;
    Bytes body = SyxOf(source);
    body.resize(c.FileSize, 0);
    const std::string path = dir.File("p.Syx");
    WriteFileBytes(path, body);

    TPatch patch(nullptr);
    XpFormat = 0;
    const Bytes before = SyxOf(patch);
    XpFormat = c.Xp ? 1 : 0;
    model.Dialogs.Confirm(path);
    patch.LoadSyxDialog();
    if (c.Accepted) {
        EXPECT_TRUE(model.Messages.Shown.empty());
        EXPECT_TRUE(std::equal(patch.Common->Data(), patch.Common->Data() + 72, source.Common->Data()));
    } else {
        ASSERT_EQ(model.Messages.Shown.size(), 1u);
        EXPECT_EQ(model.Messages.Shown[0].Text, "Incorrect SysEx File Type.");
        XpFormat = 0;
        EXPECT_EQ(SyxOf(patch), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, PatchSyxSizes,
                         ::testing::Values(SizeCase{"NormalFile", 643, false, true},
                                           SizeCase{"XpFileWhileImporting", 644, true, true},
                                           SizeCase{"XpFileRefusedNormally", 644, false, false},
                                           SizeCase{"NormalFileRefusedWhileImporting", 643, true, false},
                                           SizeCase{"OneByteShort", 642, false, false},
                                           SizeCase{"Empty", 0, false, false}),
                         [](const ::testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.Name); });

TEST_F(PatchSyxFiles, ADataByteOf80HIsRefusedAndThePatchKept) {
    TPatch source(nullptr);
    SeedPatch(source, 13);
    for (std::size_t at : {std::size_t{9}, std::size_t{83 + 9 + 128}, std::size_t{640}}) {
        Bytes body = SyxOf(source);
        body[at] = 0x80;
        const std::string path = dir.File("bad.Syx");
        WriteFileBytes(path, body);
        TPatch patch(nullptr);
        const Bytes before = SyxOf(patch);
        model.Dialogs.Confirm(path);
        try {
            patch.LoadSyxDialog();
            ADD_FAILURE() << "a data byte of 80H at " << at << " was read";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Message, "Error Loadind Sysex");
        }
        EXPECT_EQ(SyxOf(patch), before) << at;
        EXPECT_EQ(patch.FileName, "Untitled.Syx");
    }
}

}  // namespace
}  // namespace zel::test
