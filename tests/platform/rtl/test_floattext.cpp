#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace zel::test {

namespace {

struct FormatSettingsGuard {
    TFormatSettings saved = FormatSettings;
    ~FormatSettingsGuard() { FormatSettings = saved; }
};

struct PictureCase {
    const char* name;
    const char* format;
    double value;
    const char* text;
};
void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }

class FormatFloatTable : public ::testing::TestWithParam<PictureCase> {};

TEST_P(FormatFloatTable, WritesThePicture) {
    const PictureCase& c = GetParam();
    EXPECT_EQ(FormatFloat(c.format, c.value), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatFloatTable,
    ::testing::Values(
        PictureCase{"Thousands", "#,##0.00", 1234567.891, "1,234,567.89"},
        PictureCase{"OptionalDecimals", "0.###", 1.5, "1.5"}, PictureCase{"NoDecimalsLeftNoPoint", "0.##", 2, "2"},
        PictureCase{"HalfAwayFromZero", "0", 2.5, "3"}, PictureCase{"NegativeHalfAwayFromZero", "0", -2.5, "-3"},
        PictureCase{"ExactBinaryHalf", "0.00", 0.125, "0.13"},
        PictureCase{"NegativeSection", "0.00;(0.00)", -1.5, "(1.50)"},
        PictureCase{"ZeroSection", "0.00;;'zero'", 0, "zero"},
        PictureCase{"EmptyNegativeSectionUsesFirst", "0.0;", -1.25, "-1.3"},
        PictureCase{"Exponent", "0.00E+00", 12345, "1.23E+04"},
        PictureCase{"NegativeExponent", "0.0E-0", 0.00012, "1.2E-4"}, PictureCase{"MinusZero", "0.0", -0.0, "0.0"},
        PictureCase{"NegativeRoundingToZero", "0.0", -0.04, "0.0"}, PictureCase{"NoIntegerDigit", "#.##", 0.5, ".5"},
        PictureCase{"QuotedText", "'$'#,##0", 1000, "$1,000"}, PictureCase{"DoubleQuotedText", "0\" dB\"", -3, "-3 dB"},
        PictureCase{"CarryIntoNewDigit", "0.0", 9.96, "10.0"},
        PictureCase{"LiteralBetweenDigits", "00-00", 1234, "12-34"},
        PictureCase{"NaN", "0.00", std::numeric_limits<double>::quiet_NaN(), "NAN"},
        PictureCase{"Infinity", "0", -std::numeric_limits<double>::infinity(), "-INF"}),
    [](const auto& info) { return info.param.name; });

TEST(FormatFloat, LargeValuesKeepEveryDigitAndFollowTheSeparators) {
    const std::string big = FormatFloat("0", 1e300);
    EXPECT_EQ(big.size(), 301u);
    EXPECT_EQ(big.substr(0, 2), "10");
    FormatSettingsGuard guard;
    FormatSettings.DecimalSeparator = ',';
    FormatSettings.ThousandSeparator = '.';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
}

TEST(FloatToStr, ShortestGeneralForm) {
    const std::pair<double, const char*> rows[] = {
        {1.5, "1.5"},           {1e300, "1E300"},  {0.0001, "0.0001"},
        {0.00001, "1E-5"},      {-0.0, "0"},       {1.0 / 3, "0.333333333333333"},
        {100, "100"},           {1e15, "1E15"},    {123456789012345.0, "123456789012345"},
        {-2.5e-10, "-2.5E-10"}, {0.1 + 0.2, "0.3"}};
    for (const auto& [value, text] : rows) EXPECT_EQ(FloatToStr(value), text) << value;
}

TEST(StrToFloat, AcceptsNumbersInTheCurrentSeparatorOnly) {
    FormatSettingsGuard guard;
    EXPECT_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_EQ(StrToFloat(" -2.5e3 "), -2500);
    EXPECT_EQ(StrToFloat("1e300"), 1e300);
    const double minusZero = StrToFloat("-0");
    EXPECT_EQ(minusZero, 0.0);
    EXPECT_TRUE(std::signbit(minusZero));
    double v = 0;
    for (const char* bad : {"1e400", "NaN", "INF", "", ".", "1e", "1.5.2", "1,5", "\xB2", "12abc"})
        EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
    EXPECT_THROW(StrToFloat("abc"), EConvertError);
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(StrToFloat("1,5"), 1.5);
    EXPECT_FALSE(TryStrToFloat("1.5", v));
}

TEST(BoolToStr, WordsOrNumbers) {
    EXPECT_EQ(BoolToStr(true, true), "True");
    EXPECT_EQ(BoolToStr(false, true), "False");
    EXPECT_EQ(BoolToStr(true), "-1");
    bool b = false;
    EXPECT_TRUE(TryStrToBool("TRUE", b));
    EXPECT_TRUE(b);
    EXPECT_TRUE(TryStrToBool("0", b));
    EXPECT_FALSE(b);
    EXPECT_FALSE(TryStrToBool("maybe", b));
}

struct DateFormatCase {
    const char* name;
    const char* format;
    const char* text;
};
void PrintTo(const DateFormatCase& c, std::ostream* os) { *os << c.name; }

class FormatDateTimeTable : public ::testing::TestWithParam<DateFormatCase> {};

// Tuesday 5 March 2024, 14:07:09.045, under the default settings.
TEST_P(FormatDateTimeTable, WritesEveryLetter) {
    FormatSettingsGuard guard;
    FormatSettings = TFormatSettings{};
    const TDateTime dt = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
    EXPECT_EQ(FormatDateTime(GetParam().format, dt), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatDateTimeTable,
    ::testing::Values(
        DateFormatCase{"ShortDate", "dd/mm/yyyy", "05/03/2024"}, DateFormatCase{"NoLeadingZeros", "d/m/yy", "5/3/24"},
        DateFormatCase{"DayNames", "ddd dddd", "Tue Tuesday"}, DateFormatCase{"MonthNames", "mmm MMMM", "Mar March"},
        DateFormatCase{"MinutesAfterHour", "hh:mm", "14:07"}, DateFormatCase{"AmPmAsWritten", "h:nn am/pm", "2:07 pm"},
        DateFormatCase{"APAsWritten", "h:nn A/P", "2:07 P"}, DateFormatCase{"LocaleAmPm", "hh:nn ampm", "02:07 PM"},
        DateFormatCase{"Milliseconds", "s.zzz z", "9.045 45"}, DateFormatCase{"QuotedText", "'at' hh\"h\"", "at 14h"},
        DateFormatCase{"DateAndTime", "c", "05/03/2024 14:07:09"}, DateFormatCase{"ShortTime", "t", "14:07"},
        DateFormatCase{"LongTime", "tt", "14:07:09"}, DateFormatCase{"ShortDateFormat", "ddddd", "05/03/2024"},
        DateFormatCase{"LongDateFormat", "dddddd", "Tuesday, March 5, 2024"},
        DateFormatCase{"Separators", "yyyy/mm/dd hh:nn", "2024/03/05 14:07"}),
    [](const auto& info) { return info.param.name; });

TEST(FormatDateTime, SeparatorsAndNamesFollowTheSettings) {
    FormatSettingsGuard guard;
    FormatSettings.DateSeparator = '.';
    FormatSettings.TimeSeparator = '-';
    FormatSettings.LongMonthNames[0] = "Januar";
    EXPECT_EQ(FormatDateTime("d/m/yyyy h:nn mmmm", EncodeDate(2024, 1, 2) + EncodeTime(3, 4, 0, 0)),
              "2.1.2024 3-04 Januar");
    // Midnight shows no time under "c".
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 1, 2)), "02.01.2024");
}

TEST(StrToDate, RefusesDatesThatCannotExist) {
    FormatSettingsGuard guard;
    FormatSettings = TFormatSettings{};
    TDateTime d = 0;
    for (const char* bad : {"31/02/2024", "", "99/99/99999", "29/02/2023", "1/2"})
        EXPECT_FALSE(TryStrToDate(bad, d)) << bad;
    EXPECT_THROW(StrToDate("31/02/2024"), EConvertError);
    EXPECT_EQ(StrToDate("29/02/2024"), EncodeDate(2024, 2, 29));
    FormatSettings.ShortDateFormat = "M/d/yyyy";
    EXPECT_EQ(StrToDate("2/29/2024"), EncodeDate(2024, 2, 29));
    FormatSettings.DateSeparator = '.';
    FormatSettings.ShortDateFormat = "dd/MM/yyyy";
    EXPECT_EQ(StrToDate("29.02.2024"), EncodeDate(2024, 2, 29));
}

TEST(StrToTime, TakesTheSeparatorAndTheDayPeriod) {
    FormatSettingsGuard guard;
    FormatSettings = TFormatSettings{};
    EXPECT_DOUBLE_EQ(StrToTime("2:07 PM"), EncodeTime(14, 7, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("12:30 am"), EncodeTime(0, 30, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("14:07:09"), EncodeTime(14, 7, 9, 0));
    TDateTime t = 0;
    EXPECT_FALSE(TryStrToTime("13:00 PM", t));
    EXPECT_FALSE(TryStrToTime("25:00", t));
}

TEST(AnsiCase, TheWindows1252PairsBothWays) {
    const std::pair<const char*, const char*> pairs[] = {{"abc", "ABC"},          {"\xE9", "\xC9"}, {"\x9A", "\x8A"},
                                                         {"\x9C", "\x8C"},        {"\x9E", "\x8E"}, {"\xFF", "\x9F"},
                                                         {"\xE0\xFE", "\xC0\xDE"}};
    for (const auto& [lower, upper] : pairs) {
        EXPECT_EQ(AnsiUpperCase(lower), upper);
        EXPECT_EQ(AnsiLowerCase(upper), lower);
        EXPECT_TRUE(AnsiSameText(lower, upper));
    }
    // Sharp s and micro have no upper case of their own; the division and multiplication signs are no letters.
    for (const char* same : {"\xDF", "\xB5", "\xF7", "\xD7"}) {
        EXPECT_EQ(AnsiUpperCase(same), same);
        EXPECT_EQ(AnsiLowerCase(same), same);
    }
    EXPECT_FALSE(AnsiSameText("\xF7", "\xD7"));
    EXPECT_FALSE(AnsiSameText("ab", "abc"));
}

}  // namespace

}  // namespace zel::test
