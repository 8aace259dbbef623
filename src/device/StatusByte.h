#pragma once

#include <cstdint>

namespace quendrix::device {

// The third character of a reply: the error code in its low four bits, and bit 5 set when
// the controller is ready. The other bits mean nothing to the program.
class StatusByte {
public:
    explicit StatusByte(char character) : code_(static_cast<std::uint8_t>(character)) {}

    int errorCode() const { return code_ & 0x0F; }
    bool ready() const { return (code_ & 0x20) != 0; }

private:
    std::uint8_t code_;
};

}  // namespace quendrix::device
