#pragma once
// Regional settings: the locale information the program asks for, and the locale's text comparison of
// ANSI (Windows-1252) text. The user's locale is the system's (the process locale); tests choose one.
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win/WinTypes.h"

namespace zel {

using LCID = DWORD;
using LCTYPE = DWORD;

constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;

constexpr LCTYPE LOCALE_SLIST = 0x000C;               // list separator
constexpr LCTYPE LOCALE_SDECIMAL = 0x000E;            // decimal separator
constexpr LCTYPE LOCALE_STHOUSAND = 0x000F;           // thousands separator
constexpr LCTYPE LOCALE_SCURRENCY = 0x0014;           // currency symbol
constexpr LCTYPE LOCALE_ICURRDIGITS = 0x0019;         // currency decimals
constexpr LCTYPE LOCALE_ICURRENCY = 0x001B;           // positive currency form, "0".."3"
constexpr LCTYPE LOCALE_INEGCURR = 0x001C;            // negative currency form, "0".."15"
constexpr LCTYPE LOCALE_SDATE = 0x001D;               // date separator
constexpr LCTYPE LOCALE_STIME = 0x001E;               // time separator
constexpr LCTYPE LOCALE_SSHORTDATE = 0x001F;          // short date picture (d M y letters)
constexpr LCTYPE LOCALE_SLONGDATE = 0x0020;           // long date picture
constexpr LCTYPE LOCALE_ITIME = 0x0023;               // "0" 12-hour, "1" 24-hour
constexpr LCTYPE LOCALE_ITLZERO = 0x0025;             // "1" when hours have a leading zero
constexpr LCTYPE LOCALE_S1159 = 0x0028;               // AM designator
constexpr LCTYPE LOCALE_S2359 = 0x0029;               // PM designator
constexpr LCTYPE LOCALE_SDAYNAME1 = 0x002A;           // Monday's name; +1 for each day to Sunday (0x0030)
constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x0031;     // Monday's short name, to 0x0037
constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x0038;         // January's name, to 0x0043
constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x0044;   // January's short name, to 0x004F
constexpr LCTYPE LOCALE_SNEGATIVESIGN = 0x0051;       // negative sign
constexpr LCTYPE LOCALE_STIMEFORMAT = 0x1003;         // time picture (h H m s tt letters)
constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x100C;     // "0" Monday ... "6" Sunday
constexpr LCTYPE LOCALE_IFIRSTWEEKOFYEAR = 0x100D;    // "0" the week of 1 January
constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;  // flag: ignored (there are no user overrides)

// The information as ANSI text with its terminating zero in Data (at most DataSize bytes). Answers the
// characters written, zero included; with DataSize 0 the size needed. 0 for an unknown type or locale, or
// a buffer too small.
int GetLocaleInfoA(LCID Locale, LCTYPE LCType, char* Data, int DataSize);

// The information as text ("" for an unknown type).
std::string GetLocaleStr(LCID Locale, LCTYPE LCType, const std::string& Default = "");

// Fills the runtime's current format settings (SysUtils.h) from the user's locale.
void GetFormatSettingsFromLocale();

// Runs before the "intl" setting change reaches the windows when the user's locale changes: the runtime
// re-reads its format settings there. nullptr removes it.
void SetLocaleChangedHandler(std::function<void()> Handler);
void NotifyLocaleChanged();

// Compares two ANSI texts as the user's locale orders words, ignoring case: <0, 0 or >0.
int AnsiCompareText(std::string_view S1, std::string_view S2);
// The same, case counting (the locale's order of cases breaks ties).
int AnsiCompareStr(std::string_view S1, std::string_view S2);

// Whether a byte leads a two-byte character of the ANSI code page. Windows-1252 has no such bytes; tests
// may name the lead-byte ranges of a double-byte code page (none: Windows-1252 again).
BOOL IsDBCSLeadByte(BYTE TestChar);
void SetTestLeadByteRanges(std::vector<std::pair<BYTE, BYTE>> Ranges);

// Chooses the locale that the functions above report, by name ("de_DE"); empty goes back to the system's.
// The C and POSIX locales report English (United States).
void SetUserLocaleName(const std::string& Name);

}  // namespace zel
