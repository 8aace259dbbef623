#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "sim/clock/RealTimeScheduler.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;

// An action running late still sees the time it was due, even after running the queue
// itself, as a receiver does that pumps the event loop from inside a delivery. An action that
// reschedules itself runs once per call.
TEST(RealTimeSchedulerTest, RunsWhatIsDueInOrderAtItsOwnTimeAndCannotBeHeldByAnAction) {
    Micros clock{0}, seen{-1};
    RealTimeScheduler scheduler([&clock] { return clock; });
    std::string log;
    scheduler.at(20us, [&log] { log += 'c'; });
    scheduler.at(10us, [&] {
        log += 'a';
        scheduler.runDue();
        seen = scheduler.now();
    });
    scheduler.at(10us, [&log] { log += 'b'; });
    clock = 15us;
    scheduler.runDue();
    EXPECT_EQ(seen, 10us);
    EXPECT_EQ(scheduler.now(), 15us);
    EXPECT_EQ(scheduler.nextDue(), 20us);

    std::function<void()> again = [&] {
        log += 'a';
        scheduler.at(scheduler.now(), again);
    };
    scheduler.at(0us, again);
    EXPECT_EQ(scheduler.runDue(), 1);
    EXPECT_EQ(scheduler.runDue(), 1);
    EXPECT_EQ(log, "abaa");
}

}  // namespace
}  // namespace quendrix::sim
