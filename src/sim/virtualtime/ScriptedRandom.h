#pragma once

#include <deque>

#include "platform/RandomSource.h"
#include "platform/SeededRandom.h"

namespace quendrix::sim {

// The program's generator, with values a test can queue in front of it so that drawn values
// are known exactly. Once the queue is empty the seeded sequence goes on.
class ScriptedRandom final : public platform::RandomSource {
public:
    float Rnd() override;

    // The value must lie in [0, 1), as any value of the generator does.
    void queue(float r) { queued_.push_back(r); }

private:
    std::deque<float> queued_;
    platform::SeededRandom seeded_;
};

}  // namespace quendrix::sim
