// Keeps the layers apart: Qt is named only inside src/platform/, and the instrument model includes
// no windowing class.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

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
