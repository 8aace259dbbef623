#include "device/Reply.h"

namespace quendrix::device {
namespace {

constexpr std::size_t kStatusPosition = 2;  // the third character
constexpr std::uint8_t kErrorBits = 0x0F;
constexpr std::uint8_t kReadyBit = 0x20;

}  // namespace

std::optional<Reply> Reply::parse(std::string_view raw) {
    if (raw.size() <= kStatusPosition) {
        return std::nullopt;
    }
    Reply reply;
    reply.status = static_cast<std::uint8_t>(raw[kStatusPosition]);
    reply.errorCode = reply.status & kErrorBits;
    reply.ready = (reply.status & kReadyBit) != 0;
    for (const char c : raw.substr(kStatusPosition + 1)) {
        if (c != '\n') {
            reply.data += c;
        }
    }
    return reply;
}

}  // namespace quendrix::device
