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
    // `outset` pixels of the widget lie around the control's place on every side: a frame
    // drawn outside, so that what is inside starts exactly where the control says.
    static void apply(const platform::Control& control, QWidget& widget, int outset = 0);
    // Whether any of the control lies inside its parent's area, where it can be seen.
    static bool seen(const platform::Control& control);
};

}  // namespace quendrix::qt
