// The wave group choice: which list holds a group's names, what choosing a group writes, which group
// stored bytes name, and the refusals of groups that are not configured.
#include <gtest/gtest.h>

#include <optional>

#include "editors/WaveGroup.h"

namespace zel::test {
namespace {

using TPair = std::optional<std::array<std::uint8_t, 2>>;

void Configure(TConfig& config, int A, int B, int C, int D, int Pcm) {
    config.ExpA = A;
    config.ExpB = B;
    config.ExpC = C;
    config.ExpD = D;
    config.PCMCard = Pcm;
}

TEST(WaveGroup, EachGroupWritesItsTypeAndIdAndReadsFromItsList) {
    // Slot A holds board 3, slot B board 17, C and D nothing; PCM card 2.
    TConfig config;
    Configure(config, 3, 17, 0, 0, 2);
    struct TRow {
        const char* name;
        int group;
        TPair bytes;
        int list;
    } rows[] = {
        {"Internal A", wgInternalA, TPair({0, 1}), 1},
        {"Internal B", wgInternalB, TPair({0, 2}), 2},
        {"Expansion A", wgExpansionA, TPair({2, 3}), 7},
        {"Expansion B", wgExpansionA + 1, TPair({2, 17}), 35},
        {"Expansion C, no board", wgExpansionA + 2, std::nullopt, 0},
        {"Expansion D, no board", wgExpansionA + 3, std::nullopt, 0},
        {"PCM", wgPCM, TPair({1, 2}), 43},
        {"no group", wgNone, std::nullopt, 0},
        {"beyond the items", 7, std::nullopt, 0},
    };
    for (const TRow& r : rows) {
        EXPECT_EQ(WaveGroupBytes(r.group, config), r.bytes) << r.name;
        EXPECT_EQ(WaveListCode(r.group, config), r.list) << r.name;
    }
    config.PCMCard = 0;
    EXPECT_EQ(WaveGroupBytes(wgPCM, config), std::nullopt) << "no PCM card";
}

TEST(WaveGroup, StoredBytesNameTheGroupOnShowOrNone) {
    TConfig config;
    Configure(config, 3, 0, 5, 0, 0);
    struct TRow {
        const char* name;
        std::uint8_t type, id;
        int group;
    } rows[] = {
        {"internal 0 is A", 0, 0, wgInternalA},
        {"internal 1", 0, 1, wgInternalA},
        {"internal 2", 0, 2, wgInternalB},
        {"internal 3 is no group", 0, 3, wgNone},
        {"PCM", 1, 4, wgPCM},
        {"board 3 in slot A", 2, 3, wgExpansionA},
        {"board 5 in slot C", 2, 5, wgExpansionA + 2},
        // A board in no slot must not show as Internal A: a pick would be written with its bytes.
        {"board 9 in no slot", 2, 9, wgNone},
        {"board 0 is no board", 2, 0, wgNone},
        {"unknown type", 3, 1, wgNone},
    };
    for (const TRow& r : rows) EXPECT_EQ(WaveGroupOfBytes(r.type, r.id, config), r.group) << r.name;
}

TEST(WaveGroup, WaveNumbersAreTwoNibblesUpTo255) {
    EXPECT_EQ(WaveNumberBytes(200), (std::array<std::uint8_t, 2>{12, 8}));
    EXPECT_EQ(WaveNumberOf(12, 8), 200);
    EXPECT_TRUE(WaveNumberFits(255));
    EXPECT_FALSE(WaveNumberFits(256));
    EXPECT_FALSE(WaveNumberFits(-1));
}

}  // namespace
}  // namespace zel::test
