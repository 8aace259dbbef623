#pragma once

#include <functional>

#include "sim/instrument/StepperController.h"

namespace quendrix::sim {

// The plunger drive at address 1. It shares the fluid path with the valve, so it overloads
// when it starts to move while the valve is turning, or is moving when the valve starts to.
class SyringeDrive final : public StepperController {
public:
    static constexpr int maxPosition = 24000;

    SyringeDrive(Scheduler& scheduler, std::function<bool()> valveTurning);

private:
    bool moveWouldOverload() const override { return valveTurning_(); }

    std::function<bool()> valveTurning_;
};

}  // namespace quendrix::sim
