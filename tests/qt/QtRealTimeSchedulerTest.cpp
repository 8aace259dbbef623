#include <gtest/gtest.h>

#include <optional>

#include "qt/QtRealTimeScheduler.h"
#include "support/PumpUntil.h"

namespace quendrix::qt {
namespace {

using namespace std::chrono_literals;

// An action scheduled after a later one still wakes the event loop at its own time, and sees
// that time as now().
TEST(QtRealTimeSchedulerTest, TheEarliestActionRunsFromTheEventLoopAtItsOwnTime) {
    QtRealTimeScheduler scheduler;
    const sim::Micros start = scheduler.now();
    std::optional<sim::Micros> seen;
    scheduler.at(start + 60s, [&] { seen = sim::Micros{-1}; });
    scheduler.at(start + 2ms, [&] { seen = scheduler.now(); });
    ASSERT_TRUE(testsupport::pumpUntil([&] { return seen.has_value(); }));
    EXPECT_EQ(seen, start + 2ms);
}

}  // namespace
}  // namespace quendrix::qt
