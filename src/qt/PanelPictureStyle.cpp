#include "qt/PanelPictureStyle.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOptionFrame>

namespace quendrix::qt {
namespace {

// Everything of the option that the panel's look depends on.
QString pictureKey(const QStyleOptionFrame& frame, qreal ratio) {
    return QStringLiteral("quendrix-text-box-panel-%1x%2@%3-%4-%5-%6-%7-%8-%9")
        .arg(frame.rect.width())
        .arg(frame.rect.height())
        .arg(ratio)
        .arg(static_cast<unsigned>(frame.state))
        .arg(frame.palette.cacheKey())
        .arg(static_cast<int>(frame.palette.currentColorGroup()))
        .arg(frame.lineWidth)
        .arg(frame.midLineWidth)
        .arg(static_cast<int>(frame.direction) * 16 + static_cast<int>(frame.features));
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
