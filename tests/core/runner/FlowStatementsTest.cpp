#include <gtest/gtest.h>

#include "core/runner/RunRig.h"

namespace quendrix::runner::testing {
namespace {

TEST(LoopTest, ACountOfThreeRunsItsBodyFourTimesAndRestoresTheCount) {
    RunRig rig;
    rig.protocol({{"Count"}, {"Count"}, {"Count"}, {"Count"}, {"Loop", "2", "3"}, {"End"}});
    std::vector<std::string> counts;
    auto watch = rig.grid.observeChanges([&](auto, int row, int col) {
        if (row == 5 && col == 3) {
            counts.push_back(rig.grid.TextMatrix(5, 3));
        }
    });
    const RunReport report = rig.run();
    EXPECT_EQ(counts, (std::vector<std::string>{" 2 times", " 1 times", " 0 times", " 3 times"}));
    EXPECT_EQ(rig.c.intTestCounter.text(), "14");
    EXPECT_EQ(report.ending, Ending::EndRow);
    EXPECT_EQ(report.rowsExecuted, 18);
}

// Row 2 of "Count", the statement, "End"; what the run did with it.
struct FlowCase {
    Row statement;
    int endOnTurn;
    std::string testCounter, countCell;
    Ending ending;
    int endRow;
};

TEST(FlowStatementTest, JumpsAndCounts) {
    const FlowCase cases[] = {
        {{"Loop", "1", "0"}, 0, "2", " 0 times", Ending::EndRow, 3},
        {{"Loop", "1", ""}, 0, "2", " 0 times", Ending::EndRow, 3},
        {{"Loop", "1", " 2 times"}, 0, "4", " 2 times", Ending::EndRow, 3},
        {{"Loop", "1", "-1"}, 20, "11", "-11 times", Ending::Stopped, 2},  // never reaches 0
        {{"Loop", "1", "2.5"}, 20, "11", "-7.5 times", Ending::Stopped, 2},
        {{"Goto", "0"}, 0, "2", "", Ending::EndRow, 3},
        {{"Goto", "2"}, 20, "2", "", Ending::Stopped, 2},
        {{"Goto", "2.5"}, 20, "2", "", Ending::Stopped, 2},  // halves go to even: row 2
        {{"Goto", "0.5"}, 0, "2", "", Ending::EndRow, 3},
        {{"Goto", "-5"}, 0, "2", "", Ending::ColumnOneError, -5},
        {{"Goto", "2001"}, 0, "2", "", Ending::ColumnOneError, 2001},
        {{"Goto", "40000"}, 0, "2", "", Ending::EndRow, 3},  // the overflow is skipped
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.statement.address + " " + row.statement.command);
        RunRig rig;
        rig.protocol({{"Count"}, row.statement, {"End"}});
        rig.endOnTurn = row.endOnTurn;
        const RunReport report = rig.run();
        EXPECT_EQ(rig.c.intTestCounter.text(), row.testCounter);
        EXPECT_EQ(rig.grid.TextMatrix(2, 3), row.countCell);
        EXPECT_EQ(report.ending, row.ending);
        EXPECT_EQ(report.row, row.endRow);
        const bool columnOneError = row.ending == Ending::ColumnOneError;
        EXPECT_EQ(rig.messages(), columnOneError ? std::vector<std::string>{kColumnOneError}
                                                 : std::vector<std::string>{});
    }
}

TEST(LoopTest, AnInnerLoopRunsInFullOnEveryPassOfTheOuterOne) {
    RunRig rig;
    rig.protocol({{"Count"}, {"Count"}, {"Loop", "2", "1"}, {"Loop", "1", "2"}, {"End"}});
    rig.run();
    EXPECT_EQ(rig.c.intTestCounter.text(), "10");  // row 1 three times, row 2 six times
    EXPECT_EQ(rig.grid.TextMatrix(3, 3), " 1 times");
    EXPECT_EQ(rig.grid.TextMatrix(4, 3), " 2 times");
}

TEST(LoopTest, TheNextRunTakesUpTheCountAStoppedRunLeft) {
    RunRig rig;
    rig.protocol({{"Count"}, {"Loop", "1", "3"}, {"End"}});
    rig.endOnTurn = 5;
    rig.run();
    EXPECT_EQ(rig.grid.TextMatrix(2, 3), " 1 times");
    rig.endOnTurn = 0;
    rig.run();
    EXPECT_EQ(rig.c.intTestCounter.text(), "3");
    EXPECT_EQ(rig.grid.TextMatrix(2, 3), " 1 times");
}

TEST(WaitTest, TakesTheWholeTicksNotBelowItsSeconds) {
    for (const auto& [seconds, ticks] : {std::pair{"2.5", 3}, {"0", 0}, {"-1", 0}}) {
        RunRig rig;
        rig.protocol({{"Wait", seconds}, {"End"}});
        std::vector<bool> panel;
        auto watch = rig.c.WaitFrame.observe([&] { panel.push_back(rig.c.WaitFrame.visible()); });
        rig.run();
        EXPECT_EQ(rig.now(), Micros(ticks * 1s + 20ms)) << seconds;
        EXPECT_EQ(panel, (std::vector<bool>{true, false})) << seconds;
    }
}

// "5abc" reads as 5 for the test but cannot be decreased: the countdown stands still.
TEST(WaitTest, TheOperatorsTypingTakesEffect) {
    RunRig rig;
    rig.protocol({{"Wait", "5"}, {"End"}});
    rig.at(1500ms, [&] { rig.c.txtWaitCount.setText("5abc"); });
    rig.at(4500ms, [&] { rig.c.txtWaitCount.setText("1"); });
    rig.run();
    EXPECT_EQ(rig.now(), Micros(5020ms));
    EXPECT_EQ(rig.c.txtWaitCount.text(), "0");
    EXPECT_EQ(rig.platform.diagnosticLines().lines().size(), 3U);
}

TEST(WaitTest, EndDoesNotCutItShortTheClosingWindowDoes) {
    RunRig ended;
    ended.protocol({{"Wait", "3"}, {"End"}});
    ended.at(500ms, [&] { ended.c.EndTheProtocol.click(); });
    EXPECT_EQ(ended.run().ending, Ending::Stopped);
    EXPECT_EQ(ended.now(), Micros(3010ms));
    EXPECT_EQ(ended.c.MainForm.caption(), "Protocol Stopped");

    RunRig closed;
    closed.protocol({{"Wait", "3"}, {"End"}});
    closed.at(1500ms, [&] { closed.c.MainForm.close(); });
    EXPECT_EQ(closed.run().ending, Ending::Stopped);
    EXPECT_EQ(closed.now(), Micros(1500ms));
    EXPECT_FALSE(closed.c.fileSlot.isOpen());
}

TEST(StepModeTest, ShowsTheStepMessageAfterEveryRow) {
    struct Case {
        std::int16_t index;
        Row first;
        std::vector<std::string> messages;
    };
    const std::string pause = "Protocol Paused. Press OK to continue";
    const Case cases[] = {
        {0, {"Pause"}, {pause}},
        {2, {"Pause"}, {pause, kStepMessage, kStepMessage}},
        {2, {"1", "V2000R"}, {kStepMessage, kStepMessage}},
        {3, {"1", "V2000R"}, {kStepMessage, kStepMessage}},
    };
    for (const auto& row : cases) {
        RunRig rig;
        rig.protocol({row.first, {"End"}});
        bool testMode = false;
        rig.platform.messages().whenShown([&](auto&) { testMode = rig.c.flags.TestMode; });
        rig.run(row.index);
        EXPECT_EQ(rig.messages(), row.messages) << row.index;
        EXPECT_EQ(testMode, row.index == 3);
        EXPECT_FALSE(rig.c.flags.TestMode);
    }
}

}  // namespace
}  // namespace quendrix::runner::testing
