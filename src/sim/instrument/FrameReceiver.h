#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace quendrix::sim {

// Picks frames out of the bytes a controller receives: "/" starts a frame (dropping any
// unfinished one), CR ends it, anything outside a frame (the LF after a CR, line noise)
// is ignored.
class FrameReceiver {
public:
    // No real command comes near this; a longer run of bytes is noise and is dropped.
    static constexpr std::size_t maxLength = 255;

    // Returns the frame's text between "/" and CR once its CR has arrived.
    std::optional<std::string> push(char byte);

private:
    std::string text_;
    bool inFrame_ = false;
};

}  // namespace quendrix::sim
