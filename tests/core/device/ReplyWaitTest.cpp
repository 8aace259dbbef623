#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "core/device/ScriptedRig.h"

namespace quendrix::device::testing {
namespace {

// One reply wait as the protocol runner prepares it; each case scripts the controller. A
// line busy with a character every 400 us brings 1000 passes before the 500-ms time-out.
TEST(ReplyWaitTest, EndsWithItsOutcomeAndCounters) {
    const struct Case {
        const char* name;
        Micros replyAt, runEndsAt;  // zero: never
        bool busyLine;
        WaitOutcome outcome;
        Micros endsAt;
        std::string loopCounter, retryCounter, retryCounter2;
    } cases[] = {
        {"reply in the first pass", 10ms, 0ms, false, WaitOutcome::Replied, 10ms, "999", "0", "0"},
        {"silence", 0ms, 0ms, false, WaitOutcome::TimedOut, 500ms, "999", "0", "1"},
        {"pass limit", 0ms, 0ms, true, WaitOutcome::TimedOut, 400ms, "0", "1", "0"},
        {"run ended", 0ms, 100ms, false, WaitOutcome::Abandoned, 100ms, "999", "0", "0"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        ScriptedRig rig;
        if (row.replyAt > 0ms) {
            rig.deliverAt(row.replyAt, reply(0x60));
        }
        if (row.runEndsAt > 0ms) {
            rig.clock.at(row.runEndsAt, [&rig] { rig.c.flags.ProtocolRunning = false; });
        }
        for (int i = 1; row.busyLine && i <= 1300; ++i) {
            rig.deliverAt(Micros{400 * i}, "x");
        }
        EXPECT_EQ(rig.exchange("Q1"), row.outcome);
        EXPECT_EQ(rig.clock.now(), row.endsAt);
        EXPECT_EQ(rig.c.LoopCounter.text(), row.loopCounter);
        EXPECT_EQ(rig.c.RetryCounter.text(), row.retryCounter);
        EXPECT_EQ(rig.c.RetryCounter2.text(), row.retryCounter2);
        EXPECT_FALSE(rig.c.tmrResponseTimeout.enabled());
    }
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

// The port closes once, when the line goes away; the next send cannot open it again and
// writes nothing; once the device is back, the next send opens it and is answered.
TEST(FaultSwitchTest, AHangUpClosesThePortUntilTheDeviceIsBack) {
    SimRig rig(with(&FaultSwitches::hangUpAfter, 1));
    auto& serial = rig.platform.serial();
    EXPECT_EQ(rig.exchange("ZR"), WaitOutcome::TimedOut);
    EXPECT_FALSE(rig.c.MSComm1.PortOpen());
    const std::size_t writes = serial.writes().size();
    EXPECT_EQ(rig.exchange("Q1"), WaitOutcome::TimedOut);
    EXPECT_EQ(serial.writes().size(), writes);
    serial.reconnect();
    EXPECT_EQ(rig.exchange("ZR"), WaitOutcome::Replied);
    EXPECT_EQ(serial.openCount(), 2);
}

}  // namespace
}  // namespace quendrix::device::testing
