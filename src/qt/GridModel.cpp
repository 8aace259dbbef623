#include "qt/GridModel.h"

#include "qt/shared/CodePage.h"

namespace quendrix::qt {
namespace {

Qt::Alignment alignmentOf(platform::Grid::Alignment alignment) {
    switch (alignment) {
        case platform::Grid::Alignment::Centre:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case platform::Grid::Alignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

GridModel::GridModel(const platform::Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.Rows() - grid_.FixedRows();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.Cols() - grid_.FixedCols();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return toQString(grid_.TextMatrix(gridRow(index), gridCol(index)));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignmentOf(grid_.ColAlignment(gridCol(index))));
        case Qt::ToolTipRole:
            return toQString(grid_.toolTipText);
        default:
            return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const bool horizontal = orientation == Qt::Horizontal;
    // The header row is the grid's row 0 and the number column its column 0.
    if ((horizontal && grid_.FixedRows() == 0) || (!horizontal && grid_.FixedCols() == 0)) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return horizontal ? toQString(grid_.TextMatrix(0, section + grid_.FixedCols()))
                              : toQString(grid_.TextMatrix(section + grid_.FixedRows(), 0));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        case Qt::ToolTipRole:
            return toQString(grid_.toolTipText);
        default:
            return {};
    }
}

QModelIndex GridModel::indexOf(int gridRow, int gridCol) const {
    return index(gridRow - grid_.FixedRows(), gridCol - grid_.FixedCols());
}

void GridModel::cellChanged(int gridRow, int gridCol) {
    const bool fixedRow = gridRow < grid_.FixedRows();
    const bool fixedCol = gridCol < grid_.FixedCols();
    if (fixedRow && !fixedCol && gridRow == 0) {
        const int section = gridCol - grid_.FixedCols();
        emit headerDataChanged(Qt::Horizontal, section, section);
    } else if (fixedCol && !fixedRow && gridCol == 0) {
        const int section = gridRow - grid_.FixedRows();
        emit headerDataChanged(Qt::Vertical, section, section);
    } else if (!fixedRow && !fixedCol) {
        const QModelIndex cell = indexOf(gridRow, gridCol);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
}

void GridModel::everyCellChanged() {
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
    }
    if (columnCount() > 0) {
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    }
    if (rowCount() > 0) {
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    }
}

void GridModel::shapeChanged() {
    // The grid has already changed when it tells; a reset makes the views read it afresh.
    beginResetModel();
    endResetModel();
}

}  // namespace quendrix::qt
