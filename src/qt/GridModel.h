#pragma once

#include <QAbstractTableModel>

#include "platform/Grid.h"

namespace quendrix::qt {

// The grid's cells as a table model: the scrolling cells are the model's items, the fixed
// header row and number column are its header sections. Nothing is copied; every read
// goes to the grid. The view tells the model what changed.
class GridModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit GridModel(const platform::Grid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Grid coordinates of a model index, and back; fixed cells have no index.
    int gridRow(const QModelIndex& index) const { return index.row() + grid_.FixedRows(); }
    int gridCol(const QModelIndex& index) const { return index.column() + grid_.FixedCols(); }
    QModelIndex indexOf(int gridRow, int gridCol) const;

    void cellChanged(int gridRow, int gridCol);
    void everyCellChanged();
    void shapeChanged();

private:
    const platform::Grid& grid_;
};

}  // namespace quendrix::qt
