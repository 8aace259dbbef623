#include <gtest/gtest.h>

#include <string>

#include "sim/RealTimeScheduler.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;

class RealTimeSchedulerTest : public ::testing::Test {
protected:
    Micros clock{0};
    RealTimeScheduler scheduler{[this] { return clock; }};
    std::string log;
};

// An action running late still sees the time it was due.
TEST_F(RealTimeSchedulerTest, RunsOnlyWhatIsDueInTimeThenOrderOfScheduling) {
    Micros seen{-1};
    scheduler.at(20us, [this] { log += 'c'; });
    scheduler.at(10us, [this, &seen] {
        log += 'a';
        seen = scheduler.now();
    });
    scheduler.at(10us, [this] { log += 'b'; });
    EXPECT_EQ(scheduler.nextDue(), 10us);
    clock = 15us;
    EXPECT_EQ(scheduler.runDue(), 2);
    EXPECT_EQ(log, "ab");
    EXPECT_EQ(seen, 10us);
    EXPECT_EQ(scheduler.now(), 15us);
    EXPECT_EQ(scheduler.nextDue(), 20us);
    clock = 30us;
    scheduler.runDue();
    EXPECT_EQ(log, "abc");
    EXPECT_FALSE(scheduler.nextDue().has_value());
}

TEST_F(RealTimeSchedulerTest, AnActionThatReschedulesItselfCannotHoldTheLoop) {
    int runs = 0;
    std::function<void()> again = [&] {
        ++runs;
        scheduler.at(scheduler.now(), again);
    };
    scheduler.at(0us, again);
    EXPECT_EQ(scheduler.runDue(), 1);
    EXPECT_EQ(scheduler.runDue(), 1);
    EXPECT_EQ(runs, 2);
}

// As when a receiver pumps the event loop from inside a delivery.
TEST_F(RealTimeSchedulerTest, AnActionThatRunsTheQueueItselfStillSeesItsOwnTime) {
    Micros seen{-1};
    scheduler.at(10us, [this, &seen] {
        log += 'a';
        scheduler.runDue();
        seen = scheduler.now();
    });
    scheduler.at(12us, [this] { log += 'b'; });
    clock = 15us;
    scheduler.runDue();
    EXPECT_EQ(log, "ab");
    EXPECT_EQ(seen, 10us);
    EXPECT_EQ(scheduler.now(), 15us);
}

}  // namespace
}  // namespace quendrix::sim
