#include "qt/ShapeView.h"

#include <QPainter>

#include "qt/ControlPlacement.h"

namespace quendrix::qt {

ShapeView::ShapeView(platform::Shape& shape, QWidget* parent) : QWidget(parent), shape_(shape) {
    subscription_ = shape.observe([this] { sync(); });
    sync();
}

QColor ShapeView::colourOf(platform::Colour colour) {
    return {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
}

void ShapeView::sync() {
    ControlPlacement::apply(shape_, *this);
    update();
}

void ShapeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(colourOf(shape_.fillColor()));
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace quendrix::qt
