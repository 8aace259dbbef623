#include "qt/GridHeader.h"

namespace quendrix::qt {

GridHeader::GridHeader(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {}

void GridHeader::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (highlightSections()) {
        QHeaderView::currentChanged(current, previous);
    }
}

void GridHeader::selectionChanged(const QItemSelection& selected,
                                  const QItemSelection& deselected) {
    if (highlightSections()) {
        QHeaderView::selectionChanged(selected, deselected);
    }
}

}  // namespace quendrix::qt
