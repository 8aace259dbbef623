#include <gtest/gtest.h>

#include <string>

#include "sim/VirtualClock.h"
#include "sim/instrument/SelectorValve.h"
#include "sim/instrument/SyringeDrive.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;

class SyringeDriveTest : public ::testing::Test {
protected:
    VirtualClock clock;
    bool valveTurning = false;
    SyringeDrive drive{clock, [this] { return valveTurning; }};

    ControllerError run(std::string_view text) { return drive.handle(text).error; }
    void initialise() {
        ASSERT_EQ(run("ZR"), ControllerError::none);
        clock.advanceBy(5s);
        ASSERT_TRUE(drive.initialised());
    }
};

TEST_F(SyringeDriveTest, InitialisationTakesItsFixedTimeAndEndsAtZero) {
    drive.handle("ZR");
    EXPECT_TRUE(drive.busy());
    EXPECT_FALSE(drive.initialised());
    clock.advanceTo(1'399'999us);
    EXPECT_TRUE(drive.busy());
    clock.advanceTo(1'400'000us);
    EXPECT_FALSE(drive.busy());
    EXPECT_TRUE(drive.initialised());
    EXPECT_EQ(drive.position(), 0);
}

TEST_F(SyringeDriveTest, TheSlowInitialisationTakesLonger) {
    drive.handle("WR");
    clock.advanceTo(3'199'999us);
    EXPECT_TRUE(drive.busy());
    clock.advanceTo(3'200'000us);
    EXPECT_FALSE(drive.busy());
}

// With the default speeds (start 300, top 1400, cut-off 500 steps/s, slope 14 = 35000
// steps/s^2): 3000 steps up plus twice the backlash of 12 take 2.180612 s; the ramps cover
// 26.7 and 24.4 steps, the rest runs at 1400 steps/s.
TEST_F(SyringeDriveTest, AMoveKeepsTheDriveBusyForItsTravelTime) {
    initialise();
    const Micros start = clock.now();
    const ControllerReply reply = drive.handle("A3000R");
    EXPECT_TRUE(reply.ready) << "the reply leaves before the move starts";
    EXPECT_TRUE(drive.busy());
    EXPECT_TRUE(drive.moving());
    clock.advanceTo(start + 1'090'306us);
    EXPECT_NEAR(drive.position(), 1500, 1);
    EXPECT_FALSE(drive.handle("Q").ready);
    clock.advanceTo(start + 2'180'611us);
    EXPECT_TRUE(drive.busy());
    clock.advanceTo(start + 2'180'612us);
    EXPECT_FALSE(drive.busy());
    EXPECT_TRUE(drive.handle("Q").ready);
    EXPECT_EQ(drive.position(), 3000);
}

TEST_F(SyringeDriveTest, AMoveDownHasNoBacklash) {
    initialise();
    drive.handle("A3000R");
    clock.advanceBy(3s);
    const Micros start = clock.now();
    drive.handle("D3000R");
    clock.advanceTo(start + 2'163'468us);
    EXPECT_TRUE(drive.busy());
    clock.advanceTo(start + 2'163'469us);
    EXPECT_FALSE(drive.busy());
    EXPECT_EQ(drive.position(), 0);
}

TEST_F(SyringeDriveTest, TheTopSpeedSetsTheTimeOfALongMove) {
    initialise();
    drive.handle("K0V1000A20000R");
    EXPECT_EQ(drive.motion().topSpeed, 1000);
    clock.advanceBy(19s);
    EXPECT_TRUE(drive.busy());
    clock.advanceBy(2s);
    EXPECT_FALSE(drive.busy());
    EXPECT_EQ(drive.position(), 20000);
}

TEST_F(SyringeDriveTest, CommandsOfOneStringRunInTurn) {
    initialise();
    drive.handle("P100M1000D40R");
    clock.advanceBy(500ms);
    EXPECT_EQ(drive.position(), 100);
    EXPECT_TRUE(drive.busy()) << "waiting";
    clock.advanceBy(1s);
    EXPECT_FALSE(drive.busy());
    EXPECT_EQ(drive.position(), 60);
}

TEST_F(SyringeDriveTest, ReportsAnswerWithData) {
    initialise();
    drive.handle("A17500R");
    clock.advanceBy(20s);
    EXPECT_EQ(drive.handle("?").data, "17500");
    EXPECT_EQ(drive.handle("?0").data, "17500");
    EXPECT_EQ(drive.handle("?R").data, "17500");
    drive.handle("v50V5799c1999L20K63C25R");
    EXPECT_EQ(drive.handle("?1").data, "50");
    EXPECT_EQ(drive.handle("?2").data, "5799");
    EXPECT_EQ(drive.handle("?3").data, "1999");
    EXPECT_EQ(drive.handle("?4").data, "20");
    EXPECT_EQ(drive.handle("?5").data, "63");
    EXPECT_EQ(drive.handle("?6").data, "25");
    EXPECT_EQ(drive.handle("&").data, "QXS 2.41");
    EXPECT_EQ(drive.handle("Q1").data, "");
}

TEST_F(SyringeDriveTest, SpeedCodesSelectTheTopSpeed) {
    drive.handle("S0R");
    EXPECT_EQ(drive.motion().topSpeed, 6000);
    drive.handle("S1R");
    EXPECT_EQ(drive.motion().topSpeed, 5100);
    drive.handle("S40R");
    EXPECT_GE(drive.motion().topSpeed, 5);
    EXPECT_LT(drive.motion().topSpeed, 20);
}

TEST_F(SyringeDriveTest, AStringWithoutRIsStoredUntilAnR) {
    initialise();
    const ControllerReply stored = drive.handle("A500");
    EXPECT_TRUE(stored.ready);
    EXPECT_EQ(stored.error, ControllerError::none);
    EXPECT_FALSE(drive.busy());
    drive.handle("A800");
    EXPECT_EQ(run("R"), ControllerError::none);
    EXPECT_TRUE(drive.busy());
    clock.advanceBy(2s);
    EXPECT_EQ(drive.position(), 800) << "the later string replaced the earlier one";
    EXPECT_EQ(run("R"), ControllerError::none);
    EXPECT_FALSE(drive.busy()) << "a string runs once";
}

TEST_F(SyringeDriveTest, TerminateStopsWhereTheDriveStands) {
    initialise();
    drive.handle("A3000R");
    clock.advanceBy(1s);
    const ControllerReply reply = drive.handle("T");
    EXPECT_FALSE(reply.ready);
    EXPECT_FALSE(drive.busy());
    const int stoppedAt = drive.position();
    EXPECT_GT(stoppedAt, 1000);
    EXPECT_LT(stoppedAt, 2000);
    clock.advanceBy(5s);
    EXPECT_EQ(drive.position(), stoppedAt);
}

struct ErrorCase {
    std::string text;
    ControllerError error;
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << c.text;
}

class SyringeErrorTest : public SyringeDriveTest,
                         public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(SyringeErrorTest, ReportsTheErrorAndDoesNothing) {
    initialise();
    drive.handle("A100R");
    clock.advanceBy(1s);
    const MotionSettings before = drive.motion();
    const ControllerReply reply = drive.handle(GetParam().text);
    EXPECT_EQ(reply.error, GetParam().error);
    EXPECT_TRUE(reply.ready);
    EXPECT_FALSE(drive.busy());
    EXPECT_EQ(drive.position(), 100);
    EXPECT_EQ(drive.motion().topSpeed, before.topSpeed);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, SyringeErrorTest,
    ::testing::Values(ErrorCase{"A-1R", ControllerError::invalidOperand},
                      ErrorCase{"A24001R", ControllerError::invalidOperand},
                      ErrorCase{"S41R", ControllerError::invalidOperand},
                      ErrorCase{"S-1R", ControllerError::invalidOperand},
                      ErrorCase{"V4000v0R", ControllerError::invalidOperand},
                      ErrorCase{"V6001R", ControllerError::invalidOperand},
                      ErrorCase{"L21R", ControllerError::invalidOperand},
                      ErrorCase{"K64R", ControllerError::invalidOperand},
                      ErrorCase{"C0R", ControllerError::invalidOperand},
                      ErrorCase{"M30001R", ControllerError::invalidOperand},
                      ErrorCase{"Z3R", ControllerError::invalidOperand},
                      ErrorCase{"AR", ControllerError::invalidOperand},
                      ErrorCase{"APositionR", ControllerError::invalidOperand},
                      ErrorCase{"D101R", ControllerError::invalidOperand},
                      ErrorCase{"V4000P23901R", ControllerError::invalidOperand},
                      ErrorCase{"A1234567890R", ControllerError::invalidOperand},
                      ErrorCase{"XR", ControllerError::unknownCommand},
                      ErrorCase{"a10R", ControllerError::unknownCommand},
                      ErrorCase{"V4000A10RA20R", ControllerError::unknownCommand},
                      ErrorCase{"A1.5R", ControllerError::unknownCommand},
                      ErrorCase{"?9", ControllerError::unknownCommand},
                      ErrorCase{"?x", ControllerError::unknownCommand},
                      ErrorCase{"V4000YA-5R", ControllerError::invalidOperand}));

class HostTokenTest : public SyringeDriveTest, public ::testing::WithParamInterface<std::string> {};

// Every value the host's stepping and random tokens produce within their ranges.
TEST_P(HostTokenTest, IsAccepted) {
    initialise();
    EXPECT_EQ(run(GetParam()), ControllerError::none);
}

INSTANTIATE_TEST_SUITE_P(Ranges, HostTokenTest,
                         ::testing::Values("A0R", "A1R", "A12000R", "A24000R", "S0R", "S1R", "S40R",
                                           "v50R", "v899R", "V5R", "V5799R", "c50R", "c1999R",
                                           "L1R", "L20R", "K1R", "K63R", "C1R", "C25R",
                                           "V1000A500R", "ZR", "YR", "WR", "Z0R", "Z2R"));

TEST_F(SyringeDriveTest, AMoveBeforeInitialisationIsRefused) {
    EXPECT_EQ(run("A100R"), ControllerError::notInitialised);
    EXPECT_EQ(run("P10R"), ControllerError::notInitialised);
    EXPECT_FALSE(drive.busy());
    EXPECT_EQ(run("ZA100R"), ControllerError::none) << "initialising first in the string counts";
    clock.advanceBy(2s);
    EXPECT_EQ(drive.position(), 100);
}

TEST_F(SyringeDriveTest, ACommandWhileBusyOverflows) {
    initialise();
    drive.handle("A3000R");
    const ControllerReply reply = drive.handle("A10R");
    EXPECT_FALSE(reply.ready);
    EXPECT_EQ(reply.error, ControllerError::commandOverflow);
    clock.advanceBy(3s);
    EXPECT_EQ(drive.position(), 3000);
}

TEST_F(SyringeDriveTest, AMoveWhileTheValveTurnsOverloadsAndNeedsInitialising) {
    initialise();
    valveTurning = true;
    EXPECT_EQ(run("V1000A500R"), ControllerError::overload);
    EXPECT_FALSE(drive.busy());
    EXPECT_EQ(drive.position(), 0);
    EXPECT_FALSE(drive.initialised());
    valveTurning = false;
    EXPECT_EQ(run("A500R"), ControllerError::notInitialised);
}

TEST_F(SyringeDriveTest, AnOverloadLaterInTheStringStaysInTheStatus) {
    initialise();
    drive.handle("P100M500P100R");
    clock.advanceBy(300ms);
    valveTurning = true;
    clock.advanceBy(1s);
    EXPECT_FALSE(drive.busy());
    EXPECT_EQ(drive.position(), 100);
    EXPECT_EQ(drive.handle("Q2").error, ControllerError::overload);
}

TEST_F(SyringeDriveTest, TheErrorStaysUntilTheNextCommandString) {
    initialise();
    run("XR");
    EXPECT_EQ(drive.handle("Q").error, ControllerError::unknownCommand);
    EXPECT_EQ(drive.handle("?").error, ControllerError::unknownCommand);
    EXPECT_EQ(drive.handle("Q1").error, ControllerError::unknownCommand);
    EXPECT_EQ(run("V1000R"), ControllerError::none);
    EXPECT_EQ(drive.handle("Q2").error, ControllerError::none);
}

TEST(SelectorValveTest, TurnsOverItsWholeRange) {
    VirtualClock clock;
    SelectorValve valve(clock);
    EXPECT_EQ(valve.handle("ZA48000R").error, ControllerError::none);
    clock.advanceBy(900ms);
    EXPECT_TRUE(valve.moving());
    clock.advanceBy(10s);
    EXPECT_EQ(valve.position(), 48000);
    EXPECT_EQ(valve.handle("A48001R").error, ControllerError::invalidOperand);
    EXPECT_EQ(valve.handle("A10286R").error, ControllerError::none);
    clock.advanceBy(10s);
    EXPECT_EQ(valve.handle("?").data, "10286");
    EXPECT_EQ(valve.handle("&").data, "QXV 1.18");
}

}  // namespace
}  // namespace quendrix::sim
