#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

#include "platform/Shape.h"

namespace quendrix::qt {

// A circle filled with the control's colour number. The window is painted once a frame, so a
// lamp may change twice between two paints, as a reply's flash does when it is short; every
// colour it takes is therefore painted at least once, and the colour that follows waits for
// that paint.
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
    void showColour(platform::Colour colour);
    bool seen() const { return isVisible() && updatesEnabled(); }

    platform::Shape& shape_;
    platform::Colour shown_;
    bool painted_ = false;
    std::optional<platform::Colour> next_;
    platform::Subscription subscription_;
};

}  // namespace quendrix::qt
