#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/device/ScriptedRig.h"
#include "sim/SimPlatform.h"

namespace quendrix::device::testing {
namespace {

// The "Send" button against the simulated instrument: it returns once the unit reports
// ready, and 30 s after the last sign of life when it never does.
struct SendCase {
    std::string name;
    sim::FaultSwitches faults;
    std::string command;
    std::string address;
    Micros returnsFrom, returnsBefore;
    platform::Colour indicator;
    friend void PrintTo(const SendCase& param, std::ostream* os) { *os << param.name; }
};

class SendButtonTest : public ::testing::TestWithParam<SendCase> {};

TEST_P(SendButtonTest, ReturnsWhenReadyOrWhenTheWatchdogRunsOut) {
    sim::SimPlatform platform(GetParam().faults);
    app::MainForm form(platform);
    auto& c = form.controls();
    std::size_t longestBuffer = 0;
    const auto watch =
        c.Text3.observe([&] { longestBuffer = std::max(longestBuffer, c.Text3.text().size()); });
    c.fileSlot.openForOutput(kRunLog);
    c.strPumpString.setText(GetParam().command);
    c.SendToPump.click();
    EXPECT_EQ(platform.serial().written(), GetParam().command + "\r\n");
    EXPECT_EQ(c.flags.CurrentAddress, GetParam().address);
    EXPECT_GE(platform.clock().now(), GetParam().returnsFrom);
    EXPECT_LT(platform.clock().now(), GetParam().returnsBefore);
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), GetParam().indicator);
    EXPECT_FALSE(c.tmrCommunicationTimeout.enabled());
    EXPECT_LE(longestBuffer, ReplyReceiver::kBufferLimit);
    EXPECT_EQ(platform.files().content(kRunLog).find("Sent"), std::string::npos);
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

TEST(SendButtonWaitTest, AnAnswerOfBusyWaitsForAStatusQueryThatReportsReady) {
    sim::SimPlatform platform;
    app::MainForm form(platform);
    auto& c = form.controls();
    c.SendToPump.click();  // "/1ZR": homing keeps the syringe busy for 1.4 s
    const Micros queryAt = platform.clock().now() + 2s;
    platform.clock().at(queryAt, [&] { c.CommandStatusQuery.click(); });
    c.strPumpString.setText("/1Q");
    c.SendToPump.click();
    EXPECT_GT(platform.clock().now(), queryAt);
    EXPECT_LT(platform.clock().now(), queryAt + 50ms);
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), platform::kGreen);
}

TEST(SendButtonWaitTest, ClosingTheWindowEndsTheWait) {
    sim::SimPlatform platform(with([](auto& f) { f.silent = true; }));
    app::MainForm form(platform);
    auto& c = form.controls();
    platform.clock().at(Micros{1s}, [&] { c.MainForm.close(); });
    c.SendToPump.click();
    EXPECT_EQ(platform.clock().now(), Micros{1s});
    EXPECT_FALSE(c.MSComm1.PortOpen());
}

}  // namespace
}  // namespace quendrix::device::testing
