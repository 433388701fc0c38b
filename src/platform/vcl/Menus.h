#pragma once
// Keyboard short-cuts as menus carry them: a virtual key in the low byte with the modifier bits above it,
// and their text form ("Ctrl+O", "Shift+F4", "Del").
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/vcl/Controls.h"

namespace zel {

using TShortCut = std::uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

// The short-cut of a key and shift state; 0 for a key code above 255.
TShortCut ShortCut(WORD Key, TShiftState Shift);
// The key and shift state of a short-cut.
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// "Shift+", "Ctrl+" and "Alt+" in that order, then the key's name; empty for a key without a name.
std::string ShortCutToText(TShortCut ShortCut);
// The short-cut a text names, ignoring case ("^" also stands for Ctrl); 0 when none.
TShortCut TextToShortCut(std::string_view Text);

}  // namespace zel
