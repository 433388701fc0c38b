#include "platform/rtl/Extended.h"
#include "platform/rtl/FmtBcd.h"
#include "platform/rtl/SqlTimSt.h"
#include "platform/rtl/Variants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>
#include <vector>

namespace zel::test {

namespace {

// Restores the current format settings after a test that changes them.
struct FormatSettingsGuard {
    TFormatSettings saved = FormatSettings;
    ~FormatSettingsGuard() { FormatSettings = saved; }
};

std::vector<std::uint8_t> Bytes(std::initializer_list<int> list) {
    std::vector<std::uint8_t> r;
    for (int b : list) r.push_back(static_cast<std::uint8_t>(b));
    return r;
}

struct ExtendedCase {
    const char* name;
    double value;
    std::vector<std::uint8_t> bytes;
};
void PrintTo(const ExtendedCase& c, std::ostream* os) { *os << c.name; }

class ExtendedBytes : public ::testing::TestWithParam<ExtendedCase> {};

TEST_P(ExtendedBytes, WritesTheTenBytesAndReadsTheSameDoubleBack) {
    const ExtendedCase& c = GetParam();
    std::uint8_t out[10] = {};
    DoubleToExtended(c.value, out);
    EXPECT_EQ(std::vector<std::uint8_t>(out, out + 10), c.bytes);
    const double back = ExtendedToDouble(c.bytes.data());
    if (std::isnan(c.value)) {
        EXPECT_TRUE(std::isnan(back));
    } else {
        std::uint64_t a = 0, b = 0;
        std::memcpy(&a, &c.value, 8);
        std::memcpy(&b, &back, 8);
        EXPECT_EQ(a, b);  // bit for bit: -0 stays -0
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExtendedBytes,
    ::testing::Values(ExtendedCase{"Zero", 0.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
                      ExtendedCase{"MinusZero", -0.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80})},
                      ExtendedCase{"One", 1.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})},
                      ExtendedCase{"PointOne", 0.1, Bytes({0, 0xD0, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F})},
                      ExtendedCase{"MinusTwoAndAHalf", -2.5, Bytes({0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0})},
                      ExtendedCase{"Largest", std::numeric_limits<double>::max(),
                                   Bytes({0, 0xF8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x43})},
                      ExtendedCase{"SmallestDenormal", std::numeric_limits<double>::denorm_min(),
                                   Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xCD, 0x3B})},
                      ExtendedCase{"SmallestNormal", std::numeric_limits<double>::min(),
                                   Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x3C})},
                      ExtendedCase{"PlusInfinity", std::numeric_limits<double>::infinity(),
                                   Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F})},
                      ExtendedCase{"MinusInfinity", -std::numeric_limits<double>::infinity(),
                                   Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF})},
                      ExtendedCase{"NaN", std::numeric_limits<double>::quiet_NaN(),
                                   Bytes({0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F})}),
    [](const auto& info) { return info.param.name; });

TEST(Extended, NarrowsToTheNearestDoubleAndSaturatesOutsideItsRange) {
    // 1 + 2^-53 is halfway between 1 and the next double: ties go to the even one (1).
    const auto half = Bytes({0, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F});
    EXPECT_EQ(ExtendedToDouble(half.data()), 1.0);
    // A bit above halfway rounds up.
    const auto above = Bytes({1, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F});
    EXPECT_EQ(ExtendedToDouble(above.data()), 1.0 + std::ldexp(1.0, -52));
    // 2^2000 and -2^-2000 lie beyond the double range.
    const auto huge = Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xCF, 0x47});
    EXPECT_EQ(ExtendedToDouble(huge.data()), std::numeric_limits<double>::infinity());
    const auto tiny = Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0x2F, 0xB8});
    const double t = ExtendedToDouble(tiny.data());
    EXPECT_EQ(t, 0.0);
    EXPECT_TRUE(std::signbit(t));
    // An unnormalised significand (integer bit clear) still reads as its value.
    const auto unnormal = Bytes({0, 0, 0, 0, 0, 0, 0, 0x40, 0x00, 0x40});
    EXPECT_EQ(ExtendedToDouble(unnormal.data()), 1.0);
}

TEST(Bcd, TextComparisonAndDoubleConversions) {
    FormatSettingsGuard guard;
    const TBcd a = StrToBcd("-12.50");
    EXPECT_EQ(BcdToStr(a), "-12.5");
    EXPECT_EQ(BcdCompare(StrToBcd("1.10"), StrToBcd("1.1")), 0);
    EXPECT_EQ(BcdCompare(StrToBcd("-2"), StrToBcd("1")), -1);
    EXPECT_EQ(BcdCompare(StrToBcd("-2"), StrToBcd("-10")), 1);
    EXPECT_EQ(BcdCompare(StrToBcd("0.001"), StrToBcd("0")), 1);
    EXPECT_EQ(BcdToStrF(StrToBcd("123.456"), ffGeneral, 3, 0), "123");
    EXPECT_EQ(BcdToStrF(StrToBcd("123.456"), ffFixed, 18, 2), "123.46");
    EXPECT_EQ(BcdToStrF(StrToBcd("-0.5"), ffFixed, 18, 0), "-1");
    EXPECT_EQ(BcdToStr(DoubleToBcd(0.1)), "0.1");
    EXPECT_DOUBLE_EQ(BcdToDouble(StrToBcd("1234.5678")), 1234.5678);
    EXPECT_EQ(BcdToStr(StrToBcd("1.5E3")), "1500");
    TBcd r;
    EXPECT_FALSE(TryStrToBcd(std::string(65, '9'), r));
    EXPECT_TRUE(TryStrToBcd(std::string(64, '9'), r));
    EXPECT_FALSE(TryStrToBcd("1,5", r));
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(BcdToStr(StrToBcd("1,5")), "1,5");
    EXPECT_THROW(DoubleToBcd(std::nan("")), EConvertError);
}

TEST(SQLTimeStamp, ConvertsRealDatesAndRefusesImpossibleOnes) {
    const TSQLTimeStamp leap{2024, 2, 29, 13, 45, 30, 250};
    const TDateTime dt = SQLTimeStampToDateTime(leap);
    EXPECT_DOUBLE_EQ(dt, EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 250));
    const TSQLTimeStamp back = DateTimeToSQLTimeStamp(dt);
    EXPECT_EQ(SQLTimeStampCompare(back, leap), 0);
    EXPECT_EQ(SQLTimeStampToDateTime(TSQLTimeStamp{}), 0.0);
    for (const TSQLTimeStamp& bad : {TSQLTimeStamp{2023, 2, 29, 0, 0, 0, 0}, TSQLTimeStamp{2024, 13, 1, 0, 0, 0, 0},
                                     TSQLTimeStamp{2024, 1, 1, 24, 0, 0, 0}, TSQLTimeStamp{2024, 1, 1, 0, 0, 0, 1000},
                                     TSQLTimeStamp{-5, 1, 1, 0, 0, 0, 0}})
        EXPECT_THROW(SQLTimeStampToDateTime(bad), EConvertError);
    EXPECT_EQ(SQLTimeStampCompare(TSQLTimeStamp{2024, 1, 2, 0, 0, 0, 0}, TSQLTimeStamp{2024, 1, 1, 23, 0, 0, 0}), 1);
    EXPECT_EQ(
        SQLTimeStampCompare(TSQLTimeStamp{2024, 1, 1, 0, 0, 0, 0}, TSQLTimeStamp{2024, 1, 1, 0, 0, 0, 4000000000u}),
        -1);
}

// One cast: the source, the kind asked for, and the expected text of the result or the error kind.
enum class CastOutcome { Value, CastError, Overflow };
struct CastCase {
    const char* name;
    Variant source;
    TVarType target;
    CastOutcome outcome;
    const char* text;  // the result as a string (for Value)
    char decimalSeparator = '.';
};
void PrintTo(const CastCase& c, std::ostream* os) { *os << c.name; }

class VariantCasts : public ::testing::TestWithParam<CastCase> {};

TEST_P(VariantCasts, GiveTheValueOrRaiseTheVariantErrorLeavingTheTargetAlone) {
    const CastCase& c = GetParam();
    FormatSettingsGuard guard;
    FormatSettings.DecimalSeparator = c.decimalSeparator;
    Variant target(7);
    switch (c.outcome) {
        case CastOutcome::Value:
            target = VarAsType(c.source, c.target);
            EXPECT_EQ(target.VType(), c.target);
            EXPECT_EQ(VarToStr(target), c.text);
            break;
        case CastOutcome::CastError: EXPECT_THROW(target = VarAsType(c.source, c.target), EVariantTypeCastError); break;
        case CastOutcome::Overflow: EXPECT_THROW(target = VarAsType(c.source, c.target), EVariantOverflowError); break;
    }
    if (c.outcome != CastOutcome::Value) {
        EXPECT_EQ(target.VType(), varInteger);
        EXPECT_EQ(target.RawInteger(), 7);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, VariantCasts,
    ::testing::Values(
        CastCase{"EmptyTextToInteger", Variant(""), varInteger, CastOutcome::CastError, ""},
        CastCase{"BlanksAroundDigits", Variant(" 12 "), varInteger, CastOutcome::Value, "12"},
        CastCase{"TooLargeForDouble", Variant("1e400"), varDouble, CastOutcome::CastError, ""},
        CastCase{"ElevenNinesIntoInteger", Variant("99999999999"), varInteger, CastOutcome::Overflow, ""},
        CastCase{"ElevenNinesIntoInt64", Variant("99999999999"), varInt64, CastOutcome::Value, "99999999999"},
        CastCase{"DigitsBeyondInt64", Variant("99999999999999999999"), varInt64, CastOutcome::Overflow, ""},
        CastCase{"LettersToInteger", Variant("abc"), varInteger, CastOutcome::CastError, ""},
        CastCase{"CommaDecimalToDouble", Variant("12,5"), varDouble, CastOutcome::Value, "12,5", ','},
        CastCase{"CommaDecimalToIntegerRoundsToEven", Variant("12,5"), varInteger, CastOutcome::Value, "12", ','},
        CastCase{"CommaTextUnderPoint", Variant("12,5"), varDouble, CastOutcome::CastError, ""},
        CastCase{"SuperscriptTwo", Variant("\xB2"), varInteger, CastOutcome::CastError, ""},
        CastCase{"AnsiTextToWide", Variant("caf\xE9 \x80"), varOleStr, CastOutcome::Value, "caf\xE9 \x80"},
        CastCase{"DoubleRoundsToNearest", Variant(3.7), varInteger, CastOutcome::Value, "4"},
        CastCase{"DoubleHalfToEven", Variant(2.5), varInteger, CastOutcome::Value, "2"},
        CastCase{"NegativeIntoWord", Variant(-1), varWord, CastOutcome::Overflow, ""},
        CastCase{"ThreeHundredIntoByte", Variant(300), varByte, CastOutcome::Overflow, ""},
        CastCase{"Int64IntoInteger", Variant(std::int64_t{1} << 40), varInteger, CastOutcome::Overflow, ""},
        CastCase{"HugeDoubleIntoInt64", Variant(1e300), varInt64, CastOutcome::Overflow, ""},
        CastCase{"NaNIntoInteger", Variant(std::nan("")), varInteger, CastOutcome::CastError, ""},
        CastCase{"TrueToInteger", Variant(true), varInteger, CastOutcome::Value, "-1"},
        CastCase{"TrueToText", Variant(true), varString, CastOutcome::Value, "True"},
        CastCase{"TextToBoolean", Variant("false"), varBoolean, CastOutcome::Value, "False"},
        CastCase{"WordToBoolean", Variant("yes"), varBoolean, CastOutcome::CastError, ""},
        CastCase{"NullToInteger", Variant::Null(), varInteger, CastOutcome::CastError, ""},
        CastCase{"EmptyToInteger", Variant(), varInteger, CastOutcome::Value, "0"},
        CastCase{"DoubleToCurrency", Variant(1.23456), varCurrency, CastOutcome::Value, "1.2346"},
        CastCase{"CurrencyBeyondRange", Variant(1e16), varCurrency, CastOutcome::Overflow, ""},
        CastCase{"TextToBcd", Variant("-0.125"), varFMTBcd, CastOutcome::Value, "-0.125"},
        CastCase{"TextToDate", Variant("29/02/2024"), varDate, CastOutcome::Value, "29/02/2024"},
        CastCase{"ImpossibleDate", Variant("31/02/2024"), varDate, CastOutcome::CastError, ""},
        CastCase{"DoubleToText", Variant(0.1), varString, CastOutcome::Value, "0.1"},
        CastCase{"SingleOverflow", Variant(1e300), varSingle, CastOutcome::Overflow, ""}),
    [](const auto& info) { return info.param.name; });

TEST(VariantCompare, NumbersAcrossKindsStringsAndTheFailures) {
    EXPECT_EQ(VarCompareValue(Variant(1), Variant(1.0)), vrEqual);
    EXPECT_EQ(VarCompareValue(Variant::Byte(200), Variant::ShortInt(-1)), vrGreaterThan);
    EXPECT_EQ(VarCompareValue(Variant(std::int64_t{9007199254740993}), Variant(std::int64_t{9007199254740992})),
              vrGreaterThan);
    EXPECT_EQ(VarCompareValue(Variant::LongWord(4294967295u), Variant(-1)), vrGreaterThan);
    EXPECT_EQ(VarCompareValue(Variant("10"), Variant(9)), vrGreaterThan);
    EXPECT_EQ(VarCompareValue(Variant::CurrencyRaw(15000), Variant(1.5)), vrEqual);
    EXPECT_EQ(VarCompareValue(Variant("a"), Variant(u"b")), vrLessThan);
    EXPECT_EQ(VarCompareValue(Variant::Null(), Variant::Null()), vrEqual);
    EXPECT_EQ(VarCompareValue(Variant::Null(), Variant(1)), vrNotEqual);
    EXPECT_EQ(VarCompareValue(Variant(std::nan("")), Variant(1.0)), vrNotEqual);
    EXPECT_THROW(VarCompareValue(Variant("abc"), Variant(1)), EVariantError);
    EXPECT_THROW(VarCompareValue(Variant::Array({{0, 1}}), Variant(1)), EVariantError);
    // Strings go through the installed comparer.
    SetVariantStringComparer([](std::string_view x, std::string_view y) { return -x.compare(y); });
    EXPECT_EQ(VarCompareValue(Variant("a"), Variant("b")), vrGreaterThan);
    SetVariantStringComparer(nullptr);
}

TEST(VariantArrays, BoundsElementsAndDeepCopies) {
    Variant a = Variant::Array({{1, 3}});
    EXPECT_EQ(VarArrayDimCount(a), 1);
    EXPECT_EQ(VarArrayLowBound(a, 1), 1);
    EXPECT_EQ(VarArrayHighBound(a, 1), 3);
    a.Element(2) = Variant("x");
    Variant copy = a;
    copy.Element(2) = Variant(5);
    EXPECT_EQ(VarToStr(a.Element(2)), "x");
    EXPECT_THROW(a.Element(4), EVariantBadIndexError);
    EXPECT_THROW(a.Element(0), EVariantBadIndexError);
    Variant grid = Variant::Array({{0, 2}, {0, 3}});
    grid.Element({1, 2}) = Variant(9);
    EXPECT_EQ(grid.Element({1, 2}).RawInteger(), 9);
    EXPECT_THROW(VarAsType(a, varInteger), EVariantTypeCastError);
}

}  // namespace

}  // namespace zel::test
