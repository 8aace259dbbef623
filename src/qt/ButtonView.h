#pragma once

#include <QPushButton>

#include "platform/Button.h"

namespace quendrix::qt {

// A push button; "&" in its caption marks the accelerator key.
class ButtonView final : public QPushButton {
    Q_OBJECT

public:
    ButtonView(platform::Button& button, QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void sync();

    platform::Button& button_;
    platform::Subscription subscription_;
};

}  // namespace quendrix::qt
