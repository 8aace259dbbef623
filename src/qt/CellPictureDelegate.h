#pragma once

#include <QStyledItemDelegate>

namespace quendrix::qt {

// Draws a grid cell from a picture kept for its text and look. A run marks a row at every step
// and scrolls a page at a time; the cells it repaints hold the same few texts over and over,
// which need not be laid out and drawn afresh each time.
class CellPictureDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace quendrix::qt
