#include "platform/win/Sound.h"

namespace zel {

namespace {
std::vector<TPlayedSound>& Played() {
    static std::vector<TPlayedSound> played;
    return played;
}
}  // namespace

BOOL PlaySoundA(const char* Sound, HINSTANCE /*Module*/, DWORD Flags) {
    Played().push_back(TPlayedSound{Sound != nullptr ? Sound : "", Flags});
    constexpr DWORD kAliasAsync = SND_ALIAS | SND_ASYNC;
    return (Flags & kAliasAsync) == kAliasAsync ? TRUE : FALSE;
}

const std::vector<TPlayedSound>& PlayedSounds() { return Played(); }
void ClearPlayedSounds() { Played().clear(); }

}  // namespace zel
