#include <gtest/gtest.h>

#include "core/runner/RunRig.h"
#include "platform/Failure.h"

namespace quendrix::runner::testing {
namespace {

std::string record(std::string_view text) {
    return "\"" + std::string(text) + "\"\r\n";
}

TEST(RunTest, ASmallProtocolEndToEnd) {
    RunRig rig;
    rig.protocol({{"Count"}, {"1", "V2000R", "W"}, {"Loop", "2", "1"}, {"2", "S00"}, {"End"}});
    std::vector<int> marked;  // the grid as row 3's turn begins: row 2 marked
    auto mark = rig.form.runner().onRowStarted.subscribe([&](int row) {
        if (row == 3 && marked.empty()) {
            marked = {rig.grid.Row(), rig.grid.Col(), rig.grid.RowSel(), rig.grid.ColSel(),
                      rig.grid.SelectionMode()};
        }
    });
    const RunReport report = rig.run();

    const std::string syringe = "/1Q1\r\n/1V2000R\r\n/1Q2\r\n";
    EXPECT_EQ(rig.wire(), syringe + syringe + "/2Q1\r\n/2S1R\r\n/2Q2\r\n");
    const std::string ready = record("Received : /0`\x03");
    const auto row = [&](std::string_view sent) { return ready + record(sent) + ready + ready; };
    EXPECT_EQ(rig.log(),
              row("Sent     : /1V2000R") + row("Sent     : /1V2000R") + row("Sent     : /2S1R"));
    EXPECT_EQ(rig.c.intTestCounter.text(), "2");
    EXPECT_EQ(rig.grid.TextMatrix(3, 3), " 1 times");
    EXPECT_EQ(marked, (std::vector<int>{2, 0, 2, 3, 1}));
    EXPECT_EQ(rig.started, (std::vector<int>{1, 2, 3, 2, 3, 4, 5}));
    EXPECT_EQ(report.ending, Ending::EndRow);
    EXPECT_EQ(report.row, 5);
    EXPECT_EQ(report.commandsSent, 3);
    // Stopped: the grid at its top, free selection on row 1, column 1; the log closed.
    EXPECT_EQ((std::vector<int>{rig.grid.TopRow(), rig.grid.Row(), rig.grid.Col(),
                                rig.grid.RowSel(), rig.grid.ColSel(), rig.grid.SelectionMode()}),
              (std::vector<int>{1, 1, 1, 1, 1, 0}));
    EXPECT_FALSE(rig.c.fileSlot.isOpen());
    EXPECT_EQ(rig.c.MainForm.caption(), "Protocol Stopped");
    EXPECT_FALSE(rig.c.CommandFrame.visible());
}

// Keywords are compared exactly; addresses are the texts from "1" to "9" by character code.
TEST(RunTest, ColumnOneIsAKeywordAnAddressOrAnError) {
    for (const std::string text : {"loop", "END", " Loop", "", "0", "A", "12", "3x", "9"}) {
        RunRig rig;
        rig.protocol({{text, "ZR"}, {"End"}});
        rig.at(1s, [&] { rig.c.EndTheProtocol.click(); });
        const RunReport report = rig.run();
        const bool address = text >= "1" && text <= "9";
        EXPECT_EQ(rig.messages().empty(), address) << text;
        EXPECT_EQ(report.ending == Ending::ColumnOneError, !address) << text;
        EXPECT_EQ(rig.wire().starts_with("/" + text + "Q1\r\n"), address) << text;
    }
}

TEST(RunTest, RunningOnPastTheLastRowStopsWithTheColumnOneError) {
    RunRig rig;
    rig.protocol({{"Goto", "1999"}});
    rig.protocol({{"Count"}, {"Count"}}, 1999);
    bool lastRowInView = false;
    auto view = rig.form.runner().onRowStarted.subscribe(
        [&](int row) { lastRowInView = row == 2001 && rig.grid.RowIsVisible(2000); });
    const RunReport report = rig.run();
    EXPECT_EQ(report.ending, Ending::ColumnOneError);
    EXPECT_EQ(report.row, 2001);
    EXPECT_TRUE(lastRowInView);
    EXPECT_EQ(rig.messages(), std::vector<std::string>{kColumnOneError});
}

TEST(RunTest, ARunLogThatCannotBeCreatedRefusesTheStart) {
    RunRig rig;
    rig.platform.files().makeFailing("TESTFILE.txt");
    rig.protocol({{"End"}});
    rig.form.runner().RunProtocol_Click(3);
    EXPECT_EQ(rig.messages(), std::vector<std::string>{"File Open Already "});
    EXPECT_EQ(rig.c.intTestCounter.text(), "1");
    EXPECT_TRUE(rig.c.flags.TestMode);  // set before the log, and left so
    EXPECT_EQ(rig.c.MainForm.caption(), "Tarvo Engineering");
    EXPECT_EQ(rig.platform.serial().openCount(), 0);
    EXPECT_FALSE(rig.form.runner().lastRun().has_value());
}

// A panel that cannot be hidden fails the port configuration; the log is closed again, so
// the next start is not refused.
TEST(RunTest, APortOpenErrorClosesTheRunLog) {
    RunRig rig;
    rig.protocol({{"End"}});
    rig.c.CommandFrame.setVisible(true);
    auto failing =
        rig.c.CommandFrame.observe([] { throw platform::Failure("the panel cannot be hidden"); });
    rig.c.RunProtocol.at(0).click();
    EXPECT_EQ(rig.messages(), std::vector<std::string>{"Port open Error"});
    EXPECT_FALSE(rig.c.fileSlot.isOpen());
    failing.reset();
    EXPECT_EQ(rig.run().ending, Ending::EndRow);
    EXPECT_EQ(rig.messages().size(), 1U);
}

TEST(RunTest, ASecondRunClickIsRefusedAndTheFirstRunGoesOn) {
    RunRig rig;
    rig.protocol({{"Count"}, {"Wait", "1"}, {"Loop", "1", "2"}, {"End"}});
    rig.at(1500ms, [&] { rig.c.RunProtocol.at(0).click(); });
    const RunReport report = rig.run();
    EXPECT_EQ(rig.messages(), std::vector<std::string>{"File Open Already "});
    EXPECT_EQ(rig.c.intTestCounter.text(), "2");  // restarted at 1 by the second entry
    EXPECT_EQ(report.ending, Ending::EndRow);
    // The loop memory was cleared in the middle of the loop: it remembers the count left.
    EXPECT_EQ(rig.grid.TextMatrix(3, 3), " 1 times");
}

}  // namespace
}  // namespace quendrix::runner::testing
