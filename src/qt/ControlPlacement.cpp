#include "qt/ControlPlacement.h"

#include <QWidget>

namespace quendrix::qt {

QRect ControlPlacement::pixels(const platform::TwipRect& twips) {
    constexpr int k = platform::kTwipsPerPixel;
    return {twips.left / k, twips.top / k, twips.width / k, twips.height / k};
}

void ControlPlacement::apply(const platform::Control& control, QWidget& widget, int outset) {
    const QRect rect = pixels(control.geometry()).adjusted(-outset, -outset, outset, outset);
    if (widget.geometry() != rect) {
        widget.setGeometry(rect);
    }
    if (widget.isHidden() == control.visible()) {
        widget.setVisible(control.visible());
    }
}

}  // namespace quendrix::qt
