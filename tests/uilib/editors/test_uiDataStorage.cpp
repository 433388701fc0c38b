#include "uilib/editors/uiDataStorage.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

#include "uilib/editors/uiVariants.h"

namespace zel::test {

namespace {

// A zero-filled value buffer that frees what its type put in it.
struct Buffer {
    explicit Buffer(TuiValueTypeClass t) : type(t) {}
    ~Buffer() { type->FreeBuffer(bytes.data()); }
    TuiValueTypeClass type;
    std::array<std::uint8_t, 64> bytes{};
    TuiValueBuffer get() { return bytes.data(); }
};

struct TextBuffer {
    ~TextBuffer() { ValueTypeClass<TuiIntegerValueType>()->FreeTextBuffer(bytes.data()); }
    std::array<std::uint8_t, 8> bytes{};
};

std::string Bytes(TMemoryStream& s) { return s.DataString(); }

TEST(ValueTypes, SizesKindsCaptionsAndRegistrationOrder) {
    uiDataStorageStartup();
    const TuiValueTypeClassList* list = uiValueTypeClassList();
    ASSERT_EQ(list->Count(), 14);
    const char* captions[] = {"String",   "WideString", "Smallint", "Integer", "Word",         "Boolean", "Float",
                              "Currency", "DateTime",   "LargeInt", "FMTBcd",  "SQLTimeStamp", "Variant", "Object"};
    const int sizes[] = {8, 8, 2, 4, 2, 1, 8, 8, 8, 8, 34, 16, 8, 16};
    const TVarType kinds[] = {varString,   varOleStr, varSmallint, varInteger, varWord,         varBoolean, varDouble,
                              varCurrency, varDate,   varInt64,    varFMTBcd,  varSQLTimeStamp, varVariant, varInteger};
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(list->Items(i)->TypeCaption(), captions[i]);
        EXPECT_EQ(list->Items(i)->BufferSize(), sizes[i]) << captions[i];
        EXPECT_EQ(list->Items(i)->VariantKind(), kinds[i]) << captions[i];
    }
    EXPECT_EQ(list->ItemByCaption("SQLTimeStamp"), ValueTypeClass<TuiSQLTimeStampValueType>());
    uiValueTypeClassList()->RegisterItem(ValueTypeClass<TuiStringValueType>());
    EXPECT_EQ(uiValueTypeClassList()->Count(), 14) << "registered once";
    uiDataStorageShutdown();
    EXPECT_EQ(uiValueTypeClassList()->Count(), 0);
    uiFreeValueTypeClassList();
}

TEST(ValueTypes, StringBuffersCompareNilFirstThenByBytes) {
    TuiValueTypeClass t = ValueTypeClass<TuiStringValueType>();
    Buffer a(t), b(t);
    EXPECT_EQ(t->CompareBuffers(a.get(), b.get()), 0);
    t->SetDataValue(b.get(), Variant("a"));
    EXPECT_EQ(t->CompareBuffers(a.get(), b.get()), -1);
    EXPECT_EQ(t->CompareBuffers(b.get(), a.get()), 1);
    t->SetDataValue(a.get(), Variant("b"));
    EXPECT_EQ(t->CompareBuffers(a.get(), b.get()), 1);
    EXPECT_TRUE(t->IsString());
}

struct CompareRow {
    const char* name;
    TuiValueTypeClass type;
    Variant low, high;
};

TEST(ValueTypes, EveryComparisonAnswersBySignWithoutOverflow) {
    const CompareRow rows[] = {
        {"IntegerExtremes", ValueTypeClass<TuiIntegerValueType>(), Variant(-1), Variant(2147483647)},
        {"IntegerMinAgainstMax", ValueTypeClass<TuiIntegerValueType>(), Variant(std::numeric_limits<int>::min()),
         Variant(2147483647)},
        {"ObjectIntegers", ValueTypeClass<TuiObjectValueType>(), Variant(-1), Variant(2147483647)},
        {"LargeInt", ValueTypeClass<TuiLargeIntValueType>(), Variant(std::numeric_limits<std::int64_t>::min()),
         Variant(std::numeric_limits<std::int64_t>::max())},
        {"Smallint", ValueTypeClass<TuiSmallintValueType>(), Variant(-32768), Variant(32767)},
        {"Word", ValueTypeClass<TuiWordValueType>(), Variant(0), Variant(65535)},
        {"Boolean", ValueTypeClass<TuiBooleanValueType>(), Variant(false), Variant(true)},
        {"Float", ValueTypeClass<TuiFloatValueType>(), Variant(-1e300), Variant(1e300)},
        {"Currency", ValueTypeClass<TuiCurrencyValueType>(), Variant(-1.5), Variant(1.5)},
        {"DateTime", ValueTypeClass<TuiDateTimeValueType>(), Variant::Date(1), Variant::Date(2)},
        {"FMTBcd", ValueTypeClass<TuiFMTBcdValueType>(), Variant("-10.5"), Variant("2")},
        {"SQLTimeStamp", ValueTypeClass<TuiSQLTimeStampValueType>(), Variant::SQLTimeStamp({2024, 1, 1, 23, 0, 0, 0}),
         Variant::SQLTimeStamp({2024, 1, 2, 0, 0, 0, 0})},
        {"Variant", ValueTypeClass<TuiVariantValueType>(), Variant("a"), Variant("b")},
        {"WideString", ValueTypeClass<TuiWideStringValueType>(), Variant(u"a"), Variant(u"\u00E9")},
    };
    for (const CompareRow& r : rows) {
        Buffer low(r.type), high(r.type);
        r.type->SetDataValue(low.get(), r.low);
        r.type->SetDataValue(high.get(), r.high);
        EXPECT_LT(r.type->CompareBuffers(low.get(), high.get()), 0) << r.name;
        EXPECT_GT(r.type->CompareBuffers(high.get(), low.get()), 0) << r.name;
        EXPECT_EQ(r.type->CompareBuffers(low.get(), low.get()), 0) << r.name;
    }
}

TEST(ValueTypes, StreamFormsOfEachType) {
    struct Row {
        const char* name;
        TuiValueTypeClass type;
        Variant value;
        std::string bytes;
    };
    const Row rows[] = {
        {"String", ValueTypeClass<TuiStringValueType>(), Variant("ab"), std::string("\x02\0\0\0ab", 6)},
        {"WideString", ValueTypeClass<TuiWideStringValueType>(), Variant("\x80"), std::string("\x01\0\0\0\xAC\x20", 6)},
        {"Smallint", ValueTypeClass<TuiSmallintValueType>(), Variant(-2), "\xFE\xFF"},
        {"Integer", ValueTypeClass<TuiIntegerValueType>(), Variant(258), std::string("\x02\x01\0\0", 4)},
        {"Word", ValueTypeClass<TuiWordValueType>(), Variant(65535), "\xFF\xFF"},
        {"Boolean", ValueTypeClass<TuiBooleanValueType>(), Variant(true), "\x01"},
        {"Float", ValueTypeClass<TuiFloatValueType>(), Variant(1.0), std::string("\0\0\0\0\0\0\0\x80\xFF\x3F", 10)},
        {"Currency", ValueTypeClass<TuiCurrencyValueType>(), Variant(1.5), std::string("\x98\x3A\0\0\0\0\0\0", 8)},
        {"DateTime", ValueTypeClass<TuiDateTimeValueType>(), Variant::Date(2), std::string("\0\0\0\0\0\0\0\x40", 8)},
        {"LargeInt", ValueTypeClass<TuiLargeIntValueType>(), Variant(std::int64_t{-1}), std::string(8, '\xFF')},
        {"FMTBcd", ValueTypeClass<TuiFMTBcdValueType>(), Variant("1.5"),
         "\x06\x03"
         "1.5"},
        {"SQLTimeStamp", ValueTypeClass<TuiSQLTimeStampValueType>(), Variant::SQLTimeStamp({1900, 1, 1, 0, 0, 0, 0}),
         std::string("\x11\0\0\0\0\0\0\0\x40", 9)},
        {"Variant", ValueTypeClass<TuiVariantValueType>(), Variant(300), "\x03\x2C\x01"},
        {"Object", ValueTypeClass<TuiObjectValueType>(), Variant(5), ""},
    };
    for (const Row& r : rows) {
        Buffer b(r.type), back(r.type);
        r.type->SetDataValue(b.get(), r.value);
        TMemoryStream s;
        r.type->WriteDataValue(b.get(), s);
        EXPECT_EQ(Bytes(s), r.bytes) << r.name;
        s.SetPosition(0);
        r.type->ReadDataValue(back.get(), s);
        EXPECT_EQ(s.GetPosition(), s.GetSize()) << r.name;
        if (!r.bytes.empty()) {
            EXPECT_EQ(r.type->CompareBuffers(b.get(), back.get()), 0) << r.name;
        }
    }
}

TEST(ValueTypes, StringsOnAUnicodeStreamAreWide) {
    TuiValueTypeClass t = ValueTypeClass<TuiStringValueType>();
    Buffer b(t);
    t->SetDataValue(b.get(), Variant("\xE9"));
    TMemoryStream s;
    s.Unicode = true;
    t->WriteDataValue(b.get(), s);
    EXPECT_EQ(Bytes(s), std::string("\x01\0\0\0\xE9\0", 6));
}

TEST(ValueTypes, DisplayTextsAnsiOrWideAndHostileLengths) {
    TuiValueTypeClass t = ValueTypeClass<TuiIntegerValueType>();
    TextBuffer text;
    std::string out = "x";
    t->TextFromBuffer(text.bytes.data(), out);
    EXPECT_EQ(out, "");
    t->SetDisplayText(text.bytes.data(), "\x80 5");
    for (bool unicode : {false, true}) {
        TMemoryStream s;
        s.Unicode = unicode;
        t->WriteDisplayText(text.bytes.data(), s);
        EXPECT_EQ(Bytes(s), unicode ? std::string("\x03\0\0\0\xAC\x20 \0"
                                                  "5\0",
                                                  10)
                                    : std::string("\x03\0\0\0\x80 5", 7));
        TextBuffer back;
        s.SetPosition(0);
        t->ReadDisplayText(back.bytes.data(), s);
        t->TextFromBuffer(back.bytes.data(), out);
        EXPECT_EQ(out, "\x80 5");
    }
    for (bool unicode : {false, true})
        for (const std::string& bad : {std::string("\xFF\xFF\xFF\x7F"
                                                   "a",
                                                   5),
                                       std::string("\xFF\xFF\xFF\xFF", 4), std::string("\x02\0\0", 3)}) {
            TMemoryStream s;
            s.Unicode = unicode;
            s.WriteBuffer(bad.data(), static_cast<std::int64_t>(bad.size()));
            s.SetPosition(0);
            TextBuffer back;
            EXPECT_THROW(t->ReadDisplayText(back.bytes.data(), s), EReadError);
        }
}

TEST(ValueTypes, DefaultDisplayTexts) {
    std::string text;
    Buffer boolean(ValueTypeClass<TuiBooleanValueType>());
    ValueTypeClass<TuiBooleanValueType>()->SetDataValue(boolean.get(), Variant(true));
    ValueTypeClass<TuiBooleanValueType>()->GetDefaultDisplayText(boolean.get(), text);
    EXPECT_EQ(text, "True");
    Buffer bcd(ValueTypeClass<TuiFMTBcdValueType>());
    ValueTypeClass<TuiFMTBcdValueType>()->SetDataValue(bcd.get(), Variant("-0.250"));
    ValueTypeClass<TuiFMTBcdValueType>()->GetDefaultDisplayText(bcd.get(), text);
    EXPECT_EQ(text, "-0.25");
    Buffer integer(ValueTypeClass<TuiIntegerValueType>());
    ValueTypeClass<TuiIntegerValueType>()->SetDataValue(integer.get(), Variant("42"));
    ValueTypeClass<TuiIntegerValueType>()->GetDefaultDisplayText(integer.get(), text);
    EXPECT_EQ(text, "42");
}

TEST(ValueTypes, ConvertVariantCastsInPlaceOrRefusesLeavingTheValue) {
    Variant v("abc");
    EXPECT_FALSE(ValueTypeClass<TuiIntegerValueType>()->ConvertVariant(v));
    EXPECT_EQ(v.VType(), varString);
    EXPECT_EQ(v.RawString(), "abc");
    Variant n("12");
    EXPECT_TRUE(ValueTypeClass<TuiIntegerValueType>()->ConvertVariant(n));
    EXPECT_EQ(n.VType(), varInteger);
    Variant big(100000);
    EXPECT_FALSE(ValueTypeClass<TuiSmallintValueType>()->ConvertVariant(big));
    EXPECT_EQ(big.RawInteger(), 100000);
    Variant null = Variant::Null();
    EXPECT_TRUE(ValueTypeClass<TuiIntegerValueType>()->ConvertVariant(null));
    Variant any("x");
    EXPECT_TRUE(ValueTypeClass<TuiVariantValueType>()->ConvertVariant(any));
    EXPECT_EQ(any.VType(), varString);
}

// Counts its destructions.
class Counted : public TObject {
public:
    explicit Counted(int& count) : count_(count) {}
    ~Counted() override { ++count_; }

private:
    int& count_;
};

TEST(ValueTypes, ObjectBuffersFreeOnlyObjectsGivenAsObjects) {
    TuiValueTypeClass t = ValueTypeClass<TuiObjectValueType>();
    int freed = 0;
    {
        Buffer b(t);
        TuiObjectValueType::SetObject(b.get(), new Counted(freed));
        EXPECT_NE(TuiObjectValueType::GetObject(b.get()), nullptr);
        // An integer replaces (and frees) the object; freeing the integer frees nothing.
        t->SetDataValue(b.get(), Variant(123456));
        EXPECT_EQ(freed, 1);
        EXPECT_EQ(TuiObjectValueType::GetObject(b.get()), nullptr);
        Variant v;
        t->GetDataValue(b.get(), v);
        EXPECT_EQ(v.RawInteger(), 123456);
        t->FreeBuffer(b.get());
        TuiObjectValueType::SetObject(b.get(), new Counted(freed));
    }
    EXPECT_EQ(freed, 2);
}

}  // namespace

}  // namespace zel::test
