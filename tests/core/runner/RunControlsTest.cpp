#include <gtest/gtest.h>

#include "core/runner/RunRig.h"
#include "platform/Failure.h"

namespace quendrix::runner::testing {
namespace {

std::string record(std::string_view text) {
    return "\"" + std::string(text) + "\"\r\n";
}

TEST(RunTest, ASmallProtocolEndToEnd) {
    RunRig rig({{"Count"}, {"1", "V2000R", "W"}, {"Loop", "2", "1"}, {"2", "S00"}, {"End"}});
    std::vector<int> marked;  // the grid as row 3's first turn begins
    auto mark = rig.form.runner().onRowStarted.subscribe([&](int row) {
        if (row == 3 && marked.empty()) {
            const auto& g = rig.grid;
            marked = {g.Row(), g.Col(), g.RowSel(), g.ColSel(), g.SelectionMode()};
        }
    });
    const RunReport report = rig.run();

    const std::string syringe = "/1Q1\r\n/1V2000R\r\n/1Q2\r\n";
    EXPECT_EQ(rig.platform.serial().written(), syringe + syringe + "/2Q1\r\n/2S1R\r\n/2Q2\r\n");
    const std::string ready = record("Received : /0`\x03");
    const auto row = [&](std::string_view sent) { return ready + record(sent) + ready + ready; };
    EXPECT_EQ(rig.platform.files().content("TESTFILE.txt"),
              row("Sent     : /1V2000R") + row("Sent     : /1V2000R") + row("Sent     : /2S1R"));
    EXPECT_EQ(marked, (std::vector<int>{2, 0, 2, 3, 1}));
    EXPECT_EQ(rig.started, (std::vector<int>{1, 2, 3, 2, 3, 4, 5}));
    EXPECT_EQ(report.ending, Ending::EndRow);
    EXPECT_EQ(report.commandsSent, 3);
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
        EXPECT_EQ(rig.messages().empty(), address) << text;
        EXPECT_EQ(rig.sent("/" + text + "Q1") > 0, address) << text;
    }
}

TEST(RunTest, TheRowAfterOneOutOfViewGoesToTheTop) {
    RunRig rig({{"Goto", "1999"}});
    rig.protocol({{"Count"}, {"End"}}, 1999);
    bool inView = false;
    auto view = rig.form.runner().onRowStarted.subscribe(
        [&](int row) { inView = row == 2000 && rig.grid.RowIsVisible(2000); });
    rig.run();
    EXPECT_TRUE(inView);
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
    EXPECT_EQ(report.row, 2);
    EXPECT_EQ(report.rowsExecuted, 1);
}

// A refused start has set the test counter and TestMode, and nothing else.
TEST(RunTest, ARunLogThatCannotBeCreatedRefusesTheStart) {
    RunRig rig({{"End"}});
    rig.platform.files().makeFailing("TESTFILE.txt");
    rig.c.RunProtocol.at(3).click();
    EXPECT_EQ(rig.messages(), Texts{"File Open Already "});
    EXPECT_EQ(rig.c.intTestCounter.text(), "1");
    EXPECT_TRUE(rig.c.flags.TestMode);
    EXPECT_EQ(rig.platform.serial().openCount(), 0);
    EXPECT_FALSE(rig.form.runner().lastRun().has_value());
}

// A panel that cannot be hidden fails the port configuration; the log is closed again, so
// the next start is not refused.
TEST(RunTest, APortOpenErrorClosesTheRunLog) {
    RunRig rig({{"End"}});
    rig.c.CommandFrame.setVisible(true);
    auto failing = rig.c.CommandFrame.observe([] { throw platform::Failure("cannot hide"); });
    rig.c.RunProtocol.at(0).click();
    EXPECT_EQ(rig.messages(), Texts{"Port open Error"});
    failing.reset();
    EXPECT_EQ(rig.run().ending, Ending::EndRow);
    EXPECT_EQ(rig.messages().size(), 1U);
}

// The second entry clears the test counter and, in the middle of the loop, its memory: the
// loop then remembers the count it had left.
TEST(RunTest, ASecondRunClickIsRefusedAndTheFirstRunGoesOn) {
    RunRig rig({{"Count"}, {"Wait", "1"}, {"Loop", "1", "2"}, {"End"}});
    rig.platform.clock().at(1500ms, [&] { rig.c.RunProtocol.at(0).click(); });
    EXPECT_EQ(rig.run().ending, Ending::EndRow);
    EXPECT_EQ(rig.messages(), Texts{"File Open Already "});
    EXPECT_EQ(rig.c.intTestCounter.text(), "2");
    EXPECT_EQ(rig.grid.TextMatrix(3, 3), " 1 times");
}

}  // namespace
}  // namespace quendrix::runner::testing
