#include "editors/NameField.h"

#include <algorithm>
#include <string_view>

#include "platform/vcl/StdCtrls.h"

namespace zel {

namespace {

// The plain letters of the Windows-1252 characters from 80H, blank where there is none.
constexpr std::string_view PlainLetters =
    "          S   Z           s   zY"   // 80H-9FH
    "                                "   // A0H-BFH
    "AAAAAA CEEEEIIII NOOOOO OUUUUY  "   // C0H-DFH
    "aaaaaa ceeeeiiii nooooo ouuuuy y";  // E0H-FFH

}  // namespace

char NameCharacter(char C) {
    const auto b = static_cast<unsigned char>(C);
    if (b >= 0x20 && b <= 0x7E) return C;
    if (b < 0x80) return 0;
    const char plain = PlainLetters[b - 0x80];
    return plain == ' ' ? 0 : plain;
}

std::string NameText(const std::string& Text) {
    std::string kept;
    for (char c : Text)
        if (const char n = NameCharacter(c); n != 0) kept += n;
    return kept;
}

std::array<std::uint8_t, 12> NameFieldBytes(TEdit& Field) {
    const std::string text = Field.GetText();
    std::string kept = NameText(text);
    if (kept != text) {
        const int caret = Field.GetSelStart();
        Field.SetText(kept);
        Field.SetSelStart(std::min(caret, static_cast<int>(kept.size())));
    }
    kept.resize(12, ' ');
    std::array<std::uint8_t, 12> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(kept[i]);
    return bytes;
}

void FilterNameKey(char& Key) {
    if (static_cast<unsigned char>(Key) >= 0x20) Key = NameCharacter(Key);
}

}  // namespace zel
