#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainForm.h"
#include "core/device/ScriptedRig.h"
#include "sim/SimPlatform.h"

namespace quendrix::device::testing {
namespace {

class SendingTest : public ::testing::Test {
protected:
    std::vector<std::string> writes() {
        std::vector<std::string> all;
        for (const auto& w : platform.serial().writes()) {
            all.push_back(w.bytes);
        }
        return all;
    }
    std::string log() { return platform.files().content(kRunLog); }

    sim::SimPlatform platform;
    app::MainForm form{platform};
    app::MainFormControls& c = form.controls();
    DeviceLink& link = form.deviceLink();
};

TEST_F(SendingTest, SendToDeviceFramesWithThreeWritesAndReturnsOutsideARun) {
    link.SendToDevice("2", "V2000R", "");
    EXPECT_EQ(writes(), (std::vector<std::string>{"/2V2000R", "\r", "\n"}));
    EXPECT_EQ(c.strPumpString.text(), "/2V2000R");
    EXPECT_EQ(c.flags.CurrentAddress, "2");
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kRed);
    EXPECT_FALSE(c.tmrCommunicationTimeout.enabled());
    EXPECT_EQ(platform.clock().now(), Micros{0});
}

TEST_F(SendingTest, FirstSendOpensThePortOnceAt9600Baud8N1) {
    link.SendToDeviceNow("1", "ZR");
    link.SendToDeviceNow("2", "ZR");
    EXPECT_TRUE(c.MSComm1.PortOpen());
    EXPECT_EQ(c.MSComm1.Settings(), "9600,N,8,1");
    EXPECT_EQ(c.MSComm1.RThreshold(), 1);
    EXPECT_EQ(c.MSComm1.InputLen(), 1);
    EXPECT_EQ(platform.serial().settings(), platform::LineSettings{});
    EXPECT_EQ(platform.serial().openCount(), 1);
}

struct LogCase {
    std::string address;
    std::string text;
    std::string framed;
    bool logged;
};

class SendLogTest : public SendingTest, public ::testing::WithParamInterface<LogCase> {};

TEST_P(SendLogTest, SendToDeviceNowLogsCommandsWithoutAnUpperCaseQ) {
    c.fileSlot.openForOutput(kRunLog);
    link.SendToDeviceNow(GetParam().address, GetParam().text);
    EXPECT_EQ(platform.serial().written(), GetParam().framed + "\r\n");
    EXPECT_EQ(c.strPumpString.text(), GetParam().framed);
    EXPECT_EQ(c.flags.CurrentAddress, GetParam().address);
    EXPECT_EQ(log(), GetParam().logged ? record("Sent     : " + GetParam().framed) : "");
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SendLogTest,
    ::testing::Values(LogCase{"12", "ZR", "/12ZR", true}, LogCase{"1", "Q1", "/1Q1", false},
                      LogCase{"2", "Q", "/2Q", false}, LogCase{"1", "q", "/1q", true},
                      LogCase{"1", "A3000R", "/1A3000R", true}, LogCase{"Q", "ZR", "/QZR", false},
                      LogCase{"", "", "/", true}));

TEST_F(SendingTest, SendToDeviceDuringARunWaitsForTheReplyThenLogs) {
    c.fileSlot.openForOutput(kRunLog);
    c.flags.ProtocolRunning = true;
    link.SendToDevice("2", "V2000R", "");
    EXPECT_TRUE(c.flags.ReplyReceived);
    EXPECT_GT(platform.clock().now(), Micros{0});
    EXPECT_LT(platform.clock().now(), Micros{50'000});
    EXPECT_FALSE(c.tmrCommunicationTimeout.enabled());
    // The send is logged after its wait, so after the reply it waited for.
    EXPECT_EQ(log(), record("Received : /0\x60\x03") + record("Sent     : /2V2000R"));
}

TEST_F(SendingTest, WaitFlagWRaisesRetryCounter2) {
    link.SendToDevice("1", "ZR", "W");
    link.SendToDevice("1", "ZR", "w");
    link.SendToDevice("1", "ZR", "");
    EXPECT_EQ(c.RetryCounter2.text(), "1");
}

TEST_F(SendingTest, TestModeWritesNothingAndTheTestingTimerTurnsTheUnitGreen) {
    c.flags.TestMode = true;
    c.flags.ReplyReceived = true;
    link.SendToDevice("1", "A100R", "");
    EXPECT_TRUE(platform.serial().writes().empty());
    EXPECT_FALSE(c.MSComm1.PortOpen());
    EXPECT_TRUE(c.flags.ReplyReceived);
    EXPECT_EQ(c.strPumpString.text(), "/1A100R");
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kRed);
    platform.clock().advanceBy(99ms);
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kRed);
    platform.clock().advanceBy(1ms);
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kGreen);
    EXPECT_FALSE(c.tmrTestingTimer.enabled());
}

TEST_F(SendingTest, StatusQueryAsksTheDeviceLastAddressed) {
    c.CommandStatusQuery.click();
    EXPECT_EQ(platform.serial().written(), "/1Q\r\n");
    EXPECT_EQ(c.QueryString.text(), "/1Q");
    link.SendToDeviceNow("2", "ZR");
    c.flags.ReplyReceived = true;
    c.CommandStatusQuery.click();
    EXPECT_FALSE(c.flags.ReplyReceived);
    EXPECT_EQ(c.QueryString.text(), "/2Q");
    EXPECT_EQ(writes().back(), "\n");
    platform.clock().advanceBy(50ms);
    EXPECT_TRUE(c.flags.ReplyReceived);  // the reply is decoded like any other
}

TEST_F(SendingTest, StatusQueryTimerPollsOnEveryTick) {
    c.TimerStatusQuery.setEnabled(true);
    platform.clock().advanceBy(100ms);
    c.TimerStatusQuery.setEnabled(false);
    EXPECT_EQ(platform.serial().written(), "/1Q\r\n/1Q\r\n");
}

// The far end of the line fails in the ways a real port does.
class SendFailureTest : public ::testing::Test {
protected:
    ScriptedRig rig;
    app::MainFormControls& c = rig.controls();
};

TEST_F(SendFailureTest, APortThatCannotBeOpenedLosesTheCommandSilently) {
    rig.line().refuseOpen = true;
    rig.openLog();
    rig.link().SendToDeviceNow("1", "ZR");
    rig.link().SendToDevice("2", "ZR", "");
    c.CommandStatusQuery.click();
    EXPECT_TRUE(rig.line().writes.empty());
    EXPECT_FALSE(c.MSComm1.PortOpen());
    EXPECT_EQ(c.QueryString.text(), "/2Q");
    // The operation goes on past its failures, so the sends are logged all the same.
    EXPECT_EQ(rig.log(), record("Sent     : /1ZR") + record("Sent     : /2ZR"));
}

TEST_F(SendFailureTest, AFailedWriteOnAnOpenPortEndsTheSendAtOnce) {
    rig.openPort();
    rig.openLog();
    rig.line().failWrites = true;
    c.flags.ProtocolRunning = true;
    c.flags.ReplyReceived = true;
    rig.link().SendToDevice("1", "ZR", "");
    rig.link().SendToDeviceNow("1", "ZR");
    EXPECT_TRUE(c.flags.ReplyReceived);  // the send ended before clearing it
    c.CommandStatusQuery.click();
    c.SendToPump.click();
    EXPECT_EQ(rig.clock().now(), Micros{0});  // nothing waited
    EXPECT_EQ(rig.log(), "");
    EXPECT_FALSE(c.tmrCommunicationTimeout.enabled());
    EXPECT_EQ(c.QueryString.text(), "/1ZR");
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kRed);
}

TEST_F(SendFailureTest, ARunSendToAMissingPortWaitsNoLongerThanTheWatchdog) {
    rig.line().refuseOpen = true;
    rig.openLog();
    c.flags.ProtocolRunning = true;
    rig.link().SendToDevice("1", "ZR", "");
    EXPECT_EQ(rig.clock().now(), Micros{30s});
    EXPECT_FALSE(c.flags.ReplyReceived);
    EXPECT_EQ(rig.log(), record("Sent     : /1ZR"));
}

TEST_F(SendFailureTest, AReplyThatDoesNotEndTheRunSendRestartsItsWatchdog) {
    rig.openPort();
    c.flags.ProtocolRunning = true;
    // A stray CR stops the watchdog without being a reply.
    rig.line().respond = [&](const std::string&) { rig.line().deliverIn(10s, "\r"); };
    rig.link().SendToDevice("1", "ZR", "");
    EXPECT_EQ(rig.clock().now(), Micros{40s});
    EXPECT_FALSE(c.tmrCommunicationTimeout.enabled());
}

TEST_F(SendFailureTest, EndingTheRunEndsTheSendWait) {
    rig.openPort();
    c.flags.ProtocolRunning = true;
    rig.clock().at(Micros{2s}, [&] { c.flags.ProtocolRunning = false; });
    rig.link().SendToDevice("1", "ZR", "");
    EXPECT_EQ(rig.clock().now(), Micros{2s});
}

TEST_F(SendFailureTest, ATestModeSendDuringARunWaitsForTheRunToEnd) {
    c.flags.ProtocolRunning = true;
    c.flags.TestMode = true;
    rig.clock().at(Micros{45s}, [&] { c.flags.ProtocolRunning = false; });
    rig.link().SendToDevice("1", "ZR", "");
    EXPECT_EQ(rig.clock().now(), Micros{45s});
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kGreen);
}

}  // namespace
}  // namespace quendrix::device::testing
