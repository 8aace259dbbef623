#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/MainForm.h"
#include "editor/CellEditor.h"
#include "platform/Failure.h"
#include "platform/Grid.h"
#include "sim/virtualtime/SimGridMetrics.h"
#include "sim/virtualtime/SimPlatform.h"

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
    form::Inventory& controls = form.controls();
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

// The grid component by itself, as the editor uses it.
class GridTest : public ::testing::Test {
protected:
    GridTest() {
        grid.setRows(2001);
        grid.setCols(4);
        grid.move(195, 1410, 6870, 1410 + 18 * h);
        grid.setFormatString("A|<B|^CC|>DDD");
    }
    static constexpr int h = sim::SimGridMetrics::kRowHeight;
    sim::SimGridMetrics metrics;
    platform::Grid grid{"grid", metrics};
};

TEST_F(GridTest, FormatStringSetsColumnsScrollingDecidesGeometryAndOutsideCellsFail) {
    EXPECT_EQ(grid.TextMatrix(0, 0) + grid.TextMatrix(0, 2), "ACC");
    EXPECT_EQ(grid.ColAlignment(1), platform::Grid::Alignment::Left);
    EXPECT_EQ(grid.ColAlignment(2), platform::Grid::Alignment::Centre);
    EXPECT_EQ(grid.ColAlignment(3), platform::Grid::Alignment::Right);
    EXPECT_EQ(grid.ColWidth(3), metrics.columnWidth("DDD"));
    EXPECT_THROW(grid.setRow(2001), platform::Failure);
    EXPECT_THROW(grid.setCol(-1), platform::Failure);
    EXPECT_THROW((void)grid.TextMatrix(2001, 0), platform::Failure);
    EXPECT_THROW(grid.setTextArray(2001 * 4, "x"), platform::Failure);
    grid.setTextArray(2001 * 4 - 1, "last");
    EXPECT_EQ(grid.TextMatrix(2000, 3), "last");

    const int rowsShown = grid.visibleRowCount();
    EXPECT_EQ(rowsShown, 23);
    EXPECT_TRUE(grid.RowIsVisible(rowsShown));
    EXPECT_FALSE(grid.RowIsVisible(rowsShown + 1));
    grid.setTopRow(100);
    EXPECT_TRUE(grid.RowIsVisible(0));
    EXPECT_FALSE(grid.RowIsVisible(99));
    grid.setRow(101);
    grid.setCol(2);
    EXPECT_EQ(grid.CellTop(), h + h);
    EXPECT_EQ(grid.CellLeft(), grid.ColWidth(0) + grid.ColWidth(1));
    // The last rows stay at the bottom of the view.
    grid.setTopRow(2000);
    EXPECT_EQ(grid.TopRow(), 2001 - rowsShown);
}

// The program itself may go there. When the operator leaves a cell is pinned by the cell
// editor's tests above.
TEST_F(GridTest, TheOperatorCannotMakeAFixedCellCurrentAndMovingCollapsesTheSelection) {
    grid.setRow(5);
    grid.setCol(2);
    EXPECT_FALSE(grid.userSelect(0, 2));
    EXPECT_FALSE(grid.userSelect(5, 0));
    EXPECT_EQ(std::pair(grid.Row(), grid.Col()), std::pair(5, 2));
    EXPECT_TRUE(grid.userSelect(7, 3));
    EXPECT_EQ(std::pair(grid.Row(), grid.Col()), std::pair(7, 3));
    grid.setCol(0);
    EXPECT_EQ(grid.Col(), 0);

    grid.setRowSel(9);
    grid.setColSel(3);
    grid.setRow(6);
    EXPECT_EQ(std::pair(grid.RowSel(), grid.ColSel()), std::pair(6, 0));
}

}  // namespace
}  // namespace quendrix
