#pragma once
// Regional settings: the locale information the program asks for, and the locale's text comparison of
// ANSI (Windows-1252) text. The user's locale is the system's (the process locale); tests choose one.
#include <string>
#include <string_view>

#include "platform/win/WinTypes.h"

namespace zel {

using LCID = DWORD;
using LCTYPE = DWORD;

constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;

constexpr LCTYPE LOCALE_SDECIMAL = 0x000E;            // decimal separator
constexpr LCTYPE LOCALE_STHOUSAND = 0x000F;           // thousands separator
constexpr LCTYPE LOCALE_SNEGATIVESIGN = 0x0051;       // negative sign
constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x100C;     // "0" Monday ... "6" Sunday
constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;  // flag: ignored (there are no user overrides)

// The information as ANSI text with its terminating zero in Data (at most DataSize bytes). Answers the
// characters written, zero included; with DataSize 0 the size needed. 0 for an unknown type or locale, or
// a buffer too small.
int GetLocaleInfoA(LCID Locale, LCTYPE LCType, char* Data, int DataSize);

// Compares two ANSI texts as the user's locale orders words, ignoring case: <0, 0 or >0.
int AnsiCompareText(std::string_view S1, std::string_view S2);
// The same, case counting (the locale's order of cases breaks ties).
int AnsiCompareStr(std::string_view S1, std::string_view S2);

// Chooses the locale that the functions above report, by name ("de_DE"); empty goes back to the system's.
void SetUserLocaleName(const std::string& Name);

}  // namespace zel
