#include "qt/FrameView.h"

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

}  // namespace quendrix::qt
