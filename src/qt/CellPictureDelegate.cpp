#include "qt/CellPictureDelegate.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

namespace quendrix::qt {
namespace {

// Everything of the cell that its look depends on.
QString pictureKey(const QStyleOptionViewItem& cell, qreal ratio) {
    return QString::asprintf(
               "quendrix-grid-cell-%dx%d@%g-%x-%llx-%d-%x-%x-%d-%d-", cell.rect.width(),
               cell.rect.height(), ratio, static_cast<unsigned>(cell.state),
               static_cast<unsigned long long>(cell.palette.cacheKey()),
               static_cast<int>(cell.palette.currentColorGroup()),
               static_cast<unsigned>(cell.displayAlignment), static_cast<unsigned>(cell.features),
               static_cast<int>(cell.textElideMode), static_cast<int>(cell.direction)) +
           cell.font.key() + QLatin1Char('-') + cell.text;
}

}  // namespace

// The cell lies on the grid's base colour, which the picture is drawn on too; anything beyond
// plain text is drawn as usual.
void CellPictureDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    if (painter->device() == nullptr ||
        (cell.features &
         ~QStyleOptionViewItem::ViewItemFeatures(QStyleOptionViewItem::HasDisplay)) ||
        cell.backgroundBrush.style() != Qt::NoBrush) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatio();
    const QString key = pictureKey(cell, ratio);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap(cell.rect.size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(cell.palette.color(QPalette::Base));
        QStyleOptionViewItem atOrigin = option;
        atOrigin.rect.moveTo(0, 0);
        QPainter drawing(&picture);
        drawing.setFont(painter->font());
        drawing.setPen(painter->pen());
        QStyledItemDelegate::paint(&drawing, atOrigin, index);
        drawing.end();
        QPixmapCache::insert(key, picture);
    }
    painter->drawPixmap(cell.rect.topLeft(), picture);
}

}  // namespace quendrix::qt
