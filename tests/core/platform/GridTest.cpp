#include <gtest/gtest.h>

#include <utility>

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
        grid.move(195, 1410, 6870, 1410 + 18 * h);
        grid.setFormatString("A|<B|^CC|>DDD");
    }
    static constexpr int h = sim::SimGridMetrics::kRowHeight;
    sim::SimGridMetrics metrics;
    Grid grid{"grid", metrics};
};

TEST_F(GridTest, FormatStringSetsColumnsScrollingDecidesGeometryAndOutsideCellsFail) {
    EXPECT_EQ(grid.TextMatrix(0, 0) + grid.TextMatrix(0, 2), "ACC");
    EXPECT_EQ(grid.ColAlignment(1), Grid::Alignment::Left);
    EXPECT_EQ(grid.ColAlignment(2), Grid::Alignment::Centre);
    EXPECT_EQ(grid.ColAlignment(3), Grid::Alignment::Right);
    EXPECT_EQ(grid.ColWidth(3), metrics.columnWidth("DDD"));
    EXPECT_THROW(grid.setRow(2001), Failure);
    EXPECT_THROW(grid.setCol(-1), Failure);
    EXPECT_THROW((void)grid.TextMatrix(2001, 0), Failure);
    EXPECT_THROW(grid.setTextArray(2001 * 4, "x"), Failure);
    grid.setTextArray(2001 * 4 - 1, "last");
    EXPECT_EQ(grid.TextMatrix(2000, 3), "last");

    const int rowsShown = grid.visibleRowCount();
    EXPECT_EQ(rowsShown, 23);
    EXPECT_TRUE(grid.RowIsVisible(rowsShown));
    EXPECT_FALSE(grid.RowIsVisible(rowsShown + 1));
    grid.setTopRow(100);
    EXPECT_TRUE(grid.RowIsVisible(0));
    EXPECT_FALSE(grid.RowIsVisible(99));
    grid.setRow(101);
    grid.setCol(2);
    EXPECT_EQ(grid.CellTop(), h + h);
    EXPECT_EQ(grid.CellLeft(), grid.ColWidth(0) + grid.ColWidth(1));
    // The last rows stay at the bottom of the view.
    grid.setTopRow(2000);
    EXPECT_EQ(grid.TopRow(), 2001 - rowsShown);
}

// The program itself may go there. When the operator leaves a cell is pinned by the cell
// editor's tests.
TEST_F(GridTest, TheOperatorCannotMakeAFixedCellCurrentAndMovingCollapsesTheSelection) {
    grid.setRow(5);
    grid.setCol(2);
    EXPECT_FALSE(grid.userSelect(0, 2));
    EXPECT_FALSE(grid.userSelect(5, 0));
    EXPECT_EQ(std::pair(grid.Row(), grid.Col()), std::pair(5, 2));
    EXPECT_TRUE(grid.userSelect(7, 3));
    EXPECT_EQ(std::pair(grid.Row(), grid.Col()), std::pair(7, 3));
    grid.setCol(0);
    EXPECT_EQ(grid.Col(), 0);

    grid.setRowSel(9);
    grid.setColSel(3);
    grid.setRow(6);
    EXPECT_EQ(std::pair(grid.RowSel(), grid.ColSel()), std::pair(6, 0));
}

}  // namespace
}  // namespace quendrix
