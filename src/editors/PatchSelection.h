#pragma once
// The choice of a patch by group and number, as the parts editor and the system setup editor make it:
// a group combo of eleven groups ("User", "Card", the four preset groups, the four expansion slots and
// "PCM"; a rhythm part offers only the first six) over the group type and id bytes, and a number 0..255
// over two nibbles, picked by name from the group's name list. A choice is written as one 4-byte run:
// group type, group id, number high nibble, number low nibble.
#include <array>
#include <cstdint>
#include <string>

namespace zel {

class TComboBox;
class TConfig;

// The group combo's indexes.
inline constexpr int PatchGroupCount = 11;     // a patch: User .. PCM
inline constexpr int RhythmGroupCount = 6;     // a rhythm set: User .. GM
inline constexpr int FirstExpansionGroup = 6;  // Expansion A .. D are 6..9
inline constexpr int PcmGroup = 10;
inline constexpr int NoGroup = -1;
// The highest number the two nibbles carry.
inline constexpr int HighestPatchNumber = 255;

class TPatchSelection {
public:
    // The combo's items: the eleven patch groups, or the first six for a rhythm set.
    static void FillGroups(TComboBox& Combo, int Count);
    // The group index of the stored type and id bytes: type 0 with id 1..6 the user, card and preset
    // groups (id 0 reads as "User"), type 1 "PCM", type 2 the expansion slot that holds the board. A
    // board in no slot, an unknown type or id, or a group beyond the Count offered is no group (-1).
    static int GroupOfBytes(std::uint8_t Type, std::uint8_t Id, const TConfig* Config, int Count = PatchGroupCount);
    // The name list that holds the names of a group: User 61, Card 62, Preset A..C and GM 37..40, an
    // expansion slot its board's code x 2 + 2, PCM the card's code x 2 + 40; 0 for no group, and for a
    // slot or card that holds nothing.
    static int ListCode(int Group, const TConfig* Config);
    // The type and id bytes of a group; false (nothing to write) for an expansion slot without a board,
    // "PCM" without a card, or an index that is no group.
    static bool GroupBytes(int Group, const TConfig* Config, std::array<std::uint8_t, 2>& Bytes);

    // Takes the stored bytes 2..5 of a part (or their twins): the group shown and the number (high x 16 +
    // low, which a stored nibble past 15 takes beyond 255).
    void Show(std::uint8_t Type, std::uint8_t Id, std::uint8_t High, std::uint8_t Low, const TConfig* Config,
              int Count = PatchGroupCount);
    // The user chose group Index: true with the bytes to write, and the group becomes the accepted one;
    // false when it is refused, and the combo goes back to the accepted group.
    bool ChooseGroup(int Index, const TConfig* Config, std::array<std::uint8_t, 2>& Bytes);
    // A number picked by name: false (the number stays) beyond the 256 numbers the nibbles carry, or
    // while no group is shown (there is no list to pick from).
    bool Pick(int Index);
    // Whether the number is one the two nibbles carry; a stored number beyond them is never rewritten.
    bool NumberFits() const;
    // The 4-byte run of the stored group bytes and the number.
    std::array<std::uint8_t, 4> Run(std::uint8_t Type, std::uint8_t Id) const;

    int PatchNumber = 0;           // 0..255
    int LastGroupIndex = NoGroup;  // the group accepted last (shown), or no group
};

}  // namespace zel
