#include <gtest/gtest.h>

#include <string>

#include "core/device/ScriptedRig.h"

namespace quendrix::device::testing {
namespace {

class SendingTest : public ::testing::Test, public SimRig {};

// Outside a run it returns at once; during a run it waits for the reply and logs the send
// after it. Only "W" counts in RetryCounter2.
TEST_F(SendingTest, SendToDeviceWritesThreeTimesAndWaitsOnlyDuringARun) {
    link.SendToDevice("1", "ZR", "w");
    EXPECT_EQ(clock.now(), Micros{0});
    const auto& writes = platform.serial().writes();
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0].bytes + "|" + writes[1].bytes + "|" + writes[2].bytes, "/1ZR|\r|\n");
    EXPECT_EQ(platform.serial().settings(), platform::LineSettings::parse("9600,N,8,1"));
    c.fileSlot.openForOutput(kRunLog);
    c.flags.ProtocolRunning = true;
    link.SendToDevice("2", "V2000R", "W");
    EXPECT_LT(clock.now(), Micros{50ms});
    EXPECT_FALSE(c.tmrCommunicationTimeout.enabled());
    EXPECT_EQ(log(), record("Received : /0\x60\x03") + record("Sent     : /2V2000R"));
    EXPECT_EQ(c.strPumpString.text(), "/2V2000R");
    EXPECT_EQ(c.RetryCounter2.text(), "1");
}

// The status query goes to "1" after start-up, then to the device last addressed.
TEST_F(SendingTest, SendToDeviceNowAndTheStatusQueryLogOnlyCommandsWithoutAnUpperCaseQ) {
    c.fileSlot.openForOutput(kRunLog);
    c.CommandStatusQuery.click();
    link.SendToDeviceNow("12", "ZR");
    link.SendToDeviceNow("1", "Q1");
    link.SendToDeviceNow("2", "q");
    c.flags.ReplyReceived = true;
    c.CommandStatusQuery.click();
    EXPECT_FALSE(c.flags.ReplyReceived);
    EXPECT_EQ(c.QueryString.text(), "/2Q");
    link.SendToDeviceNow("Q", "ZR");
    EXPECT_EQ(c.flags.CurrentAddress, "Q");
    EXPECT_EQ(platform.serial().written(), "/1Q\r\n/12ZR\r\n/1Q1\r\n/2q\r\n/2Q\r\n/QZR\r\n");
    EXPECT_EQ(log(), record("Sent     : /12ZR") + record("Sent     : /2q"));
}

// No watchdog runs in test mode: only the end of the run ends the wait.
TEST_F(SendingTest, InTestModeTheTestingTimerStandsInForTheController) {
    c.flags.TestMode = true;
    c.flags.ProtocolRunning = true;
    clock.at(Micros{99ms}, [&] { EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kRed); });
    clock.at(Micros{45s}, [&] { c.flags.ProtocolRunning = false; });
    link.SendToDevice("1", "A100R", "");
    EXPECT_EQ(platform.serial().written(), "");
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kGreen);
    EXPECT_EQ(clock.now(), Micros{45s});
}

// The send goes on past the failure, its wait bounded by the 30-s watchdog. The operator is
// told nothing, but the reason is kept.
TEST_F(SendingTest, APortThatCannotBeOpenedLosesTheCommandSilently) {
    c.MSComm1.setCommPort(2);  // no such port
    c.fileSlot.openForOutput(kRunLog);
    c.flags.ProtocolRunning = true;
    link.SendToDevice("2", "ZR", "");
    EXPECT_EQ(log(), record("Sent     : /2ZR"));
    EXPECT_EQ(clock.now(), Micros{30s});
    EXPECT_TRUE(platform.messages().shown().empty());
    EXPECT_EQ(platform.diagnosticLines().lines().at(0), "step failed: no such port: 2");
}

// The "Send" button against the simulated instrument: it returns once the unit reports
// ready, and 30 s after the last reply when it never does.
TEST(SendButtonTest, ReturnsWhenReadyOrWhenTheWatchdogRunsOut) {
    const struct Case {
        FaultSwitches faults;
        std::string command, address;
        Micros returnsFrom, returnsBefore;
        platform::Colour indicator;
    } cases[] = {
        {{}, "/2ZR", "2", 1ms, 50ms, platform::kGreen},
        {{}, "1ZR", "Z", 30s, 30s + 1ms, platform::kRed},  // sent as typed, never answered
        {with(&FaultSwitches::stuckBusy, true), "/1ZR", "1", 30s + 1ms, 30s + 50ms, platform::kRed},
        {with(&FaultSwitches::babble, true), "/1ZR", "1", 30s, 30s + 1ms, platform::kRed},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.command);
        SimRig rig(row.faults);
        rig.c.fileSlot.openForOutput(kRunLog);
        rig.c.strPumpString.setText(row.command);
        rig.c.SendToPump.click();
        EXPECT_EQ(rig.platform.serial().written(), row.command + "\r\n");
        EXPECT_EQ(rig.c.flags.CurrentAddress, row.address);
        EXPECT_GE(rig.clock.now(), row.returnsFrom);
        EXPECT_LT(rig.clock.now(), row.returnsBefore);
        EXPECT_EQ(rig.c.ShapeUnitStatus.fillColor(), row.indicator);
        EXPECT_FALSE(rig.c.tmrCommunicationTimeout.enabled());
        EXPECT_EQ(rig.log().find("Sent"), std::string::npos);
    }
}

// A send or query still running after the close must neither reopen the port nor write.
TEST_F(SendingTest, ClosingTheWindowEndsTheWaitOfSendAndNothingReachesThePortAfterwards) {
    platform.serial().reconnect(with(&FaultSwitches::silent, true));
    clock.at(Micros{1s}, [&] { c.MainForm.close(); });
    c.SendToPump.click();
    EXPECT_EQ(clock.now(), Micros{1s});
    const std::string before = platform.serial().written();
    c.flags.ProtocolRunning = true;
    link.SendToDevice("1", "A10R", "");
    link.SendToDeviceNow("1", "Q1");
    c.CommandStatusQuery.click();
    c.SendToPump.click();
    EXPECT_EQ(platform.serial().written(), before);
    EXPECT_EQ(platform.serial().openCount(), 1);
    EXPECT_FALSE(c.MSComm1.PortOpen());
    EXPECT_EQ(clock.now(), Micros{1s});
}

}  // namespace
}  // namespace quendrix::device::testing
