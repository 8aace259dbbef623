#pragma once

#include <QRect>

#include "platform/Control.h"

class QWidget;

namespace quendrix::qt {

// Where a control's widget sits inside its parent widget, and whether it shows. Controls
// that lie beyond the window's area keep their place there: clipped, but in the tab order.
class ControlPlacement {
public:
    static QRect pixels(const platform::TwipRect& twips);
    static void apply(const platform::Control& control, QWidget& widget);
};

}  // namespace quendrix::qt
