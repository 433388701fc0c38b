// Keeps the layers apart: one table says which folders each folder under src/ may include from, Qt is
// named only inside src/platform/, the instrument model includes no windowing class, and nothing outside
// the platform and its tests includes one of the platform's private headers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace zel::test {

namespace {

struct Include {
    std::string file;
    int line = 0;
    std::string header;
};

std::vector<Include> IncludesUnder(const fs::path& root) {
    static const std::regex includeRe(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");
    std::vector<Include> result;
    if (!fs::exists(root)) return result;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        const auto ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp" && ext != ".hpp" && ext != ".inc") continue;
        std::ifstream in(entry.path());
        std::string text;
        int n = 0;
        while (std::getline(in, text)) {
            ++n;
            std::smatch m;
            if (std::regex_search(text, m, includeRe)) result.push_back({entry.path().string(), n, m[1]});
        }
    }
    return result;
}

bool IsQtHeader(const std::string& h) {
    return std::regex_search(h, std::regex(R"(^Q[A-Za-z]|^Qt[A-Za-z]*/|^qt[a-z]*\.h$)"));
}

// The windowing side of the platform: the Win32-shaped window manager and the windowing classes.
bool IsWindowingHeader(const std::string& h) {
    return h.rfind("platform/vcl/", 0) == 0 || h.rfind("platform/win/", 0) == 0;
}

// Each folder under src/ and the folders its files may include from besides their own. Arrows point
// down only; a new folder gets its row before its first file. The port dialog is a window that
// registers itself with the model's services, so it sits above the model.
const std::map<std::string, std::vector<std::string>>& LayerTable() {
    static const std::vector<std::string> platform = {"platform/rtl", "platform/win", "platform/vcl", "platform/midi"};
    static const std::vector<std::string> uilib = {"uilib/bars", "uilib/editors", "uilib/base"};
    static const auto join = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    static const std::vector<std::string> platformWindowing = {"platform/rtl", "platform/win", "platform/vcl"};
    static const std::vector<std::string> belowControls = join(join(uilib, {"model", "midi", "midi/dialog"}), platform);
    static const std::map<std::string, std::vector<std::string>> table = {
        {"", join({"app", "editors", "controls"}, belowControls)},
        {"app", join({"editors", "controls"}, belowControls)},
        {"editors", join({"controls"}, belowControls)},
        // The parameter controls stand on the windowing classes alone (their target links nothing else).
        {"controls", platformWindowing},
        {"uilib/bars", {"uilib/editors", "uilib/base", "platform/rtl", "platform/win", "platform/vcl"}},
        {"uilib/editors", {"uilib/base", "platform/rtl", "platform/win", "platform/vcl"}},
        {"uilib/base", {"platform/rtl", "platform/win", "platform/vcl"}},
        {"midi/dialog", join({"model", "midi"}, platform)},
        {"model", {"midi", "platform/rtl"}},
        {"midi", {"platform/midi", "platform/win", "platform/rtl"}},
        // The media player plays through the MIDI services.
        {"platform/vcl", {"platform/win", "platform/midi", "platform/rtl"}},
        {"platform/win", {"platform/rtl"}},
        {"platform/midi", {"platform/win", "platform/rtl"}},
        {"platform/rtl", {}},
    };
    return table;
}

std::string FolderOf(const fs::path& relative) { return relative.parent_path().generic_string(); }

// Every include under Root (a src/ tree) that the table does not allow, and every file in a folder the
// table does not know, as "file:line ..." lines.
std::vector<std::string> LayerBreaches(const fs::path& Root) {
    const auto& table = LayerTable();
    std::vector<std::string> breaches;
    std::set<std::string> unknown;
    for (const auto& inc : IncludesUnder(Root)) {
        const std::string from = FolderOf(fs::path(inc.file).lexically_relative(Root));
        const auto row = table.find(from);
        if (row == table.end()) {
            if (unknown.insert(from).second)
                breaches.push_back(inc.file + ": the folder " + from + " has no row in the layer table");
            continue;
        }
        // Only headers of this tree count; a bare name is a header beside the including file.
        std::string to;
        if (fs::exists(Root / inc.header)) to = FolderOf(inc.header);
        else if (fs::exists(fs::path(inc.file).parent_path() / inc.header)) to = from;
        else continue;
        if (to == from) continue;
        const auto& allowed = row->second;
        if (std::find(allowed.begin(), allowed.end(), to) != allowed.end()) continue;
        breaches.push_back(inc.file + ":" + std::to_string(inc.line) + " includes " + inc.header + ", but " +
                           (from.empty() ? "src" : from) + " may not include from " + to);
    }
    return breaches;
}

// True when the platform header's opening comment marks it private to the platform.
bool IsPrivatePlatformHeader(const fs::path& Src, const std::string& Header) {
    if (Header.rfind("platform/", 0) != 0) return false;
    std::ifstream in(Src / Header);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("//", 0) == 0) return line.rfind("// Private", 0) == 0;
        if (!line.empty() && line.rfind("#pragma", 0) != 0) return false;
    }
    return false;
}

std::string Lines(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& l : v) s += l + "\n";
    return s;
}

std::string Describe(const std::vector<Include>& v) {
    std::string s;
    for (const auto& i : v) s += i.file + ":" + std::to_string(i.line) + " includes " + i.header + "\n";
    return s;
}

const fs::path kSrc = ZELMOVI_SOURCE_DIR;

}  // namespace

TEST(Layering, QtIsIncludedOnlyInsideThePlatformLayer) {
    std::vector<Include> bad;
    for (const auto& inc : IncludesUnder(kSrc)) {
        const bool inPlatform = fs::path(inc.file).lexically_relative(kSrc).string().rfind("platform/", 0) == 0;
        if (!inPlatform && IsQtHeader(inc.header)) bad.push_back(inc);
    }
    EXPECT_TRUE(bad.empty()) << Describe(bad);
}

TEST(Layering, RuntimeCoreIncludesNoQt) {
    std::vector<Include> bad;
    for (const auto& inc : IncludesUnder(kSrc / "platform" / "rtl"))
        if (IsQtHeader(inc.header)) bad.push_back(inc);
    EXPECT_TRUE(bad.empty()) << Describe(bad);
}

TEST(Layering, ModelIncludesNoWindowingHeader) {
    std::vector<Include> bad;
    for (const auto& inc : IncludesUnder(kSrc / "model"))
        if (IsWindowingHeader(inc.header) || IsQtHeader(inc.header)) bad.push_back(inc);
    EXPECT_TRUE(bad.empty()) << Describe(bad);
}

// Only the platform targets name Qt, and privately: no source above them is compiled with Qt's
// include folders, which is what linking Qt publicly would bring.
TEST(Layering, NoSourceAbovePlatformIsCompiledWithQt) {
    std::ifstream in(ZELMOVI_BINARY_DIR "/compile_commands.json");
    ASSERT_TRUE(in) << "compile_commands.json is missing: configure with CMAKE_EXPORT_COMPILE_COMMANDS";
    const std::string json((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    static const std::regex entryRe(R"re(\{[^{}]*\})re");
    static const std::regex fileRe(R"re("file"\s*:\s*"([^"]*)")re");
    std::string bad;
    int sources = 0;
    for (auto it = std::sregex_iterator(json.begin(), json.end(), entryRe); it != std::sregex_iterator(); ++it) {
        const std::string entry = it->str();
        std::smatch m;
        if (!std::regex_search(entry, m, fileRe)) continue;
        const std::string rel = fs::path(m[1].str()).lexically_relative(kSrc).string();
        if (rel.empty() || rel.rfind("..", 0) == 0 || rel.rfind("platform/", 0) == 0) continue;
        ++sources;
        if (entry.find("qt6") != std::string::npos || entry.find("Qt6") != std::string::npos) bad += rel + "\n";
    }
    EXPECT_GT(sources, 0);
    EXPECT_TRUE(bad.empty()) << "compiled with Qt:\n" << bad;
}

TEST(Layering, RecognisesTheHeadersItGuardsAgainst) {
    EXPECT_TRUE(IsQtHeader("QWidget"));
    EXPECT_TRUE(IsQtHeader("QtCore/QString"));
    EXPECT_FALSE(IsQtHeader("platform/rtl/Classes.h"));
    EXPECT_TRUE(IsWindowingHeader("platform/vcl/Forms.h"));
    EXPECT_FALSE(IsWindowingHeader("platform/rtl/IniFiles.h"));
}

TEST(Layering, EveryIncludeUnderSrcFollowsTheLayerTable) {
    const auto breaches = LayerBreaches(kSrc);
    EXPECT_TRUE(breaches.empty()) << Lines(breaches);
}

// The table itself points down only: no folder reaches itself again through the folders it may include.
TEST(Layering, TheLayerTableHasNoCycle) {
    const auto& table = LayerTable();
    std::map<std::string, int> state;  // 1 while being visited, 2 when done
    std::vector<std::string> cycles;
    std::function<void(const std::string&, std::string)> visit = [&](const std::string& folder, std::string path) {
        path += (path.empty() ? "" : " -> ") + folder;
        if (state[folder] == 1) cycles.push_back(path);
        if (state[folder] != 0) return;
        state[folder] = 1;
        const auto row = table.find(folder);
        if (row == table.end()) cycles.push_back(path + " (no row)");
        else
            for (const auto& to : row->second) visit(to, path);
        state[folder] = 2;
    };
    for (const auto& [folder, allowed] : table) visit(folder, "");
    EXPECT_TRUE(cycles.empty()) << Lines(cycles);
}

// A small tree with one allowed include, one breach and one folder without a row.
TEST(Layering, ABreachNamesTheIncludingFileAndLine) {
    const fs::path root = fs::temp_directory_path() / ("zelmovi-layering-" + std::to_string(::getpid()));
    fs::remove_all(root);
    const auto write = [&](const std::string& file, const std::string& text) {
        fs::create_directories((root / file).parent_path());
        std::ofstream(root / file) << text;
    };
    write("uilib/bars/Bar.h", "#pragma once\n");
    write("platform/rtl/Classes.h", "#pragma once\n");
    write("uilib/base/Look.cpp",
          "#include <vector>\n#include \"platform/rtl/Classes.h\"\n"
          "#include \"Look.h\"\n#include \"uilib/bars/Bar.h\"\n");
    write("uilib/base/Look.h", "#pragma once\n");
    write("sound/Voice.cpp", "#include \"platform/rtl/Classes.h\"\n");
    auto breaches = LayerBreaches(root);
    fs::remove_all(root);
    std::sort(breaches.begin(), breaches.end());
    ASSERT_EQ(breaches.size(), 2u) << Lines(breaches);
    EXPECT_NE(breaches[0].find("sound/Voice.cpp: the folder sound has no row"), std::string::npos) << breaches[0];
    EXPECT_NE(breaches[1].find("uilib/base/Look.cpp:4 includes uilib/bars/Bar.h, but uilib/base may not include "
                               "from uilib/bars"),
              std::string::npos)
        << breaches[1];
}

// The benchmarks, the layers above the platform and the tests of those layers use the platform's
// public headers only.
TEST(Layering, PrivatePlatformHeadersStayInsideThePlatform) {
    const fs::path project = kSrc.parent_path();
    std::vector<Include> bad;
    const auto check = [&](const fs::path& root, const std::string& exempt) {
        for (const auto& inc : IncludesUnder(root)) {
            const std::string rel = fs::path(inc.file).lexically_relative(root).generic_string();
            if (!exempt.empty() && rel.rfind(exempt, 0) == 0) continue;
            if (IsPrivatePlatformHeader(kSrc, inc.header)) bad.push_back(inc);
        }
    };
    check(kSrc, "platform/");
    check(project / "bench", "");
    check(project / "tests", "platform/");
    EXPECT_TRUE(bad.empty()) << Describe(bad);
    EXPECT_TRUE(IsPrivatePlatformHeader(kSrc, "platform/win/QtApp.h"));
    EXPECT_FALSE(IsPrivatePlatformHeader(kSrc, "platform/win/Gdi.h"));
}

}  // namespace zel::test
