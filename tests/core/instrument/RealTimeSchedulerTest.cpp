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

// An action running late still sees the time it was due, even after running the queue
// itself, as a receiver does that pumps the event loop from inside a delivery.
TEST_F(RealTimeSchedulerTest, RunsWhatIsDueInTimeThenOrderOfSchedulingAtItsOwnTime) {
    Micros seen{-1};
    scheduler.at(20us, [this] { log += 'c'; });
    scheduler.at(10us, [this, &seen] {
        log += 'a';
        scheduler.runDue();
        seen = scheduler.now();
    });
    scheduler.at(10us, [this] { log += 'b'; });
    clock = 15us;
    scheduler.runDue();
    EXPECT_EQ(log, "ab");
    EXPECT_EQ(seen, 10us);
    EXPECT_EQ(scheduler.now(), 15us);
    EXPECT_EQ(scheduler.nextDue(), 20us);
}

TEST_F(RealTimeSchedulerTest, AnActionThatReschedulesItselfCannotHoldTheLoop) {
    std::function<void()> again = [&] {
        log += 'a';
        scheduler.at(scheduler.now(), again);
    };
    scheduler.at(0us, again);
    EXPECT_EQ(scheduler.runDue(), 1);
    EXPECT_EQ(scheduler.runDue(), 1);
    EXPECT_EQ(log, "aa");
}

}  // namespace
}  // namespace quendrix::sim
