// The patch choice by group and number: the group shown for stored bytes, the name list of each group,
// the bytes a chosen group writes and the refusals of slots and cards that hold nothing.
#include <gtest/gtest.h>

#include "editors/PatchSelection.h"
#include "model/Settings.h"

namespace zel::test {
namespace {

void Boards(TConfig& config) {
    config.ExpA = 3;  // a board in slot A
    config.ExpC = 7;  // and in slot C; B and D empty
    config.PCMCard = 2;
}

TEST(PatchSelection, GroupShownForTheStoredBytes) {
    TConfig config;
    Boards(config);
    struct TRow {
        const char* Name;
        std::uint8_t Type, Id;
        int Count;
        int Group;
    };
    const TRow rows[] = {
        {"user", 0, 1, PatchGroupCount, 0},
        {"id 0 reads as user", 0, 0, PatchGroupCount, 0},
        {"GM", 0, 6, PatchGroupCount, 5},
        {"an id past GM", 0, 7, PatchGroupCount, NoGroup},
        {"PCM", 1, 2, PatchGroupCount, PcmGroup},
        {"board of slot C", 2, 7, PatchGroupCount, 8},
        {"a board in no slot", 2, 9, PatchGroupCount, NoGroup},
        {"board id 0", 2, 0, PatchGroupCount, NoGroup},
        {"an unknown type", 5, 1, PatchGroupCount, NoGroup},
        {"rhythm part: GM", 0, 6, RhythmGroupCount, 5},
        {"rhythm part: PCM is none of its groups", 1, 2, RhythmGroupCount, NoGroup},
        {"rhythm part: an expansion board", 2, 3, RhythmGroupCount, NoGroup},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(TPatchSelection::GroupOfBytes(row.Type, row.Id, &config, row.Count), row.Group) << row.Name;
}

TEST(PatchSelection, ListCodeAndGroupBytesOfEachGroup) {
    TConfig config;
    Boards(config);
    struct TRow {
        int Group;
        int ListCode;
        bool Accepted;
        std::array<std::uint8_t, 2> Bytes;
    };
    const TRow rows[] = {
        {0, 61, true, {0, 1}}, {1, 62, true, {0, 2}}, {2, 37, true, {0, 3}},  {3, 38, true, {0, 4}},
        {4, 39, true, {0, 5}}, {5, 40, true, {0, 6}}, {6, 8, true, {2, 3}},   {7, 0, false, {}},
        {8, 16, true, {2, 7}}, {9, 0, false, {}},     {10, 44, true, {1, 2}}, {NoGroup, 0, false, {}},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(TPatchSelection::ListCode(row.Group, &config), row.ListCode) << row.Group;
        std::array<std::uint8_t, 2> bytes{9, 9};
        EXPECT_EQ(TPatchSelection::GroupBytes(row.Group, &config, bytes), row.Accepted) << row.Group;
        if (row.Accepted) {
            EXPECT_EQ(bytes, row.Bytes) << row.Group;
        }
    }
    TConfig noCard;
    std::array<std::uint8_t, 2> bytes{};
    EXPECT_FALSE(TPatchSelection::GroupBytes(PcmGroup, &noCard, bytes));
    EXPECT_EQ(TPatchSelection::ListCode(PcmGroup, &noCard), 0);
}

TEST(PatchSelection, ARefusedGroupKeepsTheAcceptedOneAndAPickPast255KeepsTheNumber) {
    TConfig config;
    Boards(config);
    TPatchSelection selection;
    selection.Show(0, 3, 0x0B, 0x04, &config);
    EXPECT_EQ(selection.LastGroupIndex, 2);
    EXPECT_EQ(selection.PatchNumber, 0xB4);

    std::array<std::uint8_t, 2> bytes{};
    EXPECT_FALSE(selection.ChooseGroup(7, &config, bytes));  // Expansion B: no board
    EXPECT_EQ(selection.LastGroupIndex, 2);
    EXPECT_TRUE(selection.ChooseGroup(0, &config, bytes));
    EXPECT_EQ(selection.LastGroupIndex, 0);

    EXPECT_FALSE(selection.Pick(256));
    EXPECT_FALSE(selection.Pick(-1));
    EXPECT_EQ(selection.PatchNumber, 0xB4);
    EXPECT_TRUE(selection.Pick(12));
    EXPECT_EQ(selection.Run(0, 1), (std::array<std::uint8_t, 4>{0, 1, 0, 12}));

    // With no group shown there is no list to pick from.
    selection.Show(2, 9, 0, 1, &config);
    EXPECT_EQ(selection.LastGroupIndex, NoGroup);
    EXPECT_FALSE(selection.Pick(5));
    EXPECT_EQ(selection.PatchNumber, 1);
}

}  // namespace
}  // namespace zel::test
