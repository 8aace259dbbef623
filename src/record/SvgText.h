#pragma once

#include <string>
#include <string_view>

namespace quendrix::record {

// Text made safe for an XML attribute or element: markup characters become entities,
// control characters that XML forbids are dropped and bytes that are not UTF-8 become U+FFFD,
// so that any title, whatever its origin, leaves the picture well formed.
std::string escapeXml(std::string_view text);

// A coordinate with at most two decimals and no trailing zeros, as "12.5" or "3".
std::string svgNumber(double value);

}  // namespace quendrix::record
