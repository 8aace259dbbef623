#include <gtest/gtest.h>

#include <string>

#include "app/MainForm.h"
#include "editor/CellEditor.h"
#include "sim/SimPlatform.h"

namespace quendrix {
namespace {

using editor::CellEditor;

class CellEditorTest : public ::testing::Test {
protected:
    CellEditorTest() {
        grid.setTextMatrix(4, 2, "above");
        grid.setTextMatrix(5, 2, "Loop");
        grid.userSelect(5, 2);
    }

    // Opens an edit on a cell by typing on the grid, as the operator does, and types on.
    void edit(int row, int col, const std::string& text) {
        grid.userSelect(row, col);
        grid.userKeyPress('x');
        box.setText(text);
    }

    sim::SimPlatform platform;
    app::MainForm form{platform};
    form::MainFormControls& controls = form.controls();
    platform::Grid& grid = controls.MSFlexGrid1;
    platform::TextBox& box = controls.GridEditText;
};

TEST_F(CellEditorTest, OpensOverTheCurrentCellWithItsTextOrWithTheTypedCharacter) {
    struct Case {
        int keyAscii;
        std::string text;
        int caret;
    };
    const Case cases[] = {{'L', "L", 1},     {8, "Loop", 4}, {13, "Loop", 4}, {32, "Loop", 4},
                          {0xE9, "\xE9", 1}, {300, "?", 1},  {-3, "?", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyAscii);
        grid.userKeyPress(c.keyAscii);
        EXPECT_EQ(box.text(), c.text);
        EXPECT_EQ(box.selStart(), c.caret);
        EXPECT_TRUE(box.visible() && box.hasFocus());
        box.keyDown(CellEditor::kEscape, 0);
        EXPECT_EQ(grid.TextMatrix(5, 2), "Loop");
    }
    // Row 5 of the Command column, in the simulated grid's font: the number and Address
    // columns are 930 twips wide, the Command column 8400, every row 225 high.
    EXPECT_EQ(box.geometry(), (platform::TwipRect{195 + 1860, 1410 + 1125, 8392, 217}));

    grid.setText(std::string(1200, 'x'));
    grid.userDoubleClick();
    EXPECT_EQ(box.text().size(), 1200u);
    EXPECT_EQ(box.selStart(), 1000);
}

TEST_F(CellEditorTest, EnterCommitsEscAbandonsAndOtherKeysOnlyEdit) {
    edit(5, 2, "1");
    box.keyDown(37, 0);  // Left moves the caret, nothing more
    EXPECT_TRUE(box.visible());
    box.keyDown(CellEditor::kEnter, 0);
    EXPECT_EQ(box.keyPress(13), 0) << "Enter inserts nothing";
    EXPECT_EQ(grid.TextMatrix(5, 2), "1");
    EXPECT_FALSE(box.visible());
    EXPECT_TRUE(grid.hasFocus());

    edit(5, 2, "changed");
    box.keyDown(CellEditor::kEscape, 0);
    EXPECT_EQ(grid.TextMatrix(5, 2), "1");
    EXPECT_FALSE(box.visible());
    EXPECT_TRUE(grid.hasFocus());
}

TEST_F(CellEditorTest, UpAndDownCommitIntoTheEditedCellAndMoveOneRowWithinTheProtocol) {
    struct Case {
        int row;
        int key;
        int rowAfter;
    };
    const Case cases[] = {{5, CellEditor::kUp, 4},
                          {4, CellEditor::kDown, 5},
                          {1, CellEditor::kUp, 1},
                          {2000, CellEditor::kDown, 2000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const std::string neighbour = grid.TextMatrix(c.rowAfter, 2);
        edit(c.row, 2, "typed " + std::to_string(c.row));
        box.keyDown(c.key, 0);
        EXPECT_EQ(grid.TextMatrix(c.row, 2), "typed " + std::to_string(c.row));
        if (c.rowAfter != c.row) {
            EXPECT_EQ(grid.TextMatrix(c.rowAfter, 2), neighbour);
        }
        EXPECT_EQ(grid.Row(), c.rowAfter);
        EXPECT_EQ(grid.Col(), 2);
        EXPECT_TRUE(!box.visible() && grid.hasFocus());
    }
}

TEST_F(CellEditorTest, LeavingTheCellCommitsButTheProgramsOwnMovesDoNot) {
    edit(5, 2, "3");
    grid.setRow(7);  // a run marking its row
    EXPECT_TRUE(box.visible());
    grid.setRow(5);
    grid.userSelect(6, 3);
    EXPECT_EQ(grid.TextMatrix(5, 2), "3");
    EXPECT_EQ(grid.TextMatrix(6, 3), "");
    EXPECT_FALSE(box.visible());
}

// A click on a button leaves the edit open: it lands wherever the grid's current cell is
// when the grid next gets the focus.
TEST_F(CellEditorTest, AnEditLeftOpenIsNotSavedAndNewCommitsItIntoTheCellAfterSetUp) {
    edit(5, 2, "/1ZR");
    platform.dialog().answer("open-edit.protocol");
    controls.SaveProtocol.click();
    const std::string rows4and5 = "\"above\"\r\n\"\"\r\n\"\"\r\n\"Loop\"\r\n";
    EXPECT_NE(platform.files().content("open-edit.protocol").find(rows4and5), std::string::npos);
    EXPECT_TRUE(box.visible());

    controls.NewProtocol.click();
    EXPECT_EQ(grid.TextMatrix(1, 3), "/1ZR");
    EXPECT_EQ(grid.TextMatrix(5, 2), "");
    EXPECT_TRUE(!box.visible() && grid.hasFocus());
}

}  // namespace
}  // namespace quendrix
