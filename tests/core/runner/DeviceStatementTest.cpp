#include <gtest/gtest.h>

#include <algorithm>

#include "core/runner/RunRig.h"

namespace quendrix::runner::testing {
namespace {

Micros sentAt(RunRig& rig, std::string_view frame) {
    const auto& writes = rig.platform.serial().writes();
    const auto it = std::find_if(writes.begin(), writes.end(),
                                 [&](const auto& write) { return write.bytes == frame; });
    return it == writes.end() ? Micros::max() : it->at;
}

// Homing keeps the syringe busy for 1.4 s: with "W" the completion poll waits for it, else
// the next row's readiness poll does.
TEST(DeviceStatementTest, OnlyAnUpperCaseWWaitsForTheMoveToFinish) {
    for (const std::string flag : {"W", "w", ""}) {
        RunRig rig({{"1", "ZR", flag}, {"1", "V2000R"}, {"End"}});
        rig.run();
        EXPECT_EQ(rig.sent("/1Q2") > 2, flag == "W") << flag;
        EXPECT_EQ(rig.sent("/1Q1") > 2, flag != "W") << flag;
        EXPECT_GE(sentAt(rig, "/1V2000R"), Micros(1400ms)) << flag;
    }
}

// How a run stops: silence, or a line full of noise, 60 s after the statement began; a
// controller busy for ever only by End; a Wait only once counted down, unless the window
// closes. Nothing goes out after End or the close, and the run log is closed.
TEST(DeviceStatementTest, HowARunStops) {
    using F = sim::FaultSwitches;
    using Act = void (*)(RunRig&);
    const Act end = [](RunRig& rig) { rig.c.EndTheProtocol.click(); };
    const Act close = [](RunRig& rig) { rig.c.MainForm.close(); };
    struct Case {
        F faults;
        Row first;
        Act act;
        Micros actAt, from, by;
    } const cases[] = {
        {with(&F::silent), {"1", "ZR"}, nullptr, 0s, 60s, 60010ms},
        {with(&F::babble), {"1", "ZR"}, nullptr, 0s, 60s, 60010ms},
        {with(&F::stuckBusy), {"1", "ZR"}, end, 70s, 70s, 70510ms},
        {with(&F::stuckBusy), {"1", "ZR"}, close, 1s, 1s, 1s},
        {{}, {"Wait", "3"}, end, 500ms, 3s, 3010ms},
        {{}, {"Wait", "3"}, close, 1500ms, 1500ms, 1500ms},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.first.address + " " + std::to_string(row.by.count()));
        RunRig rig({row.first, {"End"}}, row.faults);
        if (row.act != nullptr) {
            rig.platform.clock().at(row.actAt, [&] { row.act(rig); });
        }
        const RunReport report = rig.run();
        EXPECT_EQ(report.ending, row.act ? Ending::Stopped : Ending::RetryNotice);
        EXPECT_EQ(rig.messages(), row.act ? Texts{} : Texts{kRetryNotice});
        EXPECT_EQ(report.commandsSent, 0);
        EXPECT_GE(rig.now(), row.from);
        EXPECT_LE(rig.now(), row.by);
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

// The port number is read strictly at the start, the bound of a drawn position at every
// expansion.
TEST(DeviceStatementTest, ReadsTheSettingsFieldsWhenItNeedsThem) {
    struct Fields final : form::SettingsFields {
        std::string CommPortSetting() override { return "one"; }
        std::string MaxPosition() override { return max; }
        std::string max = "100";
    } fields;
    RunRig rig({{"1", "ArndR"}, {"1", "ArndR"}, {"End"}});
    ProtocolRunner runner(rig.c, rig.form.deviceLink(), fields, rig.platform.messageBox(),
                          rig.platform.random());
    auto raise =
        runner.onRowStarted.subscribe([&](int row) { fields.max = std::to_string(row * 1000); });
    rig.platform.scriptedRandom().queue(0.5f);
    rig.platform.scriptedRandom().queue(0.5f);
    runner.RunProtocol_Click(0);
    EXPECT_EQ(rig.sent("/1A501R") + rig.sent("/1A1001R"), 2);
    EXPECT_EQ(rig.platform.diagnosticLines().lines(),
              Texts{"run step skipped: \"one\" is not a number"});
}

}  // namespace
}  // namespace quendrix::runner::testing
