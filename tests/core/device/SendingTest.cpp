#include <gtest/gtest.h>

#include <string>

#include "core/device/ScriptedRig.h"

namespace quendrix::device::testing {
namespace {

class SendingTest : public ::testing::Test, public SimRig {};

TEST_F(SendingTest, DuringARunSendToDeviceWaitsForTheReplyAndLogsAfterIt) {
    c.fileSlot.openForOutput(kRunLog);
    c.flags.ProtocolRunning = true;
    link.SendToDevice("2", "V2000R", "W");
    EXPECT_LT(clock.now(), Micros{50ms});
    EXPECT_FALSE(c.tmrCommunicationTimeout.enabled());
    EXPECT_EQ(log(), record("Received : /0\x60\x03") + record("Sent     : /2V2000R"));
    EXPECT_EQ(c.RetryCounter2.text(), "1");
}

TEST_F(SendingTest, OutsideARunSendToDeviceReturnsAtOnceAfterThreeWrites) {
    link.SendToDevice("1", "ZR", "w");
    EXPECT_EQ(clock.now(), Micros{0});
    const auto& writes = platform.serial().writes();
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0].bytes + "|" + writes[1].bytes + "|" + writes[2].bytes, "/1ZR|\r|\n");
    EXPECT_EQ(c.RetryCounter2.text(), "0");  // only "W" counts
    EXPECT_EQ(platform.serial().settings(), platform::LineSettings::parse("9600,N,8,1"));
}

TEST_F(SendingTest, SendToDeviceNowLogsCommandsWithoutAnUpperCaseQ) {
    c.fileSlot.openForOutput(kRunLog);
    link.SendToDeviceNow("12", "ZR");
    link.SendToDeviceNow("1", "Q1");
    link.SendToDeviceNow("2", "q");
    link.SendToDeviceNow("Q", "ZR");
    EXPECT_EQ(c.flags.CurrentAddress, "Q");
    EXPECT_EQ(platform.serial().written(), "/12ZR\r\n/1Q1\r\n/2q\r\n/QZR\r\n");
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

TEST_F(SendingTest, StatusQueryAsksTheDeviceLastAddressed) {
    c.CommandStatusQuery.click();
    link.SendToDeviceNow("2", "ZR");
    c.flags.ReplyReceived = true;
    c.TimerStatusQuery.setEnabled(true);  // nothing in the program does; each tick queries
    clock.advanceBy(50ms);
    c.TimerStatusQuery.setEnabled(false);
    EXPECT_EQ(platform.serial().written(), "/1Q\r\n/2ZR\r\n/2Q\r\n");
    EXPECT_EQ(c.QueryString.text(), "/2Q");
    EXPECT_FALSE(c.flags.ReplyReceived);
}

TEST_F(SendingTest, APortThatCannotBeOpenedLosesTheCommandSilently) {
    c.MSComm1.setCommPort(2);  // no such port
    c.fileSlot.openForOutput(kRunLog);
    link.SendToDeviceNow("1", "ZR");
    c.CommandStatusQuery.click();
    c.flags.ProtocolRunning = true;
    link.SendToDevice("2", "ZR", "");
    EXPECT_EQ(platform.serial().written(), "");
    EXPECT_EQ(c.QueryString.text(), "/1Q");
    // The sends went on past their failures: logged, and the run's wait bounded by the
    // 30-s watchdog.
    EXPECT_EQ(log(), record("Sent     : /1ZR") + record("Sent     : /2ZR"));
    EXPECT_EQ(clock.now(), Micros{30s});
    // The operator is told nothing, but the reason is kept.
    EXPECT_TRUE(platform.messages().shown().empty());
    ASSERT_FALSE(platform.diagnosticLines().lines().empty());
    EXPECT_EQ(platform.diagnosticLines().lines().front(), "no such port: 2");
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
    rig.deliverAt(Micros{10s}, "\r");
    rig.link.SendToDevice("1", "ZR", "");
    EXPECT_EQ(rig.clock.now(), Micros{40s});
}

// The "Send" button against the simulated instrument: it returns once the unit reports
// ready, and 30 s after the last sign of life when it never does.
struct SendCase {
    std::string name;
    sim::FaultSwitches faults;
    std::string command, address;
    Micros returnsFrom, returnsBefore;
    platform::Colour indicator;
    friend void PrintTo(const SendCase& row, std::ostream* os) { *os << row.name; }
};

class SendButtonTest : public ::testing::TestWithParam<SendCase>, public SimRig {
protected:
    SendButtonTest() : SimRig(GetParam().faults) {}
};

TEST_P(SendButtonTest, ReturnsWhenReadyOrWhenTheWatchdogRunsOut) {
    c.fileSlot.openForOutput(kRunLog);
    c.strPumpString.setText(GetParam().command);
    c.SendToPump.click();
    EXPECT_EQ(platform.serial().written(), GetParam().command + "\r\n");
    EXPECT_EQ(c.flags.CurrentAddress, GetParam().address);
    EXPECT_GE(clock.now(), GetParam().returnsFrom);
    EXPECT_LT(clock.now(), GetParam().returnsBefore);
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), GetParam().indicator);
    EXPECT_FALSE(c.tmrCommunicationTimeout.enabled());
    EXPECT_EQ(log().find("Sent"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Controllers, SendButtonTest,
    ::testing::Values(SendCase{"Ready", {}, "/2ZR", "2", 1ms, 50ms, platform::kGreen},
                      SendCase{"NoLeadingSlash", {}, "1ZR", "Z", 30s, 30s + 1ms, platform::kRed},
                      SendCase{"TooShortForAnAddress", {}, "/", "", 30s, 30s + 1ms, platform::kRed},
                      SendCase{"Silent", with([](auto& f) { f.silent = true; }), "/1ZR", "1", 30s,
                               30s + 1ms, platform::kRed},
                      SendCase{"StuckBusy", with([](auto& f) { f.stuckBusy = true; }), "/1ZR", "1",
                               30s + 1ms, 30s + 50ms, platform::kRed},
                      SendCase{"Babbling", with([](auto& f) { f.babble = true; }), "/1ZR", "1", 30s,
                               30s + 1ms, platform::kRed}),
    [](const auto& testCase) { return testCase.param.name; });

TEST_F(SendingTest, ClosingTheWindowEndsTheWaitOfSend) {
    platform.serial().reconnect(with([](auto& f) { f.silent = true; }));
    clock.at(Micros{1s}, [&] { c.MainForm.close(); });
    c.SendToPump.click();
    EXPECT_EQ(clock.now(), Micros{1s});
    EXPECT_FALSE(c.MSComm1.PortOpen());
}

// A send or query still running after the close must neither reopen the port nor write.
TEST_F(SendingTest, AfterShutDownNothingReachesThePort) {
    link.SendToDevice("1", "ZR", "");
    const std::string before = platform.serial().written();
    c.MainForm.close();
    c.flags.ProtocolRunning = true;
    link.SendToDevice("1", "A10R", "");
    link.SendToDeviceNow("1", "Q1");
    c.CommandStatusQuery.click();
    c.SendToPump.click();
    EXPECT_EQ(platform.serial().written(), before);
    EXPECT_EQ(platform.serial().openCount(), 1);
    EXPECT_FALSE(c.MSComm1.PortOpen());
    EXPECT_EQ(clock.now(), Micros{0});
}

}  // namespace
}  // namespace quendrix::device::testing
