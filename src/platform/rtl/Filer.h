#pragma once
// Extra stream properties. Besides the properties of its class's property table, an object may store
// properties of its own: its DefineProperties names each one with a read and a write callback (values
// through TReader and TWriter) or, for raw bytes, with two stream callbacks (DefineBinaryProperty, written
// as "{ ... }" hexadecimal in the form text). A property is written only when the object says it has data.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/FormText.h"
#include "platform/rtl/Streams.h"

namespace zel {

class TReader;
class TWriter;
class TCollection;

using TReaderProc = std::function<void(TReader& Reader)>;
using TWriterProc = std::function<void(TWriter& Writer)>;
using TStreamProc = std::function<void(TStream& Stream)>;

// The properties of one stored object (or one collection item), in the order they stand.
using TFormProperties = std::vector<std::pair<std::string, TFormValue>>;

// What DefineProperties talks to: a reader looking for one property, or a writer collecting them.
class TFiler : public TObject {
public:
    std::string ClassName() const override { return "TFiler"; }

    // A property with value callbacks; HasData tells a writer whether to write it at all.
    virtual void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                                bool HasData) = 0;
    // A property of raw bytes; ReadData gets a stream holding exactly the stored bytes, at its start.
    virtual void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                      const TStreamProc& WriteData, bool HasData) = 0;

    // While writing against an ancestor: the ancestor's counterpart of the object (its class's instance);
    // nullptr otherwise. A DefineProperties compares with it to decide HasData.
    TPersistent* Ancestor = nullptr;
};

// Reads one stored property through the DefineProperties of an object. Handled() tells afterwards whether
// the object defined a property of that name.
class TReader : public TFiler {
public:
    // How the properties of a collection item are applied (the form reader's property tables).
    using TItemReader = std::function<void(TPersistent& Item, const TFormValue::TCollectionItem& Stored)>;

    TReader(std::string PropertyName, const TFormValue& Value, TItemReader ReadItem = {})
        : name_(std::move(PropertyName)), value_(Value), readItem_(std::move(ReadItem)) {}
    std::string ClassName() const override { return "TReader"; }

    void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;
    bool Handled() const { return handled_; }

    // The stored value in the kind asked for; another kind raises EReadError "Invalid property value".
    const TFormValue& Value() const { return value_; }
    std::int64_t ReadInteger() const;
    bool ReadBoolean() const;
    double ReadFloat() const;  // an integer reads as a float too
    std::string ReadString() const;
    // Clears the collection and adds one item per stored item, each read by the item reader.
    void ReadCollection(TCollection& Collection) const;

private:
    const TFormValue& Expect(TFormValue::TKind Kind) const;
    std::string name_;
    const TFormValue& value_;
    TItemReader readItem_;
    bool handled_ = false;
};

// Collects the defined properties of an object that have data, in the order they are defined.
class TWriter : public TFiler {
public:
    // How the properties of a collection item are written (the component writer's property tables).
    using TItemWriter = std::function<void(TPersistent& Item, TFormProperties& Out)>;

    explicit TWriter(TItemWriter WriteItem = {}) : writeItem_(std::move(WriteItem)) {}
    std::string ClassName() const override { return "TWriter"; }

    void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;

    // Each sets the value of the property being written.
    void WriteInteger(std::int64_t Value);
    void WriteBoolean(bool Value);
    void WriteString(const std::string& Value);
    void WriteIdent(const std::string& Value);
    void WriteValue(const TFormValue& Value);
    void WriteCollection(TCollection& Collection);

    // What was written.
    TFormProperties Properties;

private:
    TFormValue* current_ = nullptr;
    TItemWriter writeItem_;
};

}  // namespace zel
