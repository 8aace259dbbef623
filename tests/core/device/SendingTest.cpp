#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/device/ScriptedRig.h"
#include "sim/SimPlatform.h"

namespace quendrix::device::testing {
namespace {

class SendingTest : public ::testing::Test {
protected:
    std::string log() { return platform.files().content(kRunLog); }

    sim::SimPlatform platform;
    app::MainForm form{platform};
    app::MainFormControls& c = form.controls();
    DeviceLink& link = form.deviceLink();
};

TEST_F(SendingTest, SendToDeviceFramesWithThreeWritesOnAPortItOpensOnce) {
    link.SendToDevice("2", "V2000R", "W");
    link.SendToDevice("1", "ZR", "w");
    const auto& writes = platform.serial().writes();
    ASSERT_EQ(writes.size(), 6u);
    EXPECT_EQ(writes[0].bytes + "|" + writes[1].bytes + "|" + writes[2].bytes, "/2V2000R|\r|\n");
    EXPECT_EQ(c.strPumpString.text(), "/1ZR");
    EXPECT_EQ(c.RetryCounter2.text(), "1");        // only "W" counts
    EXPECT_EQ(platform.clock().now(), Micros{0});  // outside a run nothing waits
    EXPECT_EQ(platform.serial().openCount(), 1);
    EXPECT_EQ(c.MSComm1.Settings(), "9600,N,8,1");
    EXPECT_EQ(c.MSComm1.InputLen(), 1);
}

struct LogCase {
    std::string address;
    std::string text;
    std::string framed;
    bool logged;
};

class SendLogTest : public SendingTest, public ::testing::WithParamInterface<LogCase> {};

TEST_P(SendLogTest, LogsCommandsWithoutAnUpperCaseQ) {
    c.fileSlot.openForOutput(kRunLog);
    link.SendToDeviceNow(GetParam().address, GetParam().text);
    EXPECT_EQ(platform.serial().written(), GetParam().framed + "\r\n");
    EXPECT_EQ(c.flags.CurrentAddress, GetParam().address);
    EXPECT_EQ(log(), GetParam().logged ? record("Sent     : " + GetParam().framed) : "");
}

INSTANTIATE_TEST_SUITE_P(Commands, SendLogTest,
                         ::testing::Values(LogCase{"12", "ZR", "/12ZR", true},
                                           LogCase{"1", "Q1", "/1Q1", false},
                                           LogCase{"1", "q", "/1q", true},
                                           LogCase{"Q", "ZR", "/QZR", false}));

TEST_F(SendingTest, DuringARunSendToDeviceWaitsForTheReplyAndLogsAfterIt) {
    c.fileSlot.openForOutput(kRunLog);
    c.flags.ProtocolRunning = true;
    link.SendToDevice("2", "V2000R", "");
    EXPECT_TRUE(c.flags.ReplyReceived);
    EXPECT_LT(platform.clock().now(), Micros{50ms});
    EXPECT_FALSE(c.tmrCommunicationTimeout.enabled());
    EXPECT_EQ(log(), record("Received : /0\x60\x03") + record("Sent     : /2V2000R"));
}

TEST_F(SendingTest, InTestModeTheTestingTimerStandsInForTheController) {
    c.flags.TestMode = true;
    link.SendToDevice("1", "A100R", "");
    EXPECT_EQ(platform.serial().written(), "");
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kRed);
    platform.clock().advanceBy(100ms);
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kGreen);
}

TEST_F(SendingTest, StatusQueryAsksTheDeviceLastAddressed) {
    c.CommandStatusQuery.click();
    link.SendToDeviceNow("2", "ZR");
    c.flags.ReplyReceived = true;
    c.TimerStatusQuery.setEnabled(true);  // nothing in the program does; each tick queries
    platform.clock().advanceBy(50ms);
    c.TimerStatusQuery.setEnabled(false);
    EXPECT_EQ(platform.serial().written(), "/1Q\r\n/2ZR\r\n/2Q\r\n");
    EXPECT_EQ(c.QueryString.text(), "/2Q");
    EXPECT_FALSE(c.flags.ReplyReceived);
}

TEST(SendFailureTest, APortThatCannotBeOpenedLosesTheCommandSilently) {
    ScriptedRig rig;
    rig.c.MSComm1.setPortOpen(false);
    rig.line.refuseOpen = true;
    rig.c.fileSlot.openForOutput(kRunLog);
    rig.link.SendToDeviceNow("1", "ZR");
    rig.c.CommandStatusQuery.click();
    rig.c.flags.ProtocolRunning = true;
    rig.link.SendToDevice("2", "ZR", "");
    EXPECT_EQ(rig.line.written, "");
    EXPECT_EQ(rig.c.QueryString.text(), "/1Q");
    // The sends went on past their failures: logged, and the run's wait bounded by the
    // 30-s watchdog.
    EXPECT_EQ(rig.log(), record("Sent     : /1ZR") + record("Sent     : /2ZR"));
    EXPECT_EQ(rig.clock.now(), Micros{30s});
}

TEST(SendFailureTest, AFailedWriteOnAnOpenPortEndsTheOperationAtOnce) {
    ScriptedRig rig;
    rig.line.failWrites = true;
    rig.c.fileSlot.openForOutput(kRunLog);
    rig.c.flags.ProtocolRunning = true;
    rig.link.SendToDevice("1", "ZR", "");
    rig.link.SendToDeviceNow("1", "ZR");
    rig.c.CommandStatusQuery.click();
    rig.c.SendToPump.click();
    EXPECT_EQ(rig.clock.now(), Micros{0});
    EXPECT_EQ(rig.log(), "");
    EXPECT_EQ(rig.c.QueryString.text(), "/1ZR");
}

TEST(SendFailureTest, AStrayCarriageReturnRestartsTheWatchdogOfARunSend) {
    ScriptedRig rig;
    rig.c.flags.ProtocolRunning = true;
    rig.line.respond = [&] { rig.line.deliverIn(10s, "\r"); };
    rig.link.SendToDevice("1", "ZR", "");
    EXPECT_EQ(rig.clock.now(), Micros{40s});
}

TEST(SendFailureTest, EndingTheRunEndsATestModeSendWait) {
    ScriptedRig rig;
    rig.c.flags.ProtocolRunning = true;
    rig.c.flags.TestMode = true;  // no watchdog: only the end of the run ends this wait
    rig.clock.at(Micros{45s}, [&] { rig.c.flags.ProtocolRunning = false; });
    rig.link.SendToDevice("1", "ZR", "");
    EXPECT_EQ(rig.clock.now(), Micros{45s});
}

}  // namespace
}  // namespace quendrix::device::testing
