#include <gtest/gtest.h>

#include "core/runner/RunRig.h"
#include "platform/Failure.h"

namespace quendrix::runner::testing {
namespace {

// Each command row polls, sends and polls again; afterwards the grid is back at its top.
TEST(RunTest, ASmallProtocolEndToEnd) {
    RunRig rig({{"Count"}, {"1", "V2000R", "W"}, {"Loop", "2", "1"}, {"2", "S00"}, {"End"}});
    EXPECT_EQ(rig.run().ending, Ending::EndRow);
    const std::string syringe = "/1Q1\r\n/1V2000R\r\n/1Q2\r\n";
    EXPECT_EQ(rig.platform.serial().written(), syringe + syringe + "/2Q1\r\n/2S1R\r\n/2Q2\r\n");
    const std::string ready = "\"Received : /0`\x03\"\r\n";
    const auto row = [&](std::string frame) {
        return ready + "\"Sent     : " + frame + "\"\r\n" + ready + ready;
    };
    EXPECT_EQ(rig.platform.files().content("TESTFILE.txt"),
              row("/1V2000R") + row("/1V2000R") + row("/2S1R"));
    const auto& g = rig.grid;
    EXPECT_EQ(
        (std::vector<int>{g.TopRow(), g.Row(), g.Col(), g.RowSel(), g.ColSel(), g.SelectionMode()}),
        (std::vector<int>{1, 1, 1, 1, 1, 0}));
    EXPECT_FALSE(rig.c.fileSlot.isOpen());
    EXPECT_EQ(rig.c.MainForm.caption(), "Protocol Stopped");
}

// Keywords are compared exactly; addresses are the texts from "1" to "9" by character code.
TEST(RunTest, ColumnOneIsAKeywordAnAddressOrAnError) {
    for (const std::string text : {"loop", "END", " Loop", "", "0", "A", "12", "3x", "9"}) {
        RunRig rig({{text, "ZR"}, {"End"}});
        rig.platform.clock().at(1s, [&] { rig.c.EndTheProtocol.click(); });
        const bool address = rig.run().ending != Ending::ColumnOneError;
        EXPECT_EQ(address, text >= "1" && text <= "9") << text;
        EXPECT_EQ(rig.messages(), address ? Texts{} : Texts{kColumnOneError}) << text;
        EXPECT_EQ(rig.sent("/" + text + "Q1") > 0, address) << text;
    }
}

// A second click is refused, but clears the test counter and the loop's memory. A panel that
// cannot be hidden fails the port set-up, and the log is closed again for the next start.
TEST(RunTest, ASecondClickOrAPortErrorRefusesTheStart) {
    RunRig rig({{"Count"}, {"Wait", "1"}, {"Loop", "1", "2"}, {"End"}});
    rig.platform.clock().at(1500ms, [&] { rig.c.RunProtocol.at(0).click(); });
    EXPECT_EQ(rig.run().ending, Ending::EndRow);
    EXPECT_EQ(rig.c.intTestCounter.text(), "2");
    EXPECT_EQ(rig.grid.TextMatrix(3, 3), " 1 times");
    rig.c.CommandFrame.setVisible(true);
    auto failing = rig.c.CommandFrame.observe([] { throw platform::Failure("cannot hide"); });
    rig.c.RunProtocol.at(0).click();
    failing.reset();
    EXPECT_EQ(rig.run().ending, Ending::EndRow);
    EXPECT_EQ(rig.messages(), (Texts{"File Open Already ", "Port open Error"}));
}

// A watcher that closes the main window as a row's turn begins ends the run before the row
// acts: the second Count does not count.
TEST(RunTest, ClosingTheWindowAsATurnBeginsLeavesTheRowUndone) {
    RunRig rig({{"Count"}, {"Count"}, {"End"}});
    auto close = rig.form.runner().onRowStarted.subscribe([&](int row) {
        if (row == 2) {
            rig.c.MainForm.close();
        }
    });
    const RunReport report = rig.run();
    EXPECT_EQ(rig.c.intTestCounter.text(), "2");
    EXPECT_EQ(report.ending, Ending::Stopped);
    EXPECT_EQ(report.rowsExecuted, 1);
}

}  // namespace
}  // namespace quendrix::runner::testing
