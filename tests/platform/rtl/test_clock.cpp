#include "platform/rtl/Clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zel::test {

namespace {

TEST(ManualClock, WaitsAreInstantExactAndRecorded) {
    TManualClockScope clock;
    const TTick start = GetTickCount();
    WaitMilliseconds(50);
    WaitMilliseconds(50);
    EXPECT_EQ(GetTickCount() - start, 100u);
    EXPECT_EQ(clock->Waits(), (std::vector<std::uint32_t>{50, 50}));
    EXPECT_EQ(clock->TotalWaited(), 100u);
}

TEST(ManualClock, BusyWaitDoesNotFireTimers) {
    TManualClockScope clock;
    int fired = 0;
    ClockTimers().Add(10, true, [&] { ++fired; });
    WaitMilliseconds(100);
    EXPECT_EQ(fired, 0);
    clock->Advance(0);  // the loop runs again: the overdue timer fires once, not ten times
    EXPECT_EQ(fired, 1);
}

TEST(ManualClock, AdvanceFiresExactlyTheDueTimersInOrder) {
    TManualClockScope clock;
    std::vector<std::string> log;
    const TTick t0 = GetTickCount();
    ClockTimers().Add(50, true, [&] { log.push_back("tick@" + std::to_string(GetTickCount() - t0)); });
    ClockTimers().Add(120, false, [&] { log.push_back("once@" + std::to_string(GetTickCount() - t0)); });
    clock->Advance(149);
    EXPECT_EQ(log, (std::vector<std::string>{"tick@50", "tick@100", "once@120"}));
    clock->Advance(1);
    EXPECT_EQ(log.back(), "tick@150");
    EXPECT_EQ(ClockTimers().Count(), 1u);  // the one-shot timer is gone
}

TEST(ManualClock, TimersDueTogetherFireOldestFirst) {
    TManualClockScope clock;
    std::string order;
    ClockTimers().Add(30, false, [&] { order += "A"; });
    ClockTimers().Add(30, false, [&] { order += "B"; });
    ClockTimers().Add(10, false, [&] { order += "C"; });
    clock->Advance(30);
    EXPECT_EQ(order, "CAB");
}

TEST(ManualClock, CallbackMayKillOrRestartTimers) {
    TManualClockScope clock;
    int a = 0, b = 0;
    int idB = 0;
    const int idA = ClockTimers().Add(10, true, [&] {
        ++a;
        ClockTimers().Remove(idB);  // kills a timer due at the same moment before it fires
    });
    idB = ClockTimers().Add(10, true, [&] { ++b; });
    clock->Advance(10);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 0);
    ASSERT_TRUE(ClockTimers().Restart(idA, 100));
    clock->Advance(99);
    EXPECT_EQ(a, 1);
    clock->Advance(1);
    EXPECT_EQ(a, 2);
    const int self = ClockTimers().Add(5, true, [&] { ClockTimers().Remove(self); });
    clock->Advance(20);
    EXPECT_FALSE(ClockTimers().Exists(self));
}

TEST(ManualClock, ScopeRestoresTheSystemClock) {
    {
        TManualClockScope clock(5);
        EXPECT_EQ(GetTickCount(), 5u);
    }
    EXPECT_NE(dynamic_cast<TSystemClock*>(&Clock()), nullptr);
}

}  // namespace

}  // namespace zel::test
