#pragma once

#include <vector>

#include "platform/Control.h"

namespace quendrix::platform {

// A control that holds others (a window, a frame). Children are owned elsewhere (by the
// form that declares them); the container only knows them, in the order they were added,
// which is also the keyboard focus order.
class Container : public Control {
public:
    using Control::Control;

    void add(Control& child);
    const std::vector<Control*>& children() const { return children_; }

private:
    std::vector<Control*> children_;
};

}  // namespace quendrix::platform
