#pragma once

#include <QGroupBox>

#include "platform/Frame.h"

namespace quendrix::qt {

// A captioned panel; its children are placed inside it by the window.
class FrameView final : public QGroupBox {
    Q_OBJECT

public:
    FrameView(platform::Frame& frame, QWidget* parent);

private:
    void sync();

    platform::Frame& frame_;
    platform::Subscription subscription_;
};

}  // namespace quendrix::qt
