#include "qt/FrameView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

#include "qt/ControlPlacement.h"
#include "qt/shared/CodePage.h"

namespace quendrix::qt {

FrameView::FrameView(platform::Frame& frame, QWidget* parent) : QGroupBox(parent), frame_(frame) {
    // Panels such as "Wait Counter" show over the grid, which must not shine through.
    setAutoFillBackground(true);
    subscription_ = frame.observe([this] { sync(); });
    sync();
}

void FrameView::sync() {
    ControlPlacement::apply(frame_, *this);
    const QString caption = toQString(frame_.caption());
    if (title() != caption) {
        setTitle(caption);
    }
}

FrameView::Look FrameView::look() const {
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    return {size(),  devicePixelRatio(), title(), font().key(), palette().cacheKey(), option.state,
            style(), layoutDirection()};
}

// The picture is the panel as the window paints it, background included, without its
// children; painting from it copies the part that needs painting.
void FrameView::paintEvent(QPaintEvent*) {
    if (const Look now = look(); picture_.isNull() || !(now == pictured_)) {
        picture_ = QPixmap(size() * now.pixelRatio);
        picture_.setDevicePixelRatio(now.pixelRatio);
        QStylePainter painter(&picture_, this);
        // As a painter on the widget itself begins.
        painter.setFont(font());
        painter.setPen(palette().color(foregroundRole()));
        painter.setLayoutDirection(layoutDirection());
        painter.fillRect(rect(), palette().brush(backgroundRole()));
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_GroupBox, option);
        pictured_ = now;
    }
    QPainter painter(this);
    painter.drawPixmap(QPoint(), picture_);
}

}  // namespace quendrix::qt
