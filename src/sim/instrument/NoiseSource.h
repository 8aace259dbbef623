#pragma once

#include <cstdint>

namespace quendrix::sim {

// Reproducible line noise: the same seed always gives the same bytes.
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed);

    std::uint32_t next();
    // A number from 0 to `bound` - 1.
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint32_t>(bound)); }
    // Any byte except "/" and CR, so that noise can neither start nor end a reply.
    char strayByte();
    // A printable character: never a control character, so never a CR.
    char printable();

private:
    std::uint32_t state_;
};

}  // namespace quendrix::sim
