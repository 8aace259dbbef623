#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "platform/Failure.h"
#include "platform/FileSlot.h"
#include "sim/virtualtime/SimPlatform.h"

namespace quendrix {
namespace {

using Shown = sim::SimFileDialog::Shown;
using Mode = platform::FileDialog::Mode;
using Texts = std::vector<std::string>;

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
    const Texts& messages() { return platform.messages().shown(); }
    sim::SimPlatform platform;
    app::MainForm form{platform};
    form::Inventory& controls = form.controls();
    platform::Grid& grid = controls.MSFlexGrid1;
    platform::Frame& panel = controls.CommandFrame;
};

// Cancelling a save changes nothing; cancelling a load only hides the panels.
TEST_F(ProtocolFilesTest, SavingAnEmptyGridWrites6000RecordsOfTwoQuotes) {
    controls.NewProtocol.click();
    grid.setTopRow(500);
    panel.setVisible(true);
    platform.dialog().cancel();
    controls.SaveProtocol.click();
    EXPECT_TRUE(panel.visible());
    save("empty.protocol");
    std::string expected;
    for (int i = 0; i < 6000; ++i) {
        expected += "\"\"\r\n";
    }
    EXPECT_EQ(platform.files().content("empty.protocol"), expected);
    EXPECT_EQ(grid.TopRow(), 1);
    EXPECT_FALSE(panel.visible());
    panel.setVisible(true);
    platform.dialog().cancel();
    controls.LoadProtocol.click();
    EXPECT_FALSE(panel.visible());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(platform.dialog().shown().front(), (Shown{Mode::Save, "Save Protocol", 2, true, ""}));
    EXPECT_EQ(platform.dialog().shown().back(),
              (Shown{Mode::Open, "Load Protocol", 2, true, "empty.protocol"}));
}

// Every printable character of the code page stands first, inside and last in a cell, beside a
// comma and a quote; the remaining cells hold random bytes. Each cell loads back in its own
// place, exactly, but for a quote, which the file holds as an apostrophe while the grid keeps
// its own. Save and Load close the run log.
TEST_F(ProtocolFilesTest, AFullGridComesBackInPlaceWithQuotesAsApostrophes) {
    std::vector<std::string> cells;
    for (int code = 0x20; code <= 0xFF; ++code) {
        if (code == 0x7F || code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 ||
            code == 0x9D) {
            continue;  // control characters
        }
        const std::string c(1, static_cast<char>(code));
        for (const std::string& text : {c, c + "a", "a" + c, "," + c + "\"", "\"" + c + ","}) {
            cells.push_back(text);
        }
    }
    const auto quoted = static_cast<int>(cells.size());
    cells.push_back("ZR\"a,b");
    std::mt19937 random(7);
    while (cells.size() < 6000) {
        std::string text;
        for (auto length = random() % 12; length > 0; --length) {
            text += static_cast<char>(random() % 256);
        }
        cells.push_back(text);
    }
    cells[2] = " 2 times";  // a loop count as a run leaves it
    for (int i = 0; i < 6000; ++i) {
        grid.setTextMatrix(i / 3 + 1, i % 3 + 1, cells[i]);
    }
    controls.fileSlot.openForOutput("TESTFILE.txt");
    save("full.protocol");
    EXPECT_EQ(grid.TextMatrix(quoted / 3 + 1, quoted % 3 + 1), "ZR\"a,b");
    controls.NewProtocol.click();
    controls.fileSlot.openForOutput("TESTFILE.txt");  // refused unless Save had closed the log
    load("full.protocol");
    EXPECT_FALSE(controls.fileSlot.isOpen());
    for (int i = 0; i < 6000; ++i) {
        std::replace(cells[i].begin(), cells[i].end(), '"', '\'');
        ASSERT_EQ(grid.TextMatrix(i / 3 + 1, i % 3 + 1), cells[i]) << i;
    }
    EXPECT_TRUE(messages().empty());
}

// Rows 2 and 2000 are filled before each load. A load that fails leaves the rows it has read,
// and neither numbers nor scrolls.
TEST_F(ProtocolFilesTest, HandMadeFilesFillTheirRowsAndLeaveTheRest) {
    const struct Case {
        std::optional<std::string> content;  // none: no such file
        Texts row2;
        bool error;
    } cases[] = {
        {"Loop,\"1\",\" 2 times\"\r\n1, ZR ,W\r\n", {"1", "ZR", "W"}, false},
        {"", {"o1", "o2", "o3"}, false},
        {"1,ZR,W\r\n2,A100R\r\n", {"2", "A100R", "o3"}, true},
        {std::nullopt, {"o1", "o2", "o3"}, true},
        {"Loop\r\"1\"\n 2 times\r\n1\rZR\nW", {"1", "ZR", "W"}, false},  // CR or LF alone
        {std::string(6003, ','), {"", "", ""}, true},                    // more than the grid holds
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content.value_or("no such file").substr(0, 20));
        controls.NewProtocol.click();
        for (int col = 1; col <= 3; ++col) {
            grid.setTextMatrix(2, col, "o" + std::to_string(col));
        }
        grid.setTextMatrix(2000, 1, "End");
        grid.setTopRow(300);
        const auto shown = messages().size();
        platform.files().put("hand-made.txt", c.content.value_or(""));
        load(c.content ? "hand-made.txt" : "missing.protocol");
        EXPECT_EQ((Texts{grid.TextMatrix(2, 1), grid.TextMatrix(2, 2), grid.TextMatrix(2, 3)}),
                  c.row2);
        EXPECT_EQ(Texts(messages().begin() + shown, messages().end()),
                  c.error ? Texts{"Error Reading file"} : Texts{});
        EXPECT_EQ(
            grid.TextMatrix(2, 0) + "|" + grid.TextMatrix(1999, 0) + "|" + grid.TextMatrix(2000, 0),
            c.error ? "||" : "2||2000");
        EXPECT_EQ(grid.TopRow(), c.error ? 300 : 1);
    }
    EXPECT_EQ(grid.TextMatrix(2000, 1), "") << "the last row of the long file";
}

// Random files of quotes, commas, line ends and text, some beyond 6000 fields: each load fills
// rows or says "Error Reading file", and the header row is never written.
TEST_F(ProtocolFilesTest, RandomFilesLoadOrFailWithoutTouchingTheHeader) {
    std::mt19937 random(7);
    const std::string alphabet = "\",\r\n a1";
    const std::string header =
        grid.TextMatrix(0, 1) + grid.TextMatrix(0, 2) + grid.TextMatrix(0, 3);
    for (int i = 0; i < 300; ++i) {
        std::string content(random() % 16000, ' ');
        for (char& c : content) {
            c = alphabet[random() % alphabet.size()];
        }
        platform.files().put("random.protocol", content);
        const auto shown = messages().size();
        load("random.protocol");
        ASSERT_LE(messages().size(), shown + 1);
        if (messages().size() > shown) {
            ASSERT_EQ(messages().back(), "Error Reading file");
        }
    }
    EXPECT_EQ(grid.TextMatrix(0, 1) + grid.TextMatrix(0, 2) + grid.TextMatrix(0, 3), header);
}

// Failing to create the new file, to write it, or to put it in the earlier one's place.
TEST_F(ProtocolFilesTest, AFailedSaveLeavesTheEarlierFileByteForByte) {
    using Fault = void (sim::SimFileSystem::*)(const std::string&);
    const std::string earlier = "\"1\"\r\n\"ZR\"\r\n\xFF";
    for (const Fault fault : {&sim::SimFileSystem::makeFailing, &sim::SimFileSystem::makeUnwritable,
                              &sim::SimFileSystem::makeUncommittable}) {
        const std::string path = "earlier" + std::to_string(messages().size()) + ".protocol";
        platform.files().put(path, earlier);
        (platform.files().*fault)(path);
        save(path);
        EXPECT_EQ(platform.files().content(path), earlier);
        EXPECT_EQ(messages().back(), "Error Writing File");
        EXPECT_FALSE(controls.fileSlot.isOpen());
    }
}

// The slot the protocol files go through; how a failing file system keeps the earlier file is
// pinned above.
TEST(FileSlotTest, ReadsFieldsHoldsOneFileAtATimeAndChangesAReplacedFileOnlyAtCommit) {
    sim::SimFileSystem files;
    platform::FileSlot slot{files};
    files.put("p.txt", "\"1\"\r\n\"Z R\"\r\n");
    files.put("huge.txt", std::string(platform::FileSlot::kMaxInputBytes + 1, 'x'));
    EXPECT_THROW(slot.openForInput("missing.txt"), platform::Failure);
    EXPECT_THROW(slot.openForInput("huge.txt"), platform::Failure);
    slot.openForOutput("TESTFILE.txt");
    EXPECT_THROW(slot.openForInput("p.txt"), platform::Failure);
    EXPECT_THROW(slot.readField(), platform::Failure);
    slot.close();

    slot.openForInput("p.txt");
    EXPECT_THROW(slot.openForReplace("p.txt"), platform::Failure);
    EXPECT_THROW(slot.writeRecord("x"), platform::Failure);
    EXPECT_EQ(slot.readField(), "1");
    EXPECT_FALSE(slot.atEnd());
    EXPECT_EQ(slot.readField(), "Z R");
    EXPECT_TRUE(slot.atEnd());
    slot.close();
    EXPECT_FALSE(slot.isOpen());

    files.put("p.txt", "old");
    slot.openForReplace("p.txt");
    slot.writeRecord("dropped");
    slot.close();
    slot.openForReplace("p.txt");
    slot.writeRecord("1");
    slot.writeRecord("Z R");
    EXPECT_EQ(files.content("p.txt"), "old");
    slot.commit();
    EXPECT_FALSE(slot.isOpen());
    EXPECT_EQ(files.content("p.txt"), "\"1\"\r\n\"Z R\"\r\n");
}

}  // namespace
}  // namespace quendrix
