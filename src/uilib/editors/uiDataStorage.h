#pragma once
// Value types: how one kind of value lives in a raw record buffer of fixed size (its size, variant kind,
// comparison, conversion to and from a variant, stream form) and how a display text is kept beside it.
// A value type has no instance data: each class has one shared instance that stands for the class, and the
// registration list holds those.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Variants.h"

namespace zel {

// A value buffer, and a display-text buffer (which holds one pointer to a heap string, or nullptr).
using TuiValueBuffer = std::uint8_t*;
using TuiTextBuffer = std::uint8_t*;

class TuiValueType;
// The class of a value type: its shared instance.
using TuiValueTypeClass = const TuiValueType*;

class TuiValueType {
public:
    virtual ~TuiValueType() = default;
    virtual std::string ClassName() const = 0;

    // The operations, in their slot order. Pointer-held buffers (strings, variants, objects) take 8 bytes.
    virtual int CompareBuffers(TuiValueBuffer Buffer1, TuiValueBuffer Buffer2) const;
    virtual void FreeBuffer(TuiValueBuffer Buffer) const;
    virtual void FreeTextBuffer(TuiTextBuffer ATextBuffer) const;
    virtual int BufferSize() const;
    virtual void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const;
    virtual void GetDefaultDisplayText(TuiValueBuffer Buffer, std::string& Text) const;
    virtual void TextFromBuffer(TuiTextBuffer ATextBuffer, std::string& Text) const;
    virtual void ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const;
    virtual void ReadDisplayText(TuiTextBuffer ATextBuffer, TStream& AStream) const;
    virtual void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const;
    virtual void SetDisplayText(TuiTextBuffer ATextBuffer, const std::string& Text) const;
    virtual void WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const;
    virtual void WriteDisplayText(TuiTextBuffer ATextBuffer, TStream& AStream) const;
    // The class name without a leading "Tui" and without "ValueType": TuiIntegerValueType → Integer.
    std::string TypeCaption() const;
    virtual int CompareStoredValues(const void* AValue1, const void* AValue2) const;
    virtual void ValueAsVariant(TuiValueBuffer Buffer, Variant& Value) const;
    virtual TVarType VariantKind() const;
    // True for Null or when the kind is varVariant; otherwise casts Value to the kind in place, false (and
    // Value unchanged) when the cast raises a variant error.
    bool ConvertVariant(Variant& Value) const;
    virtual bool IsString() const;
    // For pointer-held kinds: the address of the pointed value (nullptr when none); else the buffer itself.
    virtual const void* PrepareValueBuffer(TuiValueBuffer Buffer) const;
};

class TuiStringValueType : public TuiValueType {
public:
    std::string ClassName() const override { return "TuiStringValueType"; }
    int CompareStoredValues(const void* AValue1, const void* AValue2) const override;
    void FreeBuffer(TuiValueBuffer Buffer) const override;
    int BufferSize() const override { return 8; }
    void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const override;
    void ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const override;
    void WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    TVarType VariantKind() const override { return varString; }
    bool IsString() const override { return true; }
    const void* PrepareValueBuffer(TuiValueBuffer Buffer) const override;
};

class TuiWideStringValueType : public TuiStringValueType {
public:
    std::string ClassName() const override { return "TuiWideStringValueType"; }
    int CompareStoredValues(const void* AValue1, const void* AValue2) const override;
    void FreeBuffer(TuiValueBuffer Buffer) const override;
    void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const override;
    void ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const override;
    void WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    TVarType VariantKind() const override { return varOleStr; }
};

class TuiSmallintValueType : public TuiValueType {
public:
    std::string ClassName() const override { return "TuiSmallintValueType"; }
    int CompareStoredValues(const void* AValue1, const void* AValue2) const override;
    int BufferSize() const override { return 2; }
    void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const override;
    void ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const override;
    void WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    TVarType VariantKind() const override { return varSmallint; }
};

class TuiIntegerValueType : public TuiValueType {
public:
    std::string ClassName() const override { return "TuiIntegerValueType"; }
    int CompareStoredValues(const void* AValue1, const void* AValue2) const override;
    int BufferSize() const override { return 4; }
    void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const override;
    void ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const override;
    void WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    TVarType VariantKind() const override { return varInteger; }
};

class TuiWordValueType : public TuiValueType {
public:
    std::string ClassName() const override { return "TuiWordValueType"; }
    int CompareStoredValues(const void* AValue1, const void* AValue2) const override;
    int BufferSize() const override { return 2; }
    void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const override;
    void ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const override;
    void WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    TVarType VariantKind() const override { return varWord; }
};

class TuiBooleanValueType : public TuiValueType {
public:
    std::string ClassName() const override { return "TuiBooleanValueType"; }
    int CompareStoredValues(const void* AValue1, const void* AValue2) const override;
    int BufferSize() const override { return 1; }
    void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const override;
    void GetDefaultDisplayText(TuiValueBuffer Buffer, std::string& Text) const override;
    void ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const override;
    void WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    TVarType VariantKind() const override { return varBoolean; }
};

class TuiFloatValueType : public TuiValueType {
public:
    std::string ClassName() const override { return "TuiFloatValueType"; }
    int CompareStoredValues(const void* AValue1, const void* AValue2) const override;
    int BufferSize() const override { return 8; }
    void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const override;
    void ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const override;
    void WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    TVarType VariantKind() const override { return varDouble; }
};

class TuiCurrencyValueType : public TuiValueType {
public:
    std::string ClassName() const override { return "TuiCurrencyValueType"; }
    int CompareStoredValues(const void* AValue1, const void* AValue2) const override;
    int BufferSize() const override { return 8; }
    void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const override;
    void ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const override;
    void WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    TVarType VariantKind() const override { return varCurrency; }
};

class TuiDateTimeValueType : public TuiValueType {
public:
    std::string ClassName() const override { return "TuiDateTimeValueType"; }
    int CompareStoredValues(const void* AValue1, const void* AValue2) const override;
    int BufferSize() const override { return 8; }
    void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const override;
    void GetDefaultDisplayText(TuiValueBuffer Buffer, std::string& Text) const override;
    void ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const override;
    void WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    TVarType VariantKind() const override { return varDate; }
};

class TuiLargeIntValueType : public TuiValueType {
public:
    std::string ClassName() const override { return "TuiLargeIntValueType"; }
    int CompareStoredValues(const void* AValue1, const void* AValue2) const override;
    int BufferSize() const override { return 8; }
    void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const override;
    void ReadDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const override;
    void WriteDataValue(TuiValueBuffer Buffer, TStream& AStream) const override;
    TVarType VariantKind() const override { return varInt64; }
};

class TuiFMTBcdValueType : public TuiValueType {
public:
    std::string ClassName() const override { return "TuiFMTBcdValueType"; }
    int CompareStoredValues(const void* AValue1, const void* AValue2) const override;
    int BufferSize() const override { return 34; }
    void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const override;
    void GetDefaultDisplayText(TuiValueBuffer Buffer, std::string& Text) const override;
    void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const override;
    TVarType VariantKind() const override { return varFMTBcd; }
};

class TuiSQLTimeStampValueType : public TuiValueType {
public:
    std::string ClassName() const override { return "TuiSQLTimeStampValueType"; }
    int CompareStoredValues(const void* AValue1, const void* AValue2) const override;
    int BufferSize() const override { return 16; }
    void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const override;
    void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const override;
    TVarType VariantKind() const override { return varSQLTimeStamp; }
};

class TuiVariantValueType : public TuiValueType {
public:
    std::string ClassName() const override { return "TuiVariantValueType"; }
    int CompareStoredValues(const void* AValue1, const void* AValue2) const override;
    void FreeBuffer(TuiValueBuffer Buffer) const override;
    int BufferSize() const override { return 8; }
    void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const override;
    void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const override;
    const void* PrepareValueBuffer(TuiValueBuffer Buffer) const override;
};

// Holds an object reference (which the buffer owns) or an integer from a variant, and knows which: the
// buffer is the 8-byte reference or integer, then one byte that is 1 for an owned object.
class TuiObjectValueType : public TuiIntegerValueType {
public:
    std::string ClassName() const override { return "TuiObjectValueType"; }
    int CompareStoredValues(const void* AValue1, const void* AValue2) const override;
    void FreeBuffer(TuiValueBuffer Buffer) const override;
    int BufferSize() const override { return 16; }
    // An integer value; Null for an object, which no integer stands for.
    void GetDataValue(TuiValueBuffer Buffer, Variant& Value) const override;
    void ReadDataValue(TuiValueBuffer, TStream&) const override {}
    void SetDataValue(TuiValueBuffer Buffer, const Variant& Value) const override;
    void WriteDataValue(TuiValueBuffer, TStream&) const override {}
    // Puts an object in the buffer, freeing what it held; the buffer owns the object from then on.
    static void SetObject(TuiValueBuffer Buffer, TObject* AObject);
    static TObject* GetObject(TuiValueBuffer Buffer);  // nullptr when the buffer holds an integer
};

// The registered value-type classes.
class TuiValueTypeClassList : public TObject {
public:
    std::string ClassName() const override { return "TuiValueTypeClassList"; }
    int Count() const { return static_cast<int>(items_.size()); }
    TuiValueTypeClass Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)); }
    TuiValueTypeClass ItemByCaption(const std::string& ACaption) const;  // nullptr when none
    void RegisterItem(TuiValueTypeClass AValueTypeClass);                // once
    void UnregisterItem(TuiValueTypeClass AValueTypeClass);

private:
    std::vector<TuiValueTypeClass> items_;
};

// The shared instance of each class.
template <class T>
TuiValueTypeClass ValueTypeClass() {
    static const T instance;
    return &instance;
}

// The process's list, made on first use; freed by the unit's shutdown.
TuiValueTypeClassList* uiValueTypeClassList();
void uiFreeValueTypeClassList();

// The unit's start-up (registers the fourteen classes) and shutdown (unregisters them, frees the list).
void uiDataStorageStartup();
void uiDataStorageShutdown();

}  // namespace zel
