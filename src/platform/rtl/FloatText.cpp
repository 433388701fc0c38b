// The current regional settings and the floating-point texts that follow them.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/rtl/SysUtils.h"

namespace zel {

TFormatSettings FormatSettings;
char& DecimalSeparator = FormatSettings.DecimalSeparator;

namespace {

// A magnitude as decimal digits: 0.Digits × 10^Exponent; no digits means zero.
struct TDecimalDigits {
    std::string Digits;
    int Exponent = 0;
};

TDecimalDigits ToDigits(double magnitude) {
    TDecimalDigits r;
    if (magnitude == 0) return r;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.16e", magnitude);
    const std::string text(buf);
    const std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.') r.Digits += text[i];
    r.Exponent = std::atoi(text.c_str() + e + 1) + 1;
    while (!r.Digits.empty() && r.Digits.back() == '0') r.Digits.pop_back();
    return r;
}

// Keeps the first Keep digits, rounding half away from zero.
void RoundDigits(TDecimalDigits& v, int keep) {
    if (keep >= static_cast<int>(v.Digits.size())) return;
    if (keep < 0) {
        v.Digits.clear();
        return;
    }
    const bool up = v.Digits[static_cast<std::size_t>(keep)] >= '5';
    v.Digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && v.Digits[static_cast<std::size_t>(i)] == '9') v.Digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            v.Digits.insert(v.Digits.begin(), '1');
            ++v.Exponent;
        } else {
            ++v.Digits[static_cast<std::size_t>(i)];
        }
    }
    while (!v.Digits.empty() && v.Digits.back() == '0') v.Digits.pop_back();
}

std::string NonFinite(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::string GeneralText(double value, int precision) {
    if (!std::isfinite(value)) return NonFinite(value);
    TDecimalDigits v = ToDigits(std::fabs(value));
    RoundDigits(v, precision);
    if (v.Digits.empty()) return "0";
    std::string out = value < 0 ? "-" : "";
    if (v.Exponent > precision || v.Exponent < -3) {
        out += v.Digits[0];
        if (v.Digits.size() > 1) out += DecimalSeparator + v.Digits.substr(1);
        out += "E" + std::to_string(v.Exponent - 1);
        return out;
    }
    if (v.Exponent <= 0) {
        out += "0";
        out += DecimalSeparator;
        out += std::string(static_cast<std::size_t>(-v.Exponent), '0') + v.Digits;
        return out;
    }
    const std::size_t intDigits = static_cast<std::size_t>(v.Exponent);
    if (v.Digits.size() <= intDigits) return out + v.Digits + std::string(intDigits - v.Digits.size(), '0');
    return out + v.Digits.substr(0, intDigits) + DecimalSeparator + v.Digits.substr(intDigits);
}

// The parts of one section of a FormatFloat picture.
struct TPicture {
    int IntPlaces = 0;      // '0' and '#' before the decimal point
    int MinIntDigits = 0;   // from the first '0' before the point on
    int FracPlaces = 0;     // '0' and '#' after the point
    int MinFracDigits = 0;  // up to the last '0' after the point
    bool Thousands = false;
    bool HasExponent = false;
    int ExponentDigits = 0;
};

bool IsExponentAt(std::string_view s, std::size_t i) {
    return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

TPicture ReadPicture(std::string_view s) {
    TPicture p;
    bool afterPoint = false;
    int firstZero = -1;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"' || c == '\'') {
            const std::size_t end = s.find(c, i + 1);
            i = end == std::string_view::npos ? s.size() : end;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                ++p.FracPlaces;
                if (c == '0') p.MinFracDigits = p.FracPlaces;
            } else {
                if (c == '0' && firstZero < 0) firstZero = p.IntPlaces;
                ++p.IntPlaces;
            }
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            if (!afterPoint) p.Thousands = true;
        } else if (!p.HasExponent && (p.IntPlaces + p.FracPlaces) > 0 && IsExponentAt(s, i)) {
            p.HasExponent = true;
            i += 2;
            while (i < s.size() && s[i] == '0') {
                ++p.ExponentDigits;
                ++i;
            }
            --i;
            break;
        }
    }
    p.MinIntDigits = firstZero < 0 ? 0 : p.IntPlaces - firstZero;
    return p;
}

std::vector<std::string> SplitSections(std::string_view format) {
    std::vector<std::string> sections(1);
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '"' || c == '\'') {
            const std::size_t end = format.find(c, i + 1);
            const std::size_t stop = end == std::string_view::npos ? format.size() : end + 1;
            sections.back() += format.substr(i, stop - i);
            i = stop - 1;
        } else if (c == ';' && sections.size() < 3) {
            sections.emplace_back();
        } else {
            sections.back() += c;
        }
    }
    return sections;
}

std::string ApplyPicture(std::string_view s, double magnitude, bool minus) {
    const TPicture p = ReadPicture(s);
    TDecimalDigits v = ToDigits(magnitude);
    int exponent = 0;
    if (p.HasExponent) {
        const int intPlaces = p.IntPlaces > 0 ? p.IntPlaces : 1;
        RoundDigits(v, intPlaces + p.FracPlaces);
        if (!v.Digits.empty()) {
            exponent = v.Exponent - intPlaces;
            v.Exponent = intPlaces;
        }
    } else {
        RoundDigits(v, v.Exponent + p.FracPlaces);
    }
    std::string intDigits, fracDigits;
    if (!v.Digits.empty()) {
        if (v.Exponent > 0) {
            const std::size_t n = static_cast<std::size_t>(v.Exponent);
            intDigits = v.Digits.substr(0, std::min(n, v.Digits.size()));
            intDigits.append(n > v.Digits.size() ? n - v.Digits.size() : 0, '0');
            if (v.Digits.size() > n) fracDigits = v.Digits.substr(n);
        } else {
            fracDigits = std::string(static_cast<std::size_t>(-v.Exponent), '0') + v.Digits;
        }
    }
    while (static_cast<int>(intDigits.size()) < p.MinIntDigits) intDigits.insert(intDigits.begin(), '0');
    while (static_cast<int>(fracDigits.size()) < p.MinFracDigits) fracDigits += '0';
    if (static_cast<int>(fracDigits.size()) > p.FracPlaces) fracDigits.resize(static_cast<std::size_t>(p.FracPlaces));

    const bool nonZero =
        intDigits.find_first_not_of('0') != std::string::npos || fracDigits.find_first_not_of('0') != std::string::npos;
    std::string out = minus && nonZero ? "-" : "";
    const int length = static_cast<int>(intDigits.size());
    int intSeen = 0, fracSeen = 0;
    bool afterPoint = false, exponentDone = false;
    auto emitDigit = [&](int k) {
        const int j = k - (p.IntPlaces - length);
        auto put = [&](int index) {
            out += intDigits[static_cast<std::size_t>(index)];
            const int right = length - 1 - index;
            if (p.Thousands && right > 0 && right % 3 == 0) out += FormatSettings.ThousandSeparator;
        };
        if (k == 0 && length > p.IntPlaces) {
            for (int i = 0; i <= length - p.IntPlaces; ++i) put(i);
        } else if (j >= 0) {
            put(j);
        }
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"' || c == '\'') {
            const std::size_t end = s.find(c, i + 1);
            const std::size_t stop = end == std::string_view::npos ? s.size() : end;
            out += s.substr(i + 1, stop - i - 1);
            i = stop;
        } else if ((c == '0' || c == '#') && !exponentDone) {
            if (afterPoint) {
                if (fracSeen < static_cast<int>(fracDigits.size()))
                    out += fracDigits[static_cast<std::size_t>(fracSeen)];
                ++fracSeen;
            } else {
                emitDigit(intSeen++);
            }
        } else if (c == '.' && !afterPoint && !exponentDone) {
            afterPoint = true;
            if (p.IntPlaces == 0 && length > 0) emitDigit(0);
            if (!fracDigits.empty()) out += DecimalSeparator;
        } else if (c == ',' && !exponentDone) {
        } else if (p.HasExponent && !exponentDone && IsExponentAt(s, i)) {
            if (!afterPoint && p.IntPlaces == 0 && length > 0) emitDigit(0);
            exponentDone = true;
            out += s[i];
            if (exponent < 0) out += '-';
            else if (s[i + 1] == '+') out += '+';
            i += 2;
            std::string e = std::to_string(std::abs(exponent));
            while (static_cast<int>(e.size()) < p.ExponentDigits) e.insert(e.begin(), '0');
            out += e;
            while (i < s.size() && s[i] == '0') ++i;
            --i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string FloatToStrGeneral(double value, int precision) {
    if (precision < 1) precision = 1;
    if (precision > 17) precision = 17;
    return GeneralText(value, precision);
}

std::string FloatToStr(double value) { return GeneralText(value, 15); }

std::string FloatToStrFixed(double value, int digits) {
    if (!std::isfinite(value)) return NonFinite(value);
    std::string picture = "0";
    if (digits > 0) picture += "." + std::string(static_cast<std::size_t>(std::min(digits, 18)), '0');
    return ApplyPicture(picture, std::fabs(value), value < 0);
}

bool TryStrToFloat(std::string_view s, double& value) {
    const std::string t = Trim(s);
    std::string c;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) c += t[i++];
    int digits = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const char ch = t[i];
        if (ch >= '0' && ch <= '9') {
            c += ch;
            ++digits;
        } else if (ch == DecimalSeparator && !point) {
            c += '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        c += 'e';
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) c += t[i++];
        int expDigits = 0;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++expDigits) c += t[i];
        if (expDigits == 0) return false;
    }
    if (i != t.size()) return false;
    errno = 0;
    const double r = std::strtod(c.c_str(), nullptr);
    if (!std::isfinite(r) || (errno == ERANGE && std::fabs(r) > 1)) return false;
    value = r;
    return true;
}

double StrToFloat(std::string_view s) {
    double r = 0;
    if (!TryStrToFloat(s, r)) throw EConvertError("'" + std::string(s) + "' is not a valid floating point value");
    return r;
}

std::string FormatFloat(std::string_view format, double value) {
    if (!std::isfinite(value)) return NonFinite(value);
    const std::vector<std::string> sections = SplitSections(format);
    if (format.empty()) return FloatToStr(value);
    if (value == 0 && sections.size() >= 3 && !sections[2].empty()) return ApplyPicture(sections[2], 0, false);
    if (value < 0 && sections.size() >= 2 && !sections[1].empty()) return ApplyPicture(sections[1], -value, false);
    return ApplyPicture(sections[0], std::fabs(value), value < 0);
}

std::string BoolToStr(bool value, bool useBoolStrs) {
    if (useBoolStrs) return value ? "True" : "False";
    return value ? "-1" : "0";
}

bool TryStrToBool(std::string_view s, bool& value) {
    if (SameText(Trim(s), "True")) {
        value = true;
        return true;
    }
    if (SameText(Trim(s), "False")) {
        value = false;
        return true;
    }
    double number = 0;
    if (!TryStrToFloat(s, number)) return false;
    value = number != 0;
    return true;
}

}  // namespace zel
