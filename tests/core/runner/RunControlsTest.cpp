#include <gtest/gtest.h>

#include <tuple>

#include "core/runner/RunRig.h"
#include "platform/Failure.h"

namespace quendrix::runner::testing {
namespace {

// Each command row polls, sends and polls again; afterwards the grid is back at its top.
TEST(RunTest, ASmallProtocolEndToEnd) {
    RunRig rig({{"Count"}, {"1", "V2000R", "W"}, {"Loop", "2", "1"}, {"2", "S00"}, {"End"}});
    EXPECT_EQ(rig.run().ending, Ending::EndRow);
    const std::string syringe = "/1Q1\r\n/1V2000R\r\n/1Q2\r\n";
    EXPECT_EQ(rig.platform.serial().written(), syringe + syringe + "/2Q1\r\n/2S1R\r\n/2Q2\r\n");
    const std::string ready = "\"Received : /0`\x03\"\r\n";
    const auto row = [&](std::string frame) {
        return ready + "\"Sent     : " + frame + "\"\r\n" + ready + ready;
    };
    EXPECT_EQ(rig.platform.files().content("TESTFILE.txt"),
              row("/1V2000R") + row("/1V2000R") + row("/2S1R"));
    const auto& g = rig.grid;
    EXPECT_EQ(
        (std::vector<int>{g.TopRow(), g.Row(), g.Col(), g.RowSel(), g.ColSel(), g.SelectionMode()}),
        (std::vector<int>{1, 1, 1, 1, 1, 0}));
    EXPECT_FALSE(rig.c.fileSlot.isOpen());
    EXPECT_EQ(rig.c.MainForm.caption(), "Protocol Stopped");
}

// Keywords are compared exactly; addresses are the texts from "1" to "9" by character code.
TEST(RunTest, ColumnOneIsAKeywordAnAddressOrAnError) {
    for (const std::string text : {"loop", "END", " Loop", "", "0", "A", "12", "3x", "9"}) {
        RunRig rig({{text, "ZR"}, {"End"}});
        rig.platform.clock().at(1s, [&] { rig.c.EndTheProtocol.click(); });
        const bool address = rig.run().ending != Ending::ColumnOneError;
        EXPECT_EQ(address, text >= "1" && text <= "9") << text;
        EXPECT_EQ(rig.messages(), address ? Texts{} : Texts{kColumnOneError}) << text;
        EXPECT_EQ(rig.sent("/" + text + "Q1") > 0, address) << text;
    }
}

// A click during a run, also in the last row's pacing after End, is refused: it restarts the
// test counter, but the running loop keeps its memory and counts on.
TEST(RunTest, ASecondClickIsRefusedAndTheRunningLoopCountsOn) {
    for (const bool afterEnd : {false, true}) {
        RunRig rig({{"Count"}, {"Wait", "1"}, {"Loop", "1", "2"}, {"End"}});
        auto& clock = rig.platform.clock();
        const auto click = [&] { rig.c.RunProtocol.at(0).click(); };
        auto endRow = rig.form.runner().onRowStarted.subscribe([&](int row) {
            if (row == 4 && afterEnd) {
                clock.at(clock.now() + 5ms, click);
            }
        });
        if (!afterEnd) {
            clock.at(1500ms, click);
        }
        EXPECT_EQ(rig.run().ending, Ending::EndRow);
        EXPECT_EQ(rig.c.intTestCounter.text(), afterEnd ? "1" : "2");
        EXPECT_EQ(rig.grid.TextMatrix(3, 3), " 2 times");
        EXPECT_EQ(rig.messages(), Texts{"File Open Already "});
        EXPECT_EQ(rig.diagnostics(), Texts{"run not started: a run is in progress"});
    }
}

// A run log that cannot be created refuses the start and the diagnostics say why. A panel
// that cannot be hidden fails the port set-up, and the log is closed again for the next start.
TEST(RunTest, AStartRefusedAtTheRunLogOrThePort) {
    RunRig noLog({{"End"}});
    noLog.platform.files().makeFailing("TESTFILE.txt");
    noLog.c.RunProtocol.at(0).click();
    EXPECT_EQ(noLog.messages(), Texts{"File Open Already "});
    EXPECT_EQ(noLog.diagnostics(), Texts{"run not started: cannot create TESTFILE.txt"});
    EXPECT_FALSE(noLog.form.runner().lastRun().has_value());

    RunRig rig({{"End"}});
    rig.c.CommandFrame.setVisible(true);
    auto failing = rig.c.CommandFrame.observe([] { throw platform::Failure("cannot hide"); });
    rig.c.RunProtocol.at(0).click();
    failing.reset();
    EXPECT_EQ(rig.run().ending, Ending::EndRow);
    EXPECT_EQ(rig.messages(), Texts{"Port open Error"});
}

// The port stays open after "Query Status" and from run to run. A run opens the port that
// the settings name; one open already on that number is no failure, one open on another
// number still is, and the run goes on with it.
TEST(RunTest, ARunUsesThePortTheSettingsName) {
    const std::string numberLocked =
        "step failed: the port number cannot change while the port is open";
    // The instrument's port, the setting, a status query first, and the diagnostics.
    const std::tuple<int, std::string, bool, Texts> cases[] = {
        {1, "1", true, {}}, {3, "3", false, {}}, {1, "3", true, {numberLocked, numberLocked}}};
    for (const auto& [instrumentPort, setting, queryFirst, diagnostics] : cases) {
        SCOPED_TRACE(setting);
        RunRig rig({{"1", "ZR", "W"}, {"End"}}, {}, instrumentPort);
        rig.platform.settings().put("quendrix", "ValvePositions", "CommPortSetting", setting);
        if (queryFirst) {
            rig.c.CommandStatusQuery.click();
            rig.platform.clock().advanceBy(100ms);
        }
        EXPECT_EQ(rig.run().ending, Ending::EndRow);
        EXPECT_EQ(rig.run().ending, Ending::EndRow);
        EXPECT_EQ(rig.c.MSComm1.CommPort(), instrumentPort);
        EXPECT_EQ(rig.platform.serial().openCount(), 1);
        EXPECT_EQ(rig.sent("/1ZR"), 2);
        EXPECT_EQ(rig.diagnostics(), diagnostics);
    }
}

// A watcher that closes the main window as a row's turn begins ends the run before the row
// acts: the second Count does not count.
TEST(RunTest, ClosingTheWindowAsATurnBeginsLeavesTheRowUndone) {
    RunRig rig({{"Count"}, {"Count"}, {"End"}});
    auto close = rig.form.runner().onRowStarted.subscribe([&](int row) {
        if (row == 2) {
            rig.c.MainForm.close();
        }
    });
    const RunReport report = rig.run();
    EXPECT_EQ(rig.c.intTestCounter.text(), "2");
    EXPECT_EQ(report.ending, Ending::Stopped);
    EXPECT_EQ(report.rowsExecuted, 1);
}

// A loop runs its body once more than its count and then restores it; a stopped run leaves
// the count it had reached. A negative or fractional count never reaches 0. A row off the grid
// stops the run as an unreadable column 1 does; a target beyond 16 bits cannot be taken and the
// step is skipped.
TEST(FlowStatementTest, LoopsAndJumps) {
    const Row count{"Count"}, end{"End"};
    const struct Case {  // countCell: row 2, column 3
        Row statement;
        int endOnTurn;
        std::string testCounter, countCell;
        Ending ending;
        int endRow;
    } cases[] = {
        {{"Loop", "1", "3"}, 0, "5", " 3 times", Ending::EndRow, 3},
        {{"Loop", "1", "3"}, 5, "4", " 1 times", Ending::Stopped, 1},
        {{"Loop", "1", "0"}, 0, "2", " 0 times", Ending::EndRow, 3},
        {{"Loop", "1", ""}, 0, "2", " 0 times", Ending::EndRow, 3},
        {{"Loop", "1", " 2 times"}, 0, "4", " 2 times", Ending::EndRow, 3},
        {{"Loop", "1", "-1"}, 20, "11", "-11 times", Ending::Stopped, 2},
        {{"Loop", "1", "2.5"}, 20, "11", "-7.5 times", Ending::Stopped, 2},
        {{"Goto", "0"}, 0, "2", "", Ending::EndRow, 3},
        {{"Goto", "2.5"}, 20, "2", "", Ending::Stopped, 2},
        {{"Goto", "-5"}, 0, "2", "", Ending::ColumnOneError, -5},
        {{"Goto", "2001"}, 0, "2", "", Ending::ColumnOneError, 2001},
        {{"Goto", "40000"}, 0, "2", "", Ending::EndRow, 3},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.statement.address + " " + row.statement.command);
        RunRig rig({count, row.statement, end});
        rig.endOnTurn = row.endOnTurn;
        const RunReport report = rig.run();
        EXPECT_EQ(rig.c.intTestCounter.text(), row.testCounter);
        EXPECT_EQ(rig.grid.TextMatrix(2, 3), row.countCell);
        EXPECT_EQ(std::pair(report.ending, report.row), std::pair(row.ending, row.endRow));
    }
    // A run that goes on past the last row.
    RunRig last(std::vector<Row>{{"Goto", "2000"}});
    last.grid.setTextMatrix(2000, 1, "Count");
    EXPECT_EQ(last.run().row, 2001);
    EXPECT_EQ(last.messages(), Texts{"Error in Column one. Protocol Stopped"});
}

TEST(WaitTest, TakesTheWholeTicksNotBelowItsSecondsAndShowsItsPanel) {
    for (const auto& [seconds, ticks] : {std::pair{"2.5", 3}, {"0", 0}, {"-1", 0}}) {
        RunRig rig({Row{"Wait", seconds}, {"End"}});
        std::vector<bool> panel;
        auto watch = rig.c.WaitFrame.observe([&] { panel.push_back(rig.c.WaitFrame.visible()); });
        rig.run();
        EXPECT_EQ(rig.platform.clock().now(), Micros(ticks * 1s + 20ms)) << seconds;
        EXPECT_EQ(panel, (std::vector<bool>{true, false})) << seconds;
    }
}

// "5abc" reads as 5 for the test but cannot be decreased: the countdown stands still.
TEST(WaitTest, TheOperatorsTypingTakesEffect) {
    RunRig rig({Row{"Wait", "5"}, {"End"}});
    rig.platform.clock().at(1500ms, [&] { rig.c.txtWaitCount.setText("5abc"); });
    rig.platform.clock().at(4500ms, [&] { rig.c.txtWaitCount.setText("1"); });
    rig.run();
    EXPECT_EQ(rig.platform.clock().now(), Micros(5020ms));
    EXPECT_EQ(rig.platform.diagnosticLines().lines().size(), 3U);
}

// Button 2 steps, button 3 steps in test mode; the "End" row shows the message too.
TEST(StepModeTest, ShowsTheStepMessageAfterEveryRowTheEndRowIncluded) {
    const std::string step = "Protocol paused, press OK to continue";
    for (const std::int16_t index : {std::int16_t{2}, std::int16_t{3}}) {
        RunRig rig({{"Pause"}, {"1", "V2000R"}, {"End"}});
        bool testMode = false;
        rig.platform.messages().whenShown([&](auto&) { testMode = rig.c.flags.TestMode; });
        rig.run(index);
        EXPECT_EQ(rig.messages(),
                  (Texts{"Protocol Paused. Press OK to continue", step, step, step}));
        EXPECT_EQ(testMode, index == 3) << index;
        EXPECT_FALSE(rig.c.flags.TestMode);
    }
}

}  // namespace
}  // namespace quendrix::runner::testing
