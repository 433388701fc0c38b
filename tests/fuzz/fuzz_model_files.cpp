// libFuzzer entry point over the .Syx and .Lib readers: any input must be read whole or refused with an
// exception, never read past its end, and whatever is read must write back to a file that reads to the
// same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>

#include "model/Library.h"
#include "model/Patch.h"
#include "platform/rtl/Streams.h"

namespace {

using namespace zel;

void Check(bool ok) {
    if (!ok) std::abort();
}

void FillStream(TMemoryStream& stream, const std::uint8_t* data, std::size_t size) {
    if (size > 0) stream.WriteBuffer(data, static_cast<std::int64_t>(size));
    stream.SetPosition(0);
}

std::string Written(TLibElem& element, bool record) {
    TMemoryStream out;
    if (record) element.WriteLibRecord(out);
    else element.WriteSyx(out);
    return out.DataString();
}

void FuzzSyx(const std::uint8_t* data, std::size_t size) {
    for (std::uint8_t xp : {std::uint8_t{0}, std::uint8_t{1}}) {
        XpFormat = xp;
        TPatch patch(nullptr);
        TMemoryStream in;
        FillStream(in, data, size);
        try {
            patch.ReadSyx(in);
        } catch (const Exception&) {
            continue;
        }
        // What was read writes back and reads again to the same body.
        const std::string once = Written(patch, false);
        TPatch again(nullptr);
        TMemoryStream second;
        FillStream(second, reinterpret_cast<const std::uint8_t*>(once.data()), once.size());
        again.ReadSyx(second);
        Check(Written(again, false) == once);
    }
    XpFormat = 0;
}

void FuzzLib(const std::uint8_t* data, std::size_t size) {
    TLibrary library;
    TMemoryStream in;
    FillStream(in, data, size);
    try {
        library.ReadFile(in);
    } catch (const Exception&) {
        Check(library.Elements.empty() && library.Notes.Count() == 0);
        return;
    }
    TMemoryStream once;
    library.WriteFile(once);
    const std::string first = once.DataString();
    TLibrary again;
    once.SetPosition(0);
    again.ReadFile(once);
    TMemoryStream twice;
    again.WriteFile(twice);
    Check(twice.DataString() == first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSyx(data, size);
    FuzzLib(data, size);
    return 0;
}
