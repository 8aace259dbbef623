#include "qt/PanelPictureStyle.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOptionFrame>

namespace quendrix::qt {
namespace {

// Everything of the option that the panel's look depends on, in one pass: the key is made
// at every paint of every box.
QString pictureKey(const QStyleOptionFrame& frame, qreal ratio) {
    return QString::asprintf(
        "quendrix-text-box-panel-%dx%d@%g-%x-%llx-%d-%d-%d-%d-%d", frame.rect.width(),
        frame.rect.height(), ratio, static_cast<unsigned>(frame.state),
        static_cast<unsigned long long>(frame.palette.cacheKey()),
        static_cast<int>(frame.palette.currentColorGroup()), frame.lineWidth, frame.midLineWidth,
        static_cast<int>(frame.direction), static_cast<int>(frame.features));
}

}  // namespace

void PanelPictureStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                      QPainter* painter, const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element != PE_PanelLineEdit || frame == nullptr || painter->device() == nullptr) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatio();
    const QString key = pictureKey(*frame, ratio);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap(frame->rect.size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QStyleOptionFrame atOrigin = *frame;
        atOrigin.rect.moveTo(0, 0);
        QPainter drawing(&picture);
        QProxyStyle::drawPrimitive(element, &atOrigin, &drawing, widget);
        drawing.end();
        QPixmapCache::insert(key, picture);
    }
    painter->drawPixmap(frame->rect.topLeft(), picture);
}

}  // namespace quendrix::qt
