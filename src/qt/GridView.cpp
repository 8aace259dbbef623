#include "qt/GridView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>

#include "qt/CellPictureDelegate.h"
#include "qt/ControlPlacement.h"
#include "qt/GridHeader.h"
#include "qt/KeyCodes.h"
#include "qt/shared/CodePage.h"

namespace quendrix::qt {
namespace {

constexpr int kWholeRows = 1;
constexpr int kWholeColumns = 2;

void fixSections(QHeaderView& header) {
    header.setSectionsClickable(false);
    header.setHighlightSections(false);
    header.setSectionResizeMode(QHeaderView::Fixed);
    header.setMinimumSectionSize(1);
    header.setTextElideMode(Qt::ElideNone);
}

bool isMouseEvent(const QEvent* event) {
    if (event == nullptr) {
        return false;
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return true;
        default:
            return false;
    }
}

}  // namespace

GridView::GridView(platform::Grid& grid, const QFont& font, QWidget* parent)
    : QTableView(parent), grid_(grid), model_(grid) {
    setFont(font);
    setHorizontalHeader(new GridHeader(Qt::Horizontal, this));
    setVerticalHeader(new GridHeader(Qt::Vertical, this));
    setModel(&model_);
    setItemDelegate(new CellPictureDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    fixSections(*horizontalHeader());
    fixSections(*verticalHeader());
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &GridView::takeTopRow);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &GridView::takeLeftCol);
    placement_ = grid.observe([this] { showPlacement(); });
    changes_ = grid.observeChanges([this](platform::Grid::Change change, int row, int col) {
        onGridChanged(change, row, col);
    });
    showPlacement();
    showShape();
}

void GridView::onGridChanged(platform::Grid::Change change, int row, int col) {
    const QScopedValueRollback guard(syncing_, true);
    switch (change) {
        case platform::Grid::Change::Cell:
            model_.cellChanged(row, col);
            break;
        case platform::Grid::Change::Cells:
            model_.everyCellChanged();
            break;
        case platform::Grid::Change::Shape:
            model_.shapeChanged();
            showShape();
            break;
        case platform::Grid::Change::Current:
            showCurrent();
            break;
        case platform::Grid::Change::Scroll:
            showScroll();
            break;
    }
}

// The cells begin exactly at the grid's place, where the core measures them from (the cell
// editor is laid over them); the frame lies around that place.
void GridView::showPlacement() {
    ControlPlacement::apply(grid_, *this, frameWidth());
    const QString tip = toQString(grid_.toolTipText);
    if (toolTip() != tip) {
        setToolTip(tip);
    }
}

void GridView::showShape() {
    const int rowHeight = pixels(grid_.RowHeight());
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setVisible(grid_.FixedRows() > 0);
    horizontalHeader()->setFixedHeight(rowHeight * grid_.FixedRows());
    int fixedWidth = 0;
    for (int c = 0; c < grid_.FixedCols(); ++c) {
        fixedWidth += pixels(grid_.ColWidth(c));
    }
    verticalHeader()->setVisible(grid_.FixedCols() > 0);
    verticalHeader()->setFixedWidth(fixedWidth);
    for (int c = grid_.FixedCols(); c < grid_.Cols(); ++c) {
        horizontalHeader()->resizeSection(c - grid_.FixedCols(), pixels(grid_.ColWidth(c)));
    }
    showCurrent();
    showScroll();
}

void GridView::showCurrent() {
    const QScopedValueRollback guard(syncing_, true);
    // The program moves the current cell where it likes; only its own TopRow scrolls.
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(model_.indexOf(grid_.Row(), grid_.Col()),
                                      QItemSelectionModel::NoUpdate);
    selectionModel()->select(selectedRange(), QItemSelectionModel::ClearAndSelect);
    setAutoScroll(scrolls);
}

QItemSelection GridView::selectedRange() const {
    int top = std::min(grid_.Row(), grid_.RowSel());
    int bottom = std::max(grid_.Row(), grid_.RowSel());
    int left = std::min(grid_.Col(), grid_.ColSel());
    int right = std::max(grid_.Col(), grid_.ColSel());
    if (grid_.SelectionMode() == kWholeRows) {
        left = grid_.FixedCols();
        right = grid_.Cols() - 1;
    } else if (grid_.SelectionMode() == kWholeColumns) {
        top = grid_.FixedRows();
        bottom = grid_.Rows() - 1;
    }
    top = std::max(top, grid_.FixedRows());
    left = std::max(left, grid_.FixedCols());
    if (top > bottom || left > right) {
        return {};
    }
    return {model_.indexOf(top, left), model_.indexOf(bottom, right)};
}

void GridView::showScroll() {
    const QScopedValueRollback guard(syncing_, true);
    verticalScrollBar()->setValue(grid_.TopRow() - grid_.FixedRows());
    horizontalScrollBar()->setValue(grid_.LeftCol() - grid_.FixedCols());
}

void GridView::updateGeometries() {
    // New scroll ranges must not move the grid's own scroll position.
    const QScopedValueRollback guard(syncing_, true);
    QTableView::updateGeometries();
    showScroll();
}

void GridView::takeTopRow(int firstRow) {
    const int row = firstRow + grid_.FixedRows();
    if (!syncing_ && row < grid_.Rows()) {
        grid_.setTopRow(row);
    }
}

void GridView::takeLeftCol(int firstCol) {
    const int col = firstCol + grid_.FixedCols();
    if (!syncing_ && col < grid_.Cols()) {
        grid_.setLeftCol(col);
    }
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!syncing_ && current.isValid()) {
        grid_.userSelect(model_.gridRow(current), model_.gridCol(current));
    }
}

QItemSelectionModel::SelectionFlags GridView::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const {
    // A click only moves the current cell; the grid then says what is selected.
    if (isMouseEvent(event)) {
        return QItemSelectionModel::NoUpdate;
    }
    return QTableView::selectionCommand(index, event);
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (const std::optional<int> typed = KeyCodes::keyAscii(*event)) {
        grid_.userKeyPress(*typed);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex cell = indexAt(event->position().toPoint());
    QTableView::mouseDoubleClickEvent(event);
    if (cell.isValid()) {
        grid_.userDoubleClick();
    }
}

void GridView::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    grid_.setFocus();
}

}  // namespace quendrix::qt
