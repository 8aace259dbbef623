#include <gtest/gtest.h>

#include "core/runner/RunRig.h"

namespace quendrix::runner::testing {
namespace {

TEST(LoopTest, ACountOfThreeRunsItsBodyFourTimesAndRestoresTheCount) {
    RunRig rig({{"Count"}, {"Count"}, {"Count"}, {"Count"}, {"Loop", "2", "3"}, {"End"}});
    Texts counts;
    auto watch = rig.grid.observeChanges([&](auto, int row, int col) {
        if (row == 5 && col == 3) {
            counts.push_back(rig.grid.TextMatrix(5, 3));
        }
    });
    EXPECT_EQ(rig.run().rowsExecuted, 18);
    EXPECT_EQ(counts, (Texts{" 2 times", " 1 times", " 0 times", " 3 times"}));
    EXPECT_EQ(rig.c.intTestCounter.text(), "14");
}

// Row 2 of "Count", the statement, "End"; rows 1999 and 2000 count too.
TEST(FlowStatementTest, JumpsAndCounts) {
    struct Case {
        Row statement;
        int endOnTurn;
        std::string testCounter, countCell;
        Ending ending;
        int endRow;
    } const cases[] = {
        {{"Loop", "1", "0"}, 0, "2", " 0 times", Ending::EndRow, 3},
        {{"Loop", "1", ""}, 0, "2", " 0 times", Ending::EndRow, 3},
        {{"Loop", "1", " 2 times"}, 0, "4", " 2 times", Ending::EndRow, 3},
        {{"Loop", "1", "-1"}, 20, "11", "-11 times", Ending::Stopped, 2},  // never reaches 0
        {{"Loop", "1", "2.5"}, 20, "11", "-7.5 times", Ending::Stopped, 2},
        {{"Goto", "0"}, 0, "2", "", Ending::EndRow, 3},
        {{"Goto", "2"}, 20, "2", "", Ending::Stopped, 2},
        {{"Goto", "2.5"}, 20, "2", "", Ending::Stopped, 2},  // halves go to even
        {{"Goto", "0.5"}, 0, "2", "", Ending::EndRow, 3},
        {{"Goto", "1999"}, 0, "4", "", Ending::ColumnOneError, 2001},
        {{"Goto", "-5"}, 0, "2", "", Ending::ColumnOneError, -5},
        {{"Goto", "40000"}, 0, "2", "", Ending::EndRow, 3},  // the overflow is skipped
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.statement.address + " " + row.statement.command);
        RunRig rig({{"Count"}, row.statement, {"End"}});
        rig.protocol({{"Count"}, {"Count"}}, 1999);
        rig.endOnTurn = row.endOnTurn;
        const RunReport report = rig.run();
        EXPECT_EQ(rig.c.intTestCounter.text(), row.testCounter);
        EXPECT_EQ(rig.grid.TextMatrix(2, 3), row.countCell);
        EXPECT_EQ(report.ending, row.ending);
        EXPECT_EQ(report.row, row.endRow);
        EXPECT_EQ(rig.messages(),
                  row.ending == Ending::ColumnOneError ? Texts{kColumnOneError} : Texts{});
    }
}

TEST(LoopTest, AnInnerLoopRunsInFullOnEveryPassOfTheOuterOne) {
    RunRig rig({{"Count"}, {"Count"}, {"Loop", "2", "1"}, {"Loop", "1", "2"}, {"End"}});
    rig.run();
    EXPECT_EQ(rig.c.intTestCounter.text(), "10");  // row 1 three times, row 2 six times
    EXPECT_EQ(rig.grid.TextMatrix(3, 3), " 1 times");
}

TEST(LoopTest, TheNextRunTakesUpTheCountAStoppedRunLeft) {
    RunRig rig({{"Count"}, {"Loop", "1", "3"}, {"End"}});
    rig.endOnTurn = 5;
    rig.run();
    EXPECT_EQ(rig.grid.TextMatrix(2, 3), " 1 times");
    rig.endOnTurn = 0;
    rig.run();
    EXPECT_EQ(rig.c.intTestCounter.text(), "3");
}

TEST(WaitTest, TakesTheWholeTicksNotBelowItsSeconds) {
    for (const auto& [seconds, ticks] : {std::pair{"2.5", 3}, {"0", 0}, {"-1", 0}}) {
        RunRig rig({{"Wait", seconds}, {"End"}});
        std::vector<bool> panel;
        auto watch = rig.c.WaitFrame.observe([&] { panel.push_back(rig.c.WaitFrame.visible()); });
        rig.run();
        EXPECT_EQ(rig.now(), Micros(ticks * 1s + 20ms)) << seconds;
        EXPECT_EQ(panel, (std::vector<bool>{true, false})) << seconds;
    }
}

// "5abc" reads as 5 for the test but cannot be decreased: the countdown stands still.
TEST(WaitTest, TheOperatorsTypingTakesEffect) {
    RunRig rig({{"Wait", "5"}, {"End"}});
    rig.platform.clock().at(1500ms, [&] { rig.c.txtWaitCount.setText("5abc"); });
    rig.platform.clock().at(4500ms, [&] { rig.c.txtWaitCount.setText("1"); });
    rig.run();
    EXPECT_EQ(rig.now(), Micros(5020ms));
    EXPECT_EQ(rig.platform.diagnosticLines().lines().size(), 3U);
}

TEST(StepModeTest, ShowsTheStepMessageAfterEveryRow) {
    const std::string pause = "Protocol Paused. Press OK to continue";
    struct Case {
        std::int16_t index;
        Row first;
        Texts messages;
    } const cases[] = {
        {2, {"Pause"}, {pause, kStepMessage, kStepMessage}},
        {2, {"1", "V2000R"}, {kStepMessage, kStepMessage}},
        {3, {"1", "V2000R"}, {kStepMessage, kStepMessage}},
    };
    for (const auto& row : cases) {
        RunRig rig({row.first, {"End"}});
        bool testMode = false;
        rig.platform.messages().whenShown([&](auto&) { testMode = rig.c.flags.TestMode; });
        rig.run(row.index);
        EXPECT_EQ(rig.messages(), row.messages) << row.index;
        EXPECT_EQ(testMode, row.index == 3) << row.index;
        EXPECT_FALSE(rig.c.flags.TestMode);
    }
}

}  // namespace
}  // namespace quendrix::runner::testing
