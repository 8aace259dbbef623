#pragma once

#include "sim/instrument/StepperController.h"

namespace quendrix::sim {

// The multi-port selector valve at address 2: a stepper-driven rotor whose ports lie at
// fixed step positions around one turn.
class SelectorValve final : public StepperController {
public:
    static constexpr int maxPosition = 48000;

    explicit SelectorValve(Scheduler& scheduler);
};

}  // namespace quendrix::sim
