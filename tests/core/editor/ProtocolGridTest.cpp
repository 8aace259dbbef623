#include <gtest/gtest.h>

#include "editor/ProtocolGrid.h"
#include "platform/Failure.h"
#include "sim/SimGridMetrics.h"

namespace quendrix {
namespace {

using editor::ProtocolGrid;

TEST(ProtocolGridFgi, AddressesCellsLinearlyIn16BitArithmetic) {
    EXPECT_EQ(ProtocolGrid::Fgi(0, 0, 4), 0);
    EXPECT_EQ(ProtocolGrid::Fgi(1, 3, 4), 7);
    EXPECT_EQ(ProtocolGrid::Fgi(2000, 3, 4), 8003);
    EXPECT_EQ(ProtocolGrid::Fgi(8191, 3, 4), 32767);
    EXPECT_THROW(ProtocolGrid::Fgi(8192, 0, 4), platform::Failure);
    EXPECT_THROW(ProtocolGrid::Fgi(32767, 32767, 4), platform::Failure);
}

TEST(ProtocolGridSetUp, FormatStringGivesCaptionsAlignmentAndWidths) {
    EXPECT_EQ(ProtocolGrid::kFormatString.size(), 122u);
    sim::SimGridMetrics metrics;
    platform::Grid grid("MSFlexGrid1", metrics);
    platform::Frame commands("CommandFrame", "Commands");
    platform::Frame valves("ValvePositionFrame", "Valve Positions");
    grid.move(195, 1410, 6870, 5370);
    ProtocolGrid protocol(grid, commands, valves);
    protocol.InitProtocolGrid();

    EXPECT_EQ(grid.ColAlignment(0), platform::Grid::Alignment::Default);
    for (int col = 1; col < 4; ++col) {
        EXPECT_EQ(grid.ColAlignment(col), platform::Grid::Alignment::Left);
    }
    EXPECT_EQ(grid.ColWidth(0), metrics.columnWidth("         "));
    EXPECT_EQ(grid.ColWidth(2), metrics.columnWidth(grid.TextMatrix(0, 2)));
    EXPECT_GT(grid.ColWidth(2), 10 * grid.ColWidth(3));  // the wide Command column
    // Set-up leaves the number column empty; only the start-up numbering fills it.
    EXPECT_EQ(grid.TextMatrix(1, 0), "");
    protocol.numberRows();
    EXPECT_EQ(grid.TextMatrix(1, 0), "1");
    EXPECT_EQ(grid.TextMatrix(2000, 0), "2000");
    EXPECT_EQ(grid.TextMatrix(0, 0), "         ");
}

}  // namespace
}  // namespace quendrix
