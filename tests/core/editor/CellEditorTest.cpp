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
        grid.setTextMatrix(5, 2, "Loop");
        grid.setTextMatrix(4, 2, "above");
        grid.setTextMatrix(6, 2, "below");
        grid.userSelect(5, 2);
        grid.setFocus();
    }

    // What the text box's view does with a key: KeyDown first, then KeyPress, and the
    // character is inserted unless a handler swallowed it.
    void press(int keyCode, int keyAscii = -1) {
        edit.keyDown(keyCode, 0);
        if (keyAscii >= 0 && edit.keyPress(keyAscii) != 0) {
            edit.setText(edit.text() + static_cast<char>(keyAscii));
        }
    }
    void openAndType(int row, int col, const std::string& text) {
        grid.userSelect(row, col);
        grid.userKeyPress(static_cast<unsigned char>(text.front()));
        edit.setText(text);
    }

    sim::SimPlatform platform;
    app::MainForm form{platform};
    form::MainFormControls& controls = form.controls();
    platform::Grid& grid = controls.MSFlexGrid1;
    platform::TextBox& edit = controls.GridEditText;
};

TEST_F(CellEditorTest, OpensOverTheCurrentCellWithItsTextOrWithTheTypedCharacter) {
    struct Case {
        int keyAscii;
        std::string text;
        int caret;
    };
    const Case cases[] = {
        {'L', "L", 1},   {0, "Loop", 4}, {8, "Loop", 4},    {13, "Loop", 4}, {27, "Loop", 4},
        {32, "Loop", 4}, {33, "!", 1},   {0xE9, "\xE9", 1}, {300, "?", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyAscii);
        edit.setVisible(false);
        grid.setFocus();
        grid.userKeyPress(c.keyAscii);
        EXPECT_EQ(edit.text(), c.text);
        EXPECT_EQ(edit.selStart(), c.caret);
        EXPECT_TRUE(edit.visible());
        EXPECT_TRUE(edit.hasFocus());
        EXPECT_EQ(grid.TextMatrix(5, 2), "Loop");
    }
    // Row 5 of the Command column, in the simulated grid's font: the number and Address
    // columns are 930 twips wide, the Command column 8400, every row 225 high.
    EXPECT_EQ(edit.geometry(), (platform::TwipRect{195 + 1860, 1410 + 1125, 8392, 217}));

    edit.setVisible(false);
    grid.setText(std::string(1200, 'x'));
    grid.userDoubleClick();
    EXPECT_EQ(edit.text().size(), 1200u);
    EXPECT_EQ(edit.selStart(), 1000);
}

TEST_F(CellEditorTest, EnterCommitsEscAbandonsAndOtherKeysOnlyEdit) {
    grid.userKeyPress('1');
    press(37);  // Left moves the caret, nothing more
    EXPECT_TRUE(edit.visible());
    press(CellEditor::kEnter, 13);
    EXPECT_EQ(grid.TextMatrix(5, 2), "1");
    EXPECT_FALSE(edit.visible());
    EXPECT_TRUE(grid.hasFocus());
    EXPECT_EQ(edit.text(), "1") << "Enter was swallowed";

    grid.userKeyPress(8);
    edit.setText("changed");
    press(CellEditor::kEscape);
    EXPECT_EQ(grid.TextMatrix(5, 2), "1");
    EXPECT_FALSE(edit.visible());
    EXPECT_TRUE(grid.hasFocus());
}

TEST_F(CellEditorTest, UpAndDownCommitIntoTheEditedCellAndMoveOneRowWithinTheProtocol) {
    struct Case {
        int row;
        int key;
        int rowAfter;
    };
    const Case cases[] = {{5, CellEditor::kUp, 4},
                          {5, CellEditor::kDown, 6},
                          {1, CellEditor::kUp, 1},
                          {2000, CellEditor::kDown, 2000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const std::string before = grid.TextMatrix(c.rowAfter, 2);
        openAndType(c.row, 2, "2");
        edit.setText("typed " + std::to_string(c.row));
        press(c.key);
        EXPECT_EQ(grid.TextMatrix(c.row, 2), "typed " + std::to_string(c.row));
        if (c.rowAfter != c.row) {
            EXPECT_EQ(grid.TextMatrix(c.rowAfter, 2), before) << "the neighbour keeps its text";
        }
        EXPECT_EQ(grid.Row(), c.rowAfter);
        EXPECT_EQ(grid.Col(), 2);
        EXPECT_FALSE(edit.visible());
        EXPECT_TRUE(grid.hasFocus());
    }
}

TEST_F(CellEditorTest, LeavingTheCellCommitsButTheProgramsOwnMovesDoNot) {
    openAndType(5, 2, "3");
    grid.setRow(7);  // a run marking its row
    EXPECT_TRUE(edit.visible());
    grid.setRow(5);
    grid.userSelect(6, 3);
    EXPECT_EQ(grid.TextMatrix(5, 2), "3");
    EXPECT_EQ(grid.TextMatrix(6, 3), "");
    EXPECT_FALSE(edit.visible());
}

// Clicking a button does not take the focus from the editor in the program's sense: the
// edit stays open and lands wherever the grid's current cell is when the grid next gets it.
TEST_F(CellEditorTest, AnEditLeftOpenIsNotSavedAndNewCommitsItIntoTheCellAfterSetUp) {
    openAndType(5, 2, "/1ZR");
    platform.dialog().answer("open-edit.protocol");
    controls.SaveProtocol.click();
    const std::string& saved = platform.files().content("open-edit.protocol");
    EXPECT_NE(saved.find("\"above\"\r\n\"\"\r\n\"\"\r\n\"Loop\"\r\n"), std::string::npos);
    EXPECT_TRUE(edit.visible());
    EXPECT_EQ(grid.TextMatrix(5, 2), "Loop");

    controls.NewProtocol.click();
    EXPECT_EQ(grid.TextMatrix(1, 3), "/1ZR");
    EXPECT_EQ(grid.TextMatrix(5, 2), "");
    EXPECT_FALSE(edit.visible());
    EXPECT_TRUE(grid.hasFocus());
}

}  // namespace
}  // namespace quendrix
