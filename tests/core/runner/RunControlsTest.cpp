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

// A click during a run, also in the last row's pacing after End, is refused: it restarts the
// test counter, but the running loop keeps its memory and counts on.
TEST(RunTest, ASecondClickIsRefusedAndTheRunningLoopCountsOn) {
    for (const bool afterEnd : {false, true}) {
        RunRig rig({{"Count"}, {"Wait", "1"}, {"Loop", "1", "2"}, {"End"}});
        auto& clock = rig.platform.clock();
        const auto click = [&] { rig.c.RunProtocol.at(0).click(); };
        auto endRow = rig.form.runner().onRowStarted.subscribe([&](int row) {
            if (row == 4 && afterEnd) {
                clock.at(clock.now() + 5ms, click);
            }
        });
        if (!afterEnd) {
            clock.at(1500ms, click);
        }
        EXPECT_EQ(rig.run().ending, Ending::EndRow);
        EXPECT_EQ(rig.c.intTestCounter.text(), afterEnd ? "1" : "2");
        EXPECT_EQ(rig.grid.TextMatrix(3, 3), " 2 times");
        EXPECT_EQ(rig.messages(), Texts{"File Open Already "});
        EXPECT_EQ(rig.diagnostics(), Texts{"run not started: a run is in progress"});
    }
}

// A run log that cannot be created refuses the start and the diagnostics say why. A panel
// that cannot be hidden fails the port set-up, and the log is closed again for the next start.
TEST(RunTest, AStartRefusedAtTheRunLogOrThePort) {
    RunRig noLog({{"End"}});
    noLog.platform.files().makeFailing("TESTFILE.txt");
    noLog.c.RunProtocol.at(0).click();
    EXPECT_EQ(noLog.messages(), Texts{"File Open Already "});
    EXPECT_EQ(noLog.diagnostics(), Texts{"run not started: cannot create TESTFILE.txt"});
    EXPECT_FALSE(noLog.form.runner().lastRun().has_value());

    RunRig rig({{"End"}});
    rig.c.CommandFrame.setVisible(true);
    auto failing = rig.c.CommandFrame.observe([] { throw platform::Failure("cannot hide"); });
    rig.c.RunProtocol.at(0).click();
    failing.reset();
    EXPECT_EQ(rig.run().ending, Ending::EndRow);
    EXPECT_EQ(rig.messages(), Texts{"Port open Error"});
}

// The port stays open after "Query Status" and from run to run. A run opens the port that
// the settings name; one open already on that number is no failure, one open on another
// number still is, and the run goes on with it.
TEST(RunTest, ARunUsesThePortTheSettingsName) {
    const std::string numberLocked =
        "run step skipped: the port number cannot change while the port is open";
    const struct Case {
        int instrumentPort;
        std::string setting;
        bool queryFirst;
        Texts diagnostics;
    } cases[] = {
        {1, "1", true, {}},
        {3, "3", false, {}},
        {1, "3", true, {numberLocked, numberLocked}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.setting);
        RunRig rig({{"1", "ZR", "W"}, {"End"}}, {}, row.instrumentPort);
        rig.platform.settings().put("quendrix", "ValvePositions", "CommPortSetting", row.setting);
        if (row.queryFirst) {
            rig.c.CommandStatusQuery.click();
            rig.platform.clock().advanceBy(100ms);
        }
        EXPECT_EQ(rig.run().ending, Ending::EndRow);
        EXPECT_EQ(rig.run().ending, Ending::EndRow);
        EXPECT_EQ(rig.c.MSComm1.CommPort(), row.instrumentPort);
        EXPECT_EQ(rig.platform.serial().openCount(), 1);
        EXPECT_EQ(rig.sent("/1ZR"), 2);
        EXPECT_EQ(rig.diagnostics(), row.diagnostics);
    }
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
