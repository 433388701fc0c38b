#pragma once
// The wave group choice of the editors that pick a wave by group and name (a tone's wave editor, a
// rhythm key's main editor): the items of the group combo, the name list of each group, the two bytes a
// group writes (wave group type, wave group id) and the group that two stored bytes name. A group whose
// expansion slot or PCM card is not configured is refused, and stored bytes naming a board that no slot
// holds name no group: a wave must never be written with another group than the one on show.
#include <array>
#include <cstdint>
#include <optional>

#include "model/Settings.h"

namespace zel {

// The items of the group combo, index = group.
inline constexpr std::array<const char*, 7> WaveGroupItems = {
    "Internal A", "Internal B", "Expansion A", "Expansion B", "Expansion C", "Expansion D", "PCM"};

enum TWaveGroup : int {
    wgNone = -1,  // the stored bytes name no group the program knows of
    wgInternalA = 0,
    wgInternalB = 1,
    wgExpansionA = 2,  // .. wgExpansionA + 3: slots A..D
    wgPCM = 6,
};

// The wave group types of the first stored byte.
inline constexpr std::uint8_t WaveTypeInternal = 0;
inline constexpr std::uint8_t WaveTypePCM = 1;
inline constexpr std::uint8_t WaveTypeExpansion = 2;

// Wave numbers run 0..255: the stored high and low nibbles carry no more.
inline constexpr int MaxWaveNumber = 255;

// The number of the name picker's list holding the wave names of a group: Internal A 1, Internal B 2,
// an expansion slot's board x 2 + 1, the PCM card x 2 + 39. 0 (no list) for a group that is not
// configured or no group.
int WaveListCode(int Group, const TConfig& Config);

// The bytes (wave group type, wave group id) that choosing Group writes; none when the group is refused
// (an expansion slot without a board, PCM without a card, no group).
std::optional<std::array<std::uint8_t, 2>> WaveGroupBytes(int Group, const TConfig& Config);

// The group that stored bytes (type, id) name: internal id 0 or 1 is A, 2 is B; PCM is PCM; an expansion
// board is the slot holding it. wgNone for a board in no slot (or board 0) and for bytes no group has.
int WaveGroupOfBytes(std::uint8_t Type, std::uint8_t Id, const TConfig& Config);

// The stored wave number bytes (high nibble, low nibble) and back.
inline std::array<std::uint8_t, 2> WaveNumberBytes(int Number) {
    return {static_cast<std::uint8_t>(Number / 16), static_cast<std::uint8_t>(Number % 16)};
}
inline int WaveNumberOf(std::uint8_t High, std::uint8_t Low) { return High * 16 + Low; }
// Whether a picked index can be stored as a wave number.
inline bool WaveNumberFits(int Number) { return Number >= 0 && Number <= MaxWaveNumber; }

}  // namespace zel
