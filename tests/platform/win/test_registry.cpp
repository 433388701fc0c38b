// The registry stand-in: keys and their paths, typed values, and the file that keeps them between runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/Registry.h"
#include "support/TempDir.h"

namespace zel::test {
namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.File("sub/registry.ini");
        TRegistry::SetStoreFileName(path);
    }
    void TearDown() override { TRegistry::SetStoreFileName(""); }
    TempDir dir;
    std::string path;
};

TEST_F(RegistryTest, KeysArePathsOfCaseInsensitiveNamesAndDeleteTakesTheirSubkeys) {
    TRegistry reg;
    EXPECT_EQ(reg.GetRootKey(), HKEY_CURRENT_USER);
    EXPECT_FALSE(reg.OpenKey("\\Software\\Zel", false));
    ASSERT_TRUE(reg.OpenKey("\\Software\\Zel\\", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Zel");
    ASSERT_TRUE(reg.OpenKey("Bar0\\ItemLink0", true));  // relative to the open key
    EXPECT_EQ(reg.CurrentPath(), "Software\\Zel\\Bar0\\ItemLink0");
    EXPECT_TRUE(reg.CreateKey("\\software\\zel\\bar1"));
    EXPECT_TRUE(reg.KeyExists("\\SOFTWARE\\ZEL\\BAR0"));
    ASSERT_TRUE(reg.OpenKey("\\software\\zel", false));
    std::vector<std::string> names;
    reg.GetKeyNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"Bar0", "bar1"}));
    EXPECT_TRUE(reg.HasSubKeys());

    EXPECT_TRUE(reg.DeleteKey("Bar0"));
    EXPECT_FALSE(reg.KeyExists("\\Software\\Zel\\Bar0\\ItemLink0"));
    EXPECT_FALSE(reg.DeleteKey("Bar0"));
    EXPECT_FALSE(reg.DeleteKey("\\"));  // the root stays
    // A key deleted under an open key leaves that object without a key, never with a dangling one.
    TRegistry other;
    ASSERT_TRUE(other.OpenKey("\\Software\\Zel\\bar1", false));
    EXPECT_TRUE(reg.DeleteKey("\\Software\\Zel"));
    EXPECT_FALSE(other.ValueExists("x"));
    EXPECT_THROW(other.WriteInteger("x", 1), ERegistryException);
}

TEST_F(RegistryTest, ValuesKeepTheirTypeSizeAndDataThroughTheFile) {
    const std::string binary("\x00\x01\xff\r\n%", 6);
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\Software\\Zel", true));
        reg.WriteString("Caption", "A=b;%c\r\nd ");
        reg.WriteString("", "default");
        reg.WriteString(" @odd=name ", "x");
        reg.WriteInteger("Count", -7);
        reg.WriteInteger("Big", 2147483647);
        reg.WriteBool("Visible", true);
        reg.WriteBinaryData("Glyph", binary.data(), static_cast<int>(binary.size()));
        reg.WriteExpandString("Folder", "%HOME%");
        reg.WriteInteger("count", 3);  // the same value, whatever the case
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Zel"));
    std::vector<std::string> names;
    reg.GetValueNames(names);
    EXPECT_EQ(names,
              (std::vector<std::string>{"Caption", "", " @odd=name ", "Count", "Big", "Visible", "Glyph", "Folder"}));
    EXPECT_EQ(reg.ReadString("Caption"), "A=b;%c\r\nd ");
    EXPECT_EQ(reg.ReadString(""), "default");
    EXPECT_EQ(reg.ReadString(" @odd=name "), "x");
    EXPECT_EQ(reg.ReadInteger("Count"), 3);
    EXPECT_EQ(reg.ReadInteger("Big"), 2147483647);
    EXPECT_TRUE(reg.ReadBool("Visible"));
    EXPECT_EQ(reg.ReadString("Folder"), "%HOME%");
    std::string back(16, '?');
    EXPECT_EQ(reg.ReadBinaryData("Glyph", back.data(), 16), 6);
    EXPECT_EQ(back.substr(0, 6), binary);

    struct TRow {
        const char* Name;
        TRegDataType Type;
        int Size;
    };
    for (const TRow& row :
         {TRow{"Caption", rdString, 11}, TRow{"Count", rdInteger, 4}, TRow{"Visible", rdInteger, 4},
          TRow{"Glyph", rdBinary, 6}, TRow{"Folder", rdExpandString, 7}, TRow{"None", rdUnknown, -1}}) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(reg.GetDataType(row.Name), row.Type);
        EXPECT_EQ(reg.GetDataSize(row.Name), row.Size);
        EXPECT_EQ(reg.ValueExists(row.Name), row.Size >= 0);
    }
    EXPECT_THROW(reg.WriteInteger("Count", 1), ERegistryException);  // opened read-only
}

TEST_F(RegistryTest, ReadsOfAnotherTypeOrOfAMissingNumberFail) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Zel", true));
    reg.WriteString("Text", "12");
    reg.WriteInteger("Number", 12);
    reg.WriteBinaryData("Blob", "abcd", 4);
    EXPECT_THROW(reg.ReadInteger("Text"), ERegistryException);
    EXPECT_THROW(reg.ReadBool("Missing"), ERegistryException);
    EXPECT_THROW(reg.ReadString("Number"), ERegistryException);
    EXPECT_EQ(reg.ReadString("Missing"), "");
    char small[2];
    EXPECT_THROW(reg.ReadBinaryData("Blob", small, 2), ERegistryException);
    EXPECT_THROW(reg.ReadBinaryData("Number", small, 2), ERegistryException);
    EXPECT_EQ(reg.ReadBinaryData("Missing", small, 2), 0);
    try {
        reg.ReadInteger("Text");
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'Text'");
    }
    reg.CloseKey();
    EXPECT_THROW(reg.WriteString("Text", "x"), ERegistryException);  // no key open
}

TEST_F(RegistryTest, ObjectsAliveTogetherShareTheStoreWrittenOnceWhenTheLastEnds) {
    auto first = std::make_unique<TRegistry>();
    ASSERT_TRUE(first->OpenKey("\\Software\\Zel", true));
    first->WriteInteger("A", 1);
    {
        TRegistry second;
        ASSERT_TRUE(second.OpenKey("\\Software\\Zel", false));
        EXPECT_EQ(second.ReadInteger("A"), 1);
        second.WriteInteger("B", 2);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(first->ReadInteger("B"), 2);
    first.reset();
    EXPECT_EQ(ReadAll(path),
              "[HKEY_CURRENT_USER\\Software]\r\n\r\n[HKEY_CURRENT_USER\\Software\\Zel]\r\nA=dword:1\r\n"
              "B=dword:2\r\n\r\n");
    // Only reading writes nothing.
    std::filesystem::remove(path);
    WriteAll(path, "[HKEY_CURRENT_USER\\Software\\Zel]\nA=dword:5\n");
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\Software\\Zel", false));
        EXPECT_EQ(reg.ReadInteger("A"), 5);
    }
    EXPECT_EQ(ReadAll(path), "[HKEY_CURRENT_USER\\Software\\Zel]\nA=dword:5\n");
}

TEST_F(RegistryTest, ADamagedFileReadsWhatItCanAndUnknownDataAsNoKnownType) {
    std::filesystem::create_directories(dir.Path() / "sub");
    WriteAll(
        path,
        "garbage\n=\nA=sz:before any key\n[HKEY_CURRENT_USER\\Software\\Zel]\nInt=dword:12x\nHuge=dword:99999999999\n"
        "Blob=hex:0g\nOdd=hex:abc\nText=sz:ok\nText=sz:second\nWhat=float:1.5\n[]\n[NOT_A_ROOT\\X]\nY=dword:1\n");
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Zel", false));
    EXPECT_EQ(reg.ReadString("Text"), "ok");
    for (const char* name : {"Int", "Huge", "Blob", "Odd", "What"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(reg.GetDataType(name), rdUnknown);
        EXPECT_THROW(reg.ReadInteger(name), ERegistryException);
    }
    EXPECT_FALSE(reg.ValueExists("A"));
}

}  // namespace
}  // namespace zel::test
