#include <gtest/gtest.h>

#include "core/runner/RunRig.h"

namespace quendrix::runner::testing {
namespace {

// Homing keeps the syringe busy: with "W" the completion poll waits, else the next row's poll.
TEST(DeviceStatementTest, OnlyAnUpperCaseWWaitsForTheMoveToFinish) {
    for (const std::string flag : {"W", "w", ""}) {
        RunRig rig({{"1", "ZR", flag}, {"1", "V2000R"}, {"End"}});
        rig.run();
        EXPECT_EQ(rig.sent("/1Q2") > 2, flag == "W") << flag;
        EXPECT_EQ(rig.sent("/1Q1") > 2, flag != "W") << flag;
    }
}

// Silence stops a run after 120 exchanges, 60 s, a controller busy for ever or silent only End,
// within one exchange, a Wait only once counted down, unless the window closes; nothing goes
// out after End or the close.
TEST(DeviceStatementTest, HowARunStops) {
    using F = sim::FaultSwitches;
    using Act = void (*)(RunRig&);
    const Act end = [](RunRig& rig) { rig.c.EndTheProtocol.click(); };
    const Act close = [](RunRig& rig) { rig.c.MainForm.close(); };
    const Texts retryNotice{
        "Command could not be executed after many re-tries. Something is really, really wrong."};
    const struct Case {
        bool F::*fault;
        Row first;
        Act act;
        Micros actAt, from, by;
    } cases[] = {
        {&F::silent, {"1", "ZR"}, nullptr, 0s, 60s, 60010ms},
        {&F::silent, {"1", "ZR"}, end, 5200ms, 5200ms, 5700ms},
        {&F::stuckBusy, {"1", "ZR"}, end, 70s, 70s, 70510ms},
        {&F::stuckBusy, {"1", "ZR"}, close, 1s, 1s, 1s},
        {nullptr, {"Wait", "3"}, end, 500ms, 3s, 3010ms},
        {nullptr, {"Wait", "3"}, close, 1500ms, 1500ms, 1500ms},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.first.address + " " + std::to_string(row.by.count()));
        F faults;
        if (row.fault != nullptr) {
            faults.*row.fault = true;
        }
        RunRig rig({row.first, {"End"}}, faults);
        if (row.act != nullptr) {
            rig.platform.clock().at(row.actAt, [&] { row.act(rig); });
        }
        const RunReport report = rig.run();
        EXPECT_EQ(report.ending, row.act ? Ending::Stopped : Ending::RetryNotice);
        EXPECT_EQ(rig.messages(), row.act ? Texts{} : retryNotice);
        EXPECT_EQ(report.commandsSent, 0);
        EXPECT_GE(rig.platform.clock().now(), row.from);
        EXPECT_LE(rig.platform.clock().now(), row.by);
        EXPECT_FALSE(rig.c.fileSlot.isOpen());
        const auto& writes = rig.platform.serial().writes();
        EXPECT_TRUE(!row.act || writes.empty() || writes.back().at <= row.actAt);
    }
}

// Every third reply is lost: the first command's completion poll, then the second command.
TEST(DeviceStatementTest, ACommandThatTimesOutIsExpandedAgainBeforeItIsResent) {
    sim::FaultSwitches faults;
    faults.dropEvery = 3;
    RunRig rig({{"1", "V2000R"}, {"1", "A+R"}, {"End"}}, faults);
    rig.c.Position.setText("7");
    EXPECT_EQ(rig.run().commandsSent, 3);
    EXPECT_EQ(rig.sent("/1A8R") + rig.sent("/1A9R"), 2);
    EXPECT_EQ(rig.c.Position.text(), "9");
    EXPECT_EQ(rig.diagnostics(),
              Texts{"row 2: sent /1A9R again: the exchange of its last send timed out"});
}

// End pressed while a poll or the command waits for its reply: what was sent stays the last.
TEST(DeviceStatementTest, EndDuringAnExchangeSendsNothingMore) {
    for (const std::string frame : {"/1Q1", "/1ZR", "/1Q2"}) {
        RunRig rig({{"1", "ZR", "W"}, {"End"}});
        rig.duringExchange(frame, [&] { rig.c.EndTheProtocol.click(); });
        EXPECT_EQ(rig.run().ending, Ending::Stopped) << frame;
        EXPECT_EQ(rig.sent(frame), 1) << frame;
        EXPECT_TRUE(rig.platform.serial().written().ends_with(frame + "\r\n")) << frame;
        EXPECT_LT(rig.platform.serial().writes().back().at, rig.actAt) << frame;
        EXPECT_LE(rig.platform.clock().now(), rig.actAt + 10ms) << frame;
    }
}

// A message box held open for minutes counts for nothing, and the run goes on. Over the
// command's exchange, the reply and the expired response time-out meet in one pass: the
// command goes out again, and the diagnostics say so.
TEST(DeviceStatementTest, AMessageBoxHeldOpenDuringARowDoesNotStopTheRun) {
    const struct Case {
        std::string heldOver;
        long commands;
        Texts diagnostics;
    } cases[] = {
        {"/1Q2", 1, {"run not started: a run is in progress"}},
        {"/1ZR",
         2,
         {"run not started: a run is in progress",
          "row 1: sent /1ZR again: the exchange of its last send timed out"}},
    };
    for (const auto& row : cases) {
        RunRig rig({{"1", "ZR", "W"}, {"End"}});
        rig.duringExchange(row.heldOver, [&] { rig.clickRunHoldingTheBoxOpen(5min); });
        EXPECT_EQ(rig.run().ending, Ending::EndRow) << row.heldOver;
        EXPECT_GT(rig.platform.clock().now(), Micros(5min));
        EXPECT_EQ(rig.messages(), Texts{"File Open Already "});
        EXPECT_EQ(rig.sent("/1ZR"), row.commands) << row.heldOver;
        EXPECT_EQ(rig.diagnostics(), row.diagnostics);
    }
}

}  // namespace
}  // namespace quendrix::runner::testing
