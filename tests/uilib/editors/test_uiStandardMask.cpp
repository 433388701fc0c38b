// The classic edit mask, as tables of masks and typed text: the display text, the edit value and the
// full-validity check.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/rtl/SysUtils.h"
#include "uilib/editors/uiStandardMask.h"

namespace zel::test {
namespace {

struct MaskCase {
    const char* name;
    const char* mask;
    const char* typed;
    const char* display;    // Format(typed)
    const char* editValue;  // ToEditValue(display)
    bool fullValid;         // IsFullValid(display)
};
void PrintTo(const MaskCase& c, std::ostream* os) { *os << c.name; }

class StandardMaskTable : public ::testing::TestWithParam<MaskCase> {};

TEST_P(StandardMaskTable, FormatsConvertsAndValidates) {
    const MaskCase& c = GetParam();
    TFormatSettings saved = FormatSettings;
    FormatSettings.DateSeparator = '.';
    FormatSettings.TimeSeparator = ':';
    TuiStandardMask m;
    m.Compile(c.mask);
    std::string text = c.typed;
    m.Format(text);
    EXPECT_EQ(text, c.display);
    EXPECT_EQ(static_cast<int>(text.size()), m.Count());
    std::string value = text;
    m.ToEditValue(value);
    EXPECT_EQ(value, c.editValue);
    std::string check = text;
    EXPECT_EQ(m.IsFullValid(check), c.fullValid);
    FormatSettings = saved;
}

INSTANTIATE_TEST_SUITE_P(
    Table, StandardMaskTable,
    ::testing::Values(
        MaskCase{"EmptyMask", "", "123", "", "", true}, MaskCase{"BangAlone", "!", "123", "", "", true},
        MaskCase{"PhoneWithLiterals", "(999)000-0000;1;_", "5551234567", "(555)123-4567", "(555)123-4567", true},
        MaskCase{"PhonePartlyTyped", "(999)000-0000;1;_", "55512", "(555)12_-____", "(555)12 -    ", false},
        MaskCase{"TypedLiteralsAreTaken", "(999)000-0000;1;_", "(555)123-4567", "(555)123-4567", "(555)123-4567", true},
        MaskCase{"LiteralsDroppedFromTheValue", "00-00;0", "1234", "12-34", "1234", true},
        MaskCase{"SemicolonAndTwoAreLiterals", "00;2", "12", "12;2", "12;2", true},
        MaskCase{"OtherBlankCharacter", "000;1;*", "1", "1**", "1  ", false},
        MaskCase{"CaseModes", ">LL<ll", "abCD", "ABcd", "ABcd", true},
        MaskCase{"CaseModeOffAgain", ">L<>L", "ab", "Ab", "Ab", true},
        MaskCase{"OptionalBlankIsValid", "09", "5", "5_", "5 ", true},
        MaskCase{"RequiredBlankIsNot", "00", "5", "5_", "5 ", false},
        MaskCase{"BlankSkipsAPosition", "999", "_5", "_5_", " 5 ", true},
        MaskCase{"FillFromRight", "!999", "5", "__5", "  5", true},
        MaskCase{"FillFromRightKeepsTheLastCharacters", "!99", "1234", "34", "34", true},
        MaskCase{"CharacterThatFitsNowhereIsDropped", "00", "a1b2", "12", "12", true},
        MaskCase{"EscapedCharacters", "\\0\\L0", "5", "0L5", "0L5", true},
        MaskCase{"TrailingBackslashDropped", "0\\", "5", "5", "5", true},
        MaskCase{"DateAndTimeSeparators", "00/00 00:00", "12345678", "12.34 56:78", "12.34 56:78", true},
        MaskCase{"SignItem", "#0", "-5", "-5", "-5", true},
        MaskCase{"AnyCharacter", "CC", "\xE9!", "\xE9!", "\xE9!", true},
        MaskCase{"AlphaNumeric", "AAA", "a1\xE9", "a1_", "a1 ", false},
        MaskCase{"SectionNotAtTheEnd", "0;1;_0", "12", "1;1;_2", "1;1;_2", true}),
    [](const auto& info) { return info.param.name; });

TEST(StandardMask, SettingsAndEmptyTexts) {
    TuiStandardMask m;
    m.Compile("!(999)000-0000;0;*");
    EXPECT_EQ(m.MaskText, "!(999)000-0000;0;*");
    EXPECT_TRUE(m.FillFromRight);
    EXPECT_FALSE(m.StoreLiterals);
    EXPECT_EQ(m.BlankChar, '*');
    EXPECT_EQ(m.Count(), 13);
    std::string text;
    m.EmptyDisplayText(text);
    EXPECT_EQ(text, "(***)***-****");
    m.EmptyEditValue(text);
    EXPECT_EQ(text, std::string(10, ' '));
    // Without stored literals and without literals in the text, the input fills only the slots.
    text = "5551234567";
    m.Format(text, true, false);
    EXPECT_EQ(text, "(555)123-4567");
    m.Compile("00");
    EXPECT_FALSE(m.FillFromRight);
    EXPECT_TRUE(m.StoreLiterals);
    EXPECT_EQ(m.BlankChar, '_');
}

TEST(StandardMask, ConversionInCheckAndTheUnconvertedFormat) {
    TuiStandardMask m;
    m.Compile(">LL<ll");
    std::string text = "abCD";
    m.Format(text, false);
    EXPECT_EQ(text, "abCD") << "the input characters as typed";
    std::string check = "abCD";
    EXPECT_TRUE(m.IsFullValid(check));
    EXPECT_EQ(check, "ABcd") << "IsFullValid converts in place";
    std::string wrongLength = "ABC";
    EXPECT_FALSE(m.IsFullValid(wrongLength));
}

}  // namespace
}  // namespace zel::test
