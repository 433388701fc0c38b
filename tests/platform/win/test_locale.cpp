// Regional settings: locale information as ANSI text and the locale's order of ANSI text.
#include <gtest/gtest.h>

#include <string>

#include "platform/win/Locale.h"

namespace zel {
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
}  // namespace zel
