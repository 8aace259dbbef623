#pragma once

namespace quendrix::platform {

// The program's uniform pseudo-random generator.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // The next value r of the sequence, 0 <= r < 1; never 1.
    virtual float Rnd() = 0;
};

}  // namespace quendrix::platform
