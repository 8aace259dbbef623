#pragma once

#include <string>

#include "platform/Colour.h"
#include "platform/Control.h"

namespace quendrix::platform {

// A circle with a solid fill; its colour is a value the program reads back.
class Shape : public Control {
public:
    explicit Shape(std::string name) : Control(std::move(name), ControlKind::Shape) {}

    Colour fillColor() const { return fillColor_; }
    void setFillColor(Colour colour) { assign(fillColor_, std::move(colour)); }

private:
    Colour fillColor_ = kBlack;
};

}  // namespace quendrix::platform
