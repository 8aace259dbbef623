#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "editor/ProtocolFiles.h"
#include "sim/SimPlatform.h"

namespace quendrix {
namespace {

using editor::ProtocolFiles;
using Dialog = platform::FileDialog;

std::string record(const std::string& text) {
    return "\"" + text + "\"\r\n";
}

class ProtocolFilesTest : public ::testing::Test {
protected:
    void save(const std::string& path) {
        platform.dialog().answer(path);
        controls.SaveProtocol.click();
    }
    void load(const std::string& path) {
        platform.dialog().answer(path);
        controls.LoadProtocol.click();
    }
    void loadText(const std::string& content) {
        platform.files().put("hand-made.txt", content);
        load("hand-made.txt");
    }
    void showPanels() {
        controls.CommandFrame.setVisible(true);
        controls.ValvePositionFrame.setVisible(true);
    }
    bool panelsHidden() const {
        return !controls.CommandFrame.visible() && !controls.ValvePositionFrame.visible();
    }
    const std::vector<std::string>& messages() { return platform.messages().shown(); }
    // Rows 1 to 2000 with something in every column, so that a load shows what it changed.
    void fillGrid(const std::string& prefix) {
        for (int row = 1; row <= 2000; ++row) {
            for (int col = 1; col <= 3; ++col) {
                grid.setTextMatrix(row, col, prefix + std::to_string(row * 10 + col));
            }
        }
    }

    sim::SimPlatform platform;
    app::MainForm form{platform};
    form::MainFormControls& controls = form.controls();
    platform::Grid& grid = controls.MSFlexGrid1;
};

TEST_F(ProtocolFilesTest, SavingAnEmptyGridWrites6000RecordsOfTwoQuotes) {
    controls.NewProtocol.click();
    grid.setTopRow(500);
    showPanels();
    save("empty.protocol");

    const std::string& file = platform.files().content("empty.protocol");
    EXPECT_EQ(file.size(), 24000u);
    std::string expected;
    for (int i = 0; i < 6000; ++i) {
        expected += "\"\"\r\n";
    }
    EXPECT_EQ(file, expected);
    EXPECT_EQ(grid.TopRow(), 1);
    EXPECT_TRUE(panelsHidden());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(platform.dialog().shown().back(),
              (sim::SimFileDialog::Shown{Dialog::Mode::Save, "Save Protocol", 2, true, ""}));
}

TEST_F(ProtocolFilesTest, CancellingSaveChangesNothingAndCancellingLoadOnlyHidesThePanels) {
    fillGrid("c");
    showPanels();
    controls.fileSlot.openForOutput("TESTFILE.txt");
    platform.dialog().cancel();
    controls.SaveProtocol.click();
    EXPECT_FALSE(panelsHidden());
    EXPECT_TRUE(controls.fileSlot.isOpen());

    platform.dialog().cancel();
    controls.LoadProtocol.click();
    EXPECT_TRUE(panelsHidden());
    EXPECT_TRUE(controls.fileSlot.isOpen());
    EXPECT_EQ(grid.TextMatrix(2000, 3), "c20003");
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(platform.dialog().shown().back(),
              (sim::SimFileDialog::Shown{Dialog::Mode::Open, "Load Protocol", 2, true, ""}));
}

// Every byte but the quote survives, blanks and commas included, in every cell.
TEST_F(ProtocolFilesTest, AFullGridComesBackAsSavedAndAQuoteEndsItsCell) {
    std::mt19937 random(7);
    std::vector<std::string> cells;
    for (int i = 0; i < 6000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 12);
        for (int k = 0; k < length; ++k) {
            const auto byte = static_cast<char>(random() % 256);
            text += byte == '"' ? ',' : byte;
        }
        cells.push_back(text);
    }
    cells[0] = "";
    cells[1] = "  A100R, then ";
    cells[2] = " 2 times";
    cells[3] = "\x80\x9F\xA0\xE9\xFF";
    for (int i = 0; i < 6000; ++i) {
        grid.setTextMatrix(i / 3 + 1, i % 3 + 1, cells[static_cast<std::size_t>(i)]);
    }
    grid.setTextMatrix(2000, 3, "say \"hi\" now");
    cells.back() = "say ";
    save("full.protocol");
    controls.NewProtocol.click();
    load("full.protocol");

    for (int i = 0; i < 6000; ++i) {
        ASSERT_EQ(grid.TextMatrix(i / 3 + 1, i % 3 + 1), cells[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(ProtocolFilesTest, HandMadeFilesFillTheirRowsAndLeaveTheRest) {
    struct Case {
        const char* name;
        std::string content;
        std::vector<std::string> row1;
        std::vector<std::string> row2;
        bool error;
    };
    std::string rows2001;
    for (int row = 1; row <= 2001; ++row) {
        rows2001 += std::to_string(row) + ",Z,\r\n";
    }
    const Case cases[] = {
        {"comma triples",
         "1, ZR ,W\r\nLoop,\"1\",\" 2 times\"\r\n",
         {"1", "ZR", "W"},
         {"Loop", "1", " 2 times"},
         false},
        {"lone CR and LF",
         "2\r\"A0R\"\n\"W\"\rEnd\n\n\r\n",
         {"2", "A0R", "W"},
         {"End", "", ""},
         false},
        {"a partial row", "1,ZR,W\r\n2,A100R\r\n", {"1", "ZR", "W"}, {"2", "A100R", "o23"}, true},
        {"an empty file", "", {"o11", "o12", "o13"}, {"o21", "o22", "o23"}, false},
        {"more than 2000 rows", rows2001, {"1", "Z", ""}, {"2", "Z", ""}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        controls.NewProtocol.click();
        fillGrid("o");
        grid.setTextMatrix(1999, 1, "");
        grid.setTopRow(300);
        const std::size_t messagesBefore = messages().size();
        loadText(c.content);

        EXPECT_EQ(
            (std::vector{grid.TextMatrix(1, 1), grid.TextMatrix(1, 2), grid.TextMatrix(1, 3)}),
            c.row1);
        EXPECT_EQ(
            (std::vector{grid.TextMatrix(2, 1), grid.TextMatrix(2, 2), grid.TextMatrix(2, 3)}),
            c.row2);
        EXPECT_EQ(messages().size(), messagesBefore + (c.error ? 1 : 0));
        if (c.error) {
            EXPECT_EQ(messages().back(), "Error Reading file");
            EXPECT_EQ(grid.TextMatrix(1, 0), "") << "no numbering";
            EXPECT_EQ(grid.TopRow(), 300) << "no scrolling";
        } else {
            EXPECT_EQ(grid.TextMatrix(1, 0), "1");
            EXPECT_EQ(grid.TextMatrix(2000, 0), "2000");
            EXPECT_EQ(grid.TextMatrix(1999, 0), "") << "column 1 is empty";
            EXPECT_EQ(grid.TopRow(), 1);
        }
        EXPECT_FALSE(controls.fileSlot.isOpen());
    }
    EXPECT_EQ(grid.TextMatrix(2000, 1), "2000") << "the last row of the long file";
}

TEST_F(ProtocolFilesTest, AMissingFileIsAnErrorThatChangesNothing) {
    fillGrid("o");
    load("missing.protocol");
    EXPECT_EQ(messages(), std::vector<std::string>{"Error Reading file"});
    EXPECT_EQ(grid.TextMatrix(1, 1), "o11");
    EXPECT_FALSE(controls.fileSlot.isOpen());
}

TEST_F(ProtocolFilesTest, AFailedSaveLeavesTheEarlierFileByteForByte) {
    using Fault = void (sim::SimFileSystem::*)(const std::string&);
    const Fault faults[] = {&sim::SimFileSystem::makeFailing, &sim::SimFileSystem::makeUnwritable,
                            &sim::SimFileSystem::makeUncommittable};
    const std::string earlier = record("1") + record("ZR") + "\xFF";
    fillGrid("n");
    int n = 0;
    for (const Fault fault : faults) {
        const std::string path = "earlier" + std::to_string(++n) + ".protocol";
        platform.files().put(path, earlier);
        (platform.files().*fault)(path);
        grid.setTopRow(300);
        save(path);
        EXPECT_EQ(platform.files().content(path), earlier);
        EXPECT_EQ(messages().back(), "Error Writing File");
        EXPECT_EQ(grid.TopRow(), 300);
        EXPECT_FALSE(controls.fileSlot.isOpen());
    }
    EXPECT_EQ(messages().size(), 3u);
}

TEST_F(ProtocolFilesTest, LoadAndSaveCloseAnOpenRunLog) {
    platform.files().put("p.protocol", record("1") + record("ZR") + record("W"));
    for (const bool saving : {false, true}) {
        SCOPED_TRACE(saving);
        controls.fileSlot.openForOutput("TESTFILE.txt");
        controls.fileSlot.writeRecord("Sent     : /1ZR");
        saving ? save("p.protocol") : load("p.protocol");
        EXPECT_FALSE(controls.fileSlot.isOpen());
        EXPECT_EQ(platform.files().content("TESTFILE.txt"), record("Sent     : /1ZR"));
    }
    EXPECT_TRUE(messages().empty());
}

// Whatever a file holds, a load either succeeds or says so, and touches no cell outside the
// protocol rows and their number column.
TEST_F(ProtocolFilesTest, RandomFilesLoadOrFailWithinTheProtocolRows) {
    static constexpr char kBytes[] = {'"', ',', '\r', '\n', ' ', 'a', 'Z', '\xE9'};
    int outside = 0;
    const auto watch = grid.observeChanges([&](platform::Grid::Change change, int row, int col) {
        if (change == platform::Grid::Change::Cell && (row < 1 || row > 2000 || col > 3)) {
            ++outside;
        }
    });
    std::mt19937 random(2024);
    int failures = 0;
    for (int file = 0; file < 2000; ++file) {
        std::string content;
        const bool huge = file % 50 == 0;
        const std::size_t length = huge ? 30000 : random() % 200;
        for (std::size_t i = 0; i < length; ++i) {
            content += huge && i % 2 == 1 ? ',' : kBytes[random() % sizeof kBytes];
        }
        const std::size_t before = messages().size();
        loadText(content);
        ASSERT_LE(messages().size(), before + 1);
        if (messages().size() > before) {
            ASSERT_EQ(messages().back(), "Error Reading file");
            ++failures;
        }
        ASSERT_FALSE(controls.fileSlot.isOpen());
    }
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(grid.Rows(), 2001);
    EXPECT_EQ(grid.TextMatrix(0, 3), "Loops ");
    EXPECT_GT(failures, 40);
    EXPECT_LT(failures, 2000);
}

}  // namespace
}  // namespace quendrix
