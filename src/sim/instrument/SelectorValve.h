#pragma once

#include <functional>

#include "sim/instrument/StepperController.h"

namespace quendrix::sim {

// The multi-port selector valve at address 2: a stepper-driven rotor whose ports lie at
// fixed step positions around one turn. A turn closes the port the plunger pushes through,
// so `turning` is told at the start of each move.
class SelectorValve final : public StepperController {
public:
    static constexpr int maxPosition = 48000;

    SelectorValve(Scheduler& scheduler, std::function<void()> turning);

private:
    void moveStarting() override { turning_(); }

    std::function<void()> turning_;
};

}  // namespace quendrix::sim
