#pragma once

#include <QColor>
#include <QWidget>

#include "platform/Shape.h"

namespace quendrix::qt {

// A circle filled with the control's colour number.
class ShapeView final : public QWidget {
    Q_OBJECT

public:
    ShapeView(platform::Shape& shape, QWidget* parent);

    // Red lives in the lowest byte of a colour number, blue in the third.
    static QColor colourOf(platform::Colour colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void sync();

    platform::Shape& shape_;
    platform::Subscription subscription_;
};

}  // namespace quendrix::qt
