#pragma once
// System sounds by alias. There are no system sounds on Linux: a play request is accepted, changes nothing
// audible and is recorded, so that callers and tests can see what would have played.
#include <string>
#include <vector>

#include "platform/win/WinTypes.h"

namespace zel {

constexpr DWORD SND_SYNC = 0x0000, SND_ASYNC = 0x0001, SND_NODEFAULT = 0x0002, SND_MEMORY = 0x0004, SND_LOOP = 0x0008,
                SND_NOSTOP = 0x0010, SND_NOWAIT = 0x00002000, SND_ALIAS = 0x00010000, SND_FILENAME = 0x00020000,
                SND_RESOURCE = 0x00040004;

struct TPlayedSound {
    std::string Sound;
    DWORD Flags = 0;
};

// Records the request; answers TRUE for an alias played asynchronously without default and without waiting,
// FALSE otherwise (nothing else is supported).
BOOL PlaySoundA(const char* Sound, HINSTANCE Module, DWORD Flags);
// The requests recorded so far, oldest first, and their reset.
const std::vector<TPlayedSound>& PlayedSounds();
void ClearPlayedSounds();

}  // namespace zel
