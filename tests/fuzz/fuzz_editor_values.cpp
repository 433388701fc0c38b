// libFuzzer entry point over the editor values and masks: the tagged variant reader (ANSI and wide
// display texts too) and the classic mask. Any input must be read whole or refused with a read error
// that leaves the target as it was; a value read must write back to bytes that read to an equal value.
// The first input byte chooses what the rest feeds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/rtl/Streams.h"
#include "uilib/editors/uiDataStorage.h"
#include "uilib/editors/uiStandardMask.h"
#include "uilib/editors/uiVariants.h"

namespace {

using namespace zel;

void Check(bool ok) {
    if (!ok) std::abort();
}

void ReadVariant(const std::uint8_t* data, std::size_t size) {
    TMemoryStream s;
    if (size > 0) s.WriteBuffer(data, static_cast<std::int64_t>(size));
    s.SetPosition(0);
    Variant v(12345);
    try {
        ReadStreamVariant(s, v);
    } catch (const EReadError&) {
        Check(v.VType() == varInteger && v.RawInteger() == 12345);
        return;
    }
    TMemoryStream again;
    WriteStreamVariant(again, v);
    again.SetPosition(0);
    Variant back;
    ReadStreamVariant(again, back);
    Check(VariantsEqual(v, back) || (VarIsNull(v) && VarIsNull(back)) || CompareVariants(v, v) != 0);
}

void ReadDisplayText(const std::uint8_t* data, std::size_t size, bool unicode) {
    TMemoryStream s;
    s.Unicode = unicode;
    if (size > 0) s.WriteBuffer(data, static_cast<std::int64_t>(size));
    s.SetPosition(0);
    TuiValueTypeClass type = ValueTypeClass<TuiStringValueType>();
    std::uint8_t text[8] = {};
    try {
        type->ReadDisplayText(text, s);
    } catch (const EReadError&) {
    }
    type->FreeTextBuffer(text);
}

void ApplyMask(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    const std::string mask = input.substr(0, split);
    const std::string text = split == std::string::npos ? std::string() : input.substr(split + 1);
    TuiStandardMask m;
    m.Compile(mask);
    std::string display = text;
    m.Format(display);
    Check(static_cast<int>(display.size()) == m.Count());
    std::string value = display;
    m.ToEditValue(value);
    m.IsFullValid(display);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    switch (data[0] % 4) {
        case 0: ReadVariant(data + 1, size - 1); break;
        case 1: ReadDisplayText(data + 1, size - 1, false); break;
        case 2: ReadDisplayText(data + 1, size - 1, true); break;
        default: ApplyMask(data + 1, size - 1); break;
    }
    return 0;
}
