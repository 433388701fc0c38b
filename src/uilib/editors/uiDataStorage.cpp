#include "uilib/editors/uiDataStorage.h"

#include <algorithm>
#include <cstring>

#include "platform/rtl/FmtBcd.h"
#include "platform/rtl/SqlTimSt.h"
#include "uilib/editors/uiVariants.h"

namespace zel {

namespace {

template <typename T>
T Load(const void* p) {
    T v{};
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename T>
void Store(void* p, T v) {
    std::memcpy(p, &v, sizeof v);
}

template <typename T>
int Sign(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Nil below non-nil; the caller compares two present values.
template <typename T, typename Compare>
int CompareHeld(const void* p1, const void* p2, Compare compare) {
    if (p1 == nullptr || p2 == nullptr) return (p1 != nullptr) - (p2 != nullptr);
    return compare(*static_cast<const T*>(p1), *static_cast<const T*>(p2));
}

std::string* TextOf(TuiTextBuffer ATextBuffer) { return Load<std::string*>(ATextBuffer); }

std::string ReadText(TStream& AStream) {
    return AStream.Unicode ? WideToAnsi(ReadWideStringProc(AStream)) : ReadAnsiStringProc(AStream);
}

void WriteText(TStream& AStream, const std::string& Text) {
    if (AStream.Unicode) WriteWideStringProc(AStream, AnsiToWide(Text));
    else WriteAnsiStringProc(AStream, Text);
}

bool NoValue(const Variant& V) { return VarIsNull(V) || VarIsEmpty(V); }

}  // namespace

// ------------------------------------------------------------------------------------------------- base
int TuiValueType::CompareBuffers(TuiValueBuffer Buffer1, TuiValueBuffer Buffer2) const {
    return CompareStoredValues(PrepareValueBuffer(Buffer1), PrepareValueBuffer(Buffer2));
}

void TuiValueType::FreeBuffer(TuiValueBuffer) const {}

void TuiValueType::FreeTextBuffer(TuiTextBuffer ATextBuffer) const {
    delete TextOf(ATextBuffer);
    Store<std::string*>(ATextBuffer, nullptr);
}

int TuiValueType::BufferSize() const { return 0; }

void TuiValueType::GetDataValue(TuiValueBuffer, Variant& Value) const { Value = Variant::Null(); }

void TuiValueType::GetDefaultDisplayText(TuiValueBuffer Buffer, std::string& Text) const {
    try {
        Variant v;
        GetDataValue(Buffer, v);
        Text = VarToStr(v);
    } catch (const EVariantError&) {
        Text.clear();
    }
}

void TuiValueType::TextFromBuffer(TuiTextBuffer ATextBuffer, std::string& Text) const {
    const std::string* s = TextOf(ATextBuffer);
    Text = s != nullptr ? *s : std::string();
}

void TuiValueType::ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    Variant v;
    ReadStreamVariant(AStream, v);
    SetDataValue(Buffer, v);
}

void TuiValueType::ReadDisplayText(TuiTextBuffer ATextBuffer, TStream& AStream) const {
    SetDisplayText(ATextBuffer, ReadText(AStream));
}

void TuiValueType::SetDataValue(TuiValueBuffer, const Variant&) const {}

void TuiValueType::SetDisplayText(TuiTextBuffer ATextBuffer, const std::string& Text) const {
    std::string* s = TextOf(ATextBuffer);
    if (s == nullptr) {
        s = new std::string;
        Store(ATextBuffer, s);
    }
    *s = Text;
}

void TuiValueType::WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    Variant v;
    GetDataValue(Buffer, v);
    WriteStreamVariant(AStream, v);
}

void TuiValueType::WriteDisplayText(TuiTextBuffer ATextBuffer, TStream& AStream) const {
    std::string text;
    TextFromBuffer(ATextBuffer, text);
    WriteText(AStream, text);
}

std::string TuiValueType::TypeCaption() const {
    std::string name = ClassName();
    if (name.rfind("Tui", 0) == 0) name.erase(0, 3);
    const std::size_t at = name.find("ValueType");
    if (at != std::string::npos) name.erase(at, 9);
    return name;
}

int TuiValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    Variant v1, v2;
    GetDataValue(static_cast<TuiValueBuffer>(const_cast<void*>(AValue1)), v1);
    GetDataValue(static_cast<TuiValueBuffer>(const_cast<void*>(AValue2)), v2);
    return CompareVariants(v1, v2);
}

void TuiValueType::ValueAsVariant(TuiValueBuffer Buffer, Variant& Value) const { GetDataValue(Buffer, Value); }

TVarType TuiValueType::VariantKind() const { return varVariant; }

bool TuiValueType::ConvertVariant(Variant& Value) const {
    if (VarIsNull(Value) || VariantKind() == varVariant) return true;
    try {
        Value = VarAsType(Value, VariantKind());
        return true;
    } catch (const EVariantError&) {
        return false;
    }
}

bool TuiValueType::IsString() const { return false; }

const void* TuiValueType::PrepareValueBuffer(TuiValueBuffer Buffer) const { return Buffer; }

// ----------------------------------------------------------------------------------------------- strings
int TuiStringValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    return CompareHeld<std::string>(AValue1, AValue2, [](const std::string& a, const std::string& b) {
        const int r = a.compare(b);
        return (r > 0) - (r < 0);
    });
}

void TuiStringValueType::FreeBuffer(TuiValueBuffer Buffer) const {
    delete Load<std::string*>(Buffer);
    Store<std::string*>(Buffer, nullptr);
}

void TuiStringValueType::GetDataValue(TuiValueBuffer Buffer, Variant& Value) const {
    const std::string* s = Load<std::string*>(Buffer);
    Value = s != nullptr ? Variant(*s) : Variant::Null();
}

void TuiStringValueType::ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    SetDataValue(Buffer, Variant(ReadText(AStream)));
}

void TuiStringValueType::SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const {
    if (NoValue(Value)) {
        FreeBuffer(Buffer);
        return;
    }
    const std::string text = VarToStr(Value);
    std::string* s = Load<std::string*>(Buffer);
    if (s == nullptr) {
        s = new std::string;
        Store(Buffer, s);
    }
    *s = text;
}

void TuiStringValueType::WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    const std::string* s = Load<std::string*>(Buffer);
    WriteText(AStream, s != nullptr ? *s : std::string());
}

const void* TuiStringValueType::PrepareValueBuffer(TuiValueBuffer Buffer) const { return Load<void*>(Buffer); }

int TuiWideStringValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    return CompareHeld<std::u16string>(AValue1, AValue2, [](const std::u16string& a, const std::u16string& b) {
        const int r = a.compare(b);
        return (r > 0) - (r < 0);
    });
}

void TuiWideStringValueType::FreeBuffer(TuiValueBuffer Buffer) const {
    delete Load<std::u16string*>(Buffer);
    Store<std::u16string*>(Buffer, nullptr);
}

void TuiWideStringValueType::GetDataValue(TuiValueBuffer Buffer, Variant& Value) const {
    const std::u16string* s = Load<std::u16string*>(Buffer);
    Value = s != nullptr ? Variant(*s) : Variant::Null();
}

void TuiWideStringValueType::ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    SetDataValue(Buffer, Variant(ReadWideStringProc(AStream)));
}

void TuiWideStringValueType::SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const {
    if (NoValue(Value)) {
        FreeBuffer(Buffer);
        return;
    }
    const std::u16string text = Value.VType() == varOleStr ? Value.RawWide() : VarAsType(Value, varOleStr).RawWide();
    std::u16string* s = Load<std::u16string*>(Buffer);
    if (s == nullptr) {
        s = new std::u16string;
        Store(Buffer, s);
    }
    *s = text;
}

void TuiWideStringValueType::WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    const std::u16string* s = Load<std::u16string*>(Buffer);
    WriteWideStringProc(AStream, s != nullptr ? *s : std::u16string());
}

// ------------------------------------------------------------------------------------------ fixed sizes
int TuiSmallintValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    return Load<std::int16_t>(AValue1) - Load<std::int16_t>(AValue2);
}
void TuiSmallintValueType::GetDataValue(TuiValueBuffer Buffer, Variant& Value) const {
    Value = Variant::Smallint(Load<std::int16_t>(Buffer));
}
void TuiSmallintValueType::ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    Store(Buffer, ReadSmallIntFunc(AStream));
}
void TuiSmallintValueType::SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const {
    Store(Buffer, static_cast<std::int16_t>(NoValue(Value) ? 0 : VarAsType(Value, varSmallint).RawInteger()));
}
void TuiSmallintValueType::WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    WriteSmallIntProc(AStream, Load<std::int16_t>(Buffer));
}

int TuiIntegerValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    // By sign: a difference of two 32-bit values can overflow.
    return Sign(Load<std::int32_t>(AValue1), Load<std::int32_t>(AValue2));
}
void TuiIntegerValueType::GetDataValue(TuiValueBuffer Buffer, Variant& Value) const {
    Value = Variant(static_cast<int>(Load<std::int32_t>(Buffer)));
}
void TuiIntegerValueType::ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    Store(Buffer, ReadIntegerFunc(AStream));
}
void TuiIntegerValueType::SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const {
    Store(Buffer, static_cast<std::int32_t>(NoValue(Value) ? 0 : VarAsType(Value, varInteger).RawInteger()));
}
void TuiIntegerValueType::WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    WriteIntegerProc(AStream, Load<std::int32_t>(Buffer));
}

int TuiWordValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    return Load<std::uint16_t>(AValue1) - Load<std::uint16_t>(AValue2);
}
void TuiWordValueType::GetDataValue(TuiValueBuffer Buffer, Variant& Value) const {
    Value = Variant::Word(Load<std::uint16_t>(Buffer));
}
void TuiWordValueType::ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    Store(Buffer, ReadWordFunc(AStream));
}
void TuiWordValueType::SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const {
    Store(Buffer, static_cast<std::uint16_t>(NoValue(Value) ? 0 : VarAsType(Value, varWord).RawInteger()));
}
void TuiWordValueType::WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    WriteWordProc(AStream, Load<std::uint16_t>(Buffer));
}

int TuiBooleanValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    return Load<std::uint8_t>(AValue1) - Load<std::uint8_t>(AValue2);
}
void TuiBooleanValueType::GetDataValue(TuiValueBuffer Buffer, Variant& Value) const {
    Value = Variant(Load<std::uint8_t>(Buffer) != 0);
}
void TuiBooleanValueType::GetDefaultDisplayText(TuiValueBuffer Buffer, std::string& Text) const {
    try {
        Variant v;
        GetDataValue(Buffer, v);
        Text = BoolToStr(VarToBoolean(v), true);
    } catch (const EVariantError&) {
        Text.clear();
    }
}
void TuiBooleanValueType::ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    Store(Buffer, static_cast<std::uint8_t>(ReadByteFunc(AStream) != 0 ? 1 : 0));
}
void TuiBooleanValueType::SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const {
    Store(Buffer, static_cast<std::uint8_t>(!NoValue(Value) && VarToBoolean(Value) ? 1 : 0));
}
void TuiBooleanValueType::WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    WriteByteProc(AStream, Load<std::uint8_t>(Buffer));
}

int TuiFloatValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    const double a = Load<double>(AValue1), b = Load<double>(AValue2);
    return a == b ? 0 : (a > b ? 1 : -1);
}
void TuiFloatValueType::GetDataValue(TuiValueBuffer Buffer, Variant& Value) const {
    Value = Variant(Load<double>(Buffer));
}
void TuiFloatValueType::ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    Store(Buffer, ReadFloatFunc(AStream));
}
void TuiFloatValueType::SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const {
    Store(Buffer, NoValue(Value) ? 0.0 : VarToDouble(Value));
}
void TuiFloatValueType::WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    WriteFloatProc(AStream, Load<double>(Buffer));
}

int TuiCurrencyValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    return Sign(Load<std::int64_t>(AValue1), Load<std::int64_t>(AValue2));
}
void TuiCurrencyValueType::GetDataValue(TuiValueBuffer Buffer, Variant& Value) const {
    Value = Variant::CurrencyRaw(Load<std::int64_t>(Buffer));
}
void TuiCurrencyValueType::ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    Store(Buffer, ReadCurrencyFunc(AStream));
}
void TuiCurrencyValueType::SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const {
    Store(Buffer, NoValue(Value) ? std::int64_t{0} : VarAsType(Value, varCurrency).RawCurrency());
}
void TuiCurrencyValueType::WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    WriteCurrencyProc(AStream, Load<std::int64_t>(Buffer));
}

int TuiDateTimeValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    const double a = Load<double>(AValue1), b = Load<double>(AValue2);
    return a == b ? 0 : (a > b ? 1 : -1);
}
void TuiDateTimeValueType::GetDataValue(TuiValueBuffer Buffer, Variant& Value) const {
    Value = Variant::Date(Load<double>(Buffer));
}
void TuiDateTimeValueType::GetDefaultDisplayText(TuiValueBuffer Buffer, std::string& Text) const {
    Variant v;
    GetDataValue(Buffer, v);
    try {
        Text = VarToStr(v);
    } catch (const EVariantError&) {
        Text = DateTimeToStr(v.RawDouble());
    }
}
void TuiDateTimeValueType::ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    Store(Buffer, ReadDateTimeFunc(AStream));
}
void TuiDateTimeValueType::SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const {
    Store(Buffer, NoValue(Value) ? 0.0 : VarToDateTime(Value));
}
void TuiDateTimeValueType::WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    WriteDateTimeProc(AStream, Load<double>(Buffer));
}

int TuiLargeIntValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    return Sign(Load<std::int64_t>(AValue1), Load<std::int64_t>(AValue2));
}
void TuiLargeIntValueType::GetDataValue(TuiValueBuffer Buffer, Variant& Value) const {
    Value = Variant(Load<std::int64_t>(Buffer));
}
void TuiLargeIntValueType::ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    Store(Buffer, ReadLargeIntFunc(AStream));
}
void TuiLargeIntValueType::SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const {
    Store(Buffer, NoValue(Value) ? std::int64_t{0} : VarToInt64(Value));
}
void TuiLargeIntValueType::WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const {
    WriteLargeIntProc(AStream, Load<std::int64_t>(Buffer));
}

int TuiFMTBcdValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    return BcdCompare(Load<TBcd>(AValue1), Load<TBcd>(AValue2));
}
void TuiFMTBcdValueType::GetDataValue(TuiValueBuffer Buffer, Variant& Value) const {
    Value = Variant::Bcd(Load<TBcd>(Buffer));
}
void TuiFMTBcdValueType::GetDefaultDisplayText(TuiValueBuffer Buffer, std::string& Text) const {
    const TBcd bcd = Load<TBcd>(Buffer);
    Text = BcdToStrF(bcd, ffGeneral, MaxFMTBcdDigits, 0);
}
void TuiFMTBcdValueType::SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const {
    Store(Buffer, NoValue(Value) ? TBcd{} : VarAsType(Value, varFMTBcd).RawBcd());
}

int TuiSQLTimeStampValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    return SQLTimeStampCompare(Load<TSQLTimeStamp>(AValue1), Load<TSQLTimeStamp>(AValue2));
}
void TuiSQLTimeStampValueType::GetDataValue(TuiValueBuffer Buffer, Variant& Value) const {
    Value = Variant::SQLTimeStamp(Load<TSQLTimeStamp>(Buffer));
}
void TuiSQLTimeStampValueType::SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const {
    Store(Buffer, NoValue(Value) ? TSQLTimeStamp{} : VarAsType(Value, varSQLTimeStamp).RawSQLTimeStamp());
}

// ------------------------------------------------------------------------------------------------ variant
int TuiVariantValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    return CompareHeld<Variant>(AValue1, AValue2,
                                [](const Variant& a, const Variant& b) { return CompareVariants(a, b); });
}

void TuiVariantValueType::FreeBuffer(TuiValueBuffer Buffer) const {
    delete Load<Variant*>(Buffer);
    Store<Variant*>(Buffer, nullptr);
}

void TuiVariantValueType::GetDataValue(TuiValueBuffer Buffer, Variant& Value) const {
    const Variant* v = Load<Variant*>(Buffer);
    Value = v != nullptr ? *v : Variant::Null();
}

void TuiVariantValueType::SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const {
    Variant* v = Load<Variant*>(Buffer);
    if (v == nullptr) {
        v = new Variant;
        Store(Buffer, v);
    }
    *v = Value;
}

const void* TuiVariantValueType::PrepareValueBuffer(TuiValueBuffer Buffer) const { return Load<void*>(Buffer); }

// ------------------------------------------------------------------------------------------------- object
int TuiObjectValueType::CompareStoredValues(const void* AValue1, const void* AValue2) const {
    return Sign(Load<std::int64_t>(AValue1), Load<std::int64_t>(AValue2));
}

void TuiObjectValueType::FreeBuffer(TuiValueBuffer Buffer) const {
    // Only an object given as an object is freed: an integer from a variant is no address.
    delete GetObject(Buffer);
    Store<std::int64_t>(Buffer, 0);
    Buffer[8] = 0;
}

void TuiObjectValueType::GetDataValue(TuiValueBuffer Buffer, Variant& Value) const {
    if (Buffer[8] != 0) Value = Variant::Null();
    else Value = Variant(static_cast<int>(Load<std::int64_t>(Buffer)));
}

void TuiObjectValueType::SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const {
    const std::int32_t v = NoValue(Value) ? 0 : static_cast<std::int32_t>(VarAsType(Value, varInteger).RawInteger());
    FreeBuffer(Buffer);
    Store<std::int64_t>(Buffer, v);
}

void TuiObjectValueType::SetObject(TuiValueBuffer Buffer, TObject* AObject) {
    ValueTypeClass<TuiObjectValueType>()->FreeBuffer(Buffer);
    Store(Buffer, AObject);
    Buffer[8] = AObject != nullptr ? 1 : 0;
}

TObject* TuiObjectValueType::GetObject(TuiValueBuffer Buffer) {
    return Buffer[8] != 0 ? Load<TObject*>(Buffer) : nullptr;
}

// ------------------------------------------------------------------------------------------ registration
TuiValueTypeClass TuiValueTypeClassList::ItemByCaption(const std::string& ACaption) const {
    for (TuiValueTypeClass c : items_)
        if (c->TypeCaption() == ACaption) return c;
    return nullptr;
}

void TuiValueTypeClassList::RegisterItem(TuiValueTypeClass AValueTypeClass) {
    if (std::find(items_.begin(), items_.end(), AValueTypeClass) == items_.end()) items_.push_back(AValueTypeClass);
}

void TuiValueTypeClassList::UnregisterItem(TuiValueTypeClass AValueTypeClass) {
    items_.erase(std::remove(items_.begin(), items_.end(), AValueTypeClass), items_.end());
}

namespace {
TuiValueTypeClassList*& ListInstance() {
    static TuiValueTypeClassList* list = nullptr;
    return list;
}

std::vector<TuiValueTypeClass> AllValueTypes() {
    return {ValueTypeClass<TuiStringValueType>(),   ValueTypeClass<TuiWideStringValueType>(),
            ValueTypeClass<TuiSmallintValueType>(), ValueTypeClass<TuiIntegerValueType>(),
            ValueTypeClass<TuiWordValueType>(),     ValueTypeClass<TuiBooleanValueType>(),
            ValueTypeClass<TuiFloatValueType>(),    ValueTypeClass<TuiCurrencyValueType>(),
            ValueTypeClass<TuiDateTimeValueType>(), ValueTypeClass<TuiLargeIntValueType>(),
            ValueTypeClass<TuiFMTBcdValueType>(),   ValueTypeClass<TuiSQLTimeStampValueType>(),
            ValueTypeClass<TuiVariantValueType>(),  ValueTypeClass<TuiObjectValueType>()};
}
}  // namespace

TuiValueTypeClassList* uiValueTypeClassList() {
    if (ListInstance() == nullptr) ListInstance() = new TuiValueTypeClassList;
    return ListInstance();
}

void uiFreeValueTypeClassList() {
    delete ListInstance();
    ListInstance() = nullptr;
}

void uiDataStorageStartup() {
    for (TuiValueTypeClass c : AllValueTypes()) uiValueTypeClassList()->RegisterItem(c);
}

void uiDataStorageShutdown() {
    const std::vector<TuiValueTypeClass> all = AllValueTypes();
    if (ListInstance() != nullptr)
        for (auto it = all.rbegin(); it != all.rend(); ++it) ListInstance()->UnregisterItem(*it);
    uiFreeValueTypeClassList();
}

}  // namespace zel
