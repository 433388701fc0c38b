#include "editors/NameField.h"

#include <string>

#include "platform/vcl/StdCtrls.h"

namespace zel {

std::array<std::uint8_t, 12> NameFieldBytes(TEdit& Field) {
    const std::string text = Field.GetText();
    std::string kept;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b <= 0x7E) kept += c;
    }
    if (kept != text) {
        Field.SetText(kept);
        Field.SetSelStart(static_cast<int>(kept.size()));
    }
    kept.resize(12, ' ');
    std::array<std::uint8_t, 12> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(kept[i]);
    return bytes;
}

void FilterNameKey(char& Key) {
    if (static_cast<unsigned char>(Key) >= 0x7F) Key = 0;
}

}  // namespace zel
