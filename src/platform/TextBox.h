#pragma once

#include <string>

#include "platform/Control.h"

namespace quendrix::platform {

// A single-line text box. Its text is a value of the program (a counter, a command, a
// reply), held as single-byte characters; the view shows it and writes the operator's
// typing back through setText.
class TextBox : public Control {
public:
    TextBox(std::string name, std::string text = {})
        : Control(std::move(name), ControlKind::TextBox), text_(std::move(text)) {}

    const std::string& text() const { return text_; }
    void setText(std::string text);
    void append(std::string_view more);

    // Caret position, 0 before the first character; a position past the end means the end.
    int selStart() const { return selStart_; }
    void setSelStart(int position);

    void setFont(int pointSize, bool bold) {
        pointSize_ = pointSize;
        bold_ = bold;
    }
    int pointSize() const { return pointSize_; }
    bool bold() const { return bold_; }

    // Keys reach the program before the box applies them. A KeyPress handler may set the
    // character code to 0, and the box then neither inserts anything nor beeps.
    Event<int, int> onKeyDown;  // key code, shift state
    Event<int&> onKeyPress;     // character code, which a handler may change
    void keyDown(int keyCode, int shift) { onKeyDown.notify(keyCode, shift); }
    int keyPress(int keyAscii) {
        onKeyPress.notify(keyAscii);
        return keyAscii;
    }

private:
    std::string text_;
    int selStart_ = 0;
    int pointSize_ = 0;
    bool bold_ = false;
};

}  // namespace quendrix::platform
