#pragma once
// The 12-character name field of the performance common editor and the rhythm-set window.
#include <array>
#include <cstdint>

namespace zel {

class TEdit;

// The field's text as the 12 bytes a block holds: characters the instrument cannot show (outside 20H to
// 7EH, as pasted text may bring) are dropped from the field, and blanks are appended.
std::array<std::uint8_t, 12> NameFieldBytes(TEdit& Field);
// A key typed into the field: editing keys (below 20H) pass, a character the instrument cannot show is
// refused.
void FilterNameKey(char& Key);

}  // namespace zel
