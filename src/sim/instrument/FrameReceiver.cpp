#include "sim/instrument/FrameReceiver.h"

#include <utility>

namespace quendrix::sim {

std::optional<std::string> FrameReceiver::push(char byte) {
    if (byte == '/') {
        inFrame_ = true;
        text_.clear();
        return std::nullopt;
    }
    if (!inFrame_ || byte == '\n') {
        return std::nullopt;
    }
    if (byte == '\r') {
        inFrame_ = false;
        return std::exchange(text_, {});
    }
    if (text_.size() == maxLength) {
        inFrame_ = false;
        text_.clear();
        return std::nullopt;
    }
    text_ += byte;
    return std::nullopt;
}

}  // namespace quendrix::sim
