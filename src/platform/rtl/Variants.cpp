#include "platform/rtl/Variants.h"

#include <cmath>
#include <limits>

#include "platform/rtl/Charset.h"

namespace zel {

namespace {

TVariantStringComparer& StringComparer() {
    static TVariantStringComparer comparer;
    return comparer;
}

int CompareStrings(std::string_view a, std::string_view b) {
    if (StringComparer()) return StringComparer()(a, b);
    const int r = a.compare(b);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

[[noreturn]] void CastError(TVarType from, TVarType to) {
    throw EVariantTypeCastError("Could not convert variant of type (" + VarTypeAsText(from) + ") into type (" +
                                VarTypeAsText(to) + ")");
}

[[noreturn]] void OverflowError(TVarType from, TVarType to) {
    throw EVariantOverflowError("Overflow while converting variant of type (" + VarTypeAsText(from) + ") into type (" +
                                VarTypeAsText(to) + ")");
}

bool IsIntegerKind(TVarType t) {
    switch (t) {
        case varSmallint:
        case varInteger:
        case varShortInt:
        case varByte:
        case varWord:
        case varLongWord:
        case varInt64:
        case varBoolean: return true;
        default: return false;
    }
}

bool IsRealKind(TVarType t) {
    return t == varSingle || t == varDouble || t == varCurrency || t == varDate || t == varFMTBcd ||
           t == varSQLTimeStamp;
}

bool IsStringKind(TVarType t) { return t == varString || t == varOleStr; }

// Integers only: the stored integer, Booleans as -1 and 0.
std::int64_t IntegerOf(const Variant& v) {
    if (v.VType() == varBoolean) return v.RawInteger() != 0 ? -1 : 0;
    return v.RawInteger();
}

std::string StringOf(const Variant& v) { return v.VType() == varOleStr ? WideToAnsi(v.RawWide()) : v.RawString(); }

// The double value of a number, date or parsed string; refused (false) for text that is no number.
bool ToReal(const Variant& v, double& out) {
    const TVarType t = v.VType();
    if (t == varEmpty) {
        out = 0;
        return true;
    }
    if (IsIntegerKind(t)) {
        out = static_cast<double>(IntegerOf(v));
        return true;
    }
    switch (t) {
        case varSingle:
        case varDouble:
        case varDate: out = v.RawDouble(); return true;
        case varCurrency: out = static_cast<double>(v.RawCurrency()) / 10000.0; return true;
        case varFMTBcd: out = BcdToDouble(v.RawBcd()); return true;
        case varSQLTimeStamp: return TrySQLTimeStampToDateTime(v.RawSQLTimeStamp(), out);
        case varString:
        case varOleStr: {
            const std::string s = StringOf(v);
            std::int64_t i = 0;
            if (!s.empty() && s.find_first_not_of(" \t+-0123456789") == std::string::npos) {
                try {
                    i = StrToInt64(s);
                    out = static_cast<double>(i);
                    return true;
                } catch (const EConvertError&) {
                }
            }
            return TryStrToFloat(s, out);
        }
        default: return false;
    }
}

// The integer of a value for an integer cast to `to`, in [lo, hi].
std::int64_t ToInteger(const Variant& v, TVarType to, std::int64_t lo, std::int64_t hi) {
    const TVarType t = v.VType();
    std::int64_t r = 0;
    if (t == varEmpty) {
        r = 0;
    } else if (IsIntegerKind(t)) {
        r = IntegerOf(v);
    } else if (t == varCurrency) {
        // Currency rounds half to even on its four decimals.
        const std::int64_t raw = v.RawCurrency();
        std::int64_t q = raw / 10000, rem = raw % 10000;
        if (rem > 5000 || (rem == 5000 && (q & 1) != 0)) ++q;
        else if (rem < -5000 || (rem == -5000 && (q & 1) != 0)) --q;
        r = q;
    } else if (IsStringKind(t)) {
        const std::string s = StringOf(v);
        bool parsed = false;
        if (!s.empty() && s.find_first_not_of(" \t+-0123456789") == std::string::npos) {
            try {
                r = StrToInt64(s);
                parsed = true;
            } catch (const EConvertError&) {
                // Digits beyond the 64-bit range: too large for every integer kind.
                double d = 0;
                if (TryStrToFloat(s, d)) OverflowError(t, to);
            }
        }
        if (!parsed) {
            double d = 0;
            if (!TryStrToFloat(s, d)) CastError(t, to);
            d = std::nearbyint(d);
            if (!(d >= static_cast<double>(lo) && d <= static_cast<double>(hi))) OverflowError(t, to);
            r = static_cast<std::int64_t>(d);
        }
    } else {
        double d = 0;
        if (!ToReal(v, d)) CastError(t, to);
        if (std::isnan(d)) CastError(t, to);
        d = std::nearbyint(d);
        // The doubles at the 64-bit edges are not exact: 2^63 itself is out of range.
        if (!(d >= -9223372036854775808.0 && d < 9223372036854775808.0)) OverflowError(t, to);
        r = static_cast<std::int64_t>(d);
    }
    if (r < lo || r > hi) OverflowError(t, to);
    return r;
}

std::string ToText(const Variant& v) {
    const TVarType t = v.VType();
    switch (t) {
        case varEmpty: return "";
        case varBoolean: return BoolToStr(v.RawInteger() != 0, true);
        case varSingle:
        case varDouble: return FloatToStr(v.RawDouble());
        case varCurrency: {
            TBcd b = StrToBcd(std::to_string(v.RawCurrency()));
            b.SignSpecialPlaces = static_cast<std::uint8_t>((b.SignSpecialPlaces & 0x80) | 4);
            return BcdToStrF(b, ffGeneral, 19, 0);
        }
        case varDate: return DateTimeToStr(v.RawDouble());
        case varString: return v.RawString();
        case varOleStr: return WideToAnsi(v.RawWide());
        case varFMTBcd: return BcdToStr(v.RawBcd());
        case varSQLTimeStamp: return DateTimeToStr(SQLTimeStampToDateTime(v.RawSQLTimeStamp()));
        default:
            if (IsIntegerKind(t)) return IntToStr(v.RawInteger());
            CastError(t, varString);
    }
}

}  // namespace

Variant::Variant(int value) : type_(varInteger), integer_(value) {}
Variant::Variant(std::int64_t value) : type_(varInt64), integer_(value) {}
Variant::Variant(double value) : type_(varDouble), real_(value) {}
Variant::Variant(bool value) : type_(varBoolean), integer_(value ? 1 : 0) {}
Variant::Variant(const char* value) : type_(varString), string_(value) {}
Variant::Variant(std::string value) : type_(varString), string_(std::move(value)) {}
Variant::Variant(std::u16string value) : type_(varOleStr), wide_(std::move(value)) {}

Variant Variant::Null() {
    Variant v;
    v.type_ = varNull;
    return v;
}

Variant Variant::OfKind(TVarType kind, std::int64_t value) {
    Variant v;
    v.type_ = kind;
    v.integer_ = value;
    return v;
}

Variant Variant::ShortInt(std::int8_t value) { return OfKind(varShortInt, value); }
Variant Variant::Smallint(std::int16_t value) { return OfKind(varSmallint, value); }
Variant Variant::Byte(std::uint8_t value) { return OfKind(varByte, value); }
Variant Variant::Word(std::uint16_t value) { return OfKind(varWord, value); }
Variant Variant::LongWord(std::uint32_t value) { return OfKind(varLongWord, value); }

Variant Variant::Single(float value) {
    Variant v;
    v.type_ = varSingle;
    v.real_ = value;
    return v;
}

Variant Variant::Currency(double value) { return VarAsType(Variant(value), varCurrency); }

Variant Variant::CurrencyRaw(std::int64_t scaled) {
    Variant v;
    v.type_ = varCurrency;
    v.integer_ = scaled;
    return v;
}

Variant Variant::Date(TDateTime value) {
    Variant v;
    v.type_ = varDate;
    v.real_ = value;
    return v;
}

Variant Variant::Bcd(const TBcd& value) {
    Variant v;
    v.type_ = varFMTBcd;
    v.bcd_ = value;
    return v;
}

Variant Variant::SQLTimeStamp(const TSQLTimeStamp& value) {
    Variant v;
    v.type_ = varSQLTimeStamp;
    v.stamp_ = value;
    return v;
}

Variant Variant::Array(const std::vector<TVarArrayBound>& bounds) {
    Variant v;
    v.type_ = varArray | varVariant;
    v.bounds_ = bounds;
    std::size_t count = bounds.empty() ? 0 : 1;
    for (const TVarArrayBound& b : bounds) {
        if (b.ElementCount < 0) throw EVariantBadIndexError("Variant or safe array index out of bounds");
        count *= static_cast<std::size_t>(b.ElementCount);
    }
    v.items_.resize(count);
    return v;
}

int Variant::LowBound(int dim) const {
    if (dim < 1 || dim > DimCount()) throw EVariantBadIndexError("Variant or safe array index out of bounds");
    return bounds_[static_cast<std::size_t>(dim - 1)].LowBound;
}

int Variant::HighBound(int dim) const {
    if (dim < 1 || dim > DimCount()) throw EVariantBadIndexError("Variant or safe array index out of bounds");
    const TVarArrayBound& b = bounds_[static_cast<std::size_t>(dim - 1)];
    return b.LowBound + b.ElementCount - 1;
}

std::size_t Variant::Offset(const std::vector<int>& indices) const {
    if (!IsArray() || indices.size() != bounds_.size())
        throw EVariantBadIndexError("Variant or safe array index out of bounds");
    std::size_t offset = 0;
    for (std::size_t d = 0; d < bounds_.size(); ++d) {
        const std::int64_t i = static_cast<std::int64_t>(indices[d]) - bounds_[d].LowBound;
        if (i < 0 || i >= bounds_[d].ElementCount)
            throw EVariantBadIndexError("Variant or safe array index out of bounds");
        offset = offset * static_cast<std::size_t>(bounds_[d].ElementCount) + static_cast<std::size_t>(i);
    }
    return offset;
}

Variant& Variant::Element(int index) { return items_[Offset({index})]; }
const Variant& Variant::Element(int index) const { return items_[Offset({index})]; }
Variant& Variant::Element(const std::vector<int>& indices) { return items_[Offset(indices)]; }

std::string VarTypeAsText(TVarType vt) {
    std::string name;
    switch (vt & varTypeMask) {
        case varEmpty: name = "Empty"; break;
        case varNull: name = "Null"; break;
        case varSmallint: name = "Smallint"; break;
        case varInteger: name = "Integer"; break;
        case varSingle: name = "Single"; break;
        case varDouble: name = "Double"; break;
        case varCurrency: name = "Currency"; break;
        case varDate: name = "Date"; break;
        case varOleStr: name = "OleStr"; break;
        case varBoolean: name = "Boolean"; break;
        case varVariant: name = "Variant"; break;
        case varShortInt: name = "ShortInt"; break;
        case varByte: name = "Byte"; break;
        case varWord: name = "Word"; break;
        case varLongWord: name = "LongWord"; break;
        case varInt64: name = "Int64"; break;
        case varString: name = "String"; break;
        case varSQLTimeStamp: name = "SQLTimeStamp"; break;
        case varFMTBcd: name = "FMTBcd"; break;
        default: name = "$" + IntToHex(vt & varTypeMask, 4); break;
    }
    return (vt & varArray) ? "Array " + name : name;
}

bool VarIsEmpty(const Variant& v) { return v.VType() == varEmpty; }
bool VarIsNull(const Variant& v) { return v.VType() == varNull; }
bool VarIsArray(const Variant& v) { return v.IsArray(); }
bool VarIsStr(const Variant& v) { return IsStringKind(v.VType()); }
bool VarIsOrdinal(const Variant& v) { return IsIntegerKind(v.VType()); }
bool VarIsFloat(const Variant& v) {
    return v.VType() == varSingle || v.VType() == varDouble || v.VType() == varCurrency;
}
bool VarIsNumeric(const Variant& v) { return VarIsOrdinal(v) || VarIsFloat(v); }
int VarArrayDimCount(const Variant& v) { return v.DimCount(); }
int VarArrayLowBound(const Variant& v, int dim) { return v.LowBound(dim); }
int VarArrayHighBound(const Variant& v, int dim) { return v.HighBound(dim); }

Variant VarAsType(const Variant& v, TVarType vt) {
    const TVarType from = v.VType();
    if (from == vt) return v;
    if (v.IsArray() || (vt & varArray)) CastError(from, vt);
    if (from == varNull) {
        if (vt == varEmpty || vt == varVariant || vt == varNull) return Variant::Null();
        CastError(from, vt);
    }
    switch (vt) {
        case varEmpty: return Variant();
        case varNull: return Variant::Null();
        case varVariant: return v;
        case varShortInt: return Variant::OfKind(vt, ToInteger(v, vt, -128, 127));
        default: break;
    }
    Variant r;
    switch (vt) {
        case varSmallint: r = Variant(ToInteger(v, vt, -32768, 32767)); break;
        case varInteger:
            r = Variant(
                ToInteger(v, vt, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
            break;
        case varByte: r = Variant(ToInteger(v, vt, 0, 255)); break;
        case varWord: r = Variant(ToInteger(v, vt, 0, 65535)); break;
        case varLongWord: r = Variant(ToInteger(v, vt, 0, 4294967295LL)); break;
        case varInt64:
            r = Variant(
                ToInteger(v, vt, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()));
            break;
        case varBoolean: {
            bool b = false;
            if (IsStringKind(from)) {
                if (!TryStrToBool(StringOf(v), b)) CastError(from, vt);
            } else {
                double d = 0;
                if (!ToReal(v, d)) CastError(from, vt);
                b = d != 0;
            }
            return Variant(b);
        }
        case varSingle:
        case varDouble: {
            double d = 0;
            if (!ToReal(v, d)) CastError(from, vt);
            if (vt == varSingle) {
                if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) OverflowError(from, vt);
                return Variant::Single(static_cast<float>(d));
            }
            return Variant(d);
        }
        case varCurrency: {
            if (IsIntegerKind(from) || from == varEmpty) {
                const std::int64_t i = IntegerOf(v);
                if (i > 922337203685477LL || i < -922337203685477LL) OverflowError(from, vt);
                return Variant::CurrencyRaw(i * 10000);
            }
            double d = 0;
            if (!ToReal(v, d) || std::isnan(d)) CastError(from, vt);
            const double scaled = std::nearbyint(d * 10000.0);
            if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0)) OverflowError(from, vt);
            return Variant::CurrencyRaw(static_cast<std::int64_t>(scaled));
        }
        case varDate: {
            if (IsStringKind(from)) {
                const std::string s = Trim(StringOf(v));
                TDateTime d = 0, t = 0;
                const std::size_t blank = s.find(' ');
                if (TryStrToDate(s, d)) return Variant::Date(d);
                if (TryStrToTime(s, t)) return Variant::Date(t);
                if (blank != std::string::npos && TryStrToDate(s.substr(0, blank), d) &&
                    TryStrToTime(s.substr(blank + 1), t))
                    return Variant::Date(d >= 0 ? d + t : d - t);
                CastError(from, vt);
            }
            double d = 0;
            if (!ToReal(v, d) || !std::isfinite(d)) CastError(from, vt);
            return Variant::Date(d);
        }
        case varString: return Variant(ToText(v));
        case varOleStr: return Variant(AnsiToWide(ToText(v)));
        case varFMTBcd: {
            if (IsStringKind(from)) {
                TBcd b;
                if (!TryStrToBcd(StringOf(v), b)) CastError(from, vt);
                return Variant::Bcd(b);
            }
            if (IsIntegerKind(from) || from == varEmpty) return Variant::Bcd(StrToBcd(IntToStr(IntegerOf(v))));
            if (from == varCurrency) return Variant::Bcd(StrToBcd(ToText(v)));
            double d = 0;
            if (!ToReal(v, d) || !std::isfinite(d)) CastError(from, vt);
            return Variant::Bcd(DoubleToBcd(d));
        }
        case varSQLTimeStamp: {
            const Variant date = VarAsType(v, varDate);
            return Variant::SQLTimeStamp(DateTimeToSQLTimeStamp(date.RawDouble()));
        }
        default: CastError(from, vt);
    }
    return Variant::OfKind(vt, r.RawInteger());
}

}  // namespace zel

namespace zel {

namespace {

bool IsNumberLike(TVarType t) { return t == varEmpty || IsIntegerKind(t) || IsRealKind(t); }

TVariantRelationship FromOrder(int r) { return r < 0 ? vrLessThan : r > 0 ? vrGreaterThan : vrEqual; }

TVariantRelationship CompareReals(double x, double y) {
    if (std::isnan(x) || std::isnan(y)) return vrNotEqual;
    return x < y ? vrLessThan : x > y ? vrGreaterThan : vrEqual;
}

}  // namespace

TVariantRelationship VarCompareValue(const Variant& a, const Variant& b) {
    if (a.IsArray() || b.IsArray()) throw EVariantInvalidOpError("Invalid variant operation");
    const TVarType ta = a.VType(), tb = b.VType();
    if (ta == varNull || tb == varNull) return ta == tb ? vrEqual : vrNotEqual;
    if (ta == varEmpty && tb == varEmpty) return vrEqual;
    const bool sa = IsStringKind(ta) || ta == varEmpty, sb = IsStringKind(tb) || tb == varEmpty;
    if (sa && sb) return FromOrder(CompareStrings(ToText(a), ToText(b)));
    if (!(IsNumberLike(ta) || IsStringKind(ta)) || !(IsNumberLike(tb) || IsStringKind(tb)))
        throw EVariantInvalidOpError("Invalid variant operation");
    if (ta == varFMTBcd && tb == varFMTBcd) return FromOrder(BcdCompare(a.RawBcd(), b.RawBcd()));
    if ((IsIntegerKind(ta) || ta == varEmpty) && (IsIntegerKind(tb) || tb == varEmpty)) {
        const std::int64_t x = ta == varEmpty ? 0 : IntegerOf(a), y = tb == varEmpty ? 0 : IntegerOf(b);
        return x < y ? vrLessThan : x > y ? vrGreaterThan : vrEqual;
    }
    if (ta == varCurrency && tb == varCurrency) {
        const std::int64_t x = a.RawCurrency(), y = b.RawCurrency();
        return x < y ? vrLessThan : x > y ? vrGreaterThan : vrEqual;
    }
    double x = 0, y = 0;
    if (!ToReal(a, x)) CastError(ta, varDouble);
    if (!ToReal(b, y)) CastError(tb, varDouble);
    return CompareReals(x, y);
}

bool VarEquals(const Variant& a, const Variant& b) { return VarCompareValue(a, b) == vrEqual; }
bool VarGreater(const Variant& a, const Variant& b) { return VarCompareValue(a, b) == vrGreaterThan; }

void SetVariantStringComparer(TVariantStringComparer comparer) { StringComparer() = std::move(comparer); }

std::string VarToStr(const Variant& v) {
    return v.VType() == varNull ? std::string() : VarAsType(v, varString).RawString();
}
std::int64_t VarToInt64(const Variant& v) { return VarAsType(v, varInt64).RawInteger(); }
double VarToDouble(const Variant& v) { return VarAsType(v, varDouble).RawDouble(); }
bool VarToBoolean(const Variant& v) { return VarAsType(v, varBoolean).RawInteger() != 0; }
TDateTime VarToDateTime(const Variant& v) { return VarAsType(v, varDate).RawDouble(); }

std::u16string AnsiToWide(std::string_view ansi) {
    std::u16string r;
    r.reserve(ansi.size());
    for (char c : ansi) r += static_cast<char16_t>(AnsiCharToUnicode(static_cast<unsigned char>(c)));
    return r;
}

std::string WideToAnsi(std::u16string_view wide) {
    std::string r;
    r.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t cp = wide[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        }
        unsigned char c = '?';
        if (!UnicodeToAnsiChar(cp, c)) c = '?';
        r += static_cast<char>(c);
    }
    return r;
}

}  // namespace zel
