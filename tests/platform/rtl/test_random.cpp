#include "platform/rtl/Random.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/rtl/Clock.h"

namespace zel::test {

namespace {

std::vector<int> Draw(int range, int count) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i) out.push_back(Random(range));
    return out;
}

TEST(Random, ASeedGivesTheSameSequenceEveryTime) {
    RandSeed = 12345;
    const std::vector<int> first = Draw(128, 50);
    RandSeed = 12345;
    EXPECT_EQ(Draw(128, 50), first);
    RandSeed = 12346;
    EXPECT_NE(Draw(128, 50), first);
}

TEST(Random, NumbersStayInTheRangeAndReachEveryValue) {
    RandSeed = 1;
    for (int range : {1, 4, 5, 21, 128}) {
        SCOPED_TRACE(range);
        std::vector<int> seen(static_cast<std::size_t>(range), 0);
        for (int v : Draw(range, range * 400)) {
            ASSERT_GE(v, 0);
            ASSERT_LT(v, range);
            ++seen[static_cast<std::size_t>(v)];
        }
        // Each value comes about equally often: within a quarter of its fair share (five deviations).
        for (int n : seen) EXPECT_NEAR(n, 400, 100);
    }
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-3), 0);
    for (int i = 0; i < 100; ++i) {
        const double d = Random();
        ASSERT_GE(d, 0.0);
        ASSERT_LT(d, 1.0);
    }
}

TEST(Random, RandomizeSeedsFromTheClockService) {
    TManualClockScope clock(5000);
    Randomize();
    EXPECT_EQ(RandSeed, 5000u);
    const std::vector<int> atFiveSeconds = Draw(128, 20);
    Randomize();
    EXPECT_EQ(Draw(128, 20), atFiveSeconds);  // the clock has not moved
    clock->Advance(1);
    Randomize();
    EXPECT_NE(Draw(128, 20), atFiveSeconds);
}

}  // namespace

}  // namespace zel::test
