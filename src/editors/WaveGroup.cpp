#include "editors/WaveGroup.h"

namespace zel {

namespace {
// The board configured for expansion slot 0..3.
int BoardOfSlot(int Slot, const TConfig& Config) {
    switch (Slot) {
        case 0: return Config.ExpA;
        case 1: return Config.ExpB;
        case 2: return Config.ExpC;
        case 3: return Config.ExpD;
        default: return 0;
    }
}
}  // namespace

int WaveListCode(int Group, const TConfig& Config) {
    if (Group == wgInternalA || Group == wgInternalB) return Group + 1;
    if (Group >= wgExpansionA && Group < wgPCM) {
        const int board = BoardOfSlot(Group - wgExpansionA, Config);
        return board > 0 ? board * 2 + 1 : 0;
    }
    if (Group == wgPCM) return Config.PCMCard > 0 ? Config.PCMCard * 2 + 39 : 0;
    return 0;
}

std::optional<std::array<std::uint8_t, 2>> WaveGroupBytes(int Group, const TConfig& Config) {
    if (Group == wgInternalA || Group == wgInternalB)
        return std::array<std::uint8_t, 2>{WaveTypeInternal, static_cast<std::uint8_t>(Group + 1)};
    if (Group >= wgExpansionA && Group < wgPCM) {
        const int board = BoardOfSlot(Group - wgExpansionA, Config);
        if (board <= 0 || board > MaxExpansionCode) return std::nullopt;
        return std::array<std::uint8_t, 2>{WaveTypeExpansion, static_cast<std::uint8_t>(board)};
    }
    if (Group == wgPCM) {
        if (Config.PCMCard <= 0 || Config.PCMCard > MaxPCMCardCode) return std::nullopt;
        return std::array<std::uint8_t, 2>{WaveTypePCM, static_cast<std::uint8_t>(Config.PCMCard)};
    }
    return std::nullopt;
}

int WaveGroupOfBytes(std::uint8_t Type, std::uint8_t Id, const TConfig& Config) {
    switch (Type) {
        case WaveTypeInternal:
            if (Id == 0) return wgInternalA;
            return Id <= 2 ? Id - 1 : wgNone;
        case WaveTypePCM: return wgPCM;
        case WaveTypeExpansion: {
            // Board 0 is no board: it must not match an empty slot.
            if (Id == 0) return wgNone;
            const int slot = Config.ExpansionSlotOf(Id);
            return slot >= 0 ? wgExpansionA + slot : wgNone;
        }
        default: return wgNone;
    }
}

}  // namespace zel
