#pragma once
// The short warning sound of a refused input. Sounds through Qt; a sink set by a test hears each beep
// instead, so that "beeps" and "does not beep" can be asserted.
#include <functional>

#include "platform/win/WinTypes.h"

namespace zel {

// Sounds the warning of kind AType (0 is the plain one). Always succeeds.
BOOL MessageBeep(UINT AType);
void Beep();

// Replaces the sound with ASink (nullptr: the sound again).
void SetBeepSink(std::function<void(UINT AType)> ASink);

}  // namespace zel
