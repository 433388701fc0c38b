// The maker's folders below the user's special folders, made at start-up.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/Uefolders.h"
#include "platform/rtl/SysUtils.h"
#include "support/TempDir.h"

namespace zel::test {
namespace {

namespace fs = std::filesystem;

// A home of its own: HOME points into a temporary folder and the XDG variables are cleared, so the special
// folders are home/.config, home/.local/share and home/Documents.
class VendorFolders : public ::testing::Test {
protected:
    void SetUp() override {
        Save("HOME");
        Save("XDG_CONFIG_HOME");
        Save("XDG_DATA_HOME");
        home_ = dir_.Path() / "home";
        fs::create_directory(home_);
        setenv("HOME", home_.c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_DATA_HOME");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value.has_value()) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }
    void Save(const std::string& name) {
        const char* v = std::getenv(name.c_str());
        saved_.emplace_back(name, v != nullptr ? std::optional<std::string>(v) : std::nullopt);
    }
    TempDir dir_;
    fs::path home_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(VendorFolders, AnEmptyHomeGetsAllThreeFoldersWithEveryMissingLevel) {
    ASSERT_FALSE(fs::exists(home_ / "Documents"));
    ASSERT_FALSE(fs::exists(home_ / ".local"));
    CreateVendorFolders();
    EXPECT_EQ(GetVendorAppDataFolder(), (home_ / ".config" / "Corvandile").string());
    EXPECT_EQ(GetVendorLocalAppDataFolder(), (home_ / ".local" / "share" / "Corvandile").string());
    EXPECT_EQ(GetVendorDocumentsFolder(), (home_ / "Documents" / "Corvandile").string());
    for (const std::string& folder :
         {GetVendorAppDataFolder(), GetVendorLocalAppDataFolder(), GetVendorDocumentsFolder()})
        EXPECT_TRUE(fs::is_directory(folder)) << folder;
}

TEST_F(VendorFolders, ExistingFoldersAreKeptWithTheirContents) {
    CreateVendorFolders();
    const std::string kept = GetVendorDocumentsFolder() + "/bank.syx";
    WriteAll(kept, "data");
    EXPECT_NO_THROW(CreateVendorFolders());
    EXPECT_EQ(ReadAll(kept), "data");
}

TEST_F(VendorFolders, AFolderThatCannotBeMadeStopsTheStart) {
    // A plain file where the documents folder should be.
    WriteAll((home_ / "Documents").string(), "");
    EXPECT_THROW(CreateVendorFolders(), EInOutError);
}

TEST_F(VendorFolders, TheStartupRowMakesTheFolders) {
    TUnitsScope units(UefoldersUnits());
    EXPECT_TRUE(fs::is_directory(GetVendorDocumentsFolder()));
}

}  // namespace
}  // namespace zel::test
