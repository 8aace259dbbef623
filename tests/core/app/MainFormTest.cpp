#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/CommandLine.h"
#include "app/MainForm.h"
#include "dryrun/DryRunOptionParser.h"
#include "sim/cli/ServerOptionParser.h"
#include "sim/virtualtime/SimPlatform.h"

namespace quendrix {
namespace {

using platform::kBlack;

class MainFormTest : public ::testing::Test {
protected:
    sim::SimPlatform platform;
    app::MainForm form{platform};
    form::Inventory& c = form.controls();
};

// What start-up itself writes; the other start values are the inventory's own.
TEST_F(MainFormTest, StartUpWritesTheAddressTheErrorCodeAndAnEmptyEditorAndStartsNothing) {
    EXPECT_EQ(c.flags.CurrentAddress, "1");
    EXPECT_EQ(c.chrErrorCode.text(), "0");
    EXPECT_EQ(c.GridEditText.text(), "");
    EXPECT_EQ(c.strPumpString.text(), "/1ZR");
    EXPECT_EQ(c.ShapeUnitStatus.fillColor(), kBlack);
    EXPECT_EQ(c.Shape1.fillColor(), kBlack);
    for (platform::Timer* timer : c.timers()) {
        EXPECT_FALSE(timer->enabled()) << timer->name();
    }
    EXPECT_FALSE(c.MSComm1.PortOpen());
    EXPECT_TRUE(platform.clock().idle());
}

TEST_F(MainFormTest, EveryProtocolRowIsNumberedUnderTheHeader) {
    const auto& grid = c.MSFlexGrid1;
    ASSERT_EQ((std::vector{grid.Rows(), grid.Cols(), grid.FixedRows(), grid.FixedCols()}),
              (std::vector{2001, 4, 1, 1}));
    for (int r = 1; r <= 2000; ++r) {
        ASSERT_EQ(grid.TextMatrix(r, 0), std::to_string(r));
        ASSERT_EQ(grid.TextMatrix(r, 1), "");
    }
    EXPECT_EQ(grid.TextMatrix(0, 0), std::string(9, ' '));
    EXPECT_EQ(grid.TextMatrix(0, 1), " Address ");
    EXPECT_EQ(grid.TextMatrix(0, 2), "    Command" + std::string(81, ' '));
    EXPECT_EQ(grid.TextMatrix(0, 3), "Loops ");
    EXPECT_EQ(std::pair(grid.Row(), grid.Col()), std::pair(1, 3));
    // The grid's top is part of its height: 1410 + 18 rows.
    EXPECT_EQ(grid.geometry().height, 1410 + 18 * sim::SimGridMetrics::kRowHeight);
    EXPECT_EQ(grid.toolTipText, "Click in the command column to begin entering a protocol");
    // The format string's alignments, and the simulated font's widths of 9, 9, 92 and 6
    // characters: the Command column is wide only by the blanks after its caption.
    EXPECT_EQ(grid.ColAlignment(0), platform::Grid::Alignment::Default);
    for (int col = 1; col < 4; ++col) {
        EXPECT_EQ(grid.ColAlignment(col), platform::Grid::Alignment::Left);
    }
    EXPECT_EQ((std::vector{grid.ColWidth(0), grid.ColWidth(1), grid.ColWidth(2), grid.ColWidth(3)}),
              (std::vector{930, 930, 8400, 660}));
}

TEST_F(MainFormTest, ShutDownDisarmsEveryTimerAndClosesAnOpenPort) {
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

// A settings window never loaded stores nothing.
TEST_F(MainFormTest, ShutDownLeavesAPortThatWasNeverOpenedAndTheSettingsUntouched) {
    c.MainForm.close();
    EXPECT_EQ(platform.serial().openCount(), 0);
    EXPECT_FALSE(c.MSComm1.PortOpen());
    EXPECT_TRUE(platform.settings().reads().empty());
    EXPECT_TRUE(platform.settings().writes().empty());
}

TEST_F(MainFormTest, NewEmptiesTheGridAndStartsInTheLoopsColumn) {
    auto& grid = c.MSFlexGrid1;
    grid.setTextMatrix(5, 1, "Loop");
    grid.setTextMatrix(2000, 3, "W");
    c.CommandFrame.setVisible(true);
    c.ValvePositionFrame.setVisible(true);
    c.NewProtocol.click();
    EXPECT_EQ(grid.TextMatrix(5, 1), "");
    EXPECT_EQ(grid.TextMatrix(2000, 0), "");  // numbers too
    EXPECT_EQ(grid.TextMatrix(0, 1), " Address ");
    EXPECT_EQ(std::pair(grid.Row(), grid.Col()), std::pair(1, 3));
    EXPECT_TRUE(grid.hasFocus());
    EXPECT_EQ(c.MainForm.caption(), "Create Protocol");
    EXPECT_FALSE(c.CommandFrame.visible());
    EXPECT_FALSE(c.ValvePositionFrame.visible());
}

// The window's size is pinned by the Qt view's tests.
TEST(MainFormVersion, NumbersKeepTheirSignPosition) {
    for (const auto& [version, text] : {std::pair{platform::Version{1, 0, 0}, "Kestrova  1. 0. 0"},
                                        {platform::Version{2, 1, 15}, "Kestrova  2. 1. 15"}}) {
        sim::SimPlatform platform({}, version);
        app::MainForm form(platform);
        EXPECT_EQ(form.controls().txtVersion.caption(), text);
    }
}

// The first of --help and --version wins; everything else is the window toolkit's.
TEST(CommandLineTest, AnswersHelpAndVersionAndLeavesTheRestToTheToolkit) {
    const std::tuple<std::vector<const char*>, std::optional<int>, std::string> cases[] = {
        {{}, std::nullopt, ""},
        {{"-platform", "offscreen", "-style", "fusion"}, std::nullopt, ""},
        {{"--helpful", "-version"}, std::nullopt, ""},
        {{"--help"}, 0, app::programUsage()},
        {{"-platform", "xcb", "-h", "--version"}, 0, app::programUsage()},
        {{"--version", "--help"}, 0, "quendrix 2.1.15\n"},
    };
    for (const auto& [arguments, status, printed] : cases) {
        std::vector<const char*> argv{"quendrix"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        std::ostringstream out;
        EXPECT_EQ(
            app::answerCommandLine(static_cast<int>(argv.size()), argv.data(), {2, 1, 15}, out),
            status)
            << arguments.size();
        EXPECT_EQ(out.str(), printed);
    }
    EXPECT_TRUE(app::programUsage().starts_with("Usage: quendrix [OPTION]...\n"));
}

// The help texts become the manual pages: buttons are named as the operator reads them, not
// with their accelerator marks, and each text offers --version.
TEST(CommandLineTest, EveryProgramsHelpNamesButtonsPlainlyAndOffersTheVersion) {
    for (const std::string& usage :
         {app::programUsage(), sim::serverUsage(), dryrun::dryRunUsage()}) {
        EXPECT_EQ(usage.find('&'), std::string::npos) << usage;
        EXPECT_NE(usage.find("\n      --version        show the version\n"), std::string::npos)
            << usage;
    }
}

}  // namespace
}  // namespace quendrix
