#pragma once

#include <cstdint>
#include <functional>

#include "platform/EventPump.h"
#include "sim/clock/VirtualClock.h"

namespace quendrix::sim {

// Handles what is due now, or else jumps the clock to the next scheduled event.
class SimEventPump final : public platform::EventPump {
public:
    explicit SimEventPump(VirtualClock& clock) : clock_(clock) {}

    void pumpOnce() override;
    // Lets kYieldStep of virtual time pass and runs what falls due meanwhile, as a yield on
    // a real machine lets a moment pass.
    void pumpPending() override;

    static constexpr Micros kYieldStep{2};

    // Virtual time after which any further pump fails the test (a wait that never ends).
    void setTimeLimit(Micros limit) { limit_ = limit; }
    std::uint64_t pumps() const { return pumps_; }

private:
    VirtualClock& clock_;
    Micros limit_ = std::chrono::hours(24);
    std::uint64_t pumps_ = 0;
};

}  // namespace quendrix::sim
