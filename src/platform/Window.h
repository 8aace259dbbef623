#pragma once

#include <string>

#include "platform/Container.h"

namespace quendrix::platform {

// A top-level window of fixed size. Closing it runs `onClose` (the program's shut-down);
// the object itself lives on, because waits further down the stack may still use it.
class Window : public Container {
public:
    explicit Window(std::string name) : Container(std::move(name), ControlKind::Window) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);

    Control* focusedControl() const { return focused_; }
    void setFocusTo(Control* control);

    bool closed() const { return closed_; }
    // Called by the view when the operator closes the window, or by the program.
    void close();
    Event<> onClose;

    // A window that is loaded may still be hidden; the view shows it when this turns true.
    bool shown() const { return shown_; }
    void show();
    // Raises a shown window above the others and gives it the keyboard; the view does it.
    void bringToFront() { onBringToFront.notify(); }
    Event<> onBringToFront;

private:
    std::string caption_;
    Control* focused_ = nullptr;
    bool closed_ = false;
    bool shown_ = false;
};

}  // namespace quendrix::platform
