#pragma once

#include "platform/RunClock.h"
#include "sim/clock/VirtualClock.h"

namespace quendrix::sim {

// Virtual time as the run's clocks: the wall clock starts at a moment of the owner's choosing
// and moves with the virtual clock.
class SimRunClock final : public platform::RunClock {
public:
    explicit SimRunClock(const VirtualClock& clock) : clock_(clock) {}

    // The wall-clock moment that virtual time 0 stands for.
    void setWallStart(platform::WallTime start) { start_ = start; }

    platform::WallTime wallNow() const override {
        return {start_.utc + clock_.now(), start_.offset};
    }
    std::chrono::microseconds runNow() const override { return clock_.now(); }
    bool isVirtual() const override { return true; }

private:
    const VirtualClock& clock_;
    // A fixed start keeps what tests record the same from one day to the next.
    platform::WallTime start_{std::chrono::sys_days{std::chrono::year{2026} / 1 / 1}, {}};
};

}  // namespace quendrix::sim
