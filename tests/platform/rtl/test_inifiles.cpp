#include "platform/rtl/IniFiles.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/rtl/SafeFile.h"
#include "support/TempDir.h"

namespace zel::test {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// Sets (or removes, with nullopt) an environment variable for a scope.
class EnvGuard {
public:
    EnvGuard(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) ::setenv(name, value->c_str(), 1);
        else ::unsetenv(name);
    }
    ~EnvGuard() {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// A settings file in the style of Zelmo95.ini, with a comment, an unknown section and LF endings.
const char* const kSample =
    "; Zelmovi settings\n"
    "[Midi]\n"
    "DeviceID=17\n"
    "Thrue=1\n"
    "\n"
    "[Desktop]\n"
    "; window positions\n"
    "Left=10\n"
    "\n"
    "[Data Card]\n"
    "Installed = 1\n"
    "\n"
    "[Preview]\n"
    "  Single Note =  0  \n"
    "Midifile=C:\\Midi\\Demo.Mid\n";

class IniFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& text, const std::string& name = "Zelmo95.ini") {
        const std::string path = dir.File(name);
        test::WriteAll(path, text);
        return path;
    }
    test::TempDir dir;
};

// ---------------------------------------------------------------- where the file lives

TEST_F(IniFileTest, ABareNameLivesInXdgConfigHome) {
    const std::string config = (dir.Path() / "cfg" / "sub").string();
    EnvGuard xdg("XDG_CONFIG_HOME", config);
    TIniFile ini("Zelmo95.ini");
    EXPECT_EQ(ini.FileName(), "Zelmo95.ini");
    EXPECT_EQ(ini.Path(), config + "/Zelmo95.ini");
    EXPECT_EQ(ini.ReadInteger("Midi", "DeviceID", 16), 16);  // no file yet
    EXPECT_FALSE(fs::exists(config));                        // reading creates nothing
    ini.WriteInteger("Midi", "DeviceID", 17);                // the folder is created on write
    EXPECT_EQ(test::ReadAll(config + "/Zelmo95.ini"), "[Midi]\r\nDeviceID=17\r\n");
    EXPECT_EQ(TIniFile("Zelmo95.ini").ReadInteger("Midi", "DeviceID", 16), 17);
}

TEST_F(IniFileTest, WithoutXdgConfigHomeABareNameLivesInHomeDotConfig) {
    EnvGuard xdg("XDG_CONFIG_HOME", std::nullopt);
    EnvGuard home("HOME", dir.Path().string());
    EXPECT_EQ(TIniFile("Zelmo95.ini").Path(), dir.File(".config/Zelmo95.ini"));
    EXPECT_EQ(TIniFile::ConfigFolder(), dir.File(".config"));
}

TEST_F(IniFileTest, ARelativeXdgConfigHomeIsIgnored) {
    EnvGuard xdg("XDG_CONFIG_HOME", "relative/cfg");
    EnvGuard home("HOME", dir.Path().string() + "/");
    EXPECT_EQ(TIniFile("Zelmo95.ini").Path(), dir.File(".config/Zelmo95.ini"));
}

TEST_F(IniFileTest, ANameWithAFolderIsUsedAsItIs) {
    EXPECT_EQ(TIniFile(dir.File("x.ini")).Path(), dir.File("x.ini"));
    EXPECT_EQ(TIniFile("./x.ini").Path(), "./x.ini");
}

// ---------------------------------------------------------------- reading

TEST_F(IniFileTest, SectionsAndKeysIgnoreCaseAndSurroundingBlanks) {
    TIniFile ini(Write(kSample));
    EXPECT_EQ(ini.ReadInteger("MIDI", "deviceid", 16), 17);
    EXPECT_EQ(ini.ReadInteger(" midi ", " DeviceID", 16), 17);
    EXPECT_EQ(ini.ReadInteger("data card", "INSTALLED", 0), 1);
    EXPECT_EQ(ini.ReadInteger("Preview", "Single Note", 1), 0);
    EXPECT_EQ(ini.ReadString("Preview", "single note", "?"), "0");
    EXPECT_EQ(ini.ReadString("Preview", "Midifile", "Noname.Mid"), "C:\\Midi\\Demo.Mid");
}

TEST_F(IniFileTest, MissingSectionsKeysAndFilesGiveTheDefault) {
    TIniFile ini(Write(kSample));
    EXPECT_EQ(ini.ReadString("Keyboard", "Left", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("Midi", "Nope", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadInteger("Midi", "Left", 5), 5);  // Left is in Desktop, not Midi
    TIniFile none(dir.File("none.ini"));
    EXPECT_EQ(none.ReadString("Preview", "Midifile", "Noname.Mid"), "Noname.Mid");
    EXPECT_EQ(none.ReadInteger("Midi", "DeviceID", 16), 16);
    Strings list{"junk"};
    none.ReadSections(list);
    EXPECT_TRUE(list.empty());
}

TEST_F(IniFileTest, ValuesAreRawText) {
    TIniFile ini(Write("[S]\r\nquoted=\"a b\"\r\nequals=a=b ; not a comment\r\nempty=\r\nblank =   \r\n"));
    EXPECT_EQ(ini.ReadString("S", "quoted", ""), "\"a b\"");
    EXPECT_EQ(ini.ReadString("S", "equals", ""), "a=b ; not a comment");
    EXPECT_EQ(ini.ReadString("S", "empty", "dflt"), "");
    EXPECT_EQ(ini.ReadString("S", "blank", "dflt"), "");
}

TEST_F(IniFileTest, FirstMatchWins) {
    TIniFile ini(Write("[Midi]\nDeviceID=17\ndeviceid=18\n[MIDI]\nDeviceID=19\nThrue=1\n"));
    EXPECT_EQ(ini.ReadInteger("Midi", "DeviceID", 0), 17);
    // A later section of the same name is never read.
    EXPECT_EQ(ini.ReadInteger("Midi", "Thrue", 0), 0);
}

TEST_F(IniFileTest, CommentsOtherLinesAndKeysBeforeAnySectionAreNotKeys) {
    TIniFile ini(Write("top=1\n[S]\n;a=1\n  ; b=2\nno equals sign\n=nameless\n[broken\nc=3\n"));
    EXPECT_EQ(ini.ReadString("S", ";a", "d"), "d");
    EXPECT_EQ(ini.ReadString("S", "a", "d"), "d");
    EXPECT_EQ(ini.ReadString("", "top", "d"), "d");
    EXPECT_EQ(ini.ReadString("S", "c", "d"), "3");
    Strings keys;
    ini.ReadSection("S", keys);
    EXPECT_EQ(keys, Strings{"c"});
}

struct IntegerRow {
    const char* name;
    const char* text;
    int expected;
};

void PrintTo(const IntegerRow& row, std::ostream* os) { *os << row.name; }

class IniInteger : public ::testing::TestWithParam<IntegerRow> {};

TEST_P(IniInteger, LeadingNumberOrTheDefault) {
    test::TempDir dir;
    const std::string path = dir.File("n.ini");
    test::WriteAll(path, std::string("[N]\r\nv=") + GetParam().text + "\r\n");
    EXPECT_EQ(TIniFile(path).ReadInteger("N", "v", -777), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IniInteger,
    ::testing::Values(IntegerRow{"plain", "70", 70}, IntegerRow{"blanks", "  42  ", 42}, IntegerRow{"plus", "+7", 7},
                      IntegerRow{"minus", "-5", -5}, IntegerRow{"leading_digits", "12abc", 12},
                      IntegerRow{"digits_then_blank", "3 4", 3}, IntegerRow{"letters", "abc", -777},
                      IntegerRow{"empty", "", -777}, IntegerRow{"sign_only", "-", -777},
                      IntegerRow{"decimal_point", "1.5", 1}, IntegerRow{"hex_0x", "0x1F", 31},
                      IntegerRow{"hex_dollar", "$ff", 255}, IntegerRow{"hex_negative", "-$10", -16},
                      IntegerRow{"zero_x_alone", "0x", 0}, IntegerRow{"dollar_alone", "$", -777},
                      IntegerRow{"int_max", "2147483647", INT_MAX}, IntegerRow{"int_min", "-2147483648", INT_MIN},
                      IntegerRow{"too_big", "2147483648", -777},
                      IntegerRow{"far_too_big", "99999999999999999999", -777}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IniFileTest, Booleans) {
    TIniFile ini(Write("[B]\none=1\nzero=0\ntwo=2\nyes=yes\n"));
    EXPECT_TRUE(ini.ReadBool("B", "one", false));
    EXPECT_FALSE(ini.ReadBool("B", "zero", true));
    EXPECT_TRUE(ini.ReadBool("B", "two", false));
    EXPECT_TRUE(ini.ReadBool("B", "yes", true));
    EXPECT_FALSE(ini.ReadBool("B", "yes", false));
    EXPECT_TRUE(ini.ReadBool("B", "missing", true));
}

TEST_F(IniFileTest, ListsOfSectionsKeysAndValues) {
    TIniFile ini(Write(kSample + std::string("[Empty]\n[midi]\nOther=1\n[Preview]\nNote=40\n")));
    Strings list;
    ini.ReadSections(list);
    EXPECT_EQ(list, (Strings{"Midi", "Desktop", "Data Card", "Preview", "Empty"}));
    ini.ReadSection("preview", list);
    EXPECT_EQ(list, (Strings{"Single Note", "Midifile"}));
    ini.ReadSectionValues("Midi", list);
    EXPECT_EQ(list, (Strings{"DeviceID=17", "Thrue=1"}));
    ini.ReadSection("Keyboard", list);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(ini.SectionExists("data card"));
    EXPECT_FALSE(ini.SectionExists("Empty"));  // a section without keys counts as absent
    EXPECT_FALSE(ini.SectionExists("Keyboard"));
    EXPECT_TRUE(ini.ValueExists("Preview", "SINGLE NOTE"));
    EXPECT_FALSE(ini.ValueExists("Preview", "Note"));  // only in the second [Preview]
    EXPECT_FALSE(ini.ValueExists("Desktop", "; window positions"));
}

TEST_F(IniFileTest, DuplicateKeysAreListedOnce) {
    TIniFile ini(Write("[S]\na=1\nb=2\nA=3\n"));
    Strings list;
    ini.ReadSectionValues("S", list);
    EXPECT_EQ(list, (Strings{"a=1", "b=2"}));
}

// ---------------------------------------------------------------- writing

TEST_F(IniFileTest, WritingKeepsEveryOtherLineInOrderAndWritesCrLf) {
    const std::string path = Write(kSample);
    TIniFile ini(path);
    ini.WriteInteger("midi", "deviceid", 20);  // changed in place, file's spelling kept
    ini.WriteString("Desktop", "Top", "30");   // new key after the section's last line
    ini.WriteBool("Data Card", "Installed", false);
    ini.WriteInteger("Keyboard", "Octave", 3);  // new section at the end
    ini.WriteString("Preview", "Velocity", "70");
    EXPECT_EQ(test::ReadAll(path),
              "; Zelmovi settings\r\n"
              "[Midi]\r\n"
              "DeviceID=20\r\n"
              "Thrue=1\r\n"
              "\r\n"
              "[Desktop]\r\n"
              "; window positions\r\n"
              "Left=10\r\n"
              "Top=30\r\n"
              "\r\n"
              "[Data Card]\r\n"
              "Installed=0\r\n"
              "\r\n"
              "[Preview]\r\n"
              "  Single Note =  0  \r\n"
              "Midifile=C:\\Midi\\Demo.Mid\r\n"
              "Velocity=70\r\n"
              "\r\n"
              "[Keyboard]\r\n"
              "Octave=3\r\n");
}

TEST_F(IniFileTest, NewSectionAfterAFileWithoutFinalNewline) {
    const std::string path = Write("[A]\nx=1");
    TIniFile(path).WriteString("B", "y", "2");
    EXPECT_EQ(test::ReadAll(path), "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
}

TEST_F(IniFileTest, WritingTheFirstOfDuplicates) {
    const std::string path = Write("[S]\nk=1\nk=2\n[s]\nk=3\n");
    TIniFile ini(path);
    ini.WriteString("S", "K", "9");
    EXPECT_EQ(test::ReadAll(path), "[S]\r\nk=9\r\nk=2\r\n[s]\r\nk=3\r\n");
    ini.WriteString("s", "new", "n");  // goes into the first [S]
    EXPECT_EQ(test::ReadAll(path), "[S]\r\nk=9\r\nk=2\r\nnew=n\r\n[s]\r\nk=3\r\n");
}

TEST_F(IniFileTest, RoundTripOfStringsKeepsInnerBlanks) {
    TIniFile ini(dir.File("r.ini"));
    ini.WriteString("Preview", "Midifile", "/home/me/My Songs/a b.mid");
    EXPECT_EQ(ini.ReadString("Preview", "Midifile", ""), "/home/me/My Songs/a b.mid");
    ini.WriteString("Preview", "Midifile", "");
    EXPECT_EQ(ini.ReadString("Preview", "Midifile", "dflt"), "");
}

TEST_F(IniFileTest, TwoObjectsOnOneFileSeeEachOthersWrites) {
    TIniFile a(dir.File("shared.ini"));
    TIniFile b(dir.File("shared.ini"));
    a.WriteInteger("Monitor", "Left", 1);
    EXPECT_EQ(b.ReadInteger("Monitor", "Left", 0), 1);
    b.WriteInteger("Monitor", "Left", 2);
    b.WriteInteger("Monitor", "Top", 3);
    EXPECT_EQ(a.ReadInteger("Monitor", "Left", 0), 2);
    EXPECT_EQ(a.ReadInteger("Monitor", "Top", 0), 3);
}

// The file is kept between reads, but a file that another program changed or replaced is read again.
TEST_F(IniFileTest, AFileChangedByAnotherProgramIsReadAgain) {
    const std::string path = Write("[A]\nk=1\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 1);
    test::WriteAll(path, "[A]\nk=22\n");  // in place, another size
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 22);
    test::WriteAll(dir.File("new.ini"), "[A]\nk=3\n");
    fs::rename(dir.File("new.ini"), path);  // another file in its place, of the same size
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 3);
    fs::remove(path);
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 0);
}

TEST_F(IniFileTest, EraseSectionRemovesEverySectionOfThatName) {
    const std::string path = Write("[A]\na=1\n\n[B]\nb=1\n[a]\nc=2\n");
    TIniFile ini(path);
    ini.EraseSection("A");
    EXPECT_EQ(test::ReadAll(path), "[B]\r\nb=1\r\n");
    Strings list;
    ini.ReadSections(list);
    EXPECT_EQ(list, Strings{"B"});
}

TEST_F(IniFileTest, DeleteKeyRemovesTheKeyThatReadsWouldFind) {
    const std::string path = Write("[A]\nk=1\nk=2\nx=3\n");
    TIniFile ini(path);
    ini.DeleteKey("a", "K");
    EXPECT_EQ(test::ReadAll(path), "[A]\r\nk=2\r\nx=3\r\n");
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 2);
}

TEST_F(IniFileTest, ChangesToNothingWriteNothing) {
    const std::string path = Write("[A]\nk=1\n");  // LF endings stay: the file is not rewritten
    TIniFile ini(path);
    ini.DeleteKey("A", "missing");
    ini.DeleteKey("Missing", "k");
    ini.EraseSection("Missing");
    ini.WriteString("A", "k", "1");
    ini.UpdateFile();
    EXPECT_EQ(test::ReadAll(path), "[A]\nk=1\n");
    TIniFile none(dir.File("none.ini"));
    none.DeleteKey("A", "k");
    none.EraseSection("A");
    EXPECT_FALSE(fs::exists(dir.File("none.ini")));
}

TEST_F(IniFileTest, NamesThatCannotBeStoredAreRefused) {
    const std::string path = Write("[A]\nk=1\n");
    TIniFile ini(path);
    EXPECT_THROW(ini.WriteString("", "k", "v"), EIniFileException);
    EXPECT_THROW(ini.WriteString("A", " ", "v"), EIniFileException);
    EXPECT_THROW(ini.WriteString("A]", "k", "v"), EIniFileException);
    EXPECT_THROW(ini.WriteString("A", "k=x", "v"), EIniFileException);
    EXPECT_THROW(ini.WriteString("A", ";k", "v"), EIniFileException);
    EXPECT_THROW(ini.WriteString("A", "k", "line\r\n[B]"), EIniFileException);
    EXPECT_EQ(test::ReadAll(path), "[A]\nk=1\n");
}

TEST_F(IniFileTest, AFailedWriteRaisesEIniFileExceptionAndKeepsTheOldFile) {
    const std::string path = Write(kSample);
    TIniFile ini(path);
    {
        TSafeFileFaultsGuard guard({10, false, false});
        try {
            ini.WriteInteger("Midi", "DeviceID", 5);
            FAIL() << "no exception";
        } catch (const EIniFileException& e) {
            EXPECT_EQ(e.Message, "Unable to write to " + path);
            EXPECT_EQ(e.ClassName(), "EIniFileException");
        }
    }
    EXPECT_EQ(test::ReadAll(path), kSample);
    EXPECT_EQ(ini.ReadInteger("Midi", "DeviceID", 16), 17);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST_F(IniFileTest, AFolderThatCannotBeMadeRaisesEIniFileException) {
    test::WriteAll(dir.File("blocker"), "a file where the folder should be");
    TIniFile ini(dir.File("blocker/sub/z.ini"));
    EXPECT_THROW(ini.WriteString("A", "k", "v"), EIniFileException);
    EXPECT_EQ(ini.ReadString("A", "k", "dflt"), "dflt");
}

// ---------------------------------------------------------------- TMemIniFile

TEST_F(IniFileTest, AMemIniFileWritesNothingUntilUpdateFileThenTheWholeFileOnce) {
    const std::string path = Write(kSample);
    TMemIniFile ini(path);
    ini.WriteInteger("Midi", "DeviceID", 18);
    ini.WriteString("Bars", "BarCount", "2");
    ini.DeleteKey("Desktop", "Left");
    ini.EraseSection("Data Card");
    // The changes are read back at once, while the file is untouched.
    EXPECT_EQ(ini.ReadInteger("midi", "deviceid", 0), 18);
    EXPECT_EQ(ini.ReadInteger("Bars", "BarCount", 0), 2);
    EXPECT_FALSE(ini.ValueExists("Desktop", "Left"));
    EXPECT_FALSE(ini.SectionExists("Data Card"));
    EXPECT_EQ(test::ReadAll(path), kSample);
    ini.UpdateFile();
    // The same text rules as TIniFile: comments, order and the place of a changed key are kept.
    EXPECT_EQ(test::ReadAll(path),
              "; Zelmovi settings\r\n[Midi]\r\nDeviceID=18\r\nThrue=1\r\n\r\n[Desktop]\r\n; window positions\r\n"
              "\r\n[Preview]\r\n  Single Note =  0  \r\nMidifile=C:\\Midi\\Demo.Mid\r\n\r\n[Bars]\r\nBarCount=2\r\n");
    TIniFile check(path);
    EXPECT_EQ(check.ReadInteger("Midi", "DeviceID", 0), 18);
    EXPECT_EQ(check.ReadString("Preview", "Single Note", "?"), "0");
}

// Erased sections leave no trace: a section written again goes to the end, after the last line still there,
// and a key added to an earlier section goes before that section's blank line.
TEST_F(IniFileTest, AMemIniFileWritesAfterErasedSectionsAsIfTheyHadNeverBeen) {
    const std::string path = Write("[A]\nx=1\n[B]\ny=2\n[b]\nz=3\n[C]\nw=4\n");
    TMemIniFile ini(path);
    ini.EraseSection("B");
    ini.EraseSection("c");
    EXPECT_EQ(ini.ReadString("b", "z", "gone"), "gone");
    ini.WriteString("B", "n", "5");
    ini.WriteString("A", "k", "6");
    ini.DeleteKey("A", "x");
    ini.WriteString("A", "x", "7");
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(ini.ReadString("A", "X", ""), "7");
    ini.UpdateFile();
    EXPECT_EQ(test::ReadAll(path), "[A]\r\nk=6\r\nx=7\r\n\r\n[B]\r\nn=5\r\n");
}

TEST_F(IniFileTest, AMemIniFileReadsTheFileOnceAndSkipsAnUnchangedUpdate) {
    const std::string path = Write(kSample);
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Midi", "DeviceID", 0), 17);
    test::WriteAll(path, "[Midi]\nDeviceID=99\n");  // another writer: not seen
    EXPECT_EQ(ini.ReadInteger("Midi", "DeviceID", 0), 17);
    ini.WriteInteger("Midi", "DeviceID", 17);  // the same value changes nothing
    ini.UpdateFile();
    EXPECT_EQ(test::ReadAll(path), "[Midi]\nDeviceID=99\n");
}

TEST_F(IniFileTest, AMemIniFileOnAMissingFileCreatesItAtUpdateAndDropsUnwrittenChanges) {
    const std::string path = dir.File("sub/layout.ini");
    {
        TMemIniFile lost(path);
        lost.WriteBool("Bars", "Visible", true);
    }
    EXPECT_FALSE(fs::exists(path));
    TMemIniFile ini(path);
    ini.UpdateFile();  // nothing changed: no file
    EXPECT_FALSE(fs::exists(path));
    ini.WriteBool("Bars", "Visible", true);
    EXPECT_THROW(ini.WriteString("Bars", "a=b", "1"), EIniFileException);  // the same name rules
    ini.UpdateFile();
    EXPECT_EQ(test::ReadAll(path), "[Bars]\r\nVisible=1\r\n");
}

TEST_F(IniFileTest, AMemIniFileThatCannotWriteRaisesAtUpdateKeepsTheOldFileAndItsChanges) {
    const std::string path = Write(kSample);
    TMemIniFile ini(path);
    ini.WriteInteger("Midi", "DeviceID", 5);
    {
        TSafeFileFaultsGuard guard({10, false, false});
        EXPECT_THROW(ini.UpdateFile(), EIniFileException);
    }
    EXPECT_EQ(test::ReadAll(path), kSample);
    EXPECT_EQ(ini.ReadInteger("Midi", "DeviceID", 16), 5);
    ini.UpdateFile();  // still pending: written now
    EXPECT_EQ(TIniFile(path).ReadInteger("Midi", "DeviceID", 16), 5);
}

}  // namespace
}  // namespace zel::test
