#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quendrix::platform {

// The core keeps paths as UTF-8 text. A narrow string is not a path: on Windows the standard
// library reads one in the ANSI code page, which loses every name outside it, so paths and
// their texts cross here.
std::filesystem::path toPath(std::string_view utf8);
std::string toText(const std::filesystem::path& path);

}  // namespace quendrix::platform
