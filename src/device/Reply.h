#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quendrix::device {

// A controller's reply as the program reads it: "/", one character, the status byte, then
// the data. The status byte carries the error code in its low four bits and, in bit 5, the
// ready bit; its other bits mean nothing to the program.
struct Reply {
    std::uint8_t status = 0;
    int errorCode = 0;
    bool ready = false;
    std::string data;  // every character after the status byte except LF

    // The reply in `raw` (from "/" up to, not including, CR). A reply shorter than three
    // characters (a stray CR, or "/" and one character) is no reply.
    static std::optional<Reply> parse(std::string_view raw);

    bool operator==(const Reply&) const = default;
};

}  // namespace quendrix::device
