#pragma once
// Decimal numbers of up to 64 digits: the 34-byte BCD record of stored values, its comparison and its
// conversions to and from text and double.
#include <cstdint>
#include <string>
#include <string_view>

namespace zel {

#pragma pack(push, 1)
struct TBcd {
    std::uint8_t Precision = 0;          // digits in Fraction, 1..64 (0 for a zero record)
    std::uint8_t SignSpecialPlaces = 0;  // bit 7 negative; bits 0-5 the digits after the point
    std::uint8_t Fraction[32] = {};      // two digits a byte, high nibble first
};
#pragma pack(pop)
static_assert(sizeof(TBcd) == 34);

constexpr int MaxFMTBcdDigits = 64;

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Text in the current decimal separator: sign, digits, at most one separator, blanks around; an exponent
// ("1.5E3") is taken too. More than 64 significant digits or anything else is refused
// (EConvertError "'x' is not a valid BCD value").
bool TryStrToBcd(std::string_view s, TBcd& bcd);
TBcd StrToBcd(std::string_view s);
// The shortest exact text ("-12.5", "0").
std::string BcdToStr(const TBcd& bcd);
// ffGeneral: at most Precision significant digits, trailing zeros dropped; ffFixed: Digits after the point.
// Both round half away from zero.
std::string BcdToStrF(const TBcd& bcd, TFloatFormat format, int precision, int digits);
int BcdCompare(const TBcd& a, const TBcd& b);  // -1, 0, 1
double BcdToDouble(const TBcd& bcd);
TBcd DoubleToBcd(double value);  // the value's 15 significant digits; NaN and infinity raise EConvertError

}  // namespace zel
