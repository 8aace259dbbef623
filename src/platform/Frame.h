#pragma once

#include <string>

#include "platform/Container.h"

namespace quendrix::platform {

class Frame : public Container {
public:
    Frame(std::string name, std::string caption)
        : Container(std::move(name), ControlKind::Frame), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { assign(caption_, std::move(caption)); }

private:
    std::string caption_;
};

}  // namespace quendrix::platform
