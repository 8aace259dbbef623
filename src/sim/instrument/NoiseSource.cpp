#include "sim/instrument/NoiseSource.h"

namespace quendrix::sim {

// xorshift32 must not start from zero, where it would stay for ever.
NoiseSource::NoiseSource(std::uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}

std::uint32_t NoiseSource::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

char NoiseSource::strayByte() {
    for (;;) {
        const auto byte = static_cast<char>(next() >> 24);
        if (byte != '/' && byte != '\r') {
            return byte;
        }
    }
}

char NoiseSource::printable() {
    return static_cast<char>('!' + below('~' - '!' + 1));
}

}  // namespace quendrix::sim
