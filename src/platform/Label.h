#pragma once

#include <string>

#include "platform/Control.h"

namespace quendrix::platform {

// A caption. Its buddy is the control it names, so that assistive tools find a box by
// the words beside it.
class Label : public Control {
public:
    Label(std::string name, std::string caption, int index = -1)
        : Control(std::move(name), ControlKind::Label, index), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { assign(caption_, std::move(caption)); }

    Control* buddy() const { return buddy_; }
    void setBuddy(Control& buddy) { buddy_ = &buddy; }

    // An opaque caption fills its place with the window's colour and hides what lies beneath;
    // a transparent one shows its text over whatever is there.
    bool opaque() const { return opaque_; }
    void setOpaque(bool opaque) { opaque_ = opaque; }

    bool bold() const { return bold_; }
    int pointSize() const { return pointSize_; }
    void setFont(int pointSize, bool bold) {
        pointSize_ = pointSize;
        bold_ = bold;
    }

private:
    std::string caption_;
    Control* buddy_ = nullptr;
    int pointSize_ = 0;  // 0: the window's default font
    bool bold_ = false;
    bool opaque_ = false;
};

}  // namespace quendrix::platform
