#pragma once

#include <string>

#include "platform/Control.h"

namespace quendrix::platform {

// A picture; the view finds the image by its resource name.
class PictureBox : public Control {
public:
    PictureBox(std::string name, std::string image)
        : Control(std::move(name), ControlKind::PictureBox), image_(std::move(image)) {}

    const std::string& image() const { return image_; }

private:
    std::string image_;
};

}  // namespace quendrix::platform
