// The start-up list: rows start first to last and stop last to first; a failing start stops what it
// started; a failing shutdown does not keep the others from stopping.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Units.h"

namespace zel::test {
namespace {

struct TRecorder {
    std::vector<std::string> Log;
    // Rows "A", "B", ...; the start of row failStart and the shutdown of row failStop throw.
    TUnitRows Rows(int count, int failStart = -1, int failStop = -1) {
        TUnitRows rows;
        for (int i = 0; i < count; ++i) {
            const std::string name(1, static_cast<char>('A' + i));
            rows.push_back({name,
                            [this, name, i, failStart] {
                                if (i == failStart) throw Exception("no " + name);
                                Log.push_back("+" + name);
                            },
                            [this, name, i, failStop] {
                                Log.push_back("-" + name);
                                if (i == failStop) throw Exception("stuck " + name);
                            }});
        }
        return rows;
    }
};

TEST(UnitList, StartsInOrderAndStopsInReverse) {
    TRecorder r;
    std::vector<std::string> steps;
    {
        TUnitList list(r.Rows(3));
        list.OnStep = [&](const std::string& step, const std::string& name) { steps.push_back(step + " " + name); };
        list.Start();
        EXPECT_EQ(list.StartedCount(), 3);
        list.Start();  // nothing left to start
        list.Stop();
        list.Stop();  // nothing left to stop
    }
    EXPECT_EQ(r.Log, (std::vector<std::string>{"+A", "+B", "+C", "-C", "-B", "-A"}));
    EXPECT_EQ(steps, (std::vector<std::string>{"start A", "start B", "start C", "stop C", "stop B", "stop A"}));
}

TEST(UnitList, AFailingStartStopsTheRowsStartedBeforeIt) {
    struct TCase {
        int failAt;
        std::vector<std::string> log;
    } cases[] = {
        {0, {}},
        {1, {"+A", "-A"}},
        {3, {"+A", "+B", "+C", "-C", "-B", "-A"}},
    };
    for (const TCase& c : cases) {
        TRecorder r;
        TUnitList list(r.Rows(4, c.failAt));
        try {
            list.Start();
            ADD_FAILURE() << "no failure at " << c.failAt;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, std::string("no ") + static_cast<char>('A' + c.failAt));
        }
        EXPECT_EQ(r.Log, c.log) << c.failAt;
        EXPECT_EQ(list.StartedCount(), 0);
    }
}

TEST(UnitList, AFailingShutdownLetsTheOthersStopAndIsReportedAfterwards) {
    TRecorder r;
    TUnitList list(r.Rows(3, -1, 1));
    list.Start();
    EXPECT_THROW(list.Stop(), Exception);
    EXPECT_EQ(r.Log, (std::vector<std::string>{"+A", "+B", "+C", "-C", "-B", "-A"}));
    EXPECT_EQ(list.StartedCount(), 0);

    TRecorder scoped;
    { TUnitsScope scope(scoped.Rows(2, -1, 0)); }  // the destructor swallows the failure
    EXPECT_EQ(scoped.Log, (std::vector<std::string>{"+A", "+B", "-B", "-A"}));
}

}  // namespace
}  // namespace zel::test
