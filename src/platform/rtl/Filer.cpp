#include "platform/rtl/Filer.h"

#include "platform/rtl/Collections.h"
#include "platform/rtl/ScopeExit.h"

namespace zel {

namespace {
[[noreturn]] void InvalidValue() { throw EReadError("Invalid property value"); }
}  // namespace

// ------------------------------------------------------------------------------------------ reader

void TReader::DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& /*WriteData*/,
                             bool /*HasData*/) {
    if (handled_ || !SameText(Name, name_) || !ReadData) return;
    handled_ = true;
    ReadData(*this);
}

void TReader::DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                   const TStreamProc& /*WriteData*/, bool /*HasData*/) {
    if (handled_ || !SameText(Name, name_) || !ReadData) return;
    handled_ = true;
    const TFormValue& v = Expect(TFormValue::TKind::Binary);
    TMemoryStream stream;
    if (!v.Text.empty()) stream.WriteBuffer(v.Text.data(), static_cast<std::int64_t>(v.Text.size()));
    stream.SetPosition(0);
    ReadData(stream);
}

const TFormValue& TReader::Expect(TFormValue::TKind Kind) const {
    if (value_.Kind != Kind) InvalidValue();
    return value_;
}

std::int64_t TReader::ReadInteger() const { return Expect(TFormValue::TKind::Integer).Int; }

bool TReader::ReadBoolean() const {
    if (value_.IsIdent("True")) return true;
    if (value_.IsIdent("False")) return false;
    InvalidValue();
}

double TReader::ReadFloat() const {
    if (value_.Kind == TFormValue::TKind::Integer) return static_cast<double>(value_.Int);
    return Expect(TFormValue::TKind::Float).Float;
}

std::string TReader::ReadString() const { return Expect(TFormValue::TKind::String).Text; }

void TReader::ReadCollection(TCollection& Collection) const {
    const TFormValue& v = Expect(TFormValue::TKind::Collection);
    Collection.BeginUpdate();
    TScopeExit done([&Collection] { Collection.EndUpdate(); });
    Collection.Clear();
    for (const TFormValue::TCollectionItem& stored : v.Collection) {
        TCollectionItem* item = Collection.Add();
        if (readItem_) readItem_(*item, stored);
    }
}

// ------------------------------------------------------------------------------------------ writer

void TWriter::DefineProperty(const std::string& Name, const TReaderProc& /*ReadData*/, const TWriterProc& WriteData,
                             bool HasData) {
    if (!HasData || !WriteData) return;
    TFormValue value;
    current_ = &value;
    WriteData(*this);
    current_ = nullptr;
    Properties.emplace_back(Name, std::move(value));
}

void TWriter::DefineBinaryProperty(const std::string& Name, const TStreamProc& /*ReadData*/,
                                   const TStreamProc& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    TMemoryStream stream;
    WriteData(stream);
    TFormValue value;
    value.Kind = TFormValue::TKind::Binary;
    value.Text = stream.DataString();
    Properties.emplace_back(Name, std::move(value));
}

void TWriter::WriteValue(const TFormValue& Value) {
    if (current_ == nullptr) throw EWriteError("No property is being written");
    *current_ = Value;
}

void TWriter::WriteInteger(std::int64_t Value) {
    TFormValue v;
    v.Kind = TFormValue::TKind::Integer;
    v.Int = Value;
    WriteValue(v);
}

void TWriter::WriteBoolean(bool Value) { WriteIdent(Value ? "True" : "False"); }

void TWriter::WriteString(const std::string& Value) {
    TFormValue v;
    v.Kind = TFormValue::TKind::String;
    v.Text = Value;
    WriteValue(v);
}

void TWriter::WriteIdent(const std::string& Value) {
    TFormValue v;
    v.Kind = TFormValue::TKind::Ident;
    v.Text = Value;
    WriteValue(v);
}

void TWriter::WriteCollection(TCollection& Collection) {
    TFormValue v;
    v.Kind = TFormValue::TKind::Collection;
    for (int i = 0; i < Collection.Count(); ++i) {
        TFormValue::TCollectionItem stored;
        TFormProperties props;
        if (writeItem_) writeItem_(*Collection.GetItem(i), props);
        stored.Properties = std::move(props);
        v.Collection.push_back(std::move(stored));
    }
    WriteValue(v);
}

}  // namespace zel
