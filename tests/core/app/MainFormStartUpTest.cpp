#include <gtest/gtest.h>

#include <string>

#include "app/MainForm.h"
#include "sim/SimPlatform.h"

namespace quendrix {
namespace {

using platform::kBlack;

class MainFormStartUp : public ::testing::Test {
protected:
    sim::SimPlatform platform;
    app::MainForm form{platform};
    form::MainFormControls& c = form.controls();
};

// What start-up itself writes; the other start values are the inventory's own.
TEST_F(MainFormStartUp, StartUpWritesTheAddressTheErrorCodeAndAnEmptyEditor) {
    EXPECT_EQ(c.flags.CurrentAddress, "1");
    EXPECT_EQ(c.chrErrorCode.text(), "0");
    EXPECT_EQ(c.GridEditText.text(), "");
    EXPECT_EQ(c.strPumpString.text(), "/1ZR");
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), kBlack);
    EXPECT_EQ(c.Shape1.fillColor(), kBlack);
}

TEST_F(MainFormStartUp, NoTimerRunsAndThePortIsClosed) {
    for (platform::Timer* timer : c.timers()) {
        EXPECT_FALSE(timer->enabled()) << timer->name();
    }
    EXPECT_FALSE(c.MSComm1.PortOpen());
    EXPECT_TRUE(platform.clock().idle());
}

TEST_F(MainFormStartUp, EveryProtocolRowIsNumberedUnderTheHeader) {
    const auto& grid = c.MSFlexGrid1;
    ASSERT_EQ(grid.Rows(), 2001);
    ASSERT_EQ(grid.Cols(), 4);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    for (int r = 1; r <= 2000; ++r) {
        ASSERT_EQ(grid.TextMatrix(r, 0), std::to_string(r));
        ASSERT_EQ(grid.TextMatrix(r, 1), "");
    }
    EXPECT_EQ(grid.TextMatrix(0, 0), std::string(9, ' '));
    EXPECT_EQ(grid.TextMatrix(0, 1), " Address ");
    EXPECT_EQ(grid.TextMatrix(0, 2), "    Command" + std::string(81, ' '));
    EXPECT_EQ(grid.TextMatrix(0, 3), "Loops ");
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 3);
    // The grid's top is part of its height: 1410 + 18 rows.
    EXPECT_EQ(grid.geometry().height, 1410 + 18 * sim::SimGridMetrics::kRowHeight);
    EXPECT_EQ(grid.toolTipText, "Click in the command column to begin entering a protocol");
}

TEST_F(MainFormStartUp, WindowTakesThePictureWidthAndFixedHeight) {
    EXPECT_EQ(c.MainForm.geometry().width, 7215);
    EXPECT_EQ(c.MainForm.geometry().width, c.Picture1.geometry().width);
    EXPECT_EQ(c.MainForm.geometry().height, 7935);
}

struct VersionCase {
    platform::Version version;
    const char* text;
};

class VersionText : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionText, NumbersKeepTheirSignPosition) {
    sim::SimPlatform platform({}, GetParam().version);
    app::MainForm form(platform);
    EXPECT_EQ(form.controls().txtVersion.caption(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionText,
                         ::testing::Values(VersionCase{{1, 0, 0}, "Kestrova  1. 0. 0"},
                                           VersionCase{{2, 1, 15}, "Kestrova  2. 1. 15"}));

}  // namespace
}  // namespace quendrix
