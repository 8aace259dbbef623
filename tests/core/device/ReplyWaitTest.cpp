#include <gtest/gtest.h>

#include <string>

#include "core/device/ScriptedRig.h"

namespace quendrix::device::testing {
namespace {

// The protocol runner's exchanges against a controller whose answers the test scripts.
class ReplyWaitTest : public ::testing::Test {
protected:
    ReplyWaitTest() {
        rig.openPort();
        c.flags.ProtocolRunning = true;
    }

    // The controller answers every line with `bytes`, all at once, `after` the send.
    void answerWith(std::string bytes, Micros after = 10ms) {
        rig.line().respond = [this, bytes, after](const std::string&) {
            rig.line().deliverIn(after, bytes);
        };
    }
    WaitOutcome exchange() { return testing::exchange(*rig.form, "1", "Q1"); }

    ScriptedRig rig;
    app::MainFormControls& c = rig.controls();
};

TEST_F(ReplyWaitTest, ReplyInTheFirstPass) {
    answerWith(reply(0x60));
    EXPECT_EQ(exchange(), WaitOutcome::Replied);
    EXPECT_EQ(c.LoopCounter.text(), "999");
    EXPECT_EQ(c.RetryCounter.text(), "0");
    EXPECT_EQ(c.RetryCounter2.text(), "0");
    EXPECT_FALSE(c.tmrResponseTimeout.enabled());
    EXPECT_EQ(rig.clock().now(), Micros{10ms});
}

TEST_F(ReplyWaitTest, SilenceTimesOutAfter500Milliseconds) {
    EXPECT_EQ(exchange(), WaitOutcome::TimedOut);
    EXPECT_EQ(rig.clock().now(), Micros{500ms});
    EXPECT_EQ(c.RetryCounter2.text(), "1");
    EXPECT_EQ(c.RetryCounter.text(), "0");
    EXPECT_EQ(exchange(), WaitOutcome::TimedOut);
    EXPECT_EQ(c.RetryCounter2.text(), "2");
}

TEST_F(ReplyWaitTest, ReplyAndExpiryInTheSamePassCountAsATimeOut) {
    answerWith(reply(0x60), 500ms);
    EXPECT_EQ(exchange(), WaitOutcome::TimedOut);
    EXPECT_TRUE(c.flags.ReplyReceived);
    EXPECT_EQ(c.RetryCounter2.text(), "1");
    EXPECT_EQ(c.LoopCounter.text(), "999");
}

TEST_F(ReplyWaitTest, ReplyInThePassThatExhaustsTheLoopCounterCountsAsATimeOut) {
    answerWith(reply(0x60));
    c.flags.ReplyReceived = false;
    rig.link().SendToDeviceNow("1", "Q1");
    c.LoopCounter.setText("1");
    c.tmrResponseTimeout.setEnabled(true);
    EXPECT_EQ(rig.link().AwaitDeviceReply(), WaitOutcome::TimedOut);
    EXPECT_EQ(c.LoopCounter.text(), "0");
    EXPECT_EQ(c.RetryCounter.text(), "1");
    EXPECT_EQ(c.RetryCounter2.text(), "0");
}

TEST_F(ReplyWaitTest, ABusyLineEndsTheWaitByThePassLimit) {
    // A character every 400 us: 1000 passes come before the 500-ms time-out.
    for (int i = 1; i <= 1300; ++i) {
        rig.clock().at(Micros{400 * i}, [this] { rig.line().deliver("x"); });
    }
    EXPECT_EQ(exchange(), WaitOutcome::TimedOut);
    EXPECT_EQ(rig.clock().now(), Micros{400'000});
    EXPECT_EQ(c.LoopCounter.text(), "0");
    EXPECT_EQ(c.RetryCounter.text(), "1");
    EXPECT_EQ(c.RetryCounter2.text(), "0");
    EXPECT_FALSE(c.flags.ReplyReceived);
}

TEST_F(ReplyWaitTest, ClearingProtocolRunningAbandonsTheWait) {
    rig.clock().at(Micros{100ms}, [this] { c.flags.ProtocolRunning = false; });
    EXPECT_EQ(exchange(), WaitOutcome::Abandoned);
    EXPECT_EQ(rig.clock().now(), Micros{100ms});
    EXPECT_FALSE(c.tmrResponseTimeout.enabled());
    EXPECT_EQ(c.RetryCounter.text(), "0");
    EXPECT_EQ(c.RetryCounter2.text(), "0");
}

TEST_F(ReplyWaitTest, ClosingTheWindowAbandonsTheWaitWithoutCounting) {
    rig.clock().at(Micros{100ms}, [this] { c.MainForm.close(); });
    EXPECT_EQ(exchange(), WaitOutcome::Abandoned);
    EXPECT_EQ(rig.clock().now(), Micros{100ms});
    EXPECT_EQ(c.RetryCounter2.text(), "0");
    EXPECT_FALSE(c.MSComm1.PortOpen());
}

TEST_F(ReplyWaitTest, NoWaitOnceTheWindowHasClosed) {
    c.MainForm.close();
    c.flags.ProtocolRunning = true;  // nothing may keep a hidden wait alive
    EXPECT_EQ(exchange(), WaitOutcome::Abandoned);
    EXPECT_EQ(rig.clock().now(), Micros{0});
}

TEST_F(ReplyWaitTest, CountersThatAreNotNumbersAreSkippedAndTheWaitStillEnds) {
    c.RetryCounter2.setText("many");
    rig.line().respond = [this](const std::string&) { c.LoopCounter.setText("lots"); };
    c.flags.ReplyReceived = false;
    rig.link().SendToDeviceNow("1", "Q1");
    c.tmrResponseTimeout.setEnabled(true);
    EXPECT_EQ(rig.link().AwaitDeviceReply(), WaitOutcome::TimedOut);
    EXPECT_EQ(rig.clock().now(), Micros{500ms});
    EXPECT_EQ(c.RetryCounter2.text(), "many");
    EXPECT_EQ(c.LoopCounter.text(), "lots");
}

TEST_F(ReplyWaitTest, CountersKeepTheirShortestForm) {
    c.RetryCounter2.setText(" 41 ");
    EXPECT_EQ(exchange(), WaitOutcome::TimedOut);
    EXPECT_EQ(c.RetryCounter2.text(), "42");
}

struct ErrorCountCase {
    std::string name;
    std::vector<int> codes;
    std::string error2, error3, error9;
};

class CountDeviceErrorTest : public ReplyWaitTest,
                             public ::testing::WithParamInterface<ErrorCountCase> {};

TEST_P(CountDeviceErrorTest, CountsErrorCodes2And3And9) {
    for (const int code : GetParam().codes) {
        answerWith(reply(0x60 | code));
        ASSERT_EQ(exchange(), WaitOutcome::Replied);
        rig.link().CountDeviceError();
    }
    EXPECT_EQ(c.Error2.text(), GetParam().error2);
    EXPECT_EQ(c.Error3.text(), GetParam().error3);
    EXPECT_EQ(c.Error9.text(), GetParam().error9);
}

INSTANTIATE_TEST_SUITE_P(Replies, CountDeviceErrorTest,
                         ::testing::Values(ErrorCountCase{"TwoNineNine", {2, 9, 9}, "1", "0", "2"},
                                           ErrorCountCase{"Three", {3}, "0", "1", "0"},
                                           ErrorCountCase{
                                               "Uncounted", {0, 1, 7, 15}, "0", "0", "0"}),
                         [](const auto& testCase) { return testCase.param.name; });

TEST_F(ReplyWaitTest, ErrorCountReadsTheErrorCodeBoxExactly) {
    c.chrErrorCode.setText(" 2");
    rig.link().CountDeviceError();
    c.Error9.setText("n/a");
    c.chrErrorCode.setText("9");
    rig.link().CountDeviceError();
    EXPECT_EQ(c.Error2.text(), "0");
    EXPECT_EQ(c.Error9.text(), "n/a");
}

}  // namespace
}  // namespace quendrix::device::testing
