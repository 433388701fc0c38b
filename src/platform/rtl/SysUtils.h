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

// The decimal separator of the user's locale: '.' until the platform's start-up sets it from the locale.
extern char DecimalSeparator;

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

// ASCII case handling, as the Windows-1252 byte strings of files and the instrument need.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
int CompareText(std::string_view a, std::string_view b);  // <0, 0, >0 ignoring ASCII case
bool SameText(std::string_view a, std::string_view b);
// Windows-1252 case handling: the ASCII letters and the accented letters with their case pairs
// (\x9A/\x8A, \x9C/\x8C, \x9E/\x8E, \xFF/\x9F, \xE0-\xFE/\xC0-\xDE but \xF7).
unsigned char AnsiUpperChar(unsigned char c);
std::string AnsiUpperCase(std::string_view s);
std::string Trim(std::string_view s);  // drops bytes <= ' ' at both ends
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
bool DeleteFile(const std::string& path);

}  // namespace zel
