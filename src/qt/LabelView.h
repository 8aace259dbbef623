#pragma once

#include <QLabel>

#include "platform/Label.h"

namespace quendrix::qt {

// A caption. Its buddy is set by the window once every widget exists.
class LabelView final : public QLabel {
    Q_OBJECT

public:
    LabelView(platform::Label& label, QWidget* parent);

private:
    void sync();

    platform::Label& label_;
    platform::Subscription subscription_;
};

}  // namespace quendrix::qt
