#pragma once

#include <string>

#include "platform/Control.h"

namespace quendrix::platform {

// A push button. Its caption marks the accelerator key with "&".
class Button : public Control {
public:
    Button(std::string name, std::string caption, int index = -1)
        : Control(std::move(name), ControlKind::Button, index), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { assign(caption_, std::move(caption)); }

    Event<> onClick;
    void click() { onClick.notify(); }

private:
    std::string caption_;
};

}  // namespace quendrix::platform
