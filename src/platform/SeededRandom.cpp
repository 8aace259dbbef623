#include "platform/SeededRandom.h"

#include <cstdint>

namespace quendrix::platform {

float SeededRandom::Rnd() {
    // The top 24 bits fill a float's mantissa exactly: the largest value is 1 - 2^-24, and no
    // rounding can carry it up to 1.
    constexpr float scale = 1.0f / 16777216.0f;  // 2^-24
    const std::uint32_t top24 = static_cast<std::uint32_t>(engine_()) >> 8;
    return static_cast<float>(top24) * scale;
}

}  // namespace quendrix::platform
