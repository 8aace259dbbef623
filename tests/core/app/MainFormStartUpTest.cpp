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

TEST_F(MainFormStartUp, FlagsAndTextsHaveTheirStartValues) {
    EXPECT_FALSE(c.flags.ProtocolRunning);
    EXPECT_FALSE(c.flags.TestMode);
    EXPECT_FALSE(c.flags.ReplyReceived);
    EXPECT_FALSE(c.flags.DeviceBusy);
    EXPECT_EQ(c.flags.StatusQueryMode, 0);
    EXPECT_EQ(c.flags.CurrentAddress, "1");

    EXPECT_EQ(c.MainForm.caption(), "Tarvo Engineering");
    EXPECT_EQ(c.strPumpString.text(), "/1ZR");
    EXPECT_EQ(c.chrErrorCode.text(), "0");
    EXPECT_EQ(c.LoopCounter.text(), "2500");
    EXPECT_EQ(c.RetryCounter.text(), "0");
    EXPECT_EQ(c.RetryCounter2.text(), "0");
    EXPECT_EQ(c.Position.text(), "Position");
    EXPECT_EQ(c.Speed.text(), "Speed");
    EXPECT_EQ(c.PositionRequestCounter.text(), "Text1");
    EXPECT_EQ(c.QueryString.text(), "/1ZR");
    EXPECT_EQ(c.txtWaitCount.text(), "60");
    EXPECT_EQ(c.GridEditText.text(), "");
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

TEST_F(MainFormStartUp, ControlsShownHiddenOrOutsideAsTheInventorySays) {
    const auto outside = [&](const platform::Control& control) {
        const auto& g = control.geometry();
        return control.visible() &&
               (g.left >= c.MainForm.geometry().width || g.top >= c.MainForm.geometry().height);
    };
    for (const platform::Control* control : std::initializer_list<const platform::Control*>{
             &c.Command1, &c.Command2, &c.Command5, &c.LoopCounter, &c.Error2, &c.Error3, &c.Error9,
             &c.Label39.at(0), &c.Label39.at(1), &c.Label40, &c.intTestCounter, &c.Label38,
             &c.PositionRequestCounter, &c.txtVersion}) {
        EXPECT_TRUE(outside(*control)) << control->name();
    }
    for (const platform::Control* control : std::initializer_list<const platform::Control*>{
             &c.RunProtocol.at(2), &c.RunProtocol.at(3), &c.LoadCartridge, &c.GridEditText,
             &c.Position, &c.strPresureFeedback, &c.RetryCounter, &c.RetryCounter2, &c.Speed,
             &c.Frame6, &c.WaitFrame, &c.SonicateFrame, &c.CommandFrame, &c.ValvePositionFrame,
             &c.Frame1, &c.Frame2, &c.Frame4, &c.Frame5}) {
        EXPECT_FALSE(control->visible()) << control->name();
    }
    for (const platform::Control* control : std::initializer_list<const platform::Control*>{
             &c.Picture1, &c.NewProtocol, &c.RunProtocol.at(0), &c.EndTheProtocol, &c.Frame3,
             &c.strPumpString, &c.Text3, &c.chrErrorCode, &c.ShapeUnitStatus, &c.Shape1}) {
        EXPECT_TRUE(control->visible() && !outside(*control)) << control->name();
    }
    EXPECT_EQ(c.RunProtocol.at(0).caption(), "&Run ");
    EXPECT_EQ(c.RunProtocol.at(2).caption(), "&Single Step &Protocol");
    EXPECT_EQ(c.RunProtocol.at(3).caption(), "T&est Single Step");
    EXPECT_EQ(c.Label3.buddy(), &c.chrErrorCode);
    EXPECT_EQ(c.Label38.buddy(), &c.intTestCounter);
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
