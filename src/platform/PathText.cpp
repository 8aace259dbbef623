#include "platform/PathText.h"

namespace quendrix::platform {

std::filesystem::path toPath(std::string_view utf8) {
    return std::u8string(utf8.begin(), utf8.end());
}

std::string toText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

}  // namespace quendrix::platform
