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
    EXPECT_EQ(grid.ColAlignment(0), platform::Grid::Alignment::Default);
    for (int col = 1; col < 4; ++col) {
        EXPECT_EQ(grid.ColAlignment(col), platform::Grid::Alignment::Left);
    }
    // The simulated font's widths of 9, 9, 92 and 6 characters: the Command column is wide
    // only by the blanks after its caption.
    EXPECT_EQ(grid.ColWidth(0), 930);
    EXPECT_EQ(grid.ColWidth(1), 930);
    EXPECT_EQ(grid.ColWidth(2), 8400);
    EXPECT_EQ(grid.ColWidth(3), 660);
}

}  // namespace
}  // namespace quendrix
