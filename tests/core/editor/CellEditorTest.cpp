#include <gtest/gtest.h>

#include <string>
#include <utility>

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
    void edit(int row, const std::string& text) {
        grid.userSelect(row, 2);
        grid.userKeyPress('x');
        box.setText(text);
    }
    void expectClosed() { EXPECT_TRUE(!box.visible() && grid.hasFocus()); }

    sim::SimPlatform platform;
    app::MainForm form{platform};
    form::MainFormControls& controls = form.controls();
    platform::Grid& grid = controls.MSFlexGrid1;
    platform::TextBox& box = controls.GridEditText;
};

// Backspace, Enter and Space keep the cell's text; a character code outside the single byte
// shows as "?". The caret stands at the end; Esc abandons the edit. Where the editor lies and
// how a double-click opens it are pinned by the Qt tests.
TEST_F(CellEditorTest, OpensOverTheCurrentCellWithItsTextOrWithTheTypedCharacter) {
    const std::pair<int, std::string> cases[] = {
        {'L', "L"}, {8, "Loop"}, {13, "Loop"}, {32, "Loop"}, {0xE9, "\xE9"}, {300, "?"}, {-3, "?"}};
    for (const auto& [keyAscii, text] : cases) {
        SCOPED_TRACE(keyAscii);
        grid.userKeyPress(keyAscii);
        EXPECT_EQ(box.text(), text);
        EXPECT_EQ(box.selStart(), static_cast<int>(text.size()));
        EXPECT_TRUE(box.visible() && box.hasFocus());
        box.keyDown(CellEditor::kEscape, 0);
        EXPECT_EQ(grid.TextMatrix(5, 2), "Loop");
        expectClosed();
    }
}

// Other keys, Left among them, only edit.
TEST_F(CellEditorTest, EnterUpAndDownCommitIntoTheEditedCellAndMoveWithinTheProtocol) {
    const int cases[][3] = {{5, CellEditor::kEnter, 5},
                            {5, CellEditor::kUp, 4},
                            {4, CellEditor::kDown, 5},
                            {1, CellEditor::kUp, 1},
                            {2000, CellEditor::kDown, 2000}};
    for (const auto& [row, key, rowAfter] : cases) {
        SCOPED_TRACE(row);
        const std::string neighbour = grid.TextMatrix(rowAfter, 2);
        edit(row, "typed " + std::to_string(row));
        box.keyDown(37, 0);
        EXPECT_TRUE(box.visible());
        box.keyDown(key, 0);
        EXPECT_EQ(box.keyPress(13), 0) << "Enter inserts nothing";
        EXPECT_EQ(grid.TextMatrix(row, 2), "typed " + std::to_string(row));
        if (rowAfter != row) {
            EXPECT_EQ(grid.TextMatrix(rowAfter, 2), neighbour);
        }
        EXPECT_EQ(std::pair(grid.Row(), grid.Col()), std::pair(rowAfter, 2));
        expectClosed();
    }
}

// Down past the last row in view scrolls by one row; Up above the first scrolls back.
TEST_F(CellEditorTest, UpAndDownKeepTheCurrentRowInView) {
    const int last = grid.visibleRowCount();
    edit(last, "x");
    box.keyDown(CellEditor::kDown, 0);
    EXPECT_EQ(std::pair(grid.Row(), grid.TopRow()), std::pair(last + 1, 2));
    grid.setTopRow(last + 1);
    box.keyDown(CellEditor::kUp, 0);
    EXPECT_EQ(std::pair(grid.Row(), grid.TopRow()), std::pair(last, last));
}

TEST_F(CellEditorTest, LeavingTheCellCommitsButTheProgramsOwnMovesDoNot) {
    edit(5, "3");
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
    edit(5, "/1ZR");
    platform.dialog().answer("open-edit.protocol");
    controls.SaveProtocol.click();
    const std::string rows4and5 = "\"above\"\r\n\"\"\r\n\"\"\r\n\"Loop\"\r\n";
    EXPECT_NE(platform.files().content("open-edit.protocol").find(rows4and5), std::string::npos);
    EXPECT_TRUE(box.visible());
    controls.NewProtocol.click();
    EXPECT_EQ(grid.TextMatrix(1, 3), "/1ZR");
    EXPECT_EQ(grid.TextMatrix(5, 2), "");
    expectClosed();
}

}  // namespace
}  // namespace quendrix
