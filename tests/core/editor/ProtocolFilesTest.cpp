#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "sim/SimPlatform.h"

namespace quendrix {
namespace {

using Shown = sim::SimFileDialog::Shown;
using Mode = platform::FileDialog::Mode;

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
    std::vector<std::string> row(int r) const {
        return {grid.TextMatrix(r, 1), grid.TextMatrix(r, 2), grid.TextMatrix(r, 3)};
    }
    const std::vector<std::string>& messages() { return platform.messages().shown(); }
    // Every protocol cell filled, so that a load shows what it changed.
    void fillGrid() {
        for (int r = 1; r <= 2000; ++r) {
            for (int c = 1; c <= 3; ++c) {
                grid.setTextMatrix(r, c, "o" + std::to_string(r * 10 + c));
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

    std::string expected;
    for (int i = 0; i < 6000; ++i) {
        expected += "\"\"\r\n";
    }
    EXPECT_EQ(expected.size(), 24000u);
    EXPECT_EQ(platform.files().content("empty.protocol"), expected);
    EXPECT_EQ(grid.TopRow(), 1);
    EXPECT_TRUE(panelsHidden());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(platform.dialog().shown().back(), (Shown{Mode::Save, "Save Protocol", 2, true, ""}));
}

TEST_F(ProtocolFilesTest, CancellingSaveChangesNothingAndCancellingLoadOnlyHidesThePanels) {
    fillGrid();
    showPanels();
    controls.fileSlot.openForOutput("TESTFILE.txt");
    platform.dialog().cancel();
    controls.SaveProtocol.click();
    EXPECT_FALSE(panelsHidden());

    platform.dialog().cancel();
    controls.LoadProtocol.click();
    EXPECT_TRUE(panelsHidden());
    EXPECT_TRUE(controls.fileSlot.isOpen());
    EXPECT_EQ(row(2000), (std::vector<std::string>{"o20001", "o20002", "o20003"}));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(platform.dialog().shown().back(), (Shown{Mode::Open, "Load Protocol", 2, true, ""}));
}

// Every byte but the quote survives, blanks and commas included, in every cell.
TEST_F(ProtocolFilesTest, AFullGridComesBackAsSavedAndAQuoteEndsItsCell) {
    std::mt19937 random(7);
    std::vector<std::string> cells(6000);
    for (std::string& text : cells) {
        for (auto length = random() % 12; length > 0; --length) {
            const auto byte = static_cast<char>(random() % 256);
            text += byte == '"' ? ',' : byte;
        }
    }
    cells[0] = "";
    cells[1] = "  A100R, then ";
    cells[2] = " 2 times";  // a loop count as a run leaves it
    cells[3] = "\x80\x9F\xA0\xE9\xFF";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        grid.setTextMatrix(static_cast<int>(i / 3 + 1), static_cast<int>(i % 3 + 1), cells[i]);
    }
    grid.setTextMatrix(2000, 3, "say \"hi\" now");
    cells.back() = "say ";
    save("full.protocol");
    controls.NewProtocol.click();
    load("full.protocol");

    for (std::size_t i = 0; i < cells.size(); ++i) {
        ASSERT_EQ(grid.TextMatrix(static_cast<int>(i / 3 + 1), static_cast<int>(i % 3 + 1)),
                  cells[i])
            << i;
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(ProtocolFilesTest, HandMadeFilesFillTheirRowsAndLeaveTheRest) {
    struct Case {
        const char* name;
        std::optional<std::string> content;  // none: no such file
        std::vector<std::string> row1;
        std::vector<std::string> row2;
        bool error;
    };
    std::string rows2001;
    for (int r = 1; r <= 2001; ++r) {
        rows2001 += std::to_string(r) + ",Z,\r\n";
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
        {"an empty file", "", {"o11", "o12", "o13"}, {"o21", "o22", "o23"}, false},
        {"a partial row", "1,ZR,W\r\n2,A100R\r\n", {"1", "ZR", "W"}, {"2", "A100R", "o23"}, true},
        {"no such file", std::nullopt, {"o11", "o12", "o13"}, {"o21", "o22", "o23"}, true},
        {"more than 2000 rows", rows2001, {"1", "Z", ""}, {"2", "Z", ""}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        controls.NewProtocol.click();
        fillGrid();
        grid.setTextMatrix(1999, 1, "");
        grid.setTopRow(300);
        const std::size_t messagesBefore = messages().size();
        c.content ? loadText(*c.content) : load("missing.protocol");

        EXPECT_EQ(row(1), c.row1);
        EXPECT_EQ(row(2), c.row2);
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
    EXPECT_EQ(row(2000)[0], "2000") << "the last row of the long file";
}

TEST_F(ProtocolFilesTest, AFailedSaveLeavesTheEarlierFileByteForByte) {
    using Fault = void (sim::SimFileSystem::*)(const std::string&);
    const Fault faults[] = {&sim::SimFileSystem::makeFailing, &sim::SimFileSystem::makeUnwritable,
                            &sim::SimFileSystem::makeUncommittable};
    const std::string earlier = "\"1\"\r\n\"ZR\"\r\n\xFF";
    fillGrid();
    for (const Fault fault : faults) {
        const std::string path = "earlier" + std::to_string(messages().size()) + ".protocol";
        platform.files().put(path, earlier);
        (platform.files().*fault)(path);
        grid.setTopRow(300);
        save(path);
        EXPECT_EQ(platform.files().content(path), earlier);
        EXPECT_EQ(messages().back(), "Error Writing File");
        EXPECT_EQ(grid.TopRow(), 300);
        EXPECT_FALSE(controls.fileSlot.isOpen());
    }
}

TEST_F(ProtocolFilesTest, LoadAndSaveCloseAnOpenRunLog) {
    platform.files().put("p.protocol", "1,ZR,W\r\n");
    for (const bool saving : {false, true}) {
        controls.fileSlot.openForOutput("TESTFILE.txt");
        controls.fileSlot.writeRecord("Sent     : /1ZR");
        saving ? save("p.protocol") : load("p.protocol");
        EXPECT_FALSE(controls.fileSlot.isOpen());
        EXPECT_EQ(platform.files().content("TESTFILE.txt"), "\"Sent     : /1ZR\"\r\n");
    }
    EXPECT_TRUE(messages().empty());
}

// Whatever a file holds, a load either succeeds or says so, and writes no cell outside the
// protocol rows and their number column.
TEST_F(ProtocolFilesTest, RandomFilesLoadOrFailWithinTheProtocolRows) {
    static constexpr char kBytes[] = {'"', ',', '\r', '\n', ' ', 'a', 'Z', '\xE9'};
    int outside = 0;
    const auto watch = grid.observeChanges([&](platform::Grid::Change change, int r, int c) {
        outside += change == platform::Grid::Change::Cell && (r < 1 || r > 2000 || c > 3);
    });
    std::mt19937 random(2024);
    int failures = 0;
    for (int file = 0; file < 2000; ++file) {
        // Now and then one of some 15000 fields, beyond the grid's 6000 cells.
        const bool huge = file % 50 == 0;
        std::string content;
        for (std::size_t i = 0, n = huge ? 30000 : random() % 200; i < n; ++i) {
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
    EXPECT_EQ(grid.TextMatrix(0, 3), "Loops ");
    EXPECT_GT(failures, 40);
    EXPECT_LT(failures, 2000);
}

}  // namespace
}  // namespace quendrix
