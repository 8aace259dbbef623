#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/device/ScriptedRig.h"
#include "sim/SimPlatform.h"

namespace quendrix::device::testing {
namespace {

// The protocol runner's exchanges with the simulated instrument, one fault at a time.
struct FaultRig {
    explicit FaultRig(sim::FaultSwitches faults) : platform(faults) {
        c.flags.ProtocolRunning = true;
    }
    WaitOutcome exchange(const std::string& text) { return testing::exchange(form, text); }

    sim::SimPlatform platform;
    app::MainForm form{platform};
    app::MainFormControls& c = form.controls();
};

struct FaultCase {
    std::string name;
    sim::FaultSwitches faults;
    std::function<void(FaultRig&)> check;
    friend void PrintTo(const FaultCase& param, std::ostream* os) { *os << param.name; }
};

class FaultSwitchTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultSwitchTest, TheDeviceLinkCopes) {
    FaultRig rig(GetParam().faults);
    GetParam().check(rig);
}

void healthy(FaultRig& rig) {
    EXPECT_EQ(rig.exchange("ZR"), WaitOutcome::Replied);
    EXPECT_EQ(testing::exchange(rig.form, "?", "2"), WaitOutcome::Replied);
    EXPECT_EQ(rig.c.strResponse.text(), "0\x03");
    EXPECT_EQ(rig.c.ShapeUnitStatus.fillColor(), platform::kGreen);
}

void silent(FaultRig& rig) {
    EXPECT_EQ(rig.exchange("Q1"), WaitOutcome::TimedOut);
    EXPECT_EQ(rig.c.RetryCounter2.text(), "1");
}

void dropEverySecond(FaultRig& rig) {
    EXPECT_EQ(rig.exchange("Q1"), WaitOutcome::Replied);
    EXPECT_EQ(rig.exchange("Q1"), WaitOutcome::TimedOut);
    EXPECT_EQ(rig.exchange("Q1"), WaitOutcome::Replied);
}

void garbage(FaultRig& rig) {
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(rig.exchange("?1"), WaitOutcome::Replied);
        EXPECT_EQ(rig.c.chrErrorCode.text(), "0");
        EXPECT_EQ(rig.c.strResponse.text(), "300\x03");
    }
}

void babble(FaultRig& rig) {
    EXPECT_EQ(rig.exchange("Q1"), WaitOutcome::TimedOut);
    EXPECT_FALSE(rig.c.flags.ReplyReceived);
}

void stuckBusy(FaultRig& rig) {
    rig.c.flags.DeviceBusy = true;
    EXPECT_EQ(rig.exchange("Q1"), WaitOutcome::Replied);
    EXPECT_TRUE(rig.c.flags.DeviceBusy);
    EXPECT_EQ(rig.c.ShapeUnitStatus.fillColor(), platform::kRed);
}

void fixedErrorNine(FaultRig& rig) {
    EXPECT_EQ(rig.exchange("Q1"), WaitOutcome::Replied);
    rig.form.deviceLink().CountDeviceError();
    EXPECT_EQ(rig.c.Error9.text(), "1");
}

void slowReply(FaultRig& rig) {
    EXPECT_EQ(rig.exchange("Q1"), WaitOutcome::TimedOut);
    // The late reply is decoded when it comes, and taken for whatever was sent last.
    rig.platform.clock().advanceBy(200ms);
    EXPECT_TRUE(rig.c.flags.ReplyReceived);
}

void hangUp(FaultRig& rig) {
    auto& serial = rig.platform.serial();
    EXPECT_EQ(rig.exchange("ZR"), WaitOutcome::TimedOut);
    EXPECT_FALSE(rig.c.MSComm1.PortOpen());  // closed once, when the line went away
    // The next send cannot open the port again: it fails silently and writes nothing.
    const std::size_t writes = serial.writes().size();
    EXPECT_EQ(rig.exchange("Q1"), WaitOutcome::TimedOut);
    EXPECT_EQ(serial.writes().size(), writes);
    // Once the device is back, the next send opens the port and is answered.
    serial.reconnect();
    EXPECT_EQ(rig.exchange("ZR"), WaitOutcome::Replied);
    EXPECT_EQ(serial.openCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, FaultSwitchTest,
    ::testing::Values(
        FaultCase{"Healthy", {}, healthy},
        FaultCase{"Silent", with([](auto& f) { f.silent = true; }), silent},
        FaultCase{"DropEverySecond", with([](auto& f) { f.dropEvery = 2; }), dropEverySecond},
        FaultCase{"Garbage", with([](auto& f) { f.garbage = true; }), garbage},
        FaultCase{"Babble", with([](auto& f) { f.babble = true; }), babble},
        FaultCase{"StuckBusy", with([](auto& f) { f.stuckBusy = true; }), stuckBusy},
        FaultCase{"FixedErrorNine", with([](auto& f) { f.fixedErrorCode = 9; }), fixedErrorNine},
        FaultCase{"SlowReply", with([](auto& f) { f.slowReply = 600ms; }), slowReply},
        FaultCase{"HangUp", with([](auto& f) { f.hangUpAfter = 1; }), hangUp}),
    [](const auto& testCase) { return testCase.param.name; });

}  // namespace
}  // namespace quendrix::device::testing
