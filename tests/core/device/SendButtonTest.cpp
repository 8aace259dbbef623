#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "core/device/ScriptedRig.h"
#include "sim/SimPlatform.h"

namespace quendrix::device::testing {
namespace {

// The "Send" button against the simulated instrument.
class SendButtonTest : public ::testing::Test {
protected:
    explicit SendButtonTest(sim::FaultSwitches faults = {}) : platform(faults) {}

    void send(const std::string& command) {
        c.strPumpString.setText(command);
        c.SendToPump.click();
    }
    Micros now() { return platform.clock().now(); }

    sim::SimPlatform platform;
    app::MainForm form{platform};
    app::MainFormControls& c = form.controls();
};

TEST_F(SendButtonTest, SendsTheBoxAsTypedAndReturnsOnceTheUnitReportsReady) {
    c.fileSlot.openForOutput(kRunLog);
    send("/2ZR");
    EXPECT_EQ(platform.serial().written(), "/2ZR\r\n");
    EXPECT_EQ(platform.serial().writes().size(), 3u);
    EXPECT_EQ(c.flags.CurrentAddress, "2");
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kGreen);
    EXPECT_LT(now(), Micros{50ms});
    EXPECT_FALSE(c.tmrCommunicationTimeout.enabled());
    EXPECT_EQ(platform.files().content(kRunLog), record("Received : /0\x60\x03"));
}

TEST_F(SendButtonTest, AnAnswerOfBusyWaitsForAReadyStatus) {
    send("/1ZR");  // homing keeps the syringe busy for 1.4 s
    const Micros queryAt = now() + 2s;
    platform.clock().at(queryAt, [this] { c.CommandStatusQuery.click(); });
    send("/1Q");
    EXPECT_GT(now(), queryAt);
    EXPECT_LT(now(), queryAt + 50ms);
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kGreen);
    EXPECT_EQ(c.QueryString.text(), "/1Q");
}

TEST_F(SendButtonTest, ATextWithoutTheLeadingSlashIsSentAsTyped) {
    send("1ZR");
    EXPECT_EQ(platform.serial().written(), "1ZR\r\n");
    EXPECT_EQ(c.flags.CurrentAddress, "Z");
    // No controller takes it for a command, so the watchdog ends the wait.
    EXPECT_EQ(now(), Micros{30s});
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kRed);
}

TEST_F(SendButtonTest, AOneCharacterBoxAddressesNobody) {
    send("/");
    EXPECT_EQ(c.flags.CurrentAddress, "");
}

TEST_F(SendButtonTest, ClosingTheWindowEndsTheWait) {
    platform.clock().at(Micros{1s}, [this] { c.MainForm.close(); });
    send("1ZR");
    EXPECT_EQ(now(), Micros{1s});
    EXPECT_FALSE(c.MSComm1.PortOpen());
}

class SilentSendTest : public SendButtonTest {
protected:
    SilentSendTest() : SendButtonTest(with([](auto& f) { f.silent = true; })) {}
};

TEST_F(SilentSendTest, ReturnsAfter30Seconds) {
    send("/1ZR");
    EXPECT_EQ(now(), Micros{30s});
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kRed);
    EXPECT_FALSE(c.tmrCommunicationTimeout.enabled());
}

TEST_F(SilentSendTest, ARunSendReturnsAfter30Seconds) {
    c.flags.ProtocolRunning = true;
    form.deviceLink().SendToDevice("1", "ZR", "");
    EXPECT_EQ(now(), Micros{30s});
    EXPECT_FALSE(c.flags.ReplyReceived);
}

class StuckBusySendTest : public SendButtonTest {
protected:
    StuckBusySendTest() : SendButtonTest(with([](auto& f) { f.stuckBusy = true; })) {}
};

TEST_F(StuckBusySendTest, Returns30SecondsAfterTheLastBusyAnswer) {
    send("/1ZR");
    EXPECT_GT(now(), Micros{30s});
    EXPECT_LT(now(), Micros{30s} + 50ms);
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kRed);
}

class BabblingSendTest : public SendButtonTest {
protected:
    BabblingSendTest() : SendButtonTest(with([](auto& f) { f.babble = true; })) {}
};

TEST_F(BabblingSendTest, TheReceiveBufferStaysBoundedAndTheSendEnds) {
    std::size_t longest = 0;
    const auto watch = c.Text3.observe([&] { longest = std::max(longest, c.Text3.text().size()); });
    send("/1ZR");
    EXPECT_EQ(now(), Micros{30s});
    EXPECT_GT(longest, 0u);
    EXPECT_LE(longest, ReplyReceiver::kBufferLimit);
}

}  // namespace
}  // namespace quendrix::device::testing
