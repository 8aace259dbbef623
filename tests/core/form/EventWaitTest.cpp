#include <gtest/gtest.h>

#include "form/EventWait.h"
#include "sim/SimEventPump.h"

namespace quendrix::form {
namespace {

using sim::Micros;
using namespace std::chrono_literals;

class EventWaitTest : public ::testing::Test {
protected:
    sim::VirtualClock clock;
    sim::SimEventPump pump{clock};
    platform::Window window{"MainForm"};
    EventWait events{pump, window};
};

TEST_F(EventWaitTest, PumpsUntilTheConditionHolds) {
    bool done = false;
    clock.at(Micros{3s}, [&] { done = true; });
    clock.at(Micros{9s}, [] {});
    EXPECT_TRUE(events.until([&] { return done; }));
    EXPECT_EQ(clock.now(), Micros{3s});
}

// After the close nothing is left to wake a blocking pump: a wait that pumped on would never
// return (here the simulated pump would throw for a wait that cannot end).
TEST_F(EventWaitTest, EndsOnceTheWindowHasClosedAndNeverPumpsAgain) {
    clock.at(Micros{1s}, [&] { window.close(); });
    EXPECT_FALSE(events.until([] { return false; }));
    EXPECT_EQ(clock.now(), Micros{1s});
    const auto pumps = pump.pumps();
    EXPECT_FALSE(events.pumpOnce());
    EXPECT_FALSE(events.yield());
    EXPECT_EQ(pump.pumps(), pumps);
}

TEST_F(EventWaitTest, AYieldLetsALittleTimePassWithoutBlocking) {
    int ran = 0;
    clock.at(Micros{1}, [&] { ++ran; });
    clock.at(Micros{1s}, [&] { ++ran; });
    EXPECT_TRUE(events.yield());
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(clock.now(), sim::SimEventPump::kYieldStep);
}

}  // namespace
}  // namespace quendrix::form
