#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "form/EventWait.h"
#include "platform/Timer.h"
#include "sim/clock/VirtualClock.h"
#include "sim/virtualtime/SimEventPump.h"
#include "sim/virtualtime/SimTimerScheduler.h"
#include "sim/virtualtime/StalledWait.h"

namespace quendrix {
namespace {

using namespace std::chrono_literals;
using sim::Micros;
using Ticks = std::vector<Micros>;

// A timer whose handler disarms it, as the program's timers are used, and the program's waits.
class TimerAndPump : public ::testing::Test {
protected:
    sim::VirtualClock clock;
    sim::SimTimerScheduler scheduler{clock};
    sim::SimEventPump pump{clock};
    platform::Timer timer{"t", scheduler, 500};
    Ticks ticks;
    platform::Subscription handler = timer.onTick.subscribe([this] {
        ticks.push_back(clock.now());
        timer.setEnabled(false);
    });
    platform::Window window{"MainForm"};
    form::EventWait events{pump, window};
};

TEST_F(TimerAndPump, AOneShotTicksOnceAndArmingAgainOrChangingTheIntervalRestartsTheCountdown) {
    timer.setEnabled(true);
    while (timer.enabled()) {
        pump.pumpOnce();
    }
    EXPECT_EQ(pump.pumps(), 1u);  // the pump blocked until the tick instead of spinning
    EXPECT_TRUE(clock.idle());

    timer.setEnabled(true);
    clock.advanceTo(800ms);
    timer.setEnabled(true);
    clock.advanceTo(2s);
    timer.setEnabled(true);
    clock.advanceTo(2005ms);
    timer.setInterval(10);
    clock.advanceTo(3s);
    EXPECT_EQ(ticks, (Ticks{500ms, 1300ms, 2015ms}));
}

TEST_F(TimerAndPump, ATimerLeftArmedByItsHandlerTicksEveryIntervalUntilDestroyed) {
    auto periodic = std::make_unique<platform::Timer>("p", scheduler, 50);
    auto counting = periodic->onTick.subscribe([this] { ticks.push_back(clock.now()); });
    periodic->setEnabled(true);
    clock.advanceTo(175ms);
    periodic.reset();
    clock.advanceTo(1s);
    EXPECT_EQ(ticks, (Ticks{50ms, 100ms, 150ms}));
}

// A timer with no handler to disarm it stays armed for ever.
TEST_F(TimerAndPump, AWaitThatCouldNeverEndFailsInsteadOfHanging) {
    EXPECT_THROW(pump.pumpOnce(), sim::StalledWait);
    platform::Timer armed("a", scheduler, 10);
    armed.setEnabled(true);
    pump.setTimeLimit(1s);
    EXPECT_THROW(
        for (;;) { pump.pumpOnce(); }, sim::StalledWait);
    EXPECT_LE(clock.now(), 1s);
}

TEST_F(TimerAndPump, AnEventWaitPumpsUntilTheConditionHolds) {
    bool done = false;
    clock.at(Micros{3s}, [&] { done = true; });
    clock.at(Micros{9s}, [] {});
    EXPECT_TRUE(events.until([&] { return done; }));
    EXPECT_EQ(clock.now(), Micros{3s});
}

// After the close nothing is left to wake a blocking pump: a wait that pumped on would never
// return (here the simulated pump would throw for a wait that cannot end).
TEST_F(TimerAndPump, AnEventWaitEndsOnceTheWindowHasClosedAndNeverPumpsAgain) {
    clock.at(Micros{1s}, [&] { window.close(); });
    EXPECT_FALSE(events.until([] { return false; }));
    EXPECT_EQ(clock.now(), Micros{1s});
    const auto pumps = pump.pumps();
    EXPECT_FALSE(events.pumpOnce());
    EXPECT_FALSE(events.yield());
    EXPECT_EQ(pump.pumps(), pumps);
}

TEST_F(TimerAndPump, AnEventWaitsYieldLetsALittleTimePassWithoutBlocking) {
    int ran = 0;
    clock.at(Micros{1}, [&] { ++ran; });
    clock.at(Micros{1s}, [&] { ++ran; });
    EXPECT_TRUE(events.yield());
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(clock.now(), sim::SimEventPump::kYieldStep);
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
    EXPECT_EQ(clock.runNext(), 1);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

}  // namespace
}  // namespace quendrix
