#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>

#include "core/device/ScriptedRig.h"

namespace quendrix::device::testing {
namespace {

// One reply wait as the protocol runner prepares it; the case scripts the controller.
struct WaitCase {
    std::string name;
    std::function<void(ScriptedRig&)> script;
    WaitOutcome outcome;
    Micros endsAt;
    std::string loopCounter, retryCounter, retryCounter2;
    friend void PrintTo(const WaitCase& row, std::ostream* os) { *os << row.name; }
};

class ReplyWaitTest : public ::testing::TestWithParam<WaitCase> {};

TEST_P(ReplyWaitTest, EndsWithItsOutcomeAndCounters) {
    ScriptedRig rig;
    prepareExchange(rig.form, "Q1");
    GetParam().script(rig);
    EXPECT_EQ(rig.link.AwaitDeviceReply(), GetParam().outcome);
    EXPECT_EQ(rig.clock.now(), GetParam().endsAt);
    EXPECT_EQ(rig.c.LoopCounter.text(), GetParam().loopCounter);
    EXPECT_EQ(rig.c.RetryCounter.text(), GetParam().retryCounter);
    EXPECT_EQ(rig.c.RetryCounter2.text(), GetParam().retryCounter2);
    EXPECT_FALSE(rig.c.tmrResponseTimeout.enabled());
}

// The whole reply arrives in one piece at `at`.
std::function<void(ScriptedRig&)> answerAt(Micros at) {
    return [at](ScriptedRig& rig) { rig.deliverAt(at, reply(0x60)); };
}

// A character every 400 us: 1000 passes of the wait come before its 500-ms time-out.
void busyLine(ScriptedRig& rig) {
    for (int i = 1; i <= 1300; ++i) {
        rig.deliverAt(Micros{400 * i}, "x");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Waits, ReplyWaitTest,
    ::testing::Values(WaitCase{"ReplyInTheFirstPass", answerAt(10ms), WaitOutcome::Replied, 10ms,
                               "999", "0", "0"},
                      WaitCase{"Silence", [](ScriptedRig&) {}, WaitOutcome::TimedOut, 500ms, "999",
                               "0", "1"},
                      WaitCase{"ReplyAndExpiryInOnePass", answerAt(500ms), WaitOutcome::TimedOut,
                               500ms, "999", "0", "1"},
                      WaitCase{"PassLimit", busyLine, WaitOutcome::TimedOut, 400ms, "0", "1", "0"},
                      WaitCase{"ReplyInTheLastPass",
                               [](ScriptedRig& rig) {
                                   answerAt(10ms)(rig);
                                   rig.c.LoopCounter.setText("1");
                               },
                               WaitOutcome::TimedOut, 10ms, "0", "1", "0"},
                      WaitCase{"RunEnded",
                               [](ScriptedRig& rig) {
                                   rig.clock.at(Micros{100ms},
                                                [&rig] { rig.c.flags.ProtocolRunning = false; });
                               },
                               WaitOutcome::Abandoned, 100ms, "999", "0", "0"},
                      WaitCase{"WindowClosed",
                               [](ScriptedRig& rig) {
                                   rig.clock.at(Micros{100ms}, [&rig] { rig.c.MainForm.close(); });
                               },
                               WaitOutcome::Abandoned, 100ms, "1000", "0", "0"},
                      WaitCase{"UnreadableCounters",
                               [](ScriptedRig& rig) {
                                   rig.c.RetryCounter2.setText("many");
                                   rig.c.LoopCounter.setText("lots");
                               },
                               WaitOutcome::TimedOut, 500ms, "lots", "0", "many"}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(ReplyWaitClosedTest, NoWaitOnceTheWindowHasClosed) {
    ScriptedRig rig;
    rig.c.MainForm.close();
    EXPECT_EQ(exchange(rig.form, "Q1"), WaitOutcome::Abandoned);
    EXPECT_EQ(rig.clock.now(), Micros{0});
}

TEST(CountDeviceErrorTest, CountsErrorCodes2And3And9Only) {
    ScriptedRig rig;
    const auto countAfter = [&rig](std::initializer_list<int> codes) {
        for (const int code : codes) {
            rig.line.deliver(reply(0x60 | code));
            rig.link.CountDeviceError();
        }
        return rig.c.Error2.text() + " " + rig.c.Error3.text() + " " + rig.c.Error9.text();
    };
    EXPECT_EQ(countAfter({2, 9, 9}), "1 0 2");
    EXPECT_EQ(countAfter({3, 0, 1, 7, 15}), "1 1 2");
}

// Exchanges with the simulated instrument where more is at stake than the pieces tested one
// by one. The silent, stuck-busy and babbling instruments meet the "Send" button in
// SendingTest.cpp.
TEST(FaultSwitchTest, NoiseAroundTheRepliesLeavesTheirDecodeIntact) {
    SimRig rig(with([](auto& f) { f.garbage = true; }));
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(exchange(rig.form, "?1"), WaitOutcome::Replied);
        EXPECT_EQ(rig.c.chrErrorCode.text(), "0");
        EXPECT_EQ(rig.c.strResponse.text(), "300\x03");
    }
}

TEST(FaultSwitchTest, AHangUpClosesThePortUntilTheDeviceIsBack) {
    SimRig rig(with([](auto& f) { f.hangUpAfter = 1; }));
    auto& serial = rig.platform.serial();
    EXPECT_EQ(exchange(rig.form, "ZR"), WaitOutcome::TimedOut);
    EXPECT_FALSE(rig.c.MSComm1.PortOpen());  // closed once, when the line went away
    // The next send cannot open the port again: it fails silently and writes nothing.
    const std::size_t writes = serial.writes().size();
    EXPECT_EQ(exchange(rig.form, "Q1"), WaitOutcome::TimedOut);
    EXPECT_EQ(serial.writes().size(), writes);
    // Once the device is back, the next send opens the port and is answered.
    serial.reconnect();
    EXPECT_EQ(exchange(rig.form, "ZR"), WaitOutcome::Replied);
    EXPECT_EQ(serial.openCount(), 2);
}

}  // namespace
}  // namespace quendrix::device::testing
