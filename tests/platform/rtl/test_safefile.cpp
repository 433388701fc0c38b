#include "platform/rtl/SafeFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace zel::test {
namespace {

namespace fs = std::filesystem;

const std::string kOld = std::string("OLD LIBRARY\x00\xFF\r\n", 15) + std::string(5000, 'o');
const std::string kNew = std::string(10000, 'N') + std::string("\x00\x01", 2) + std::string(3000, 'n');

// Every name in the folder, sorted.
std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return st.st_mode & 07777;
}

void WriteNew(TStream& out) {
    // In several pieces, as a file format writer does.
    for (std::size_t i = 0; i < kNew.size(); i += 1000)
        out.WriteBuffer(kNew.data() + i, static_cast<std::int64_t>(std::min<std::size_t>(1000, kNew.size() - i)));
}

TEST(SafeFile, CreatesANewFile) {
    test::TempDir dir;
    const std::string path = dir.File("new.Lib");
    SafeWriteFile(path, WriteNew);
    EXPECT_EQ(test::ReadAll(path), kNew);
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"new.Lib"});
}

TEST(SafeFile, NewFileGetsTheUsualPermissions) {
    test::TempDir dir;
    const mode_t mask = ::umask(022);
    const std::string path = dir.File("new.Lib");
    SafeWriteFile(path, WriteNew);
    ::umask(mask);
    EXPECT_EQ(ModeOf(path), 0644u);
}

TEST(SafeFile, ReplacesAnExistingFileKeepingItsPermissions) {
    test::TempDir dir;
    const std::string path = dir.File("old.Lib");
    test::WriteAll(path, kOld);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    SafeWriteFile(path, WriteNew);
    EXPECT_EQ(test::ReadAll(path), kNew);
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"old.Lib"});
}

TEST(SafeFile, AnEmptyWriteGivesAnEmptyFile) {
    test::TempDir dir;
    const std::string path = dir.File("old.Lib");
    test::WriteAll(path, kOld);
    SafeWriteFile(path, [](TStream&) {});
    EXPECT_EQ(test::ReadAll(path), "");
}

// The ways a save can fail half way; each must leave the old file byte-identical and no temporary file.
struct FailureRow {
    const char* name;
    TSafeFileFaults faults;
    bool writerThrows;
};

void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class SafeFileFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(SafeFileFailure, LeavesTheOldFileAndNoTemporaryFile) {
    const auto& row = GetParam();
    test::TempDir dir;
    const std::string path = dir.File("Bank.Lib");
    test::WriteAll(path, kOld);
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    TSafeFileFaultsGuard guard(row.faults);

    bool threw = false;
    try {
        SafeWriteFile(path, [&](TStream& out) {
            out.WriteBuffer(kNew.data(), 6000);  // more than the old file's first bytes
            if (row.writerThrows) throw std::runtime_error("writer gave up");
            out.WriteBuffer(kNew.data() + 6000, static_cast<std::int64_t>(kNew.size()) - 6000);
        });
    } catch (const std::runtime_error& e) {
        threw = true;
        EXPECT_TRUE(row.writerThrows);
        EXPECT_STREQ(e.what(), "writer gave up");
    } catch (const EWriteError& e) {
        threw = true;
        EXPECT_GE(row.faults.FailWriteAfter, 0);
        EXPECT_EQ(e.Message, "Stream write error (No space left on device)");
    } catch (const EInOutError& e) {
        threw = true;
        EXPECT_TRUE(row.faults.FailSync || row.faults.FailRename);
        EXPECT_NE(e.Message.find(path), std::string::npos) << e.Message;
        EXPECT_EQ(e.ErrorCode, row.faults.FailSync ? EIO : EACCES);
    }
    EXPECT_TRUE(threw);
    EXPECT_EQ(test::ReadAll(path), kOld);
    EXPECT_EQ(ModeOf(path), 0604u);
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"Bank.Lib"});
}

INSTANTIATE_TEST_SUITE_P(Rows, SafeFileFailure,
                         ::testing::Values(FailureRow{"writer_throws_after_6000_bytes", {}, true},
                                           FailureRow{"disk_full_after_0_bytes", {0, false, false}, false},
                                           FailureRow{"disk_full_after_3000_bytes", {3000, false, false}, false},
                                           FailureRow{"disk_full_after_8000_bytes", {8000, false, false}, false},
                                           FailureRow{"disk_full_one_byte_short", {13001, false, false}, false},
                                           FailureRow{"flush_fails", {-1, true, false}, false},
                                           FailureRow{"rename_fails", {-1, false, true}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SafeFile, FaultsExactlyAtTheSizeStillSucceed) {
    test::TempDir dir;
    const std::string path = dir.File("Bank.Lib");
    TSafeFileFaultsGuard guard({static_cast<std::int64_t>(kNew.size()), false, false});
    SafeWriteFile(path, WriteNew);
    EXPECT_EQ(test::ReadAll(path), kNew);
}

TEST(SafeFile, MissingFolderRaisesEInOutErrorAndCreatesNothing) {
    test::TempDir dir;
    const std::string path = dir.File("nowhere/x.Lib");
    try {
        SafeWriteFile(path, WriteNew);
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode, ENOENT);
        EXPECT_EQ(e.Message, "Cannot create file \"" + path + "\": No such file or directory");
    }
    EXPECT_TRUE(Names(dir.Path()).empty());
}

TEST(SafeFile, AFolderIsNotReplaced) {
    test::TempDir dir;
    fs::create_directory(dir.Path() / "sub");
    EXPECT_THROW(SafeWriteFile(dir.File("sub"), WriteNew), EInOutError);
    EXPECT_TRUE(fs::is_directory(dir.Path() / "sub"));
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"sub"});
}

TEST(SafeFile, AReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
    test::TempDir dir;
    const std::string path = dir.File("ro.Lib");
    test::WriteAll(path, kOld);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_THROW(SafeWriteFile(path, WriteNew), EInOutError);
    EXPECT_EQ(test::ReadAll(path), kOld);
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"ro.Lib"});
}

TEST(SafeFile, ASymbolicLinkStaysAndItsFileIsReplaced) {
    test::TempDir dir;
    fs::create_directory(dir.Path() / "real");
    const std::string real = dir.File("real/data.Lib");
    test::WriteAll(real, kOld);
    fs::create_symlink(real, dir.Path() / "link.Lib");
    SafeWriteFile(dir.File("link.Lib"), WriteNew);
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.Lib"));
    EXPECT_EQ(test::ReadAll(real), kNew);
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"link.Lib", "real"}));
    EXPECT_EQ(Names(dir.Path() / "real"), std::vector<std::string>{"data.Lib"});
}

TEST(SafeFile, AVeryLongNameStillWorks) {
    test::TempDir dir;
    const std::string name = std::string(250, 'L') + ".Lib";  // 254: no room for ".tmp-XXXXXX"
    const std::string path = dir.File(name);
    test::WriteAll(path, kOld);
    SafeWriteFile(path, WriteNew);
    EXPECT_EQ(test::ReadAll(path), kNew);
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{name});
}

TEST(SafeFileWriter, TheTemporaryFileSitsBesideTheTarget) {
    test::TempDir dir;
    const std::string path = dir.File("Zelmo95.ini");
    test::WriteAll(path, kOld);
    TSafeFileWriter out(path);
    ASSERT_EQ(out.TempFileName().rfind(path + ".tmp-", 0), 0u) << out.TempFileName();
    EXPECT_EQ(out.TempFileName().size(), path.size() + 11);
    EXPECT_TRUE(fs::exists(out.TempFileName()));
    out.WriteBuffer("abc", 3);
    EXPECT_EQ(test::ReadAll(path), kOld);  // nothing reaches the target before the commit
    out.Commit();
    EXPECT_EQ(test::ReadAll(path), "abc");
    EXPECT_TRUE(out.TempFileName().empty());
    EXPECT_NO_THROW(out.Commit());  // a second commit does nothing
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"Zelmo95.ini"});
}

TEST(SafeFileWriter, NoCommitMeansNoChange) {
    test::TempDir dir;
    const std::string path = dir.File("a.Lib");
    test::WriteAll(path, kOld);
    {
        TSafeFileWriter out(path);
        WriteNew(out);
    }
    EXPECT_EQ(test::ReadAll(path), kOld);
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"a.Lib"});
}

TEST(SafeFileWriter, CommitAfterDiscardRaises) {
    test::TempDir dir;
    const std::string path = dir.File("a.Lib");
    TSafeFileWriter out(path);
    out.WriteBuffer("abc", 3);
    out.Discard();
    EXPECT_THROW(out.Commit(), EInOutError);
    EXPECT_TRUE(Names(dir.Path()).empty());
}

TEST(SafeFileWriter, CanReadBackAndPatchBeforeCommit) {
    test::TempDir dir;
    const std::string path = dir.File("a.Lib");
    TSafeFileWriter out(path);
    WriteI16(out, 0);  // a count patched later
    WriteI16(out, 0x1234);
    out.SetPosition(0);
    WriteI16(out, 1);
    out.SetPosition(2);
    EXPECT_EQ(ReadU16(out), 0x1234);
    out.Commit();
    EXPECT_EQ(test::ReadAll(path), std::string("\x01\x00\x34\x12", 4));
}

TEST(SafeFile, MemoryStreamSaveToFileIsSafe) {
    test::TempDir dir;
    const std::string path = dir.File("m.Syx");
    test::WriteAll(path, kOld);
    TMemoryStream m;
    m.WriteBuffer(kNew.data(), static_cast<std::int64_t>(kNew.size()));
    {
        TSafeFileFaultsGuard guard({100, false, false});
        EXPECT_THROW(m.SaveToFile(path), EWriteError);
    }
    EXPECT_EQ(test::ReadAll(path), kOld);
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"m.Syx"});
    m.SaveToFile(path);
    EXPECT_EQ(test::ReadAll(path), kNew);
}

}  // namespace
}  // namespace zel::test
