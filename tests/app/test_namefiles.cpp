// The name files: reading lists from their bytes whatever the line ends, the separators and damage,
// writing every name as one line of 12 characters, the copy of the shipped "Names.Txt" into the data
// folder, and the shipped file itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/NameFiles.h"
#include "platform/rtl/SysUtils.h"
#include "support/TempDir.h"

namespace zel::test {
namespace {

using TNames = std::vector<std::string>;
using TListsOfNames = std::vector<TNames>;

// Reads a file into Count lists; answers the lists and the index current at the end.
TListsOfNames ReadInto(const std::string& path, int count, int& current) {
    std::vector<TStringList> lists(static_cast<std::size_t>(count));
    std::vector<TStrings*> pointers;
    for (TStringList& l : lists) pointers.push_back(&l);
    current = ReadNameFile(path, pointers, 0);
    TListsOfNames names;
    for (TStringList& l : lists) {
        TNames n;
        for (int i = 0; i < l.GetCount(); ++i) n.push_back(l.Get(i));
        names.push_back(n);
    }
    return names;
}

TEST(NameFiles, ReadingSplitsListsAtSeparatorsWhateverTheLineEnds) {
    struct TRow {
        const char* name;
        std::string bytes;
        TListsOfNames lists;
        int current;
    } rows[] = {
        {"CR LF", "a\r\nb\r\n\xC7\r\nc\r\n", {{"a", "b"}, {"c"}, {}}, 1},
        {"LF only", "a\nb\n\xC7\nc\n", {{"a", "b"}, {"c"}, {}}, 1},
        {"lone CR", "a\rb\r\xC7\rc", {{"a", "b"}, {"c"}, {}}, 1},
        {"no line end at the end", "a\r\nb", {{"a", "b"}, {}, {}}, 0},
        {"empty lines skipped", "\r\n\r\na\r\n\r\n\n", {{"a"}, {}, {}}, 0},
        {"blanks are a name", "  \r\n\xC7\r\n", {{"  "}, {}, {}}, 1},
        {"a separator's rest ignored", "a\r\n\xC7junk\r\nb", {{"a"}, {"b"}, {}}, 1},
        {"trailing separator", "a\r\n\xC7\r\n", {{"a"}, {}, {}}, 1},
        {"more lists than held", "a\r\n\xC7\r\nb\r\n\xC7\r\nc\r\n\xC7\r\nd\r\n\xC7\r\ne\r\n", {{"a"}, {"b"}, {"c"}}, 4},
        {"NUL and high bytes kept",
         std::string("a\0b\r\n\xE9t\xE9\r\n", 9),
         {{std::string("a\0b", 3), "\xE9t\xE9"}, {}, {}},
         0},
        {"empty file", "", {{}, {}, {}}, 0},
    };
    TempDir dir;
    for (const TRow& r : rows) {
        WriteAll(dir.File("n.txt"), r.bytes);
        int current = -1;
        EXPECT_EQ(ReadInto(dir.File("n.txt"), 3, current), r.lists) << r.name;
        EXPECT_EQ(current, r.current) << r.name;
    }
}

TEST(NameFiles, AFileThatCannotBeReadRaisesTheLoadMessage) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("folder.txt"));
    for (const std::string& path : {dir.File("missing.txt"), dir.File("folder.txt")}) {
        int current = 0;
        try {
            ReadInto(path, 3, current);
            ADD_FAILURE() << path;
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Message, "Unable to Load File Names.Txt Or UserCard.Txt");
        }
    }
    EXPECT_TRUE(NameFileMissing(dir.File("missing.txt")));
    EXPECT_FALSE(NameFileMissing(dir.File("folder.txt")));
}

TEST(NameFiles, WritingGivesEveryNameOneLineOfTwelveCharacters) {
    TStringList a, b, c;
    for (const char* n : {"Piano", "", "Twelve Chars", "Longer Than 12", "Tab\tand\x01"}) a.Add(n);
    b.Add("\xE9l\xE9gie");
    std::vector<TStrings*> lists = {&a, &b, &c};
    EXPECT_EQ(NameFileText(lists),
              "Piano       \r\n            \r\nTwelve Chars\r\nLonger Than \r\nTab and     \r\n\xC7\r\n"
              "\xE9l\xE9gie      \r\n\xC7\r\n\xC7\r\n");
}

TEST(NameFiles, TheShippedNamesFileGoesIntoAnEmptyDataFolderOnly) {
    TempDir program, data;
    // No file beside the program: nothing to copy.
    EXPECT_FALSE(InstallNamesFile(program.Path().string(), data.Path().string()));
    EXPECT_FALSE(std::filesystem::exists(data.File("Names.Txt")));
    WriteAll(program.File("Names.Txt"), "shipped\r\n");
    EXPECT_TRUE(InstallNamesFile(program.Path().string(), data.Path().string()));
    EXPECT_EQ(ReadAll(data.File("Names.Txt")), "shipped\r\n");
    // The user's own file stays.
    WriteAll(data.File("Names.Txt"), "mine\r\n");
    EXPECT_FALSE(InstallNamesFile(program.Path().string(), data.Path().string()));
    EXPECT_EQ(ReadAll(data.File("Names.Txt")), "mine\r\n");
}

TEST(NameFiles, TheShippedNamesFileHoldsTheFiftyEightListsInTheirOrder) {
    std::vector<TStringList> lists(65);
    std::vector<TStrings*> pointers;
    for (TStringList& l : lists) pointers.push_back(&l);
    // 57 separators and none after the last list: the next file starts at list 59.
    EXPECT_EQ(ReadNameFile(ZELMOVI_NAMES_FILE, pointers, 0), 57);
    struct TRow {
        int list;  // as the editors number them
        int count;
        const char* first;
    } rows[] = {{1, 256, "IntA Wav 001"},  {2, 256, "IntB Wav 001"},  {3, 256, "Ex01 Wav 001"},
                {4, 256, "Ex01 Pat 001"},  {36, 256, "Ex17 Pat 001"}, {37, 128, "PrA  Pat 001"},
                {40, 128, "GM   Pat 001"}, {41, 256, "Pcm1 Wav 001"}, {56, 256, "Pcm8 Pat 001"},
                {57, 32, "PrA  Prf 001"},  {58, 32, "PrB  Prf 001"},  {59, 0, ""}};
    for (const TRow& r : rows) {
        const TStringList& l = lists[static_cast<std::size_t>(r.list - 1)];
        ASSERT_EQ(l.GetCount(), r.count) << r.list;
        if (r.count > 0) {
            EXPECT_EQ(l.Get(0), r.first) << r.list;
        }
    }
    for (const TStringList& l : lists) {
        for (int i = 0; i < l.GetCount(); ++i) {
            EXPECT_EQ(l.Get(i).size(), 12u) << l.Get(i);
        }
    }
}

}  // namespace
}  // namespace zel::test
