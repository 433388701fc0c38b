#include "uilib/editors/uiVariants.h"

#include <cstring>
#include <vector>

#include "platform/rtl/Extended.h"

namespace zel {

namespace {

[[noreturn]] void ReadError() { throw EReadError(SReadError); }
[[noreturn]] void WriteError() { throw EWriteError(SWriteError); }

std::int64_t BytesLeft(TStream& Stream) { return Stream.GetSize() - Stream.GetPosition(); }

template <typename T>
T ReadLittle(TStream& Stream) {
    std::uint8_t b[sizeof(T)] = {};
    Stream.ReadBuffer(b, sizeof b);
    std::uint64_t v = 0;
    for (std::size_t i = sizeof(T); i-- > 0;) v = (v << 8) | b[i];
    return static_cast<T>(v);
}

template <typename T>
void WriteLittle(TStream& Stream, T Value) {
    std::uint8_t b[sizeof(T)] = {};
    auto v = static_cast<std::uint64_t>(Value);
    for (std::size_t i = 0; i < sizeof(T); ++i, v >>= 8) b[i] = static_cast<std::uint8_t>(v);
    Stream.WriteBuffer(b, sizeof b);
}

// Stream tags.
enum : std::uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaFalse = 8,
    vaTrue = 9,
    vaLString = 12,
    vaNil = 13,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
};

void WriteIntegerItem(TStream& Stream, std::int64_t Value) {
    if (Value >= -128 && Value <= 127) {
        WriteByteProc(Stream, vaInt8);
        WriteLittle<std::int8_t>(Stream, static_cast<std::int8_t>(Value));
    } else if (Value >= -32768 && Value <= 32767) {
        WriteByteProc(Stream, vaInt16);
        WriteLittle<std::int16_t>(Stream, static_cast<std::int16_t>(Value));
    } else if (Value >= INT32_MIN && Value <= INT32_MAX) {
        WriteByteProc(Stream, vaInt32);
        WriteLittle<std::int32_t>(Stream, static_cast<std::int32_t>(Value));
    } else {
        WriteByteProc(Stream, vaInt64);
        WriteLittle<std::int64_t>(Stream, Value);
    }
}

void WriteStringItem(TStream& Stream, const std::string& S) {
    if (S.size() > 255) {
        if (S.size() > static_cast<std::size_t>(INT32_MAX)) WriteError();
        WriteByteProc(Stream, vaLString);
        WriteLittle<std::int32_t>(Stream, static_cast<std::int32_t>(S.size()));
    } else {
        WriteByteProc(Stream, vaString);
        WriteByteProc(Stream, static_cast<std::uint8_t>(S.size()));
    }
    Stream.WriteBuffer(S.data(), static_cast<std::int64_t>(S.size()));
}

void WriteItem(TStream& Stream, const Variant& V, int Depth) {
    if (V.IsArray()) {
        if (V.DimCount() != 1 || Depth >= MaxStreamVariantNesting) WriteError();
        const int low = V.LowBound(1), high = V.HighBound(1);
        WriteByteProc(Stream, vaList);
        WriteIntegerItem(Stream, static_cast<std::int64_t>(high) - low + 1);
        for (int i = low; i <= high; ++i) WriteItem(Stream, V.Element(i), Depth + 1);
        return;
    }
    switch (V.VType() & varTypeMask) {
        case varEmpty: WriteByteProc(Stream, vaNil); return;
        case varNull: WriteByteProc(Stream, vaNull); return;
        case varSmallint:
        case varInteger:
        case varShortInt:
        case varByte:
        case varWord:
        case varLongWord:
        case varInt64: WriteIntegerItem(Stream, V.RawInteger()); return;
        case varSingle: {
            WriteByteProc(Stream, vaSingle);
            const float f = static_cast<float>(V.RawDouble());
            std::uint32_t bits = 0;
            std::memcpy(&bits, &f, sizeof bits);
            WriteLittle<std::uint32_t>(Stream, bits);
            return;
        }
        case varDouble:
            WriteByteProc(Stream, vaExtended);
            WriteFloatProc(Stream, V.RawDouble());
            return;
        case varCurrency:
            WriteByteProc(Stream, vaCurrency);
            WriteCurrencyProc(Stream, V.RawCurrency());
            return;
        case varDate:
            WriteByteProc(Stream, vaDate);
            WriteDateTimeProc(Stream, V.RawDouble());
            return;
        case varOleStr:
            WriteByteProc(Stream, vaWString);
            WriteWideStringProc(Stream, V.RawWide());
            return;
        case varBoolean: WriteByteProc(Stream, V.RawInteger() != 0 ? vaTrue : vaFalse); return;
        case varString: WriteStringItem(Stream, V.RawString()); return;
        default: break;
    }
    if (V.VType() == varSQLTimeStamp) {
        TDateTime dt = 0;
        if (!TrySQLTimeStampToDateTime(V.RawSQLTimeStamp(), dt)) WriteError();
        WriteByteProc(Stream, vaDate);
        WriteDateTimeProc(Stream, dt);
        return;
    }
    std::string text;
    try {
        text = VarToStr(V);
    } catch (const Exception&) {
        WriteError();
    }
    WriteStringItem(Stream, text);
}

std::int64_t ReadIntegerOfTag(TStream& Stream, std::uint8_t Tag) {
    switch (Tag) {
        case vaInt8: return ReadLittle<std::int8_t>(Stream);
        case vaInt16: return ReadLittle<std::int16_t>(Stream);
        case vaInt32: return ReadLittle<std::int32_t>(Stream);
        default: return ReadLittle<std::int64_t>(Stream);
    }
}

Variant ReadItem(TStream& Stream, int Depth) {
    const std::uint8_t tag = ReadByteFunc(Stream);
    switch (tag) {
        case vaNull: return Variant::Null();
        case vaList: {
            if (Depth >= MaxStreamVariantNesting) ReadError();
            const std::uint8_t countTag = ReadByteFunc(Stream);
            if (countTag != vaInt8 && countTag != vaInt16 && countTag != vaInt32 && countTag != vaInt64) ReadError();
            const std::int64_t count = ReadIntegerOfTag(Stream, countTag);
            // Every element takes at least its tag byte: a count beyond the bytes left cannot be true.
            if (count < 0 || count > BytesLeft(Stream) || count > INT32_MAX) ReadError();
            std::vector<Variant> items;
            for (std::int64_t i = 0; i < count; ++i) items.push_back(ReadItem(Stream, Depth + 1));
            Variant array = Variant::Array({{0, static_cast<int>(count)}});
            for (int i = 0; i < static_cast<int>(count); ++i)
                array.Element(i) = std::move(items[static_cast<std::size_t>(i)]);
            return array;
        }
        case vaInt8: return Variant::ShortInt(static_cast<std::int8_t>(ReadIntegerOfTag(Stream, tag)));
        case vaInt16: return Variant::Smallint(static_cast<std::int16_t>(ReadIntegerOfTag(Stream, tag)));
        case vaInt32: return Variant(static_cast<int>(ReadIntegerOfTag(Stream, tag)));
        case vaInt64: return Variant(ReadIntegerOfTag(Stream, tag));
        case vaExtended: return Variant(ReadFloatFunc(Stream));
        case vaString: {
            const std::uint8_t length = ReadByteFunc(Stream);
            std::string s(length, '\0');
            Stream.ReadBuffer(s.data(), length);
            return Variant(std::move(s));
        }
        case vaLString: return Variant(ReadAnsiStringProc(Stream));
        case vaFalse: return Variant(false);
        case vaTrue: return Variant(true);
        case vaNil: return Variant();
        case vaSingle: {
            const std::uint32_t bits = ReadLittle<std::uint32_t>(Stream);
            float f = 0;
            std::memcpy(&f, &bits, sizeof f);
            return Variant::Single(f);
        }
        case vaCurrency: return Variant::CurrencyRaw(ReadCurrencyFunc(Stream));
        case vaDate: return Variant::Date(ReadDateTimeFunc(Stream));
        case vaWString: return Variant(ReadWideStringProc(Stream));
        default: ReadError();
    }
}

}  // namespace

int CompareVariants(const Variant& V1, const Variant& V2) {
    try {
        if (V1.IsArray() || V2.IsArray()) {
            if (!V1.IsArray()) return -1;
            if (!V2.IsArray()) return 1;
            const int byHigh = V1.HighBound(1) - V2.HighBound(1);
            if (byHigh != 0) return byHigh;
            for (int i = 0; i <= V1.HighBound(1); ++i) {
                const int r = CompareVariants(V1.Element(i), V2.Element(i));
                if (r != 0) return r;
            }
            return 0;
        }
        if (VarIsEmpty(V1) || VarIsEmpty(V2)) return VarIsEmpty(V1) ? (VarIsEmpty(V2) ? 0 : -1) : 1;
        if (VarEquals(V1, V2)) return 0;
        if (!VarIsNull(V1) && (VarIsNull(V2) || VarGreater(V1, V2))) return 1;
    } catch (const EVariantError&) {
    }
    return -1;
}

bool VariantsEqual(const Variant& V1, const Variant& V2) { return CompareVariants(V1, V2) == 0; }

bool VariantsEqualLoose(const Variant& V1, const Variant& V2) {
    if (!VarIsNull(V1) && !VarIsNull(V2) && (V1.VType() == varBoolean || V2.VType() == varBoolean)) {
        try {
            return VarAsType(V1, varString).RawString() == VarAsType(V2, varString).RawString();
        } catch (const EVariantError&) {
            return false;
        }
    }
    return VariantsEqual(V1, V2);
}

bool IsDateVarType(TVarType VarType) { return VarType == varDate || VarType == varSQLTimeStamp; }
bool IsDateVariant(const Variant& V) { return IsDateVarType(V.VType()); }
bool IsNumericVariant(const Variant& V) { return VarIsNumeric(V) || V.VType() == varFMTBcd; }
bool IsSoftNullVariant(const Variant& V) {
    return VarIsNull(V) || (VarIsStr(V) && (V.VType() == varString ? V.RawString().empty() : V.RawWide().empty()));
}

std::string ReadAnsiStringProc(TStream& Stream) {
    const std::int32_t length = ReadLittle<std::int32_t>(Stream);
    if (length < 0 || length > BytesLeft(Stream)) ReadError();
    std::string s(static_cast<std::size_t>(length), '\0');
    Stream.ReadBuffer(s.data(), length);
    return s;
}

void WriteAnsiStringProc(TStream& Stream, std::string_view S) {
    if (S.size() > static_cast<std::size_t>(INT32_MAX)) WriteError();
    WriteLittle<std::int32_t>(Stream, static_cast<std::int32_t>(S.size()));
    Stream.WriteBuffer(S.data(), static_cast<std::int64_t>(S.size()));
}

std::u16string ReadWideStringProc(TStream& Stream) {
    const std::int32_t count = ReadLittle<std::int32_t>(Stream);
    if (count < 0 || static_cast<std::int64_t>(count) * 2 > BytesLeft(Stream)) ReadError();
    std::u16string s(static_cast<std::size_t>(count), u'\0');
    for (char16_t& c : s) c = ReadLittle<char16_t>(Stream);
    return s;
}

void WriteWideStringProc(TStream& Stream, std::u16string_view S) {
    if (S.size() > static_cast<std::size_t>(INT32_MAX / 2)) WriteError();
    WriteLittle<std::int32_t>(Stream, static_cast<std::int32_t>(S.size()));
    for (char16_t c : S) WriteLittle<char16_t>(Stream, c);
}

std::uint8_t ReadByteFunc(TStream& Stream) { return ReadLittle<std::uint8_t>(Stream); }
void WriteByteProc(TStream& Stream, std::uint8_t Value) { WriteLittle(Stream, Value); }

double ReadFloatFunc(TStream& Stream) {
    std::uint8_t b[10] = {};
    Stream.ReadBuffer(b, sizeof b);
    return ExtendedToDouble(b);
}

void WriteFloatProc(TStream& Stream, double Value) {
    std::uint8_t b[10] = {};
    DoubleToExtended(Value, b);
    Stream.WriteBuffer(b, sizeof b);
}

std::int64_t ReadCurrencyFunc(TStream& Stream) { return ReadLittle<std::int64_t>(Stream); }
void WriteCurrencyProc(TStream& Stream, std::int64_t Value) { WriteLittle(Stream, Value); }

TDateTime ReadDateTimeFunc(TStream& Stream) {
    const std::uint64_t bits = ReadLittle<std::uint64_t>(Stream);
    double d = 0;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

void WriteDateTimeProc(TStream& Stream, TDateTime Value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &Value, sizeof bits);
    WriteLittle(Stream, bits);
}

std::int32_t ReadIntegerFunc(TStream& Stream) { return ReadLittle<std::int32_t>(Stream); }
void WriteIntegerProc(TStream& Stream, std::int32_t Value) { WriteLittle(Stream, Value); }
std::int64_t ReadLargeIntFunc(TStream& Stream) { return ReadLittle<std::int64_t>(Stream); }
void WriteLargeIntProc(TStream& Stream, std::int64_t Value) { WriteLittle(Stream, Value); }
std::int16_t ReadSmallIntFunc(TStream& Stream) { return ReadLittle<std::int16_t>(Stream); }
void WriteSmallIntProc(TStream& Stream, std::int16_t Value) { WriteLittle(Stream, Value); }
std::uint16_t ReadWordFunc(TStream& Stream) { return static_cast<std::uint16_t>(ReadSmallIntFunc(Stream)); }
void WriteWordProc(TStream& Stream, std::uint16_t Value) { WriteLittle(Stream, Value); }

void WriteStreamVariant(TStream& Stream, const Variant& V) { WriteItem(Stream, V, 0); }

void ReadStreamVariant(TStream& Stream, Variant& V) { V = ReadItem(Stream, 0); }

}  // namespace zel
