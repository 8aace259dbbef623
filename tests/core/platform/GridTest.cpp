#include <gtest/gtest.h>

#include <vector>

#include "platform/Failure.h"
#include "platform/Grid.h"
#include "sim/SimGridMetrics.h"

namespace quendrix {
namespace {

using platform::Failure;
using platform::Grid;

class GridTest : public ::testing::Test {
protected:
    GridTest() {
        grid.setRows(2001);
        grid.setCols(4);
        grid.move(195, 1410, 6870, 1410 + 18 * sim::SimGridMetrics::kRowHeight);
        grid.setFormatString("A|<B|^CC|>DDD");
    }
    sim::SimGridMetrics metrics;
    Grid grid{"grid", metrics};
};

TEST_F(GridTest, FormatStringSegmentsSetCaptionAlignmentAndWidth) {
    EXPECT_EQ(grid.TextMatrix(0, 0), "A");
    EXPECT_EQ(grid.TextMatrix(0, 2), "CC");
    EXPECT_EQ(grid.ColAlignment(1), Grid::Alignment::Left);
    EXPECT_EQ(grid.ColAlignment(2), Grid::Alignment::Centre);
    EXPECT_EQ(grid.ColAlignment(3), Grid::Alignment::Right);
    EXPECT_EQ(grid.ColWidth(3), metrics.columnWidth("DDD"));
}

TEST_F(GridTest, CellsOutsideTheGridAreFailuresNotCrashes) {
    EXPECT_THROW(grid.setRow(2001), Failure);
    EXPECT_THROW(grid.setRow(-1), Failure);
    EXPECT_THROW(grid.setCol(4), Failure);
    EXPECT_THROW((void)grid.TextMatrix(2001, 0), Failure);
    EXPECT_THROW(grid.setTextArray(2001 * 4, "x"), Failure);
    EXPECT_THROW(grid.setTextArray(-1, "x"), Failure);
    grid.setTextArray(2001 * 4 - 1, "last");
    EXPECT_EQ(grid.TextMatrix(2000, 3), "last");
}

TEST_F(GridTest, TheOperatorCannotMakeAFixedCellCurrent) {
    grid.setRow(5);
    grid.setCol(2);
    EXPECT_FALSE(grid.userSelect(0, 2));
    EXPECT_FALSE(grid.userSelect(5, 0));
    EXPECT_EQ(grid.Row(), 5);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_TRUE(grid.userSelect(7, 3));
    EXPECT_EQ(grid.Row(), 7);
    // The program itself may go there.
    grid.setCol(0);
    EXPECT_EQ(grid.Col(), 0);
}

TEST_F(GridTest, LeaveCellFiresOnlyWhenTheOperatorMovesTheCurrentCell) {
    std::vector<std::pair<int, int>> leftFrom;
    auto subscription =
        grid.onLeaveCell.subscribe([&] { leftFrom.emplace_back(grid.Row(), grid.Col()); });
    grid.setRow(3);  // the program's own moves are silent
    grid.setCol(2);
    grid.userSelect(3, 2);  // no move
    grid.userSelect(4, 1);
    grid.userSelect(0, 1);  // refused
    grid.userSelect(5, 3);
    EXPECT_EQ(leftFrom, (std::vector<std::pair<int, int>>{{3, 2}, {4, 1}}));
}

TEST_F(GridTest, ScrollingDecidesVisibilityAndCellGeometry) {
    const int h = sim::SimGridMetrics::kRowHeight;
    const int rowsShown = grid.visibleRowCount();
    EXPECT_EQ(rowsShown, (grid.geometry().height - h) / h);
    EXPECT_TRUE(grid.RowIsVisible(1));
    EXPECT_TRUE(grid.RowIsVisible(rowsShown));
    EXPECT_FALSE(grid.RowIsVisible(rowsShown + 1));
    grid.setTopRow(100);
    EXPECT_TRUE(grid.RowIsVisible(0));
    EXPECT_FALSE(grid.RowIsVisible(99));
    EXPECT_TRUE(grid.RowIsVisible(100));
    grid.setRow(101);
    grid.setCol(2);
    EXPECT_EQ(grid.CellTop(), h + h);
    EXPECT_EQ(grid.CellLeft(), grid.ColWidth(0) + grid.ColWidth(1));
    EXPECT_EQ(grid.CellWidth(), grid.ColWidth(2));
    EXPECT_EQ(grid.CellHeight(), h);
    // The last rows stay at the bottom of the view.
    grid.setTopRow(2000);
    EXPECT_EQ(grid.TopRow(), 2001 - rowsShown);
    EXPECT_TRUE(grid.RowIsVisible(2000));
}

TEST_F(GridTest, MovingTheCurrentCellCollapsesTheSelection) {
    grid.setRow(4);
    grid.setCol(1);
    grid.setRowSel(9);
    grid.setColSel(3);
    EXPECT_EQ(grid.RowSel(), 9);
    grid.setRow(6);
    EXPECT_EQ(grid.RowSel(), 6);
    EXPECT_EQ(grid.ColSel(), 1);
}

TEST_F(GridTest, ClearEmptiesEveryCellButKeepsTheShape) {
    grid.setTextMatrix(10, 2, "x");
    grid.Clear();
    EXPECT_EQ(grid.TextMatrix(0, 0), "");
    EXPECT_EQ(grid.TextMatrix(10, 2), "");
    EXPECT_EQ(grid.Rows(), 2001);
    EXPECT_EQ(grid.Cols(), 4);
}

}  // namespace
}  // namespace quendrix
