#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/rtl/Units.h"
#include "support/TempDir.h"
#include "uilib/base/uiBaseUnits.h"
#include "uilib/base/uiShellCommon.h"
#include "uilib/base/uiShellSpecialFolders.h"

namespace zel::test {
namespace {

// Points HOME and the XDG variables into a temporary folder for one test.
class ShellFolders : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* v : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
            const char* old = std::getenv(v);
            saved_.emplace_back(v, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
        }
        setenv("HOME", dir_.Path().c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_DATA_HOME");
    }
    void TearDown() override {
        for (auto& [name, value] : saved_) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
        uiFreeShellSpecialFolders();
    }
    std::string Home() const { return dir_.Path().string(); }
    test::TempDir dir_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(ShellFolders, XdgVariablesUserDirsAndFallbacks) {
    EXPECT_EQ(SHGetSpecialFolderPathString(CSIDL_APPDATA), Home() + "/.config");
    EXPECT_EQ(SHGetSpecialFolderPathString(CSIDL_LOCAL_APPDATA), Home() + "/.local/share");
    EXPECT_EQ(SHGetSpecialFolderPathString(CSIDL_PERSONAL), Home() + "/Documents");

    setenv("XDG_CONFIG_HOME", (Home() + "/cfg").c_str(), 1);
    setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
    std::filesystem::create_directories(Home() + "/cfg");
    test::WriteAll(Home() + "/cfg/user-dirs.dirs",
                   "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desk\"\nXDG_DOCUMENTS_DIR=\"$HOME/Papiers\"\n");
    EXPECT_EQ(SHGetSpecialFolderPathString(CSIDL_APPDATA), Home() + "/cfg");
    EXPECT_EQ(SHGetSpecialFolderPathString(CSIDL_LOCAL_APPDATA), Home() + "/.local/share");
    EXPECT_EQ(SHGetSpecialFolderPathString(CSIDL_PERSONAL), Home() + "/Papiers");
    test::WriteAll(Home() + "/cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/abs/docs\"\n");
    EXPECT_EQ(SHGetSpecialFolderPathString(CSIDL_PERSONAL), "/abs/docs");

    EXPECT_EQ(SHGetSpecialFolderPathString(CSIDL_DRIVES), "");
    EXPECT_EQ(SHGetSpecialFolderPathString(99), "");
    char path[MAX_PATH];
    EXPECT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, FALSE));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(ShellFolders, TableHoldsUpperCasePathsAndLeavesUnknownEntriesEmpty) {
    std::filesystem::create_directories(Home() + "/.config");
    TUnitsScope units(uiBaseUnitList());  // the start-up fills the table
    const auto& table = uiShellSpecialFolders();
    const TuiShellSpecialFolderInfo& appData = table[CSIDL_APPDATA];
    EXPECT_EQ(appData.UpperPath, UpperCase(Home() + "/.config"));
    EXPECT_EQ(appData.DisplayName, ".config");
    EXPECT_EQ(appData.UpperDisplayName, ".CONFIG");
    EXPECT_EQ(appData.Attributes, SFGAO_FOLDER | SFGAO_HIDDEN);
    EXPECT_EQ(PidlGetDisplayName(appData.Pidl, true), Home() + "/.config");
    const TuiShellSpecialFolderInfo& unknown = table[3];
    EXPECT_EQ(unknown.Pidl, nullptr);
    EXPECT_EQ(unknown.Attributes, 0u);
    EXPECT_EQ(unknown.DisplayName, "");
    EXPECT_EQ(table[CSIDL_DRIVES].DisplayName, "Computer");
    EXPECT_EQ(table[CSIDL_DRIVES].UpperPath, "");
    EXPECT_EQ(table[CSIDL_DESKTOP].DisplayName, "Desktop");
}

TEST(Pidl, StrRetTextOfEachKind) {
    // One item of 8 bytes ("ab" at offset 3, then "cd" up to the item's end), then the terminator.
    const unsigned char list[] = {8, 0, SHID_VIRTUAL, 'a', 'b', 0, 'c', 'd', 0, 0};
    auto pidl = reinterpret_cast<LPCITEMIDLIST>(list);
    auto wide = [](std::u16string text) {
        auto* p = static_cast<char16_t*>(SHAlloc((text.size() + 1) * sizeof(char16_t)));
        std::copy(text.begin(), text.end(), p);
        p[text.size()] = 0;
        return p;
    };
    auto cstr = [](const char* text) {
        STRRET r;
        r.uType = STRRET_CSTR;
        std::strncpy(r.cStr, text, sizeof r.cStr);
        return r;
    };
    struct TCase {
        const char* name;
        STRRET record;
        LPCITEMIDLIST pidl;
        std::string expected;
    };
    STRRET full = cstr("");
    std::memset(full.cStr, 'x', sizeof full.cStr);  // no terminator: all 260 bytes
    STRRET w;
    w.uType = STRRET_WSTR;
    w.pOleStr = wide(u"Caf\u00E9 \u20AC");
    STRRET noString;
    noString.uType = STRRET_WSTR;
    auto offset = [](UINT at) {
        STRRET r;
        r.uType = STRRET_OFFSET;
        r.uOffset = at;
        return r;
    };
    STRRET unknown;
    unknown.uType = 7;
    TCase cases[] = {
        {"WideAsAnsi", w, nullptr, "Caf\xE9 \x80"},
        {"WideWithoutString", noString, nullptr, ""},
        {"OffsetToTheZero", offset(3), pidl, "ab"},
        {"OffsetToTheItemsEnd", offset(6), pidl, "cd"},
        {"OffsetAtTheItemsCount", offset(8), pidl, ""},
        {"OffsetBeyondIt", offset(200), pidl, ""},
        {"OffsetWithoutList", offset(3), nullptr, ""},
        {"Ansi", cstr("Desktop"), nullptr, "Desktop"},
        {"AnsiFillingTheRecord", full, nullptr, std::string(MAX_PATH, 'x')},
        {"UnknownKind", unknown, nullptr, ""},
    };
    for (TCase& c : cases) {
        EXPECT_EQ(StrRetText(c.record, c.pidl), c.expected) << c.name;
        EXPECT_EQ(c.record.pOleStr, nullptr) << c.name;  // a wide string is freed and cleared
    }
}

TEST(Pidl, ItemWalkingAndNames) {
    // Two virtual items, then the terminator.
    const unsigned char list[] = {5, 0, SHID_VIRTUAL, 'A', 'b', 4, 0, SHID_VIRTUAL, 'C', 0, 0};
    auto pidl = reinterpret_cast<LPCITEMIDLIST>(list);
    EXPECT_EQ(PidlItemCount(pidl), 2);
    EXPECT_EQ(PidlItemCount(nullptr), 0);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(PidlNextItem(pidl)), list + 5);
    EXPECT_EQ(PidlNextItem(PidlNextItem(PidlNextItem(pidl))), nullptr);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(PidlLastItem(pidl)), list + 5);
    EXPECT_EQ(PidlGetPath(pidl), "");
    EXPECT_EQ(PidlGetDisplayName(pidl, true), "Ab\\C");  // a virtual list: its names joined
    EXPECT_EQ(PidlGetDisplayName(pidl, false), "C");

    // 261 items of 3 bytes without terminator.
    std::vector<unsigned char> endless;
    for (int i = 0; i < 262; ++i) endless.insert(endless.end(), {3, 0, SHID_VIRTUAL});
    EXPECT_EQ(PidlItemCount(reinterpret_cast<LPCITEMIDLIST>(endless.data())), -1);
}

}  // namespace
}  // namespace zel::test
