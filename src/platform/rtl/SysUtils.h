#pragma once
// Exceptions and the small string and number helpers of the runtime.
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace zel {

// Base of every failure the program reports; Message is the text the user sees.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    virtual std::string ClassName() const { return "Exception"; }

    std::string Message;
    int HelpContext = 0;
};

#define ZEL_DECLARE_EXCEPTION(Name, Base)                        \
    class Name : public Base {                                   \
    public:                                                      \
        using Base::Base;                                        \
        std::string ClassName() const override { return #Name; } \
    };

// A silent failure: unwinds the current operation without a message box.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
    explicit EAbort(std::string message) : Exception(std::move(message)) {}
    std::string ClassName() const override { return "EAbort"; }
};

// A file operation failed; ErrorCode is the operating system's code, 0 when none applies.
class EInOutError : public Exception {
public:
    explicit EInOutError(std::string message, int errorCode = 0)
        : Exception(std::move(message)), ErrorCode(errorCode) {}
    std::string ClassName() const override { return "EInOutError"; }
    int ErrorCode = 0;
};

ZEL_DECLARE_EXCEPTION(EStreamError, Exception)
ZEL_DECLARE_EXCEPTION(EReadError, EStreamError)
ZEL_DECLARE_EXCEPTION(EWriteError, EStreamError)
ZEL_DECLARE_EXCEPTION(EFCreateError, EStreamError)
ZEL_DECLARE_EXCEPTION(EFOpenError, EStreamError)
ZEL_DECLARE_EXCEPTION(EConvertError, Exception)
ZEL_DECLARE_EXCEPTION(EOutOfResources, Exception)
ZEL_DECLARE_EXCEPTION(EInvalidOperation, Exception)
ZEL_DECLARE_EXCEPTION(EListError, Exception)
ZEL_DECLARE_EXCEPTION(EStringListError, Exception)
ZEL_DECLARE_EXCEPTION(EComponentError, Exception)
ZEL_DECLARE_EXCEPTION(EOutOfMemory, Exception)
// An object is not of the class a cast asked for.
ZEL_DECLARE_EXCEPTION(EInvalidCast, Exception)

// The regional settings that number, currency and date texts follow. The current settings start as English
// (United States) with day-first dates until the platform's start-up fills them from the user's locale.
struct TFormatSettings {
    std::string CurrencyString = "$";
    std::uint8_t CurrencyFormat = 0;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    std::uint8_t NegCurrFormat = 0;   // 0..15, the locale's negative currency forms
    char ThousandSeparator = ',';
    char DecimalSeparator = '.';
    std::uint8_t CurrencyDecimals = 2;
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char ListSeparator = ',';
    std::string ShortDateFormat = "dd/mm/yyyy";
    std::string LongDateFormat = "dddd, mmmm d, yyyy";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::string ShortTimeFormat = "hh:nn";
    std::string LongTimeFormat = "hh:nn:ss";
    std::string ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::string LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                      "July",    "August",   "September", "October", "November", "December"};
    std::string ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::string LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    int TwoDigitYearCenturyWindow = 50;
};

// The current settings; the program reads them at the point of use.
extern TFormatSettings FormatSettings;
// The decimal separator of the current settings.
extern char& DecimalSeparator;

// Throws EAbort: the Pascal Abort procedure.
[[noreturn]] void Abort();

// Number conversions. StrToInt accepts an optional sign, decimal digits or a "$" hex prefix,
// with surrounding blanks; anything else raises EConvertError ("'x' is not a valid integer value").
std::int64_t StrToInt64(std::string_view s);
int StrToInt(std::string_view s);
int StrToIntDef(std::string_view s, int def);
bool TryStrToInt(std::string_view s, int& value);
std::string IntToStr(std::int64_t value);
std::string IntToHex(std::uint64_t value, int digits);

// Floating-point texts under the current settings' decimal and thousands separators.
// FloatToStr: the shortest general form of 15 significant digits ("1.5", "1E300", "-0.0001", "NAN", "INF").
std::string FloatToStr(double value);
// Blanks around, a sign, digits with at most one decimal separator, an optional exponent. A value beyond the
// double range, NaN or infinity texts and anything else are refused (EConvertError "'x' is not a valid floating
// point value").
double StrToFloat(std::string_view s);
bool TryStrToFloat(std::string_view s, double& value);
// Formats with a picture of up to three sections (positive;negative;zero): '0' a digit always shown, '#' a
// digit shown when significant, '.' the decimal separator, ',' thousands separators, "E+0"/"E-0" an exponent,
// text in quotes copied. Rounds half away from zero.
std::string FormatFloat(std::string_view format, double value);
// The general format with a precision of significant digits, or fixed with digits after the point.
std::string FloatToStrGeneral(double value, int precision);
std::string FloatToStrFixed(double value, int digits);
// "True"/"False" with words, else "-1"/"0".
std::string BoolToStr(bool value, bool useBoolStrs = false);
bool TryStrToBool(std::string_view s, bool& value);

// ASCII case handling, as the Windows-1252 byte strings of files and the instrument need.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
int CompareText(std::string_view a, std::string_view b);  // <0, 0, >0 ignoring ASCII case
bool SameText(std::string_view a, std::string_view b);
// Windows-1252 case handling: the ASCII letters and the accented letters with their case pairs
// (\x9A/\x8A, \x9C/\x8C, \x9E/\x8E, \xFF/\x9F, \xE0-\xFE/\xC0-\xDE but \xF7).
unsigned char AnsiUpperChar(unsigned char c);
std::string AnsiUpperCase(std::string_view s);
unsigned char AnsiLowerChar(unsigned char c);
std::string AnsiLowerCase(std::string_view s);
bool AnsiSameText(std::string_view a, std::string_view b);  // equal but for the Windows-1252 case pairs
std::string Trim(std::string_view s);                       // drops bytes <= ' ' at both ends
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// File-name helpers over '/'-separated paths (a '\' is also taken as a separator).
std::string ExtractFileName(std::string_view path);
std::string ExtractFilePath(std::string_view path);  // folder with its trailing separator
std::string ExtractFileExt(std::string_view path);   // ".ext" or empty
std::string ChangeFileExt(std::string_view path, std::string_view ext);
std::string IncludeTrailingPathDelimiter(std::string_view path);
// The absolute path with links, "." and ".." resolved as far as the path exists: two names of one file
// (a link, a relative path) give the same text.
std::string ResolvedFileName(const std::string& path);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool ForceDirectories(const std::string& path);

}  // namespace zel
