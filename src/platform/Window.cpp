#include "platform/Window.h"

namespace quendrix::platform {

void Window::setCaption(std::string caption) {
    assign(caption_, std::move(caption));
}

void Window::setFocusTo(Control* control) {
    if (focused_ == control) {
        return;
    }
    Control* previous = focused_;
    focused_ = control;
    if (previous != nullptr) {
        previous->onLostFocus.notify();
    }
    changed();
    if (control != nullptr) {
        control->onGotFocus.notify();
    }
}

void Window::close() {
    if (closed_) {
        return;
    }
    closed_ = true;
    onClose.notify();
    shown_ = false;
    changed();
}

void Window::show() {
    if (!shown_ || closed_) {
        shown_ = true;
        closed_ = false;
        changed();
    }
}

}  // namespace quendrix::platform
