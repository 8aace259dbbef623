#include "qt/ControlPlacement.h"

#include <QWidget>

#include "platform/Container.h"

namespace quendrix::qt {

bool ControlPlacement::seen(const platform::Control& control) {
    const platform::Container* parent = control.parent();
    if (parent == nullptr) {
        return true;
    }
    const platform::TwipRect& place = control.geometry();
    const platform::TwipRect& area = parent->geometry();
    return place.left < area.width && place.top < area.height && place.right() > 0 &&
           place.bottom() > 0;
}

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
    // A control beyond its parent's area is never seen. Repainting it would post an event
    // for nothing at every change, and a counter box that a wait lowers on every pass would
    // then wake the wait's next pass at once: the wait would spin, and count its passes away.
    if (const bool inSight = seen(control); widget.updatesEnabled() != inSight) {
        widget.setUpdatesEnabled(inSight);
    }
}

}  // namespace quendrix::qt
