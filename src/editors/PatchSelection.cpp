#include "editors/PatchSelection.h"

#include "model/Settings.h"
#include "platform/rtl/StringList.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

namespace {
const char* const GroupNames[PatchGroupCount] = {"User",        "Card",        "Preset A",    "Preset B",
                                                 "Preset C",    "GM",          "Expansion A", "Expansion B",
                                                 "Expansion C", "Expansion D", "PCM"};

// The board code configured for expansion slot 0..3 (A..D); 0 for none.
int BoardOfSlot(int Slot, const TConfig* Config) {
    if (Config == nullptr) return 0;
    switch (Slot) {
        case 0: return Config->ExpA;
        case 1: return Config->ExpB;
        case 2: return Config->ExpC;
        case 3: return Config->ExpD;
        default: return 0;
    }
}

int PcmCardOf(const TConfig* Config) { return Config != nullptr ? Config->PCMCard : 0; }
}  // namespace

void TPatchSelection::FillGroups(TComboBox& Combo, int Count) {
    TStrings* items = Combo.Items();
    items->Clear();
    for (int i = 0; i < Count && i < PatchGroupCount; ++i) items->Add(GroupNames[i]);
}

int TPatchSelection::GroupOfBytes(std::uint8_t Type, std::uint8_t Id, const TConfig* Config, int Count) {
    int group = NoGroup;
    if (Type == 0) {
        if (Id == 0) group = 0;
        else if (Id <= RhythmGroupCount) group = Id - 1;
    } else if (Type == 1) {
        group = PcmGroup;
    } else if (Type == 2 && Id != 0 && Config != nullptr) {
        // A board that no slot holds has no group: its names cannot be listed.
        const int slot = Config->ExpansionSlotOf(Id);
        if (slot >= 0 && slot <= 3) group = FirstExpansionGroup + slot;
    }
    return group < Count ? group : NoGroup;
}

int TPatchSelection::ListCode(int Group, const TConfig* Config) {
    if (Group == 0 || Group == 1) return 61 + Group;
    if (Group >= 2 && Group <= 5) return 35 + Group;
    if (Group >= FirstExpansionGroup && Group < PcmGroup) {
        const int board = BoardOfSlot(Group - FirstExpansionGroup, Config);
        return board != 0 ? board * 2 + 2 : 0;
    }
    if (Group == PcmGroup) {
        const int card = PcmCardOf(Config);
        return card != 0 ? card * 2 + 40 : 0;
    }
    return 0;
}

bool TPatchSelection::GroupBytes(int Group, const TConfig* Config, std::array<std::uint8_t, 2>& Bytes) {
    if (Group >= 0 && Group < FirstExpansionGroup) {
        Bytes = {0, static_cast<std::uint8_t>(Group + 1)};
        return true;
    }
    if (Group >= FirstExpansionGroup && Group < PcmGroup) {
        const int board = BoardOfSlot(Group - FirstExpansionGroup, Config);
        if (board <= 0 || board > 0x7F) return false;
        Bytes = {2, static_cast<std::uint8_t>(board)};
        return true;
    }
    if (Group == PcmGroup) {
        const int card = PcmCardOf(Config);
        if (card <= 0 || card > 0x7F) return false;
        Bytes = {1, static_cast<std::uint8_t>(card)};
        return true;
    }
    return false;
}

void TPatchSelection::Show(std::uint8_t Type, std::uint8_t Id, std::uint8_t High, std::uint8_t Low,
                           const TConfig* Config, int Count) {
    PatchNumber = High * 16 + Low;
    LastGroupIndex = GroupOfBytes(Type, Id, Config, Count);
}

bool TPatchSelection::ChooseGroup(int Index, const TConfig* Config, std::array<std::uint8_t, 2>& Bytes) {
    if (!GroupBytes(Index, Config, Bytes)) return false;
    LastGroupIndex = Index;
    return true;
}

bool TPatchSelection::NumberFits() const { return PatchNumber >= 0 && PatchNumber <= HighestPatchNumber; }

bool TPatchSelection::Pick(int Index) {
    if (LastGroupIndex == NoGroup || Index < 0 || Index > HighestPatchNumber) return false;
    PatchNumber = Index;
    return true;
}

std::array<std::uint8_t, 4> TPatchSelection::Run(std::uint8_t Type, std::uint8_t Id) const {
    return {Type, Id, static_cast<std::uint8_t>(PatchNumber >> 4), static_cast<std::uint8_t>(PatchNumber & 0x0F)};
}

}  // namespace zel
