#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "sim/SimPlatform.h"

namespace quendrix {
namespace {

class MainFormLifecycle : public ::testing::Test {
protected:
    sim::SimPlatform platform;
    app::MainForm form{platform};
    form::MainFormControls& c = form.controls();
};

TEST_F(MainFormLifecycle, ShutDownDisarmsEveryTimerAndClosesAnOpenPort) {
    c.MSComm1.setPortOpen(true);
    c.flags.ProtocolRunning = true;
    for (platform::Timer* timer : c.timers()) {
        timer->setEnabled(true);
    }
    c.MainForm.close();
    EXPECT_TRUE(c.MainForm.closed());
    EXPECT_FALSE(c.flags.ProtocolRunning);
    for (platform::Timer* timer : c.timers()) {
        EXPECT_FALSE(timer->enabled()) << timer->name();
    }
    EXPECT_FALSE(c.MSComm1.PortOpen());
    EXPECT_FALSE(platform.serial().isOpen());
    // Nothing that was armed ticks after the close.
    platform.clock().advanceBy(std::chrono::minutes(2));
    EXPECT_EQ(c.Shape1.fillColor(), platform::kBlack);
}

TEST_F(MainFormLifecycle, ShutDownLeavesAPortThatWasNeverOpened) {
    c.MainForm.close();
    EXPECT_EQ(platform.serial().openCount(), 0);
    EXPECT_FALSE(c.MSComm1.PortOpen());
}

TEST_F(MainFormLifecycle, NewEmptiesTheGridAndStartsInTheLoopsColumn) {
    auto& grid = c.MSFlexGrid1;
    grid.setTextMatrix(5, 1, "Loop");
    grid.setTextMatrix(2000, 3, "W");
    c.CommandFrame.setVisible(true);
    c.ValvePositionFrame.setVisible(true);
    c.NewProtocol.click();
    EXPECT_EQ(grid.TextMatrix(5, 1), "");
    EXPECT_EQ(grid.TextMatrix(2000, 0), "");  // numbers too
    EXPECT_EQ(grid.TextMatrix(0, 1), " Address ");
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_TRUE(grid.hasFocus());
    EXPECT_EQ(c.MainForm.caption(), "Create Protocol");
    EXPECT_FALSE(c.CommandFrame.visible());
    EXPECT_FALSE(c.ValvePositionFrame.visible());
}

}  // namespace
}  // namespace quendrix
