#include "platform/Control.h"

#include "platform/Container.h"
#include "platform/Window.h"

namespace quendrix::platform {

Control::Control(std::string name, ControlKind kind, int index)
    : name_(std::move(name)), kind_(kind), index_(index) {}

void Control::setVisible(bool visible) {
    assign(visible_, visible);
}

void Control::move(int left, int top, int width, int height) {
    setGeometry({left, top, width, height});
}

void Control::setGeometry(const TwipRect& geometry) {
    assign(geometry_, geometry);
}

Window* Control::window() const {
    const Control* control = this;
    while (control->parent_ != nullptr) {
        control = control->parent_;
    }
    return control->kind_ == ControlKind::Window
               ? static_cast<Window*>(const_cast<Control*>(control))
               : nullptr;
}

void Control::setFocus() {
    if (Window* w = window()) {
        w->setFocusTo(this);
    }
}

bool Control::hasFocus() const {
    const Window* w = window();
    return w != nullptr && w->focusedControl() == this;
}

}  // namespace quendrix::platform
