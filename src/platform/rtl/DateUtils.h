#pragma once
// TDateTime: days since 1899-12-30 as a double; the integral part is the date, the fraction the time of day.
#include <cstdint>
#include <string>
#include <string_view>

namespace zel {

using TDateTime = double;

constexpr double MSecsPerDay = 24.0 * 60 * 60 * 1000;

// Raise EConvertError on a date or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

TDateTime Now();   // local date and time
TDateTime Date();  // today, time 0
TDateTime Time();  // time of day, date 0

// The text forms shown to the user: the short date format and the long time format of the current
// settings (FormatSettings, SysUtils.h).
extern std::string& ShortDateFormat;  // "dd/mm/yyyy" until the locale fills it
extern std::string& LongTimeFormat;   // "hh:nn:ss"
char DateSeparator();                 // the first separator of ShortDateFormat

// 1 Sunday ... 7 Saturday.
int DayOfWeek(TDateTime dt);

// Format letters (either case): c (short date, then long time when there is one); d dd, ddd and dddd (short
// and long day name), ddddd and dddddd (short and long date format); m mm (minutes right after an hour),
// mmm mmmm (month names); yy yyyy; h hh (1-12 when an am/pm form is in the format); n nn; s ss; z zzz;
// t tt (short and long time format); am/pm and a/p (the letters as written), ampm (the locale's strings);
// '/' and ':' the date and time separators; text in quotes copied. An empty format is "c".
std::string FormatDateTime(std::string_view format, TDateTime dt);
std::string DateToStr(TDateTime dt);
std::string TimeToStr(TDateTime dt);
std::string DateTimeToStr(TDateTime dt);  // date, a blank, time; the time is left out at exactly midnight

// Parse the short date format's order of day, month and year (any of '/', '-', '.' as separators;
// a two-digit year is taken in 1950..2049) and times "h:n[:s]". Raise EConvertError on bad text.
TDateTime StrToDate(std::string_view s);
TDateTime StrToTime(std::string_view s);
bool TryStrToDate(std::string_view s, TDateTime& result);
bool TryStrToTime(std::string_view s, TDateTime& result);

}  // namespace zel
