#include "platform/rtl/DateUtils.h"

#include "platform/rtl/SysUtils.h"

#include <sys/time.h>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

namespace zel {

std::string& ShortDateFormat = FormatSettings.ShortDateFormat;
std::string& LongTimeFormat = FormatSettings.LongTimeFormat;

namespace {

// Days from 0001-01-01 to 1899-12-30 in the proleptic Gregorian calendar.
constexpr std::int64_t kDelta = 693593;

std::int64_t DaysBeforeYear(int year) {
    const std::int64_t y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400;
}

std::string Pad(int v, int width) {
    std::string s = std::to_string(v);
    while (static_cast<int>(s.size()) < width) s.insert(s.begin(), '0');
    return s;
}

// Splits "12/05/2024" into its numbers; fails on anything but digits and separators.
bool SplitNumbers(std::string_view s, const char* separators, std::vector<int>& out) {
    out.clear();
    std::string t = Trim(s);
    int current = -1;
    bool ended = false;  // blanks followed the number: a separator must come next
    for (char c : t) {
        if (c >= '0' && c <= '9') {
            if (current > 100000 || ended) return false;
            current = (current < 0 ? 0 : current * 10) + (c - '0');
        } else if (c == ' ') {
            // Blanks around a number are skipped, as a masked field leaves them for digits left out.
            ended = current >= 0;
        } else if (std::string_view(separators).find(c) != std::string_view::npos) {
            if (current < 0) return false;
            out.push_back(current);
            current = -1;
            ended = false;
        } else {
            return false;
        }
    }
    if (current < 0) return false;
    out.push_back(current);
    return true;
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0) && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return days[month - 1] + ((month == 2 && IsLeapYear(year)) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
    std::int64_t days = DaysBeforeYear(year);
    for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    days += day - 1;
    result = static_cast<double>(days - kDelta);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime r = 0;
    if (!TryEncodeDate(year, month, day, r)) throw EConvertError("Invalid argument to date encode");
    return r;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result) {
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999) return false;
    result = (((hour * 60.0 + min) * 60.0 + sec) * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime r = 0;
    if (!TryEncodeTime(hour, min, sec, msec, r)) throw EConvertError("Invalid argument to time encode");
    return r;
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day) {
    std::int64_t n = static_cast<std::int64_t>(std::trunc(dt)) + kDelta;  // days since 0001-01-01
    if (n < 0) {
        year = month = day = 0;
        return;
    }
    // Whole 400-, 100-, 4- and 1-year cycles.
    std::int64_t y400 = n / 146097;
    n %= 146097;
    std::int64_t y100 = n / 36524;
    n %= 36524;
    if (y100 == 4) {
        y100 = 3;
        n += 36524;
    }
    std::int64_t y4 = n / 1461;
    n %= 1461;
    std::int64_t y1 = n / 365;
    n %= 365;
    if (y1 == 4) {
        y1 = 3;
        n += 365;
    }
    year = static_cast<int>(y400 * 400 + y100 * 100 + y4 * 4 + y1 + 1);
    month = 1;
    while (n >= DaysInMonth(year, month)) n -= DaysInMonth(year, month++);
    day = static_cast<int>(n) + 1;
}

void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec) {
    double frac = std::fabs(dt - std::trunc(dt));
    std::int64_t ms = std::llround(frac * MSecsPerDay);
    if (ms >= static_cast<std::int64_t>(MSecsPerDay)) ms = static_cast<std::int64_t>(MSecsPerDay) - 1;
    hour = static_cast<int>(ms / 3600000);
    min = static_cast<int>(ms / 60000 % 60);
    sec = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

TDateTime Now() {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    std::time_t t = tv.tv_sec;
    std::tm local{};
    localtime_r(&t, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(tv.tv_usec / 1000));
}

TDateTime Date() { return std::trunc(Now()); }
TDateTime Time() {
    TDateTime n = Now();
    return n - std::trunc(n);
}

char DateSeparator() {
    for (char c : ShortDateFormat)
        if (c != 'd' && c != 'm' && c != 'y' && c != 'D' && c != 'M' && c != 'Y') return c;
    return '/';
}

namespace {

bool StartsWithText(std::string_view s, std::size_t i, std::string_view word) {
    return s.size() - i >= word.size() && SameText(s.substr(i, word.size()), word);
}

// Does an am/pm form follow somewhere in the format (outside quotes)? Then hours count 1 to 12.
bool HasAmPm(std::string_view f) {
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] == '"' || f[i] == '\'') {
            const std::size_t end = f.find(f[i], i + 1);
            if (end == std::string_view::npos) return false;
            i = end;
        } else if (StartsWithText(f, i, "am/pm") || StartsWithText(f, i, "a/p") || StartsWithText(f, i, "ampm")) {
            return true;
        }
    }
    return false;
}

void AppendDateTime(std::string& out, std::string_view f, TDateTime dt, int depth) {
    int y, mo, d, h, mi, s, ms;
    DecodeDate(dt, y, mo, d);
    DecodeTime(dt, h, mi, s, ms);
    const bool twelve = HasAmPm(f);
    const TFormatSettings& fs = FormatSettings;
    bool lastWasHour = false;
    std::size_t i = 0;
    auto run = [&](char c) {
        std::size_t n = 0;
        while (i + n < f.size() && (f[i + n] | 0x20) == c) ++n;
        return n;
    };
    auto nested = [&](const std::string& inner) {
        if (depth < 2) AppendDateTime(out, inner, dt, depth + 1);
    };
    while (i < f.size()) {
        const char raw = f[i];
        const char c = static_cast<char>(raw | 0x20);
        bool hour = false;
        if (raw == '"' || raw == '\'') {
            const std::size_t end = f.find(raw, i + 1);
            const std::size_t stop = end == std::string_view::npos ? f.size() : end;
            out += f.substr(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (StartsWithText(f, i, "am/pm")) {
            out += h < 12 ? f.substr(i, 2) : f.substr(i + 3, 2);
            i += 5;
            continue;
        }
        if (StartsWithText(f, i, "a/p")) {
            out += h < 12 ? f[i] : f[i + 2];
            i += 3;
            continue;
        }
        if (StartsWithText(f, i, "ampm")) {
            out += h < 12 ? fs.TimeAMString : fs.TimePMString;
            i += 4;
            continue;
        }
        std::size_t n = 1;
        switch (c) {
            case 'c':
                nested(fs.ShortDateFormat);
                if (dt != std::trunc(dt)) {
                    out += ' ';
                    nested(fs.LongTimeFormat);
                }
                break;
            case 'd':
                n = std::min<std::size_t>(run('d'), 6);
                if (n <= 2) out += Pad(d, static_cast<int>(n));
                else if (n == 3) out += fs.ShortDayNames[DayOfWeek(dt) - 1];
                else if (n == 4) out += fs.LongDayNames[DayOfWeek(dt) - 1];
                else nested(n == 5 ? fs.ShortDateFormat : fs.LongDateFormat);
                break;
            case 'm':
                n = std::min<std::size_t>(run('m'), 4);
                if (lastWasHour && n <= 2) out += Pad(mi, static_cast<int>(n));
                else if (n <= 2) out += Pad(mo, static_cast<int>(n));
                else out += n == 3 ? fs.ShortMonthNames[mo - 1] : fs.LongMonthNames[mo - 1];
                break;
            case 'y':
                n = run('y');
                out += n >= 3 ? Pad(y, 4) : Pad(y % 100, 2);
                break;
            case 'h': {
                n = std::min<std::size_t>(run('h'), 2);
                int shown = h;
                if (twelve) shown = h % 12 == 0 ? 12 : h % 12;
                out += Pad(shown, static_cast<int>(n));
                hour = true;
                break;
            }
            case 'n':
                n = std::min<std::size_t>(run('n'), 2);
                out += Pad(mi, static_cast<int>(n));
                break;
            case 's':
                n = std::min<std::size_t>(run('s'), 2);
                out += Pad(s, static_cast<int>(n));
                break;
            case 'z':
                n = std::min<std::size_t>(run('z'), 3);
                out += Pad(ms, n >= 3 ? 3 : 1);
                break;
            case 't':
                n = std::min<std::size_t>(run('t'), 2);
                nested(n == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat);
                break;
            case '/': out += fs.DateSeparator; break;
            case ':': out += fs.TimeSeparator; break;
            default: out += raw; break;
        }
        if (c >= 'a' && c <= 'z') lastWasHour = hour;
        i += n;
    }
}

}  // namespace

int DayOfWeek(TDateTime dt) {
    // 1899-12-30 was a Saturday (7).
    const std::int64_t days = static_cast<std::int64_t>(std::floor(dt));
    return static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
}

std::string FormatDateTime(std::string_view format, TDateTime dt) {
    std::string out;
    AppendDateTime(out, format.empty() ? std::string_view("c") : format, dt, 0);
    return out;
}

std::string DateToStr(TDateTime dt) { return FormatDateTime(ShortDateFormat, dt); }
std::string TimeToStr(TDateTime dt) { return FormatDateTime(LongTimeFormat, dt); }

std::string DateTimeToStr(TDateTime dt) {
    std::string r = DateToStr(dt);
    if (dt != std::trunc(dt)) r += " " + TimeToStr(dt);
    return r;
}

bool TryStrToDate(std::string_view s, TDateTime& result) {
    std::vector<int> parts;
    const std::string separators = std::string("/-.") + FormatSettings.DateSeparator;
    if (!SplitNumbers(s, separators.c_str(), parts) || parts.size() != 3) return false;
    // Order of day, month and year as the short date format gives them.
    int day = 0, month = 0, year = 0, k = 0;
    char last = 0;
    for (char c : ShortDateFormat) {
        c = static_cast<char>(c | 0x20);
        if ((c == 'd' || c == 'm' || c == 'y') && c != last) {
            if (k < 3) (c == 'd' ? day : c == 'm' ? month : year) = parts[static_cast<size_t>(k++)];
        }
        last = c;
    }
    if (k != 3) return false;
    if (year < 100) year += year < 50 ? 2000 : 1900;
    return TryEncodeDate(year, month, day, result);
}

bool TryStrToTime(std::string_view s, TDateTime& result) {
    std::vector<int> parts;
    // An AM or PM word after the time (the locale's or the English one) takes the hour from 1 to 12.
    std::string text = Trim(s);
    int half = 0;
    for (const auto& [word, which] : {std::pair<std::string, int>{FormatSettings.TimeAMString, 1},
                                      {FormatSettings.TimePMString, 2},
                                      {"AM", 1},
                                      {"PM", 2}}) {
        if (!word.empty() && text.size() > word.size() &&
            AnsiSameText(std::string_view(text).substr(text.size() - word.size()), word)) {
            text = Trim(std::string_view(text).substr(0, text.size() - word.size()));
            half = which;
            break;
        }
    }
    const std::string separators = std::string(":") + FormatSettings.TimeSeparator;
    if (!SplitNumbers(text, separators.c_str(), parts) || parts.size() < 2 || parts.size() > 3) return false;
    if (half != 0) {
        if (parts[0] < 1 || parts[0] > 12) return false;
        parts[0] = parts[0] % 12 + (half == 2 ? 12 : 0);
    }
    return TryEncodeTime(parts[0], parts[1], parts.size() == 3 ? parts[2] : 0, 0, result);
}

TDateTime StrToDate(std::string_view s) {
    TDateTime r = 0;
    if (!TryStrToDate(s, r)) throw EConvertError("'" + std::string(s) + "' is not a valid date");
    return r;
}

TDateTime StrToTime(std::string_view s) {
    TDateTime r = 0;
    if (!TryStrToTime(s, r)) throw EConvertError("'" + std::string(s) + "' is not a valid time");
    return r;
}

}  // namespace zel
