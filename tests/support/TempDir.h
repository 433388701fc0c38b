#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end of a test.
#include <filesystem>
#include <string>

namespace zel::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Whole-file helpers for byte-exact assertions.
std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& bytes);

}  // namespace zel::test
