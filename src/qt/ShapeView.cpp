#include "qt/ShapeView.h"

#include <QPainter>

#include "qt/ControlPlacement.h"

namespace quendrix::qt {

ShapeView::ShapeView(platform::Shape& shape, QWidget* parent)
    : QWidget(parent), shape_(shape), shown_(shape.fillColor()) {
    subscription_ = shape.observe([this] { sync(); });
    sync();
}

QColor ShapeView::colourOf(platform::Colour colour) {
    return {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
}

void ShapeView::sync() {
    ControlPlacement::apply(shape_, *this);
    showColour(shape_.fillColor());
}

// A lamp that cannot be seen takes every colour at once.
void ShapeView::showColour(platform::Colour colour) {
    if (!painted_ && seen()) {
        next_ = colour;
        return;
    }
    next_.reset();
    if (colour != shown_) {
        shown_ = colour;
        painted_ = false;
        update();
    }
}

void ShapeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(colourOf(shown_));
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    painted_ = true;
    if (next_) {
        showColour(*next_);
    }
}

}  // namespace quendrix::qt
