#pragma once

#include <random>

#include "platform/RandomSource.h"

namespace quendrix::platform {

// The generator the program draws from. It starts from the same fixed state every time and is
// never reseeded, so each start of the program draws the same sequence. The engine's sequence
// for its default state is fixed by the C++ standard, so it is also the same on every build.
class SeededRandom final : public RandomSource {
public:
    float Rnd() override;

private:
    std::mt19937 engine_;
};

}  // namespace quendrix::platform
