#include "uilib/editors/uiVariants.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace zel::test {

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(Bytes head, const std::string& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

Bytes Written(const Variant& v) {
    TMemoryStream s;
    WriteStreamVariant(s, v);
    const auto* p = static_cast<const std::uint8_t*>(s.Memory());
    return Bytes(p, p + s.GetSize());
}

Variant ReadBack(const Bytes& bytes) {
    TMemoryStream s;
    s.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    s.SetPosition(0);
    Variant v;
    ReadStreamVariant(s, v);
    EXPECT_EQ(s.GetPosition(), s.GetSize()) << "the item was read whole";
    return v;
}

Variant IntegerArray(std::initializer_list<int> values) {
    Variant a = Variant::Array({{0, static_cast<int>(values.size())}});
    int i = 0;
    for (int v : values) a.Element(i++) = Variant(v);
    return a;
}

struct StreamCase {
    const char* name;
    Variant value;
    Bytes bytes;
    TVarType readType;
};
void PrintTo(const StreamCase& c, std::ostream* os) { *os << c.name; }

class VariantStreamTable : public ::testing::TestWithParam<StreamCase> {};

TEST_P(VariantStreamTable, WritesTheBytesAndReadsAnEqualValueBack) {
    const StreamCase& c = GetParam();
    EXPECT_EQ(Written(c.value), c.bytes);
    const Variant back = ReadBack(c.bytes);
    EXPECT_EQ(back.VType(), c.readType);
    EXPECT_TRUE(VariantsEqual(back, c.value) || (VarIsNull(back) && VarIsNull(c.value)));
}

const std::string k255(255, 'a');
const std::string k256(256, 'b');

INSTANTIATE_TEST_SUITE_P(
    Table, VariantStreamTable,
    ::testing::Values(
        StreamCase{"Int127", Variant(127), {0x02, 0x7F}, varShortInt},
        StreamCase{"Int128", Variant(128), {0x03, 0x80, 0x00}, varSmallint},
        StreamCase{"Minus129", Variant(-129), {0x03, 0x7F, 0xFF}, varSmallint},
        StreamCase{"Int32768", Variant(32768), {0x04, 0x00, 0x80, 0x00, 0x00}, varInteger},
        StreamCase{"Int2147483648", Variant(std::int64_t{2147483648}), {0x13, 0, 0, 0, 0x80, 0, 0, 0, 0}, varInt64},
        StreamCase{"ByteAsSmallest", Variant::Byte(200), {0x03, 0xC8, 0x00}, varSmallint},
        StreamCase{"LongWordMax", Variant::LongWord(4294967295u), {0x13, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}, varInt64},
        StreamCase{"String255", Variant(k255), Concat({0x06, 0xFF}, k255), varString},
        StreamCase{"String256", Variant(k256), Concat({0x0C, 0x00, 0x01, 0x00, 0x00}, k256), varString},
        StreamCase{"EuroAnsi", Variant("\x80"), {0x06, 0x01, 0x80}, varString},
        StreamCase{"EAcuteAnsi", Variant("\xE9"), {0x06, 0x01, 0xE9}, varString},
        StreamCase{"EuroWide", Variant(u"\u20AC"), {0x12, 0x01, 0, 0, 0, 0xAC, 0x20}, varOleStr},
        StreamCase{"EAcuteWide", Variant(u"\u00E9"), {0x12, 0x01, 0, 0, 0, 0xE9, 0x00}, varOleStr},
        StreamCase{"ArrayOneAnd300",
                   IntegerArray({1, 300}),
                   {0x01, 0x02, 0x02, 0x02, 0x01, 0x03, 0x2C, 0x01},
                   varArray | varVariant},
        StreamCase{"EmptyArray", Variant::Array({{0, 0}}), {0x01, 0x02, 0x00}, varArray | varVariant},
        StreamCase{"Null", Variant::Null(), {0x00}, varNull}, StreamCase{"Empty", Variant(), {0x0D}, varEmpty},
        StreamCase{"True", Variant(true), {0x09}, varBoolean}, StreamCase{"False", Variant(false), {0x08}, varBoolean},
        StreamCase{"DoubleAsExtended", Variant(-2.5), {0x05, 0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}, varDouble},
        StreamCase{"Single", Variant::Single(1.5f), {0x0F, 0x00, 0x00, 0xC0, 0x3F}, varSingle},
        StreamCase{"Currency", Variant::CurrencyRaw(15000), {0x10, 0x98, 0x3A, 0, 0, 0, 0, 0, 0}, varCurrency},
        StreamCase{"Date", Variant::Date(2.0), {0x11, 0, 0, 0, 0, 0, 0, 0, 0x40}, varDate},
        StreamCase{"SQLTimeStampAsDate",
                   Variant::SQLTimeStamp({1900, 1, 1, 0, 0, 0, 0}),
                   {0x11, 0, 0, 0, 0, 0, 0, 0, 0x40},
                   varDate},
        StreamCase{"BcdAsText", Variant::Bcd(StrToBcd("1.5")), {0x06, 0x03, '1', '.', '5'}, varString}),
    [](const auto& info) { return info.param.name; });

TEST(VariantStream, RefusesWhatItCannotWriteOrRead) {
    TMemoryStream s;
    try {
        WriteStreamVariant(s, Variant::Array({{0, 2}, {0, 2}}));
        FAIL() << "a two-dimensional array was written";
    } catch (const EWriteError& e) {
        EXPECT_STREQ(e.what(), "Stream write error");
    }
    for (const Bytes& bad :
         {Bytes{0x07}, Bytes{0x0A}, Bytes{0x0B}, Bytes{0x0E}, Bytes{0x14}, Bytes{0xFF}, Bytes{0x01, 0x05}}) {
        try {
            ReadBack(bad);
            FAIL() << "tag " << int(bad[0]) << " was read";
        } catch (const EReadError& e) {
            EXPECT_STREQ(e.what(), "Stream read error");
        }
    }
}

TEST(VariantStream, EveryPrefixOfAValidStreamFailsAsAReadError) {
    Variant nested = Variant::Array({{0, 3}});
    nested.Element(0) = IntegerArray({1, 300, 70000});
    nested.Element(1) = Variant(std::string(300, 'x'));
    nested.Element(2) = Variant(u"\u20AC\u00E9");
    const Bytes whole = Written(nested);
    EXPECT_TRUE(VariantsEqual(ReadBack(whole), nested));
    for (std::size_t n = 0; n < whole.size(); ++n) {
        const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        Variant v(42);
        TMemoryStream s;
        s.WriteBuffer(prefix.data(), static_cast<std::int64_t>(prefix.size()));
        s.SetPosition(0);
        EXPECT_THROW(ReadStreamVariant(s, v), EReadError) << n << " bytes";
        EXPECT_EQ(v.RawInteger(), 42) << "the target keeps its value";
    }
}

struct HostileCase {
    const char* name;
    Bytes bytes;
};
void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

class HostileVariantStreams : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileVariantStreams, EndInAReadErrorWithoutAllocating) {
    EXPECT_THROW(ReadBack(GetParam().bytes), EReadError);
}

INSTANTIATE_TEST_SUITE_P(Table, HostileVariantStreams,
                         ::testing::Values(HostileCase{"LongStringOfMaxLength", {0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}},
                                           HostileCase{"LongStringOfNegativeLength", {0x0C, 0xFF, 0xFF, 0xFF, 0xFF}},
                                           HostileCase{"WideStringOfMaxLength", {0x12, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0}},
                                           HostileCase{"WideStringOfNegativeLength", {0x12, 0xFF, 0xFF, 0xFF, 0xFF}},
                                           HostileCase{"WideStringOddBytes", {0x12, 0x02, 0, 0, 0, 'a', 0, 'b'}},
                                           HostileCase{"ArrayOfMaxCount", {0x01, 0x04, 0xFF, 0xFF, 0xFF, 0x7F, 0x0D}},
                                           HostileCase{"ArrayOfNegativeCount", {0x01, 0x02, 0xFF}},
                                           HostileCase{"ArrayOfHugeInt64Count",
                                                       {0x01, 0x13, 0, 0, 0, 0, 0, 0, 0, 0x40}},
                                           HostileCase{"ArrayCountNotAnInteger", {0x01, 0x06, 0x00}},
                                           HostileCase{"ShortStringPastTheEnd", {0x06, 0x05, 'a', 'b'}}),
                         [](const auto& info) { return info.param.name; });

TEST(VariantStream, NestingIsBoundedBothWays) {
    // Ten thousand nested one-element arrays.
    Bytes deep;
    for (int i = 0; i < 10000; ++i) deep.insert(deep.end(), {0x01, 0x02, 0x01});
    deep.push_back(0x0D);
    EXPECT_THROW(ReadBack(deep), EReadError);

    auto nestedTo = [](int depth) {
        Variant v(1);
        for (int i = 0; i < depth; ++i) {
            Variant outer = Variant::Array({{0, 1}});
            outer.Element(0) = v;
            v = outer;
        }
        return v;
    };
    const Variant deepest = nestedTo(MaxStreamVariantNesting);
    EXPECT_TRUE(VariantsEqual(ReadBack(Written(deepest)), deepest));
    TMemoryStream s;
    EXPECT_THROW(WriteStreamVariant(s, nestedTo(MaxStreamVariantNesting + 1)), EWriteError);
}

TEST(VariantStream, BaseTypeRoutinesAreLittleEndian) {
    TMemoryStream s;
    WriteWordProc(s, 0xFFFE);
    WriteSmallIntProc(s, -2);
    WriteIntegerProc(s, 0x01020304);
    WriteLargeIntProc(s, -1);
    WriteAnsiStringProc(s, "ab");
    WriteWideStringProc(s, u"c");
    WriteCurrencyProc(s, 15000);
    const auto* p = static_cast<const std::uint8_t*>(s.Memory());
    EXPECT_EQ(Bytes(p, p + s.GetSize()), (Bytes{0xFE, 0xFF, 0xFE, 0xFF, 0x04, 0x03, 0x02, 0x01, 0xFF, 0xFF, 0xFF, 0xFF,
                                                0xFF, 0xFF, 0xFF, 0xFF, 2,    0,    0,    0,    'a',  'b',  1,    0,
                                                0,    0,    'c',  0,    0x98, 0x3A, 0,    0,    0,    0,    0,    0}));
    s.SetPosition(0);
    EXPECT_EQ(ReadWordFunc(s), 0xFFFE);
    EXPECT_EQ(ReadSmallIntFunc(s), -2);
    EXPECT_EQ(ReadIntegerFunc(s), 0x01020304);
    EXPECT_EQ(ReadLargeIntFunc(s), -1);
    EXPECT_EQ(ReadAnsiStringProc(s), "ab");
    EXPECT_EQ(ReadWideStringProc(s), u"c");
    EXPECT_EQ(ReadCurrencyFunc(s), 15000);
}

struct CompareCase {
    const char* name;
    Variant a, b;
    int sign;
};
void PrintTo(const CompareCase& c, std::ostream* os) { *os << c.name; }

class CompareVariantsTable : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareVariantsTable, OrdersAsWritten) {
    const CompareCase& c = GetParam();
    const int r = CompareVariants(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign);
}

Variant TwoByTwo() { return Variant::Array({{0, 2}, {0, 2}}); }

INSTANTIATE_TEST_SUITE_P(
    Table, CompareVariantsTable,
    ::testing::Values(
        CompareCase{"EmptyEmpty", Variant(), Variant(), 0}, CompareCase{"EmptyNull", Variant(), Variant::Null(), -1},
        CompareCase{"NullEmpty", Variant::Null(), Variant(), 1}, CompareCase{"EmptyZero", Variant(), Variant(0), -1},
        CompareCase{"NullNull", Variant::Null(), Variant::Null(), 0},
        CompareCase{"NullFive", Variant::Null(), Variant(5), -1},
        CompareCase{"FiveNull", Variant(5), Variant::Null(), 1}, CompareCase{"OneTwo", Variant(1), Variant(2.0), -1},
        CompareCase{"TwoOne", Variant(std::int64_t{2}), Variant::Byte(1), 1},
        CompareCase{"IntegerAndItsText", Variant(12), Variant("12"), 0},
        CompareCase{"TextThatIsNoNumber", Variant("abc"), Variant(1), -1},
        CompareCase{"NumberAgainstText", Variant(1), Variant("abc"), -1},
        CompareCase{"Strings", Variant("b"), Variant("a"), 1},
        CompareCase{"ArrayAboveNumber", IntegerArray({1}), Variant(5), 1},
        CompareCase{"NumberBelowArray", Variant(5), IntegerArray({1}), -1},
        CompareCase{"LongerArrayFirst", IntegerArray({1, 2, 3}), IntegerArray({9, 9}), 1},
        CompareCase{"ArraysByElement", IntegerArray({1, 2}), IntegerArray({1, 3}), -1},
        CompareCase{"EqualArrays", IntegerArray({1, 2}), IntegerArray({1, 2}), 0},
        CompareCase{"TwoDimensionalArrays", TwoByTwo(), TwoByTwo(), -1}),
    [](const auto& info) { return info.param.name; });

TEST(VariantTests, LooseEqualityAndTypeTests) {
    EXPECT_TRUE(VariantsEqualLoose(Variant(true), Variant("True")));
    EXPECT_FALSE(VariantsEqualLoose(Variant(true), Variant(-1)));
    EXPECT_FALSE(VariantsEqualLoose(Variant(true), Variant::Null()));
    EXPECT_TRUE(VariantsEqualLoose(Variant(3), Variant(3.0)));
    EXPECT_FALSE(VariantsEqualLoose(Variant(true), IntegerArray({1})));
    EXPECT_TRUE(IsDateVarType(varDate));
    EXPECT_TRUE(IsDateVariant(Variant::SQLTimeStamp({2024, 1, 1, 0, 0, 0, 0})));
    EXPECT_FALSE(IsDateVariant(Variant(1.0)));
    EXPECT_TRUE(IsNumericVariant(Variant::Bcd(StrToBcd("1"))));
    EXPECT_TRUE(IsNumericVariant(Variant(true)));
    EXPECT_FALSE(IsNumericVariant(Variant("1")));
    EXPECT_FALSE(IsNumericVariant(Variant::Date(1)));
    EXPECT_TRUE(IsSoftNullVariant(Variant::Null()));
    EXPECT_TRUE(IsSoftNullVariant(Variant("")));
    EXPECT_TRUE(IsSoftNullVariant(Variant(u"")));
    EXPECT_FALSE(IsSoftNullVariant(Variant()));
    EXPECT_FALSE(IsSoftNullVariant(Variant(" ")));
}

}  // namespace

}  // namespace zel::test
