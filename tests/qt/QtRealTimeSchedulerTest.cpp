#include <gtest/gtest.h>

#include <string>

#include "qt/QtRealTimeScheduler.h"
#include "support/PumpUntil.h"

namespace quendrix::qt {
namespace {

using namespace std::chrono_literals;

// An action scheduled after a later one still wakes the event loop at its own time, and sees
// that time as now().
TEST(QtRealTimeSchedulerTest, TheEarliestActionRunsFromTheEventLoopAtItsOwnTime) {
    QtRealTimeScheduler scheduler;
    std::string ran;
    sim::Micros seen{-1};
    const sim::Micros start = scheduler.now();
    scheduler.at(start + 60s, [&] { ran += 'l'; });
    scheduler.at(start + 2ms, [&] {
        ran += 'e';
        seen = scheduler.now();
    });
    EXPECT_EQ(ran, "");
    ASSERT_TRUE(testsupport::pumpUntil([&] { return !ran.empty(); }));
    EXPECT_EQ(ran, "e");
    EXPECT_EQ(seen, start + 2ms);
}

}  // namespace
}  // namespace quendrix::qt
