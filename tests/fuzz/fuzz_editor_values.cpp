// libFuzzer entry point over the editor values and masks: the tagged variant reader (ANSI and wide
// display texts too), the classic mask and the regular-expression mask engine. Any input must be read
// whole or refused with a read error that leaves the target as it was; a value read must write back to
// bytes that read to an equal value; a mask either compiles or is refused with its errors, and typing into
// a compiled one never leaves it inconsistent. The first input byte chooses what the rest feeds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/rtl/Streams.h"
#include "uilib/editors/uiDataStorage.h"
#include "uilib/editors/uiRegExpr.h"
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

// One flags byte (1: forced characters inserted, 2: case ignored), the mask up to a line feed, then the
// keys typed: 0x08 steps back, 0x7F restarts, any other byte is a character.
void ApplyRegExpr(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    const std::uint8_t flags = data[0];
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = input.find('\n');
    const std::string mask = input.substr(0, split);
    const std::string keys = split == std::string::npos ? std::string() : input.substr(split + 1);
    TuiRegExpr engine;
    engine.CaseInsensitive = (flags & 2) != 0;
    engine.SetAutoLiterals((flags & 1) != 0);
    engine.OnForcedCharAdded = [](char) {};
    engine.OnForcedCharRemoved = [] {};
    TMemoryStream source;
    if (!mask.empty()) source.WriteBuffer(mask.data(), static_cast<std::int64_t>(mask.size()));
    try {
        engine.Compile(&source);
    } catch (const EuiRegExprError& e) {
        Check(e.Errors == &engine.ErrorList && engine.ErrorList.Count() > 0 && !engine.Ready);
        for (int i = 0; i < engine.ErrorList.Count(); ++i) Check(!engine.ErrorList.Items(i).FullText().empty());
        return;
    }
    TuiRegExprAutomat& machine = *engine.Machine;
    for (char key : keys) {
        Check(machine.Current.Count() > 0);
        if (key == '\x08') {
            engine.StepBack();
        } else if (key == '\x7F') {
            engine.Restart();
            Check(engine.AtStart() && machine.History.empty());
        } else {
            const std::vector<TuiRegExprState*> before = machine.Current.List();
            const std::size_t history = machine.History.size();
            char ch = key;
            if (engine.Step(ch)) {
                Check(machine.History.size() > history);
            } else {
                Check(machine.Current.List() == before && machine.History.size() == history);
            }
        }
    }
    // What the filter keeps from a restart is taken again character by character.
    engine.Restart();
    const std::string kept = engine.Filter(keys);
    engine.Restart();
    for (char c : kept) {
        char ch = c;
        Check(machine.Step(ch, engine.CaseInsensitive));
    }
    // The source compiles again into a second engine.
    TuiRegExpr copy;
    copy.Compile(engine.SourceStream());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    switch (data[0] % 5) {
        case 0: ReadVariant(data + 1, size - 1); break;
        case 1: ReadDisplayText(data + 1, size - 1, false); break;
        case 2: ReadDisplayText(data + 1, size - 1, true); break;
        case 3: ApplyMask(data + 1, size - 1); break;
        default: ApplyRegExpr(data + 1, size - 1); break;
    }
    return 0;
}
