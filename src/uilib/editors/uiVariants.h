#pragma once
// Editor values as variants: their ordering (arrays, Empty and Null included), a few type tests, the
// little-endian stream routines of the base types, and the compact tagged stream form of one variant.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/Streams.h"
#include "platform/rtl/Variants.h"

namespace zel {

// Arrays first (an array above a non-array; two arrays by their high bounds, then element by element);
// Empty equals Empty and is below everything else; equal values give 0; a non-Null left side is greater
// when the right side is Null or smaller; everything else, a comparison that fails included, gives -1.
int CompareVariants(const Variant& V1, const Variant& V2);
bool VariantsEqual(const Variant& V1, const Variant& V2);
// With a Boolean on either side (and Null on neither), both sides compared as strings.
bool VariantsEqualLoose(const Variant& V1, const Variant& V2);

bool IsDateVarType(TVarType VarType);
bool IsDateVariant(const Variant& V);
bool IsNumericVariant(const Variant& V);
bool IsSoftNullVariant(const Variant& V);

// Base types, little-endian. The readers check every length against the bytes left in the stream: a
// negative length or one beyond the data raises EReadError "Stream read error" before anything is
// allocated.
std::string ReadAnsiStringProc(TStream& Stream);  // 4-byte length, then the bytes
void WriteAnsiStringProc(TStream& Stream, std::string_view S);
std::u16string ReadWideStringProc(TStream& Stream);  // 4-byte character count, then UTF-16LE
void WriteWideStringProc(TStream& Stream, std::u16string_view S);
std::uint8_t ReadByteFunc(TStream& Stream);
void WriteByteProc(TStream& Stream, std::uint8_t Value);
double ReadFloatFunc(TStream& Stream);  // 10-byte extended
void WriteFloatProc(TStream& Stream, double Value);
std::int64_t ReadCurrencyFunc(TStream& Stream);  // the value × 10000
void WriteCurrencyProc(TStream& Stream, std::int64_t Value);
TDateTime ReadDateTimeFunc(TStream& Stream);
void WriteDateTimeProc(TStream& Stream, TDateTime Value);
std::int32_t ReadIntegerFunc(TStream& Stream);
void WriteIntegerProc(TStream& Stream, std::int32_t Value);
std::int64_t ReadLargeIntFunc(TStream& Stream);
void WriteLargeIntProc(TStream& Stream, std::int64_t Value);
std::int16_t ReadSmallIntFunc(TStream& Stream);
void WriteSmallIntProc(TStream& Stream, std::int16_t Value);
std::uint16_t ReadWordFunc(TStream& Stream);  // read as a smallint, kept as its 16 bits
void WriteWordProc(TStream& Stream, std::uint16_t Value);

// Arrays nest at most this deep in the stream form; deeper ones are refused both ways.
constexpr int MaxStreamVariantNesting = 64;

// One tagged item. A multi-dimensional array, one nested too deeply, or a value that cannot become text
// raises EWriteError "Stream write error".
void WriteStreamVariant(TStream& Stream, const Variant& V);
// An unknown tag, a count or length beyond the data, or nesting too deep raise EReadError
// "Stream read error"; V changes only when the whole item was read.
void ReadStreamVariant(TStream& Stream, Variant& V);

}  // namespace zel
