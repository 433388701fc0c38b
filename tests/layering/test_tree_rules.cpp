// Rules of the source tree that a reader relies on: a folder's README.md names every file of the folder, no
// source file grows past 1,500 lines, and a clean-up is never written twice, once in a catch (...) that
// rethrows and again after the try.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace zel::test {
namespace {

const fs::path kSourceRoot = ZELMOVI_SOURCE_DIR;
constexpr int kMaxLines = 1500;

std::string ReadText(const fs::path& File) {
    std::ifstream in(File, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Joined(const std::vector<std::string>& Lines) {
    std::string s;
    for (const auto& l : Lines) s += l + "\n";
    return s;
}

bool IsSource(const fs::path& File) {
    const auto ext = File.extension().string();
    return ext == ".cpp" || ext == ".h";
}

// The files of each folder under Root that has a README.md and that its README does not name, by their
// name or by another file of the same stem (a header whose sources share its name).
std::vector<std::string> FilesMissingFromMaps(const fs::path& Root) {
    std::vector<std::string> missing;
    for (const auto& dir : fs::recursive_directory_iterator(Root)) {
        if (!dir.is_directory() || !fs::exists(dir.path() / "README.md")) continue;
        const std::string map = ReadText(dir.path() / "README.md");
        for (const auto& file : fs::directory_iterator(dir.path())) {
            if (!file.is_regular_file()) continue;
            const std::string name = file.path().filename().string();
            // A header named with "same name" bodies covers the sources of its stem.
            const std::string stem = file.path().stem().string() + ".";
            if (name == "README.md" || map.find(name) != std::string::npos || map.find(stem) != std::string::npos)
                continue;
            missing.push_back(file.path().lexically_relative(Root).generic_string());
        }
    }
    return missing;
}

// Every source file under Root longer than the limit, with its length.
std::vector<std::string> FilesOverTheLimit(const fs::path& Root) {
    std::vector<std::string> over;
    for (const auto& file : fs::recursive_directory_iterator(Root)) {
        if (!file.is_regular_file() || !IsSource(file.path())) continue;
        std::ifstream in(file.path());
        int count = 0;
        for (std::string line; std::getline(in, line);) ++count;
        if (count > kMaxLines)
            over.push_back(file.path().lexically_relative(Root).generic_string() + ": " + std::to_string(count) +
                           " lines");
    }
    return over;
}

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// Each "catch (...) {" block of Text that ends in "throw;" and whose other statements stand again right
// after it, as "line N" of the catch. Such a block is a clean-up written twice: a guard says it once.
std::vector<int> RethrowCopies(const std::string& Text) {
    std::vector<std::string> lines;
    std::istringstream in(Text);
    for (std::string line; std::getline(in, line);) lines.push_back(Trimmed(line));
    std::vector<int> found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find("catch (...) {") == std::string::npos) continue;
        std::vector<std::string> body;
        std::size_t end = i + 1;
        while (end < lines.size() && lines[end] != "}") body.push_back(lines[end++]);
        if (body.empty() || body.back() != "throw;" || end >= lines.size()) continue;
        body.pop_back();
        if (body.empty()) continue;
        bool repeated = end + body.size() < lines.size();
        for (std::size_t k = 0; repeated && k < body.size(); ++k) repeated = lines[end + 1 + k] == body[k];
        if (repeated) found.push_back(static_cast<int>(i) + 1);
    }
    return found;
}

TEST(TreeRules, EveryFileOfAMappedFolderIsNamedInItsMap) {
    EXPECT_EQ(Joined(FilesMissingFromMaps(kSourceRoot)), "") << "name these files in their folder's README.md";
}

TEST(TreeRules, NoSourceFileIsLongerThanTheLimit) {
    EXPECT_EQ(Joined(FilesOverTheLimit(kSourceRoot)), "") << "split these files by class or by service";
}

TEST(TreeRules, NoCleanUpIsRepeatedAfterARethrowingCatch) {
    std::string copies;
    for (const auto& file : fs::recursive_directory_iterator(kSourceRoot)) {
        if (!file.is_regular_file() || !IsSource(file.path())) continue;
        for (int line : RethrowCopies(ReadText(file.path())))
            copies += file.path().lexically_relative(kSourceRoot).generic_string() + ":" + std::to_string(line) + "\n";
    }
    EXPECT_EQ(copies, "") << "say the clean-up once, with TScopeExit or a guard";
}

// The checks themselves, on planted cases: each finds what it must and nothing else.
TEST(TreeRules, TheChecksFindPlantedCases) {
    const fs::path root = fs::temp_directory_path() / ("zelmovi-tree-rules-" + std::to_string(::getpid()));
    fs::create_directories(root / "mapped");
    fs::create_directories(root / "unmapped");
    std::ofstream(root / "mapped" / "README.md") << "- `Named.cpp`: named here\n";
    std::ofstream(root / "mapped" / "Named.cpp") << "int a;\n";
    std::ofstream(root / "mapped" / "Named.h") << "int a;\n";
    std::ofstream(root / "mapped" / "Forgotten.h") << "int b;\n";
    std::ofstream(root / "unmapped" / "Free.cpp") << "int c;\n";
    {
        std::ofstream big(root / "unmapped" / "Big.cpp");
        for (int i = 0; i < kMaxLines + 1; ++i) big << "int x" << i << ";\n";
    }
    EXPECT_EQ(Joined(FilesMissingFromMaps(root)), "mapped/Forgotten.h\n");
    EXPECT_EQ(Joined(FilesOverTheLimit(root)), "unmapped/Big.cpp: 1501 lines\n");
    fs::remove_all(root);

    const std::string repeated =
        "void F() {\n"
        "    try {\n"
        "        Work();\n"
        "    } catch (...) {\n"
        "        EndUpdate();\n"
        "        throw;\n"
        "    }\n"
        "    EndUpdate();\n"
        "}\n";
    const std::string handled =
        "void G() {\n"
        "    try {\n"
        "        Work();\n"
        "    } catch (...) {\n"
        "        Report();\n"
        "        throw;\n"
        "    }\n"
        "    Done();\n"
        "}\n";
    EXPECT_EQ(RethrowCopies(repeated), std::vector<int>{4});
    EXPECT_EQ(RethrowCopies(handled), std::vector<int>{});
}

}  // namespace
}  // namespace zel::test
