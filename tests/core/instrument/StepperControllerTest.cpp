#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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
    for (const auto& [text, duration] : {std::pair{"ZR", 1'400'000us}, {"WR", 3'200'000us}}) {
        SCOPED_TRACE(text);
        const Micros start = clock.now();
        drive.handle(text);
        EXPECT_FALSE(drive.initialised());
        clock.advanceTo(start + duration - 1us);
        EXPECT_TRUE(drive.busy());
        clock.advanceTo(start + duration);
        EXPECT_FALSE(drive.busy());
        EXPECT_TRUE(drive.initialised());
        EXPECT_EQ(drive.position(), 0);
    }
}

// With the default speeds (start 300, top 1400, cut-off 500 steps/s, slope 14 = 35000
// steps/s^2): 3000 steps up plus twice the backlash of 12 take 2.180612 s; the ramps cover
// 26.7 and 24.4 steps, the rest runs at 1400 steps/s. The way down has no backlash.
TEST_F(SyringeDriveTest, AMoveKeepsTheDriveBusyForItsTravelTime) {
    initialise();
    Micros start = clock.now();
    EXPECT_TRUE(drive.handle("A3000R").ready) << "the reply leaves before the move starts";
    EXPECT_TRUE(drive.moving());
    clock.advanceTo(start + 1'090'306us);
    EXPECT_NEAR(drive.position(), 1500, 1);
    EXPECT_FALSE(drive.handle("Q").ready);
    const ControllerReply overflow = drive.handle("A10R");
    EXPECT_FALSE(overflow.ready);
    EXPECT_EQ(overflow.error, ControllerError::commandOverflow);
    clock.advanceTo(start + 2'180'611us);
    EXPECT_TRUE(drive.busy());
    clock.advanceTo(start + 2'180'612us);
    EXPECT_FALSE(drive.busy());
    EXPECT_TRUE(drive.handle("Q").ready);
    EXPECT_EQ(drive.position(), 3000);

    start = clock.now();
    drive.handle("D3000R");
    clock.advanceTo(start + 2'163'468us);
    EXPECT_TRUE(drive.busy());
    clock.advanceTo(start + 2'163'469us);
    EXPECT_FALSE(drive.busy());
    EXPECT_EQ(drive.position(), 0);
}

TEST_F(SyringeDriveTest, TheTopSpeedComesFromItsCodeOrValueAndSetsTheTimeOfALongMove) {
    drive.handle("S0R");
    EXPECT_EQ(drive.motion().topSpeed, 6000);
    drive.handle("S1R");
    EXPECT_EQ(drive.motion().topSpeed, 5100);
    drive.handle("S40R");
    EXPECT_GE(drive.motion().topSpeed, 5);
    EXPECT_LT(drive.motion().topSpeed, 20);
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
    std::string settings;
    for (const char* query : {"?1", "?2", "?3", "?4", "?5", "?6"}) {
        settings += drive.handle(query).data + ' ';
    }
    EXPECT_EQ(settings, "50 5799 1999 20 63 25 ");
    EXPECT_EQ(drive.handle("&").data, "QXS 2.41");
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
    EXPECT_FALSE(drive.handle("T").ready);
    EXPECT_FALSE(drive.busy());
    const int stoppedAt = drive.position();
    EXPECT_GT(stoppedAt, 1000);
    EXPECT_LT(stoppedAt, 2000);
    clock.advanceBy(5s);
    EXPECT_EQ(drive.position(), stoppedAt);
}

// A refused string is checked whole before anything in it runs, so it changes nothing, not
// even its leading settings.
TEST_F(SyringeDriveTest, RefusesAStringWhole) {
    initialise();
    drive.handle("A100R");
    clock.advanceBy(1s);
    const std::pair<ControllerError, std::vector<const char*>> refusals[] = {
        {ControllerError::invalidOperand,
         {"A24001R", "D101R", "V4000P23901R", "V4000YA-5R", "AR", "S41R", "S-1R", "V4000v0R",
          "V6001R", "L21R", "K64R", "C0R", "M30001R", "Z3R"}},
        {ControllerError::unknownCommand, {"a10R", "V4000A10RA20R", "A1.5R", "?9", "?x"}},
    };
    for (const auto& [error, texts] : refusals) {
        for (const char* text : texts) {
            const ControllerReply reply = drive.handle(text);
            EXPECT_EQ(reply.error, error) << text;
            EXPECT_TRUE(reply.ready) << text;
            EXPECT_FALSE(drive.busy()) << text;
            EXPECT_EQ(drive.position(), 100) << text;
            EXPECT_EQ(drive.motion().topSpeed, 1400) << text;
        }
    }
}

// The ends of each range, and of what the host's stepping and random tokens send.
TEST_F(SyringeDriveTest, AcceptsTheEndsOfEachRange) {
    initialise();
    for (const char* text :
         {"A0R", "A24000R", "YR", "Z0R", "Z2R", "v899R", "c50R", "L1R", "C1R", "V5R"}) {
        EXPECT_EQ(run(text), ControllerError::none) << text;
        clock.advanceBy(30s);
    }
}

TEST_F(SyringeDriveTest, AMoveBeforeInitialisationIsRefused) {
    EXPECT_EQ(run("A100R"), ControllerError::notInitialised);
    EXPECT_EQ(run("P10R"), ControllerError::notInitialised);
    EXPECT_FALSE(drive.busy());
    EXPECT_EQ(run("ZA100R"), ControllerError::none) << "initialising first in the string counts";
    clock.advanceBy(2s);
    EXPECT_EQ(drive.position(), 100);
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
