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

// Silence stops a run after 60 s, a controller busy for ever only End, a Wait only once counted
// down, unless the window closes; nothing goes out after End or the close.
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
}

}  // namespace
}  // namespace quendrix::runner::testing
