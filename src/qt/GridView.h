#pragma once

#include <QTableView>

#include "platform/Grid.h"
#include "qt/GridModel.h"

namespace quendrix::qt {

// The grid on screen. The grid control is the truth: its current cell, selection and
// scroll position are shown here, and the operator's clicks, keys and scrolling go back
// through its own operations. The header row and the number column are header sections,
// so the operator can never make a fixed cell current.
class GridView final : public QTableView {
    Q_OBJECT

public:
    GridView(platform::Grid& grid, const QFont& font, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void updateGeometries() override;

private:
    void onGridChanged(platform::Grid::Change change, int row, int col);
    void showPlacement();
    void showShape();
    void showCurrent();
    void showScroll();
    QItemSelection selectedRange() const;
    void takeTopRow(int firstRow);
    void takeLeftCol(int firstCol);
    int pixels(int twips) const { return twips / platform::kTwipsPerPixel; }

    platform::Grid& grid_;
    GridModel model_;
    bool syncing_ = false;
    platform::Subscription placement_;
    platform::Subscription changes_;
};

}  // namespace quendrix::qt
