#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "sim/SimPlatform.h"

namespace quendrix {
namespace {

// Captions and numbering are pinned by the start-up tests of the main window.
TEST(ProtocolGridSetUp, FormatStringGivesAlignmentAndWidths) {
    sim::SimPlatform platform;
    app::MainForm form(platform);
    const platform::Grid& grid = form.controls().MSFlexGrid1;
    const platform::GridMetrics& metrics = platform.gridMetrics();
    EXPECT_EQ(grid.ColAlignment(0), platform::Grid::Alignment::Default);
    for (int col = 1; col < 4; ++col) {
        EXPECT_EQ(grid.ColAlignment(col), platform::Grid::Alignment::Left);
        EXPECT_EQ(grid.ColWidth(col), metrics.columnWidth(grid.TextMatrix(0, col)));
    }
    EXPECT_EQ(grid.ColWidth(0), metrics.columnWidth("         "));
}

}  // namespace
}  // namespace quendrix
