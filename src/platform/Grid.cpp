#include "platform/Grid.h"

#include <algorithm>

#include "platform/Failure.h"

namespace quendrix::platform {
namespace {

constexpr int kDefaultColWidth = 960;

Grid::Alignment alignmentOf(char marker) {
    switch (marker) {
        case '<':
            return Grid::Alignment::Left;
        case '^':
            return Grid::Alignment::Centre;
        case '>':
            return Grid::Alignment::Right;
        default:
            return Grid::Alignment::Default;
    }
}

}  // namespace

Grid::Grid(std::string name, const GridMetrics& metrics)
    : Control(std::move(name), ControlKind::Grid),
      metrics_(metrics),
      cells_(static_cast<std::size_t>(rows_ * cols_)),
      colWidths_(static_cast<std::size_t>(cols_), kDefaultColWidth),
      alignments_(static_cast<std::size_t>(cols_), Alignment::Default) {}

void Grid::resize(int rows, int cols) {
    if (rows < 0 || cols < 0) {
        throw Failure("invalid grid size");
    }
    std::vector<std::string> cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    for (int r = 0; r < std::min(rows, rows_); ++r) {
        for (int c = 0; c < std::min(cols, cols_); ++c) {
            cells[static_cast<std::size_t>(r * cols + c)] = std::move(cells_[cellIndex(r, c)]);
        }
    }
    cells_ = std::move(cells);
    colWidths_.resize(static_cast<std::size_t>(cols), kDefaultColWidth);
    alignments_.resize(static_cast<std::size_t>(cols), Alignment::Default);
    rows_ = rows;
    cols_ = cols;
    fixedRows_ = std::min(fixedRows_, rows_);
    fixedCols_ = std::min(fixedCols_, cols_);
    row_ = std::clamp(row_, 0, std::max(0, rows_ - 1));
    col_ = std::clamp(col_, 0, std::max(0, cols_ - 1));
    rowSel_ = std::clamp(rowSel_, 0, std::max(0, rows_ - 1));
    colSel_ = std::clamp(colSel_, 0, std::max(0, cols_ - 1));
    topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, rows_ - 1));
    leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, cols_ - 1));
    changes_.notify(Change::Shape, -1, -1);
}

void Grid::Clear() {
    for (auto& cell : cells_) {
        cell.clear();
    }
    changes_.notify(Change::Cells, -1, -1);
}

void Grid::setRows(int rows) {
    resize(rows, cols_);
}
void Grid::setCols(int cols) {
    resize(rows_, cols);
}

void Grid::setFixedRows(int rows) {
    if (rows < 0 || rows >= rows_) {
        throw Failure("invalid number of fixed rows");
    }
    fixedRows_ = rows;
    changes_.notify(Change::Shape, -1, -1);
}

void Grid::setFixedCols(int cols) {
    if (cols < 0 || cols >= cols_) {
        throw Failure("invalid number of fixed columns");
    }
    fixedCols_ = cols;
    changes_.notify(Change::Shape, -1, -1);
}

void Grid::checkRow(int row) const {
    if (row < 0 || row >= rows_) {
        throw Failure("row " + std::to_string(row) + " is outside the grid");
    }
}

void Grid::checkCol(int col) const {
    if (col < 0 || col >= cols_) {
        throw Failure("column " + std::to_string(col) + " is outside the grid");
    }
}

std::size_t Grid::cellIndex(int row, int col) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) +
           static_cast<std::size_t>(col);
}

void Grid::setRow(int row) {
    checkRow(row);
    moveCurrent(row, col_, Mover::Program);
}

void Grid::setCol(int col) {
    checkCol(col);
    moveCurrent(row_, col, Mover::Program);
}

// Moving the current cell collapses the selection onto it. Only the operator's own moves tell
// the cell it leaves: the program's moves (set-up, a run marking its row) must not commit an
// edit that is open.
void Grid::moveCurrent(int row, int col, Mover mover) {
    if (mover == Mover::Operator && (row != row_ || col != col_)) {
        onLeaveCell.notify();
    }
    row_ = row;
    col_ = col;
    rowSel_ = row;
    colSel_ = col;
    changes_.notify(Change::Current, row_, col_);
}

void Grid::setRowSel(int row) {
    checkRow(row);
    rowSel_ = row;
    changes_.notify(Change::Current, row_, col_);
}

void Grid::setColSel(int col) {
    checkCol(col);
    colSel_ = col;
    changes_.notify(Change::Current, row_, col_);
}

void Grid::setTopRow(int row) {
    checkRow(row);
    const int lastTop = std::max(fixedRows_, rows_ - visibleRowCount());
    topRow_ = std::clamp(row, fixedRows_, lastTop);
    changes_.notify(Change::Scroll, topRow_, leftCol_);
}

void Grid::setLeftCol(int col) {
    checkCol(col);
    leftCol_ = std::max(col, fixedCols_);
    changes_.notify(Change::Scroll, topRow_, leftCol_);
}

void Grid::setSelectionMode(int mode) {
    if (mode < 0 || mode > 2) {
        throw Failure("invalid selection mode");
    }
    selectionMode_ = mode;
    changes_.notify(Change::Current, row_, col_);
}

int Grid::fixedHeight() const {
    return fixedRows_ * metrics_.rowHeight();
}

int Grid::fixedWidth() const {
    int width = 0;
    for (int c = 0; c < fixedCols_; ++c) {
        width += colWidths_[static_cast<std::size_t>(c)];
    }
    return width;
}

int Grid::visibleRowCount() const {
    const int height = geometry().height - fixedHeight();
    return std::max(1, height / std::max(1, metrics_.rowHeight()));
}

bool Grid::RowIsVisible(int row) const {
    checkRow(row);
    return row < fixedRows_ || (row >= topRow_ && row < topRow_ + visibleRowCount());
}

const std::string& Grid::TextMatrix(int row, int col) const {
    checkRow(row);
    checkCol(col);
    return cells_[cellIndex(row, col)];
}

void Grid::setTextMatrix(int row, int col, std::string text) {
    checkRow(row);
    checkCol(col);
    auto& cell = cells_[cellIndex(row, col)];
    if (cell != text) {
        cell = std::move(text);
        changes_.notify(Change::Cell, row, col);
    }
}

void Grid::checkIndex(int index) const {
    if (index < 0 || cols_ == 0 || index >= rows_ * cols_) {
        throw Failure("cell index " + std::to_string(index) + " is outside the grid");
    }
}

const std::string& Grid::TextArray(int index) const {
    checkIndex(index);
    return TextMatrix(index / cols_, index % cols_);
}

void Grid::setTextArray(int index, std::string text) {
    checkIndex(index);
    setTextMatrix(index / cols_, index % cols_, std::move(text));
}

void Grid::setFormatString(std::string_view format) {
    std::vector<std::string_view> segments;
    for (std::size_t start = 0;;) {
        const std::size_t bar = format.find('|', start);
        segments.push_back(format.substr(start, bar - start));
        if (bar == std::string_view::npos) {
            break;
        }
        start = bar + 1;
    }
    if (static_cast<int>(segments.size()) > cols_) {
        setCols(static_cast<int>(segments.size()));
    }
    for (std::size_t c = 0; c < segments.size(); ++c) {
        std::string_view segment = segments[c];
        Alignment alignment = Alignment::Default;
        if (!segment.empty() && alignmentOf(segment.front()) != Alignment::Default) {
            alignment = alignmentOf(segment.front());
            segment.remove_prefix(1);
        }
        alignments_[c] = alignment;
        colWidths_[c] = metrics_.columnWidth(segment);
        if (fixedRows_ > 0) {
            cells_[cellIndex(0, static_cast<int>(c))] = std::string(segment);
        }
    }
    changes_.notify(Change::Shape, -1, -1);
}

int Grid::ColWidth(int col) const {
    checkCol(col);
    return colWidths_[static_cast<std::size_t>(col)];
}

Grid::Alignment Grid::ColAlignment(int col) const {
    checkCol(col);
    return alignments_[static_cast<std::size_t>(col)];
}

int Grid::CellLeft() const {
    int left = 0;
    if (col_ < fixedCols_) {
        for (int c = 0; c < col_; ++c) {
            left += colWidths_[static_cast<std::size_t>(c)];
        }
        return left;
    }
    left = fixedWidth();
    for (int c = leftCol_; c < col_; ++c) {
        left += colWidths_[static_cast<std::size_t>(c)];
    }
    for (int c = col_; c < leftCol_; ++c) {
        left -= colWidths_[static_cast<std::size_t>(c)];
    }
    return left;
}

int Grid::CellTop() const {
    const int h = metrics_.rowHeight();
    return row_ < fixedRows_ ? row_ * h : fixedHeight() + (row_ - topRow_) * h;
}

int Grid::CellWidth() const {
    return colWidths_[static_cast<std::size_t>(col_)];
}
int Grid::CellHeight() const {
    return metrics_.rowHeight();
}

bool Grid::userSelect(int row, int col) {
    if (row < fixedRows_ || row >= rows_ || col < fixedCols_ || col >= cols_) {
        return false;
    }
    moveCurrent(row, col, Mover::Operator);
    return true;
}

void Grid::userKeyPress(int keyAscii) {
    onKeyPress.notify(keyAscii);
}

void Grid::userDoubleClick() {
    onDblClick.notify();
}

}  // namespace quendrix::platform
