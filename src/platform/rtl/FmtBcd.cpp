#include "platform/rtl/FmtBcd.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/rtl/SysUtils.h"

namespace zel {

namespace {

// A decimal as its digits with no leading or trailing zeros: value = ±0.Digits × 10^Exponent.
struct TDecimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
};

void Normalise(TDecimal& d) {
    std::size_t lead = 0;
    while (lead < d.Digits.size() && d.Digits[lead] == '0') ++lead;
    d.Digits.erase(0, lead);
    d.Exponent -= static_cast<int>(lead);
    while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
    if (d.Digits.empty()) {
        d.Negative = false;
        d.Exponent = 0;
    }
}

TDecimal FromBcd(const TBcd& bcd) {
    TDecimal d;
    const int precision = bcd.Precision > MaxFMTBcdDigits ? MaxFMTBcdDigits : bcd.Precision;
    for (int i = 0; i < precision; ++i) {
        const std::uint8_t byte = bcd.Fraction[i / 2];
        const int digit = (i % 2 == 0) ? byte >> 4 : byte & 0x0F;
        d.Digits += static_cast<char>('0' + (digit > 9 ? 9 : digit));
    }
    const int places = bcd.SignSpecialPlaces & 0x3F;
    d.Exponent = precision - places;
    d.Negative = (bcd.SignSpecialPlaces & 0x80) != 0;
    Normalise(d);
    return d;
}

bool ToBcd(TDecimal d, TBcd& bcd) {
    Normalise(d);
    bcd = TBcd{};
    if (d.Digits.empty()) {
        bcd.Precision = 1;
        return true;
    }
    // Integer digits (at least one) then the fraction's.
    int places = static_cast<int>(d.Digits.size()) - d.Exponent;
    if (places < 0) {
        d.Digits.append(static_cast<std::size_t>(-places), '0');
        places = 0;
    }
    if (d.Exponent <= 0) d.Digits.insert(0, static_cast<std::size_t>(1 - d.Exponent), '0');
    if (d.Digits.size() > MaxFMTBcdDigits || places > 63) return false;
    bcd.Precision = static_cast<std::uint8_t>(d.Digits.size());
    bcd.SignSpecialPlaces = static_cast<std::uint8_t>((d.Negative ? 0x80 : 0) | places);
    for (std::size_t i = 0; i < d.Digits.size(); ++i) {
        const auto digit = static_cast<std::uint8_t>(d.Digits[i] - '0');
        bcd.Fraction[i / 2] |= static_cast<std::uint8_t>(i % 2 == 0 ? digit << 4 : digit);
    }
    return true;
}

void RoundTo(TDecimal& d, int keep) {
    if (keep >= static_cast<int>(d.Digits.size())) return;
    if (keep < 0) {
        d.Digits.clear();
        Normalise(d);
        return;
    }
    const bool up = d.Digits[static_cast<std::size_t>(keep)] >= '5';
    d.Digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.Digits[static_cast<std::size_t>(i)] == '9') d.Digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            d.Digits.insert(d.Digits.begin(), '1');
            ++d.Exponent;
        } else {
            ++d.Digits[static_cast<std::size_t>(i)];
        }
    }
    Normalise(d);
}

std::string PlainText(const TDecimal& d, int minFraction) {
    std::string intPart, fracPart;
    if (d.Exponent > 0) {
        const auto n = static_cast<std::size_t>(d.Exponent);
        intPart = d.Digits.substr(0, std::min(n, d.Digits.size()));
        intPart.append(n > d.Digits.size() ? n - d.Digits.size() : 0, '0');
        if (d.Digits.size() > n) fracPart = d.Digits.substr(n);
    } else if (!d.Digits.empty()) {
        fracPart = std::string(static_cast<std::size_t>(-d.Exponent), '0') + d.Digits;
    }
    if (intPart.empty()) intPart = "0";
    while (static_cast<int>(fracPart.size()) < minFraction) fracPart += '0';
    std::string out = d.Negative && !d.Digits.empty() ? "-" : "";
    out += intPart;
    if (!fracPart.empty()) out += DecimalSeparator + fracPart;
    return out;
}

int CompareMagnitude(const TDecimal& a, const TDecimal& b) {
    if (a.Digits.empty() || b.Digits.empty()) return a.Digits.empty() ? (b.Digits.empty() ? 0 : -1) : 1;
    if (a.Exponent != b.Exponent) return a.Exponent < b.Exponent ? -1 : 1;
    const int r = a.Digits.compare(b.Digits);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

}  // namespace

bool TryStrToBcd(std::string_view s, TBcd& bcd) {
    const std::string t = Trim(s);
    TDecimal d;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) d.Negative = t[i++] == '-';
    bool point = false, any = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            d.Digits += c;
            if (!point) ++d.Exponent;
            any = true;
        } else if (c == DecimalSeparator && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!any) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
        int e = 0, digits = 0;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++digits)
            if (e < 1000) e = e * 10 + (t[i] - '0');
        if (digits == 0) return false;
        d.Exponent += negative ? -e : e;
    }
    if (i != t.size()) return false;
    TBcd result;
    if (!ToBcd(d, result)) return false;
    bcd = result;
    return true;
}

TBcd StrToBcd(std::string_view s) {
    TBcd r;
    if (!TryStrToBcd(s, r)) throw EConvertError("'" + std::string(s) + "' is not a valid BCD value");
    return r;
}

std::string BcdToStr(const TBcd& bcd) { return PlainText(FromBcd(bcd), 0); }

std::string BcdToStrF(const TBcd& bcd, TFloatFormat format, int precision, int digits) {
    TDecimal d = FromBcd(bcd);
    if (format == ffFixed) {
        RoundTo(d, d.Exponent + digits);
        return PlainText(d, digits);
    }
    RoundTo(d, precision < 1 ? 1 : precision);
    if (!d.Digits.empty() && (d.Exponent > precision || d.Exponent < -3)) {
        std::string out = d.Negative ? "-" : "";
        out += d.Digits[0];
        if (d.Digits.size() > 1) out += DecimalSeparator + d.Digits.substr(1);
        return out + "E" + std::to_string(d.Exponent - 1);
    }
    return PlainText(d, 0);
}

int BcdCompare(const TBcd& a, const TBcd& b) {
    const TDecimal x = FromBcd(a), y = FromBcd(b);
    if (x.Negative != y.Negative) return x.Negative ? -1 : 1;
    const int m = CompareMagnitude(x, y);
    return x.Negative ? -m : m;
}

double BcdToDouble(const TBcd& bcd) {
    const TDecimal d = FromBcd(bcd);
    if (d.Digits.empty()) return 0;
    const std::string text = (d.Negative ? "-0." : "0.") + d.Digits + "e" + std::to_string(d.Exponent);
    return std::strtod(text.c_str(), nullptr);
}

TBcd DoubleToBcd(double value) {
    if (!std::isfinite(value)) throw EConvertError("'" + FloatToStr(value) + "' is not a valid BCD value");
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    const std::string text(buf);
    TDecimal d;
    std::size_t i = 0;
    if (text[0] == '-') {
        d.Negative = true;
        i = 1;
    }
    const std::size_t e = text.find('e');
    for (; i < e; ++i)
        if (text[i] != '.') d.Digits += text[i];
    d.Exponent = std::atoi(text.c_str() + e + 1) + 1;
    TBcd r;
    if (!ToBcd(d, r)) throw EConvertError("'" + FloatToStr(value) + "' is not a valid BCD value");
    return r;
}

}  // namespace zel
