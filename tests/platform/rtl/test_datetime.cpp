#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

namespace zel::test {

namespace {

struct DateCase {
    const char* name;
    int y, m, d;
    double serial;
};

void PrintTo(const DateCase& c, std::ostream* os) { *os << c.name; }

class DateSerials : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateSerials, EncodeAndDecodeAgree) {
    const DateCase& c = GetParam();
    EXPECT_DOUBLE_EQ(EncodeDate(c.y, c.m, c.d), c.serial);
    int y, m, d;
    DecodeDate(c.serial, y, m, d);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(m, c.m);
    EXPECT_EQ(d, c.d);
}

INSTANTIATE_TEST_SUITE_P(Table, DateSerials,
                         ::testing::Values(DateCase{"Epoch", 1899, 12, 30, 0}, DateCase{"NewYear1900", 1900, 1, 1, 2},
                                           DateCase{"Leap2000", 2000, 2, 29, 36585}, DateCase{"Y2K", 2000, 1, 1, 36526},
                                           DateCase{"Before", 1899, 12, 1, -29}, DateCase{"Today", 2026, 12, 9, 46365},
                                           DateCase{"Century", 2100, 3, 1, 73110}),
                         [](const auto& info) { return info.param.name; });

TEST(DateTime, TimeOfDayRoundTripsToTheMillisecond) {
    for (int ms : {0, 1, 999, 43'200'000, 86'399'999}) {
        const TDateTime t =
            EncodeDate(2024, 5, 17) + EncodeTime(ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
        int h, n, s, z;
        DecodeTime(t, h, n, s, z);
        EXPECT_EQ(((h * 60 + n) * 60 + s) * 1000 + z, ms);
    }
}

TEST(DateTime, RejectsDatesThatDoNotExist) {
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2024, 13, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
}

TEST(DateTime, TextFormsAndParsing) {
    const TDateTime dt = EncodeDate(2024, 3, 7) + EncodeTime(9, 5, 30, 0);
    EXPECT_EQ(DateToStr(dt), "07/03/2024");
    EXPECT_EQ(TimeToStr(dt), "09:05:30");
    EXPECT_EQ(DateTimeToStr(dt), "07/03/2024 09:05:30");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 7)), "07/03/2024");
    EXPECT_DOUBLE_EQ(StrToDate("7/3/2024"), EncodeDate(2024, 3, 7));
    EXPECT_DOUBLE_EQ(StrToDate("07-03-24"), EncodeDate(2024, 3, 7));
    EXPECT_NEAR(StrToTime("9:05"), EncodeTime(9, 5, 0, 0), 1e-12);
    EXPECT_THROW(StrToDate("31/02/2024"), EConvertError);
    EXPECT_THROW(StrToDate("yesterday"), EConvertError);
    EXPECT_THROW(StrToTime("25:00"), EConvertError);
    // What a masked field leaves: blanks for digits left out are skipped, empty parts are not numbers.
    EXPECT_DOUBLE_EQ(StrToDate(" 7/ 3/24"), EncodeDate(2024, 3, 7));
    EXPECT_NEAR(StrToTime(" 9:05:00"), EncodeTime(9, 5, 0, 0), 1e-12);
    EXPECT_THROW(StrToDate("  /  /  "), EConvertError);
    EXPECT_THROW(StrToDate("1 2/03/24"), EConvertError);
    EXPECT_THROW(StrToTime("12:  :00"), EConvertError);
}

TEST(DateTime, NowIsAPlausibleLocalTime) {
    const TDateTime n = Now();
    EXPECT_GT(n, EncodeDate(2020, 1, 1));
    EXPECT_DOUBLE_EQ(Date(), std::trunc(Date()));
}

}  // namespace

}  // namespace zel::test
