#include "platform/TextBox.h"

#include <algorithm>

namespace quendrix::platform {

void TextBox::setText(std::string text) {
    if (text_ != text) {
        text_ = std::move(text);
        selStart_ = std::min<int>(selStart_, static_cast<int>(text_.size()));
        changed();
    }
}

void TextBox::append(std::string_view more) {
    if (!more.empty()) {
        text_.append(more);
        changed();
    }
}

void TextBox::setSelStart(int position) {
    const int clamped = std::clamp<int>(position, 0, static_cast<int>(text_.size()));
    if (selStart_ != clamped) {
        selStart_ = clamped;
        changed();
    }
}

}  // namespace quendrix::platform
