#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "sim/clock/VirtualClock.h"
#include "sim/instrument/SyringeDrive.h"

namespace quendrix::sim {
namespace {

using namespace std::chrono_literals;

class SyringeDriveTest : public ::testing::Test {
protected:
    VirtualClock clock;
    SyringeDrive drive{clock, [] { return false; }};

    ControllerError run(std::string_view text) { return drive.handle(text).error; }
    void initialise() {
        ASSERT_EQ(run("ZR"), ControllerError::none);
        clock.advanceBy(5s);
    }
};

TEST_F(SyringeDriveTest, InitialisationTakesItsFixedTimeAndEndsAtZero) {
    for (const auto& [text, duration] : {std::pair{"ZR", 1'400'000us}, {"WR", 3'200'000us}}) {
        SCOPED_TRACE(text);
        const Micros start = clock.now();
        drive.handle(text);
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
// 26.7 and 24.4 steps, the rest runs at 1400 steps/s.
// Then the commands of one string run in turn, and the reports answer with data.
TEST_F(SyringeDriveTest, AMoveKeepsTheDriveBusyAndRefusesMoreThenAStringsCommandsRunInTurn) {
    initialise();
    const Micros start = clock.now();
    EXPECT_TRUE(drive.handle("A3000R").ready) << "the reply leaves before the move starts";
    EXPECT_FALSE(drive.handle("Q").ready);
    const ControllerReply overflow = drive.handle("A10R");
    EXPECT_FALSE(overflow.ready);
    EXPECT_EQ(overflow.error, ControllerError::commandOverflow);
    clock.advanceTo(start + 2'180'611us);
    EXPECT_TRUE(drive.busy());
    clock.advanceTo(start + 2'180'612us);
    EXPECT_TRUE(drive.handle("Q").ready);
    EXPECT_EQ(drive.position(), 3000);

    drive.handle("P100M1000D40R");
    clock.advanceBy(500ms);
    EXPECT_EQ(drive.handle("?").data, "3100");
    EXPECT_TRUE(drive.busy()) << "waiting";
    clock.advanceBy(1s);
    EXPECT_FALSE(drive.busy());
    EXPECT_EQ(drive.handle("?0").data, "3060");
}

// A refused string is checked whole before anything in it runs, so it changes nothing, not
// even its leading settings. The accepted ones are the ends of each range, and of what the
// host's stepping and random tokens send.
TEST_F(SyringeDriveTest, RefusesAStringWholeAndAcceptsTheEndsOfEachRange) {
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
    for (const char* text :
         {"A0R", "A24000R", "YR", "Z0R", "Z2R", "v899R", "c50R", "L1R", "C1R", "V5R", "S40R"}) {
        EXPECT_EQ(run(text), ControllerError::none) << text;
        clock.advanceBy(30s);
    }
}

TEST_F(SyringeDriveTest, AMoveBeforeInitialisationIsRefusedAndAnErrorStaysUntilTheNextString) {
    EXPECT_EQ(run("P10R"), ControllerError::notInitialised);
    EXPECT_EQ(run("ZA100R"), ControllerError::none) << "initialising first in the string counts";
    clock.advanceBy(2s);
    EXPECT_EQ(drive.position(), 100);

    run("XR");
    for (const char* query : {"Q", "?", "Q1"}) {
        EXPECT_EQ(drive.handle(query).error, ControllerError::unknownCommand) << query;
    }
    EXPECT_EQ(run("V1000R"), ControllerError::none);
    EXPECT_EQ(drive.handle("Q2").error, ControllerError::none);
}

}  // namespace
}  // namespace quendrix::sim
