#include "platform/rtl/ScopeExit.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace zel::test {
namespace {

// Runs a scope with a guard; the scope throws "body" when asked, the clean-up throws "cleanup" when
// asked. Returns what left the scope ("" for nothing).
std::string RunScope(bool BodyThrows, bool CleanupThrows, int& Cleanups) {
    try {
        TScopeExit guard([&] {
            ++Cleanups;
            if (CleanupThrows) throw std::runtime_error("cleanup");
        });
        if (BodyThrows) throw std::runtime_error("body");
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

TEST(ScopeExit, RunsOnceOnEveryRoadAndTheFirstFailureLeaves) {
    struct Case {
        const char* name;
        bool bodyThrows;
        bool cleanupThrows;
        const char* leaves;
    };
    const Case cases[] = {
        {"normal exit", false, false, ""},
        {"exception", true, false, "body"},
        {"throwing clean-up after a normal exit", false, true, "cleanup"},
        {"throwing clean-up during an exception", true, true, "body"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int cleanups = 0;
        EXPECT_EQ(RunScope(c.bodyThrows, c.cleanupThrows, cleanups), c.leaves);
        EXPECT_EQ(cleanups, 1);
    }
}

// A guard made inside a handler that is already unwinding still lets its own clean-up's failure out
// when its scope ends normally.
TEST(ScopeExit, CountsOnlyExceptionsRaisedAfterItWasMade) {
    struct Outer {
        bool& leaked;
        ~Outer() {
            try {
                TScopeExit guard([] { throw std::runtime_error("cleanup"); });
            } catch (const std::runtime_error&) {
                leaked = true;
            }
        }
    };
    bool leaked = false;
    try {
        Outer outer{leaked};
        throw std::runtime_error("body");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(leaked);
}

}  // namespace
}  // namespace zel::test
