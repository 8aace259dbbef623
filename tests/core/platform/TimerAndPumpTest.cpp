#include <gtest/gtest.h>

#include <vector>

#include "platform/Timer.h"
#include "sim/SimEventPump.h"
#include "sim/SimTimerScheduler.h"
#include "sim/StalledWait.h"
#include "sim/VirtualClock.h"

namespace quendrix {
namespace {

using namespace std::chrono_literals;
using sim::Micros;

class TimerAndPump : public ::testing::Test {
protected:
    sim::VirtualClock clock;
    sim::SimTimerScheduler scheduler{clock};
    sim::SimEventPump pump{clock};
    std::vector<Micros> ticks;
    std::vector<platform::Subscription> handlers;

    void oneShot(platform::Timer& timer) {
        handlers.push_back(timer.onTick.subscribe([this, &timer] {
            ticks.push_back(clock.now());
            timer.setEnabled(false);
        }));
    }
};

TEST_F(TimerAndPump, AOneShotTicksOnceAfterItsInterval) {
    platform::Timer timer("t", scheduler, 500);
    oneShot(timer);
    timer.setEnabled(true);
    while (timer.enabled()) {
        pump.pumpOnce();
    }
    EXPECT_EQ(ticks, std::vector<Micros>{500ms});
    EXPECT_EQ(pump.pumps(), 1u);  // the pump blocked until the tick instead of spinning
    EXPECT_TRUE(clock.idle());
}

TEST_F(TimerAndPump, ArmingAgainRestartsTheCountdown) {
    platform::Timer timer("t", scheduler, 500);
    oneShot(timer);
    timer.setEnabled(true);
    clock.advanceTo(300ms);
    timer.setEnabled(true);
    clock.advanceTo(2s);
    EXPECT_EQ(ticks, std::vector<Micros>{800ms});
}

TEST_F(TimerAndPump, ATimerLeftArmedByItsHandlerTicksEveryInterval) {
    platform::Timer timer("t", scheduler, 50);
    auto handler = timer.onTick.subscribe([this] { ticks.push_back(clock.now()); });
    timer.setEnabled(true);
    clock.advanceTo(175ms);
    EXPECT_EQ(ticks, (std::vector<Micros>{50ms, 100ms, 150ms}));
    timer.setEnabled(false);
    clock.advanceTo(1s);
    EXPECT_EQ(ticks.size(), 3u);
}

TEST_F(TimerAndPump, ChangingTheIntervalOfAnArmedTimerRestartsIt) {
    platform::Timer timer("RunTimer", scheduler, 1000);
    oneShot(timer);
    timer.setEnabled(true);
    clock.advanceTo(5ms);
    timer.setInterval(10);
    clock.advanceTo(2s);
    EXPECT_EQ(ticks, std::vector<Micros>{15ms});
}

TEST_F(TimerAndPump, ADestroyedTimerNeverTicks) {
    {
        platform::Timer timer("t", scheduler, 10);
        oneShot(timer);
        timer.setEnabled(true);
    }
    clock.advanceTo(1s);
    EXPECT_TRUE(ticks.empty());
}

TEST_F(TimerAndPump, AWaitThatCouldNeverEndFailsInsteadOfHanging) {
    EXPECT_THROW(pump.pumpOnce(), sim::StalledWait);
    platform::Timer timer("t", scheduler, 10);
    // With no handler to disarm it, the timer stays armed for ever.
    timer.setEnabled(true);
    pump.setTimeLimit(1s);
    EXPECT_THROW(
        for (;;) { pump.pumpOnce(); }, sim::StalledWait);
    EXPECT_LE(clock.now(), 1s);
}

TEST(VirtualClock, SameTimeActionsRunInOrderAndNewOnesWaitForTheNextPump) {
    sim::VirtualClock clock;
    std::vector<int> order;
    clock.at(10us, [&] {
        order.push_back(1);
        clock.at(10us, [&] { order.push_back(3); });
    });
    clock.at(10us, [&] { order.push_back(2); });
    EXPECT_EQ(clock.runNext(), 2);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(clock.runNext(), 1);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(clock.runNext(), 0);
}

}  // namespace
}  // namespace quendrix
