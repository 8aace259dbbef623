#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Control.h"
#include "platform/GridMetrics.h"

namespace quendrix::platform {

// A grid of text cells with fixed header rows and columns, a current cell, a selected range
// and a scroll position. The cells are the storage; a view shows them and reports the
// operator's clicks, keys and scrolling back. Indices that lie outside the grid throw Failure.
class Grid : public Control {
public:
    enum class Alignment { Default, Left, Centre, Right };
    // What changed, so that a view need not redraw 8000 cells for one.
    enum class Change { Cell, Cells, Shape, Current, Scroll };

    Grid(std::string name, const GridMetrics& metrics);

    void Clear();

    int Rows() const { return rows_; }
    void setRows(int rows);
    int Cols() const { return cols_; }
    void setCols(int cols);
    int FixedRows() const { return fixedRows_; }
    void setFixedRows(int rows);
    int FixedCols() const { return fixedCols_; }
    void setFixedCols(int cols);

    int Row() const { return row_; }
    void setRow(int row);
    int Col() const { return col_; }
    void setCol(int col);
    int RowSel() const { return rowSel_; }
    void setRowSel(int row);
    int ColSel() const { return colSel_; }
    void setColSel(int col);

    int TopRow() const { return topRow_; }
    void setTopRow(int row);
    int LeftCol() const { return leftCol_; }
    void setLeftCol(int col);
    // 0 free, 1 whole rows, 2 whole columns.
    int SelectionMode() const { return selectionMode_; }
    void setSelectionMode(int mode);
    bool RowIsVisible(int row) const;

    const std::string& Text() const { return TextMatrix(row_, col_); }
    void setText(std::string text) { setTextMatrix(row_, col_, std::move(text)); }
    const std::string& TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, std::string text);
    const std::string& TextArray(int index) const;
    void setTextArray(int index, std::string text);

    // Segments separated by "|", one per column from column 0: a leading "<", "^" or ">"
    // sets the alignment, the rest is the header caption, and the column is made just wide
    // enough for it.
    void setFormatString(std::string_view format);
    int ColWidth(int col) const;
    Alignment ColAlignment(int col) const;

    // Geometry of the current cell inside the grid, in twips, as drawn at the scroll position.
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const;
    int RowHeight() const { return metrics_.rowHeight(); }
    int visibleRowCount() const;

    std::string toolTipText;

    // Events for the cell editor; the grid does not edit its own cells.
    Event<int&> onKeyPress;
    Event<> onDblClick;
    Event<> onLeaveCell;

    // The operator's own navigation: fixed cells never become current this way.
    bool userSelect(int row, int col);
    void userKeyPress(int keyAscii);
    void userDoubleClick();

    [[nodiscard]] Subscription observeChanges(
        std::function<void(Change, int row, int col)> o) const {
        return changes_.subscribe(std::move(o));
    }

private:
    std::size_t cellIndex(int row, int col) const;
    void checkRow(int row) const;
    void checkCol(int col) const;
    void checkIndex(int index) const;
    enum class Mover { Program, Operator };
    void moveCurrent(int row, int col, Mover mover);
    void resize(int rows, int cols);
    int fixedHeight() const;
    int fixedWidth() const;

    const GridMetrics& metrics_;
    int rows_ = 2;
    int cols_ = 2;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int row_ = 1;
    int col_ = 1;
    int rowSel_ = 1;
    int colSel_ = 1;
    int topRow_ = 1;
    int leftCol_ = 1;
    int selectionMode_ = 0;
    std::vector<std::string> cells_;
    std::vector<int> colWidths_;
    std::vector<Alignment> alignments_;
    ChangeNotifier<Change, int, int> changes_;
};

}  // namespace quendrix::platform
