#pragma once

#include <cstdint>

namespace quendrix::platform {

// Colour numbers with red in the lowest byte, green in the next and blue in the third.
using Colour = std::int32_t;

inline constexpr Colour kBlack = 0;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kGreen = 0x00FF00;

}  // namespace quendrix::platform
