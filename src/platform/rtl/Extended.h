#pragma once
// The 80-bit extended-precision format of stored values (sign, 15-bit exponent biased by 16383, 64-bit
// significand with its integer bit), converted to and from double bit by bit: the same bytes on every
// machine, whatever its long double.
#include <cstdint>

namespace zel {

// Ten bytes, little-endian: significand in bytes 0-7, sign and exponent in bytes 8-9. Exact: every double
// has an extended form.
void DoubleToExtended(double value, std::uint8_t out[10]);
// Rounds to nearest, ties to even; beyond the double range gives ±infinity, below it ±0 or a denormal.
// NaN stays NaN.
double ExtendedToDouble(const std::uint8_t in[10]);

}  // namespace zel
