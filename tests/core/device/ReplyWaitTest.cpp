#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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
    friend void PrintTo(const WaitCase& param, std::ostream* os) { *os << param.name; }
};

class ReplyWaitTest : public ::testing::TestWithParam<WaitCase> {};

TEST_P(ReplyWaitTest, EndsWithItsOutcomeAndCounters) {
    ScriptedRig rig;
    rig.c.flags.ProtocolRunning = true;
    rig.c.flags.ReplyReceived = false;
    rig.link.SendToDeviceNow("1", "Q1");
    rig.c.LoopCounter.setText("1000");
    rig.c.tmrResponseTimeout.setEnabled(true);
    GetParam().script(rig);
    EXPECT_EQ(rig.link.AwaitDeviceReply(), GetParam().outcome);
    EXPECT_EQ(rig.clock.now(), GetParam().endsAt);
    EXPECT_EQ(rig.c.LoopCounter.text(), GetParam().loopCounter);
    EXPECT_EQ(rig.c.RetryCounter.text(), GetParam().retryCounter);
    EXPECT_EQ(rig.c.RetryCounter2.text(), GetParam().retryCounter2);
    EXPECT_FALSE(rig.c.tmrResponseTimeout.enabled());
}

// The whole reply arrives in one piece `after` the send.
std::function<void(ScriptedRig&)> answerAfter(Micros after) {
    return [after](ScriptedRig& rig) { rig.line.deliverIn(after, reply(0x60)); };
}

void silence(ScriptedRig&) {}

// A character every 400 us: 1000 passes of the wait come before its 500-ms time-out.
void busyLine(ScriptedRig& rig) {
    for (int i = 1; i <= 1300; ++i) {
        rig.clock.at(Micros{400 * i}, [&rig] { rig.line.deliver("x"); });
    }
}

void lastPass(ScriptedRig& rig) {
    answerAfter(10ms)(rig);
    rig.c.LoopCounter.setText("1");
}

void endAt100ms(ScriptedRig& rig) {
    rig.clock.at(Micros{100ms}, [&rig] { rig.c.flags.ProtocolRunning = false; });
}

void closeAt100ms(ScriptedRig& rig) {
    rig.clock.at(Micros{100ms}, [&rig] { rig.c.MainForm.close(); });
}

void unreadableCounters(ScriptedRig& rig) {
    rig.c.RetryCounter2.setText("many");
    rig.c.LoopCounter.setText("lots");
}

void paddedCounter(ScriptedRig& rig) {
    rig.c.RetryCounter2.setText(" 41 ");
}

INSTANTIATE_TEST_SUITE_P(
    Waits, ReplyWaitTest,
    ::testing::Values(
        WaitCase{"ReplyInTheFirstPass", answerAfter(10ms), WaitOutcome::Replied, 10ms, "999", "0",
                 "0"},
        WaitCase{"Silence", silence, WaitOutcome::TimedOut, 500ms, "999", "0", "1"},
        WaitCase{"ReplyAndExpiryInOnePass", answerAfter(500ms), WaitOutcome::TimedOut, 500ms, "999",
                 "0", "1"},
        WaitCase{"PassLimit", busyLine, WaitOutcome::TimedOut, 400ms, "0", "1", "0"},
        WaitCase{"ReplyInTheLastPass", lastPass, WaitOutcome::TimedOut, 10ms, "0", "1", "0"},
        WaitCase{"RunEnded", endAt100ms, WaitOutcome::Abandoned, 100ms, "999", "0", "0"},
        WaitCase{"WindowClosed", closeAt100ms, WaitOutcome::Abandoned, 100ms, "1000", "0", "0"},
        WaitCase{"UnreadableCounters", unreadableCounters, WaitOutcome::TimedOut, 500ms, "lots",
                 "0", "many"},
        WaitCase{"PaddedCounter", paddedCounter, WaitOutcome::TimedOut, 500ms, "999", "0", "42"}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(ReplyWaitClosedTest, NoWaitOnceTheWindowHasClosed) {
    ScriptedRig rig;
    rig.c.MainForm.close();
    rig.c.flags.ProtocolRunning = true;
    EXPECT_EQ(exchange(rig.form, "Q1"), WaitOutcome::Abandoned);
    EXPECT_EQ(rig.clock.now(), Micros{0});
}

struct ErrorCountCase {
    std::vector<int> codes;
    std::string error2, error3, error9;
};

class CountDeviceErrorTest : public ::testing::TestWithParam<ErrorCountCase> {};

TEST_P(CountDeviceErrorTest, CountsErrorCodes2And3And9) {
    ScriptedRig rig;
    for (const int code : GetParam().codes) {
        rig.line.deliver(reply(0x60 | code));
        rig.link.CountDeviceError();
    }
    EXPECT_EQ(rig.c.Error2.text(), GetParam().error2);
    EXPECT_EQ(rig.c.Error3.text(), GetParam().error3);
    EXPECT_EQ(rig.c.Error9.text(), GetParam().error9);
}

INSTANTIATE_TEST_SUITE_P(Replies, CountDeviceErrorTest,
                         ::testing::Values(ErrorCountCase{{2, 9, 9}, "1", "0", "2"},
                                           ErrorCountCase{{3}, "0", "1", "0"},
                                           ErrorCountCase{{0, 1, 7, 15}, "0", "0", "0"}));

}  // namespace
}  // namespace quendrix::device::testing
