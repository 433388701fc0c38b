#include "platform/rtl/Extended.h"

#include <cstring>

namespace zel {

namespace {

constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;
constexpr std::uint64_t kTopBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kDoubleFraction = (std::uint64_t{1} << 52) - 1;

std::uint64_t DoubleBits(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double BitsDouble(std::uint64_t bits) {
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void Store(std::uint8_t out[10], bool negative, int exponent, std::uint64_t significand) {
    for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(significand >> (8 * i));
    const unsigned top = (negative ? 0x8000u : 0u) | (static_cast<unsigned>(exponent) & 0x7FFFu);
    out[8] = static_cast<std::uint8_t>(top);
    out[9] = static_cast<std::uint8_t>(top >> 8);
}

// Shifts right by count bits rounding to nearest, ties to even.
std::uint64_t ShiftRound(std::uint64_t value, int count) {
    if (count <= 0) return value;
    if (count > 64) return 0;
    const std::uint64_t kept = count == 64 ? 0 : value >> count;
    const std::uint64_t half = std::uint64_t{1} << (count - 1);
    const std::uint64_t rest = count == 64 ? value : value & ((half << 1) - 1);
    if (rest > half || (rest == half && (kept & 1) != 0)) return kept + 1;
    return kept;
}

}  // namespace

void DoubleToExtended(double value, std::uint8_t out[10]) {
    const std::uint64_t bits = DoubleBits(value);
    const bool negative = (bits >> 63) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t fraction = bits & kDoubleFraction;
    if (exponent == 0x7FF) {
        // Infinity keeps only the integer bit; a NaN keeps its payload, and its quiet bit.
        Store(out, negative, 0x7FFF, kTopBit | (fraction << 11));
        return;
    }
    if (exponent == 0) {
        if (fraction == 0) {
            Store(out, negative, 0, 0);
            return;
        }
        int e = 1 - kDoubleBias;
        while ((fraction & (std::uint64_t{1} << 52)) == 0) {
            fraction <<= 1;
            --e;
        }
        Store(out, negative, e + kExtendedBias, fraction << 11);
        return;
    }
    Store(out, negative, exponent - kDoubleBias + kExtendedBias, kTopBit | (fraction << 11));
}

double ExtendedToDouble(const std::uint8_t in[10]) {
    std::uint64_t significand = 0;
    for (int i = 7; i >= 0; --i) significand = (significand << 8) | in[i];
    const unsigned top = static_cast<unsigned>(in[8]) | (static_cast<unsigned>(in[9]) << 8);
    const bool negative = (top & 0x8000u) != 0;
    const int exponent = static_cast<int>(top & 0x7FFFu);
    const std::uint64_t sign = negative ? kTopBit : 0;
    if (exponent == 0x7FFF) {
        const std::uint64_t payload = (significand & ~kTopBit) >> 11;
        if ((significand & ~kTopBit) == 0) return BitsDouble(sign | (std::uint64_t{0x7FF} << 52));
        return BitsDouble(sign | (std::uint64_t{0x7FF} << 52) | (payload == 0 ? std::uint64_t{1} << 51 : payload));
    }
    if (significand == 0) return BitsDouble(sign);
    // The value is significand × 2^(e − 63); normalise so that the top bit is set.
    int e = (exponent == 0 ? 1 : exponent) - kExtendedBias;
    while ((significand & kTopBit) == 0) {
        significand <<= 1;
        --e;
    }
    if (e > kDoubleBias) return BitsDouble(sign | (std::uint64_t{0x7FF} << 52));
    if (e >= 1 - kDoubleBias) {
        std::uint64_t rounded = ShiftRound(significand, 11);  // 53 bits, or 2^53 after a carry
        if (rounded >> 53) {
            rounded >>= 1;
            ++e;
            if (e > kDoubleBias) return BitsDouble(sign | (std::uint64_t{0x7FF} << 52));
        }
        return BitsDouble(sign | (static_cast<std::uint64_t>(e + kDoubleBias) << 52) | (rounded & kDoubleFraction));
    }
    // Below the normal range: a denormal, whose unit is 2^−1074; rounding may reach the smallest normal.
    const int shift = 11 + (1 - kDoubleBias - e);
    const std::uint64_t rounded = ShiftRound(significand, shift);
    return BitsDouble(sign | rounded);
}

}  // namespace zel
