#pragma once
// Variant: the tagged value of the runtime (numbers of every width, currency, dates, Booleans, ANSI and
// wide strings, decimals, SQL time stamps and arrays of variants), with its casts and its comparison.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FmtBcd.h"
#include "platform/rtl/SqlTimSt.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

using TVarType = std::uint16_t;

constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varVariant = 0x000C;
constexpr TVarType varShortInt = 0x0010;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
// The two custom kinds: SQL time stamps and decimals.
constexpr TVarType varSQLTimeStamp = 0x010F;
constexpr TVarType varFMTBcd = 0x0110;
constexpr TVarType varString = 0x0100;
constexpr TVarType varTypeMask = 0x0FFF;
constexpr TVarType varArray = 0x2000;

// A conversion or comparison a variant cannot do.
ZEL_DECLARE_EXCEPTION(EVariantError, Exception)
ZEL_DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError)
ZEL_DECLARE_EXCEPTION(EVariantOverflowError, EVariantError)
ZEL_DECLARE_EXCEPTION(EVariantBadIndexError, EVariantError)
ZEL_DECLARE_EXCEPTION(EVariantInvalidOpError, EVariantError)

struct TVarArrayBound {
    int LowBound = 0;
    int ElementCount = 0;
};

class Variant {
public:
    Variant() = default;  // Empty
    Variant(int value);
    Variant(std::int64_t value);
    Variant(double value);
    Variant(bool value);
    Variant(const char* value);
    Variant(std::string value);
    Variant(std::u16string value);
    Variant(const char16_t* value) : Variant(std::u16string(value)) {}

    static Variant Null();
    static Variant ShortInt(std::int8_t value);
    static Variant Smallint(std::int16_t value);
    static Variant Byte(std::uint8_t value);
    static Variant Word(std::uint16_t value);
    static Variant LongWord(std::uint32_t value);
    static Variant Single(float value);
    static Variant Currency(double value);            // rounded to four decimals; beyond the range: overflow error
    static Variant CurrencyRaw(std::int64_t scaled);  // the value × 10000
    static Variant Date(TDateTime value);
    static Variant Bcd(const TBcd& value);
    static Variant SQLTimeStamp(const TSQLTimeStamp& value);
    // An array of variants (each Empty) with one bound per dimension.
    static Variant Array(const std::vector<TVarArrayBound>& bounds);

    TVarType VType() const { return type_; }
    bool IsArray() const { return (type_ & varArray) != 0; }

    // The stored value of its own kind, read without conversion (the integer kinds and Boolean through
    // AsInteger; Single, Double and Date through AsDouble).
    std::int64_t RawInteger() const { return integer_; }
    double RawDouble() const { return real_; }
    std::int64_t RawCurrency() const { return integer_; }
    const std::string& RawString() const { return string_; }
    const std::u16string& RawWide() const { return wide_; }
    const TBcd& RawBcd() const { return bcd_; }
    const TSQLTimeStamp& RawSQLTimeStamp() const { return stamp_; }

    // Arrays: dimensions are numbered from 1. Element raises EVariantBadIndexError outside the bounds.
    int DimCount() const { return static_cast<int>(bounds_.size()); }
    int LowBound(int dim) const;
    int HighBound(int dim) const;
    Variant& Element(int index);
    const Variant& Element(int index) const;
    Variant& Element(const std::vector<int>& indices);

private:
    friend Variant VarAsType(const Variant& v, TVarType vt);
    static Variant OfKind(TVarType kind, std::int64_t value);
    std::size_t Offset(const std::vector<int>& indices) const;

    TVarType type_ = varEmpty;
    std::int64_t integer_ = 0;
    double real_ = 0;
    std::string string_;
    std::u16string wide_;
    TBcd bcd_{};
    TSQLTimeStamp stamp_{};
    std::vector<TVarArrayBound> bounds_;
    std::vector<Variant> items_;
};

// The kind's name as the error texts give it ("Integer", "String", "OleStr", ...).
std::string VarTypeAsText(TVarType vt);

bool VarIsEmpty(const Variant& v);
bool VarIsNull(const Variant& v);
bool VarIsArray(const Variant& v);
bool VarIsStr(const Variant& v);
bool VarIsOrdinal(const Variant& v);  // the integer kinds and Boolean
bool VarIsFloat(const Variant& v);    // Single, Double, Currency
bool VarIsNumeric(const Variant& v);  // ordinal or float
int VarArrayDimCount(const Variant& v);
int VarArrayLowBound(const Variant& v, int dim);
int VarArrayHighBound(const Variant& v, int dim);

// Casts: a string to a number parses an integer, else a float in the current settings (rounded half to
// even for an integer kind); a string to a date parses a date and time; a number or date to a string
// writes it as the current settings do; Booleans are "True"/"False" as text and -1/0 as numbers. Null casts
// to Null, and Empty to a zero or empty value. A refused cast raises EVariantTypeCastError, an integer or
// currency out of its kind's range EVariantOverflowError; neither changes anything.
Variant VarAsType(const Variant& v, TVarType vt);
std::string VarToStr(const Variant& v);  // Null gives ""; otherwise the string cast
std::int64_t VarToInt64(const Variant& v);
double VarToDouble(const Variant& v);
bool VarToBoolean(const Variant& v);
TDateTime VarToDateTime(const Variant& v);

enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };
// Numbers compare numerically across kinds, strings through the installed string comparer, a string and a
// number through parsing the string. Null equals Null and is vrNotEqual to everything else; Empty counts
// as zero or the empty string. Arrays, and a string that is no number against a number, raise
// EVariantError.
TVariantRelationship VarCompareValue(const Variant& a, const Variant& b);
bool VarEquals(const Variant& a, const Variant& b);   // vrEqual
bool VarGreater(const Variant& a, const Variant& b);  // vrGreaterThan

// How two strings compare (<0, 0, >0): ordinal bytes until the platform's start-up installs the locale's
// case-sensitive order; nullptr goes back to ordinal.
using TVariantStringComparer = std::function<int(std::string_view, std::string_view)>;
void SetVariantStringComparer(TVariantStringComparer comparer);

// Windows-1252 text to UTF-16 and back (a character without a Windows-1252 byte becomes '?').
std::u16string AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::u16string_view wide);

}  // namespace zel
