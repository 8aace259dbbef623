#include <gtest/gtest.h>

#include "core/runner/RunRig.h"

namespace quendrix::runner::testing {
namespace {

// A loop runs its body once more than its count and then restores it; a stopped run leaves
// the count it had reached. A negative or fractional count never reaches 0.
TEST(FlowStatementTest, LoopsAndJumps) {
    const Row count{"Count"}, end{"End"};
    const struct Case {
        std::vector<Row> protocol;
        int endOnTurn;
        std::string testCounter, countCell;  // row 2, column 3
        Ending ending;
        int endRow;
    } cases[] = {
        {{count, {"Loop", "1", "3"}, end}, 0, "5", " 3 times", Ending::EndRow, 3},
        {{count, {"Loop", "1", "3"}, end}, 5, "4", " 1 times", Ending::Stopped, 1},
        {{count, {"Loop", "1", "0"}, end}, 0, "2", " 0 times", Ending::EndRow, 3},
        {{count, {"Loop", "1", ""}, end}, 0, "2", " 0 times", Ending::EndRow, 3},
        {{count, {"Loop", "1", " 2 times"}, end}, 0, "4", " 2 times", Ending::EndRow, 3},
        {{count, {"Loop", "1", "-1"}, end}, 20, "11", "-11 times", Ending::Stopped, 2},
        {{count, {"Loop", "1", "2.5"}, end}, 20, "11", "-7.5 times", Ending::Stopped, 2},
        {{count, {"Goto", "0"}, end}, 0, "2", "", Ending::EndRow, 3},
        {{count, {"Goto", "2.5"}, end}, 20, "2", "", Ending::Stopped, 2},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.protocol[1].address + " " + row.protocol[1].command);
        RunRig rig(row.protocol);
        rig.endOnTurn = row.endOnTurn;
        const RunReport report = rig.run();
        EXPECT_EQ(rig.c.intTestCounter.text(), row.testCounter);
        EXPECT_EQ(rig.grid.TextMatrix(2, 3), row.countCell);
        EXPECT_EQ(std::pair(report.ending, report.row), std::pair(row.ending, row.endRow));
    }
}

// Count 3 at row 5 over rows 2 to 4: the cell counts down the jumps left, then is restored.
// An enclosing loop runs the inner one in full each time round.
TEST(FlowStatementTest, LoopCountsDownItsCellAndNestedLoopsRestoreTheirCounts) {
    RunRig rig({{"Count"}, {"Count"}, {"Count"}, {"Count"}, {"Loop", "2", "3"}, {"End"}});
    std::vector<std::string> cell;
    auto watch = rig.grid.observeChanges([&](platform::Grid::Change, int row, int col) {
        if (row == 5 && col == 3) {
            cell.push_back(rig.grid.TextMatrix(5, 3));
        }
    });
    rig.run();
    EXPECT_EQ(cell, (std::vector<std::string>{" 2 times", " 1 times", " 0 times", " 3 times"}));
    EXPECT_EQ(rig.c.intTestCounter.text(), "14");  // row 1 once, rows 2 to 4 four times

    RunRig nested({{"Count"}, {"Loop", "1", "1"}, {"Loop", "1", "2"}, {"End"}});
    nested.run();
    EXPECT_EQ(nested.c.intTestCounter.text(), "7");
    EXPECT_EQ(nested.grid.TextMatrix(2, 3) + "|" + nested.grid.TextMatrix(3, 3),
              " 1 times| 2 times");
}

// A row off the grid stops the run as an unreadable column 1 does; a target beyond 16 bits
// cannot be taken and the step is skipped.
TEST(FlowStatementTest, ARowOffTheGridStopsTheRun) {
    const struct Case {
        std::vector<Row> protocol;
        Ending ending;
        int endRow;
    } cases[] = {
        {{{"Goto", "-5"}}, Ending::ColumnOneError, -5},
        {{{"Goto", "2001"}}, Ending::ColumnOneError, 2001},
        {{{"Goto", "40000"}, {"End"}}, Ending::EndRow, 2},
    };
    for (const auto& row : cases) {
        RunRig rig(row.protocol);
        const RunReport report = rig.run();
        EXPECT_EQ(std::pair(report.ending, report.row), std::pair(row.ending, row.endRow))
            << row.protocol[0].command;
    }
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
