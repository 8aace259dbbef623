#pragma once

#include <QHeaderView>

namespace quendrix::qt {

// A header of the grid: the header row or the number column. Unless its sections highlight
// the selection, a new current cell or selection leaves it as it is; a plain header would
// repaint every section the selection spans, the whole header row for a marked row.
class GridHeader final : public QHeaderView {
    Q_OBJECT

public:
    GridHeader(Qt::Orientation orientation, QWidget* parent);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
};

}  // namespace quendrix::qt
