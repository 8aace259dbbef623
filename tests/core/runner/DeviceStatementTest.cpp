#include <gtest/gtest.h>

#include <algorithm>

#include "core/runner/RunRig.h"

namespace quendrix::runner::testing {
namespace {

sim::FaultSwitches silent() {
    sim::FaultSwitches faults;
    faults.silent = true;
    return faults;
}

sim::FaultSwitches stuckBusy() {
    sim::FaultSwitches faults;
    faults.stuckBusy = true;
    return faults;
}

// Homing the syringe keeps it busy for 1.4 s; only "W" waits for that.
TEST(DeviceStatementTest, OnlyAnUpperCaseWWaitsForTheMoveToFinish) {
    for (const std::string flag : {"W", "w", ""}) {
        RunRig rig;
        rig.protocol({{"1", "ZR", flag}, {"End"}});
        rig.run();
        EXPECT_EQ(rig.now() > 1400ms, flag == "W") << flag;
        EXPECT_EQ(rig.sent("/1Q2") > 1, flag == "W") << flag;
    }
}

TEST(DeviceStatementTest, ABusyControllerIsPolledUntilReadyBeforeTheCommandGoesOut) {
    RunRig rig;
    rig.protocol({{"1", "ZR"}, {"1", "V2000R"}, {"End"}});
    rig.run();
    EXPECT_GT(rig.sent("/1Q1"), 2);
    const auto& writes = rig.platform.serial().writes();
    const auto command = std::find_if(writes.begin(), writes.end(),
                                      [](const auto& write) { return write.bytes == "/1V2000R"; });
    ASSERT_NE(command, writes.end());
    EXPECT_GE(command->at, Micros(1400ms));
}

// Busy for ever is polled without limit; silence, or a line full of noise, ends the run 60 s
// after the last reply.
TEST(DeviceStatementTest, SilenceRaisesTheRetryNoticeBusyDoesNot) {
    sim::FaultSwitches babble;
    babble.babble = true;
    for (const auto& faults : {silent(), babble, stuckBusy()}) {
        RunRig rig(faults);
        rig.protocol({{"1", "ZR"}, {"End"}});
        rig.at(70s, [&] { rig.c.EndTheProtocol.click(); });
        const RunReport report = rig.run();
        if (faults.stuckBusy) {
            EXPECT_EQ(report.ending, Ending::Stopped);
            EXPECT_TRUE(rig.messages().empty());
            EXPECT_EQ(report.commandsSent, 0);
            EXPECT_GT(rig.sent("/1Q1"), 1000);
        } else {
            EXPECT_EQ(report.ending, Ending::RetryNotice);
            EXPECT_EQ(rig.messages(), std::vector<std::string>{kRetryNotice});
            EXPECT_EQ(rig.now(), Micros(60s + 10ms));
            EXPECT_EQ(rig.c.MainForm.caption(), "Protocol Stopped");
        }
    }
}

// Every third reply is lost: the first command's completion poll, then the second command.
TEST(DeviceStatementTest, ACommandThatTimesOutIsExpandedAgainBeforeItIsResent) {
    sim::FaultSwitches faults;
    faults.dropEvery = 3;
    RunRig rig(faults);
    rig.c.Position.setText("7");
    rig.protocol({{"1", "V2000R"}, {"1", "A+R"}, {"End"}});
    const RunReport report = rig.run();
    EXPECT_EQ(rig.sent("/1A8R"), 1);
    EXPECT_EQ(rig.sent("/1A9R"), 1);
    EXPECT_EQ(rig.c.Position.text(), "9");
    EXPECT_EQ(report.commandsSent, 3);
}

// The wait ends at its next pass: nothing more goes out, and a closed window ends the run at
// once.
TEST(DeviceStatementTest, EndAndTheClosingWindowStopTheStatement) {
    for (const bool close : {false, true}) {
        RunRig rig(stuckBusy());
        rig.protocol({{"1", "ZR"}, {"End"}});
        rig.at(1s, [&] { close ? rig.c.MainForm.close() : rig.c.EndTheProtocol.click(); });
        EXPECT_EQ(rig.run().ending, Ending::Stopped);
        EXPECT_LE(rig.lastWriteAt(), Micros(1s));
        EXPECT_LE(rig.now(), Micros(close ? 1s : 1510ms));
        EXPECT_FALSE(rig.c.fileSlot.isOpen());
    }
}

// The settings fields are read as the run needs them: the port at the start, the bound of
// a drawn position at every expansion.
TEST(DeviceStatementTest, ReadsTheSettingsFieldsWhenItNeedsThem) {
    struct Fields final : form::SettingsFields {
        std::string CommPortSetting() override { return "one"; }
        std::string MaxPosition() override { return max; }
        std::string max = "100";
    } fields;
    RunRig rig;
    ProtocolRunner runner(rig.c, rig.form.deviceLink(), fields, rig.platform.messageBox(),
                          rig.platform.random());
    auto change =
        runner.onRowStarted.subscribe([&](int row) { fields.max = row == 2 ? "1000" : "100"; });
    rig.platform.scriptedRandom().queue(0.5f);
    rig.platform.scriptedRandom().queue(0.5f);
    rig.protocol({{"1", "ArndR"}, {"1", "ArndR"}, {"End"}});
    runner.RunProtocol_Click(0);
    EXPECT_EQ(rig.sent("/1A51R"), 1);
    EXPECT_EQ(rig.sent("/1A501R"), 1);
    ASSERT_FALSE(rig.platform.diagnosticLines().lines().empty());
    EXPECT_NE(rig.platform.diagnosticLines().lines().front().find("\"one\""), std::string::npos);
}

}  // namespace
}  // namespace quendrix::runner::testing
