#include "platform/rtl/Charset.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

#include <gtest/gtest.h>

#include <ostream>

namespace zel::test {

namespace {

struct IntCase {
    const char* name;
    const char* text;
    bool ok;
    int value;
};

void PrintTo(const IntCase& c, std::ostream* os) { *os << c.name; }

class StrToIntCases : public ::testing::TestWithParam<IntCase> {};

TEST_P(StrToIntCases, ParsesOrFallsBack) {
    const IntCase& c = GetParam();
    int v = -777;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok);
    EXPECT_EQ(StrToIntDef(c.text, -1), c.ok ? c.value : -1);
    if (c.ok) EXPECT_EQ(v, c.value);
    else EXPECT_THROW(StrToInt(c.text), EConvertError);
}

INSTANTIATE_TEST_SUITE_P(Table, StrToIntCases,
                         ::testing::Values(IntCase{"Plain", "17", true, 17}, IntCase{"Negative", "-3", true, -3},
                                           IntCase{"Blanks", "  42 ", true, 42}, IntCase{"Hex", "$7F", true, 127},
                                           IntCase{"CHex", "0x10", true, 16}, IntCase{"Empty", "", false, 0},
                                           IntCase{"Letters", "abc", false, 0}, IntCase{"Trailing", "12abc", false, 0},
                                           IntCase{"SignOnly", "-", false, 0},
                                           IntCase{"TooBig", "99999999999", false, 0},
                                           IntCase{"MinInt", "-2147483648", true, -2147483647 - 1}),
                         [](const auto& info) { return info.param.name; });

TEST(SysUtils, ConvertErrorNamesTheText) {
    try {
        StrToInt("x1");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'x1' is not a valid integer value");
    }
}

TEST(SysUtils, CaseInsensitiveComparisonIsAsciiOnly) {
    EXPECT_EQ(CompareText("untitled.syx", "Untitled.Syx"), 0);
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
    EXPECT_TRUE(SameText("Data Card", "DATA CARD"));
    EXPECT_FALSE(SameText("\xE9", "\xC9"));  // é and É differ: folding is ASCII only
}

TEST(SysUtils, FileNameParts) {
    EXPECT_EQ(ExtractFileName("/home/u/MyBankOfSounds.Syx"), "MyBankOfSounds.Syx");
    EXPECT_EQ(ExtractFilePath("/home/u/MyBankOfSounds.Syx"), "/home/u/");
    EXPECT_EQ(ExtractFileExt("/home/u.v/name"), "");
    EXPECT_EQ(ExtractFileExt("C:\\a\\b.Lib"), ".Lib");
    EXPECT_EQ(ChangeFileExt("/x/a.Syx", ".Lib"), "/x/a.Lib");
    EXPECT_EQ(ChangeFileExt("/x/a", ".Lib"), "/x/a.Lib");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/x"), "/x/");
    EXPECT_EQ(Trim("  \tname \r\n"), "name");
}

TEST(SysUtils, AbortIsSilentException) {
    EXPECT_THROW(Abort(), EAbort);
    try {
        Abort();
    } catch (const Exception& e) {
        EXPECT_EQ(e.ClassName(), "EAbort");
    }
    EInOutError io("Error Loadind Sysex", 5);
    EXPECT_STREQ(io.what(), "Error Loadind Sysex");
    EXPECT_EQ(io.ErrorCode, 5);
}

enum class TColorKind { ckRed, ckGreen, ckBlue, ckAlpha };

TEST(TSet, BehavesAsAPascalSet) {
    using S = TSet<TColorKind>;
    S a{TColorKind::ckRed, TColorKind::ckBlue};
    S b{TColorKind::ckBlue};
    EXPECT_TRUE(a.Contains(TColorKind::ckRed));
    EXPECT_FALSE(a.Contains(TColorKind::ckGreen));
    EXPECT_EQ(a * b, b);
    EXPECT_EQ(a - b, S{TColorKind::ckRed});
    EXPECT_TRUE(b <= a);
    EXPECT_FALSE(a <= b);
    EXPECT_TRUE((S{} + b).Contains(TColorKind::ckBlue));
    a.Exclude(TColorKind::ckRed).Exclude(TColorKind::ckBlue);
    EXPECT_TRUE(a.Empty());
}

TEST(Charset, Windows1252RoundTrip) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
    EXPECT_EQ(AnsiToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(AnsiToUtf8("Caf\xE9"), "Caf\xC3\xA9");
    EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAC 5"), "\x80 5");
}

TEST(Charset, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToAnsi("\xE4\xB8\xAD"), "?");  // a CJK character
    EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a?");        // cut sequence
    EXPECT_EQ(Utf8ToAnsi("\xFF"
                         "b"),
              "?b");  // invalid lead byte
}

}  // namespace

namespace {

TEST(AnsiCase, UpperCasesTheWindows1252Pairs) {
    // ASCII, the accented block (but the division sign), the four pairs outside it; ß, µ and digits stay.
    EXPECT_EQ(AnsiUpperCase("ap-Zz9"), "AP-ZZ9");
    EXPECT_EQ(AnsiUpperCase("\xE0\xE9\xFE\xF7\xDF\xB5"), "\xC0\xC9\xDE\xF7\xDF\xB5");
    EXPECT_EQ(AnsiUpperCase("\x9A\x9C\x9E\xFF"), "\x8A\x8C\x8E\x9F");
    EXPECT_EQ(AnsiUpperCase("\x8A\xC0"), "\x8A\xC0");
}

}  // namespace

}  // namespace zel::test
