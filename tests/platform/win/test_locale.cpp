// Regional settings: locale information as ANSI text and the locale's order of ANSI text.
#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Locale.h"

namespace zel::test {
namespace {

class LocaleTest : public ::testing::Test {
protected:
    void TearDown() override { SetUserLocaleName(""); }
    static std::string Info(LCTYPE type) {
        char buf[16] = {};
        return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf) > 0 ? std::string(buf) : "<none>";
    }
};

TEST_F(LocaleTest, AnswersSeparatorsAndTheFirstDayOfTheWeek) {
    struct TCase {
        const char* locale;
        const char* decimal;
        const char* thousand;
        const char* firstDay;
    } cases[] = {{"en_US", ".", ",", "6"}, {"de_DE", ",", ".", "0"}, {"fr_FR", ",", "\xA0", "0"}};
    for (const TCase& c : cases) {
        SetUserLocaleName(c.locale);
        EXPECT_EQ(Info(LOCALE_SDECIMAL), c.decimal) << c.locale;
        EXPECT_EQ(Info(LOCALE_STHOUSAND | LOCALE_NOUSEROVERRIDE), c.thousand) << c.locale;
        EXPECT_EQ(Info(LOCALE_IFIRSTDAYOFWEEK), c.firstDay) << c.locale;
    }
}

TEST_F(LocaleTest, SizesAndRefusals) {
    SetUserLocaleName("de_DE");
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, nullptr, 0), 2);
    char one[1] = {'x'};
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, one, 1), 0);
    EXPECT_EQ(one[0], 'x');
    char buf[8] = {};
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, 0x7777, buf, 8), 0);
    EXPECT_EQ(GetLocaleInfoA(0x0409, LOCALE_SDECIMAL, buf, 8), 0);
}

TEST_F(LocaleTest, CompareTextFollowsTheLocaleAndIgnoresCase) {
    SetUserLocaleName("en_US");
    EXPECT_EQ(AnsiCompareText("apple", "APPLE"), 0);
    EXPECT_LT(AnsiCompareText("\xE9lan", "Zebra"), 0);  // "élan" among the e's, not after z
    EXPECT_LT(AnsiCompareText("eclair",
                              "\xC9"
                              "clair2"),
              0);
    EXPECT_GT(AnsiCompareText("\xE9t\xE9", "Ete"), 0);  // accents break the tie
    EXPECT_LT(AnsiCompareStr("apple", "Apple"), 0);     // lower case first
}

}  // namespace
}  // namespace zel::test

namespace zel::test {
namespace {

class FormatSettingsFromLocale : public ::testing::Test {
protected:
    void TearDown() override {
        SetUserLocaleName("");
        FormatSettings = saved_;
    }

private:
    TFormatSettings saved_ = FormatSettings;
};

TEST_F(FormatSettingsFromLocale, EnglishUnitedStatesAndGerman) {
    SetUserLocaleName("en_US");
    GetFormatSettingsFromLocale();
    EXPECT_EQ(FormatSettings.DecimalSeparator, '.');
    EXPECT_EQ(FormatSettings.ShortDateFormat, "M/d/yyyy");
    EXPECT_EQ(FormatSettings.LongTimeFormat, "h:mm:ss AMPM");
    EXPECT_EQ(FormatSettings.TimeAMString, "AM");
    EXPECT_EQ(FormatSettings.CurrencyString, "$");
    EXPECT_EQ(FormatSettings.CurrencyFormat, 0);
    EXPECT_EQ(FormatSettings.LongMonthNames[0], "January");
    EXPECT_EQ(FormatSettings.ShortDayNames[0], "Sun");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0)), "3/5/2024 2:07:09 PM");

    SetUserLocaleName("de_DE");
    GetFormatSettingsFromLocale();
    EXPECT_EQ(FormatSettings.DecimalSeparator, ',');
    EXPECT_EQ(FormatSettings.ThousandSeparator, '.');
    EXPECT_EQ(FormatSettings.DateSeparator, '.');
    EXPECT_EQ(FormatSettings.ShortDateFormat, "dd/MM/yyyy");
    EXPECT_EQ(FormatSettings.LongTimeFormat, "hh:mm:ss");
    EXPECT_EQ(FormatSettings.CurrencyString, "\x80");
    EXPECT_EQ(FormatSettings.CurrencyFormat, 3);
    EXPECT_EQ(FormatSettings.NegCurrFormat, 8);
    EXPECT_EQ(FormatSettings.LongMonthNames[2], "M\xE4rz");
    EXPECT_EQ(FormatSettings.LongDayNames[0], "Sonntag");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0)), "05.03.2024 14:07:09");
    EXPECT_EQ(StrToDate("29.02.2024"), EncodeDate(2024, 2, 29));
    EXPECT_EQ(StrToFloat("1,5"), 1.5);
}

TEST_F(FormatSettingsFromLocale, TheCLocaleReadsAsEnglishUnitedStates) {
    SetUserLocaleName("C");
    char buf[32] = {};
    ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "M/d/yyyy");
    ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1 + 11, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "December");
    ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVDAYNAME1 + 6, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "Sun");
}

TEST_F(FormatSettingsFromLocale, ALocaleChangeReachesTheHandlerBeforeTheWindows) {
    int calls = 0;
    SetLocaleChangedHandler([&] { ++calls; });
    NotifyLocaleChanged();
    SetLocaleChangedHandler(nullptr);
    NotifyLocaleChanged();
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace zel::test
