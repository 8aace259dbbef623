#pragma once

#include <QLabel>

#include "platform/PictureBox.h"

namespace quendrix::qt {

// A picture box showing one of the program's own images, found by its name.
class PictureView final : public QLabel {
    Q_OBJECT

public:
    PictureView(platform::PictureBox& picture, QWidget* parent);

private:
    void sync();

    platform::PictureBox& picture_;
    platform::Subscription subscription_;
};

}  // namespace quendrix::qt
