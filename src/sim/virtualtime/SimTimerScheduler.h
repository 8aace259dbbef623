#pragma once

#include <unordered_map>

#include "platform/Timer.h"
#include "sim/clock/VirtualClock.h"

namespace quendrix::sim {

// Timers in virtual time: exact to the microsecond, never early, never late. A stopped
// timer leaves nothing behind in the clock, so a pump never wakes for it.
class SimTimerScheduler final : public platform::TimerScheduler {
public:
    explicit SimTimerScheduler(VirtualClock& clock) : clock_(clock) {}

    void start(platform::Timer& timer, std::chrono::milliseconds interval) override;
    void stop(platform::Timer& timer) override;

private:
    VirtualClock& clock_;
    std::unordered_map<platform::Timer*, VirtualClock::Ticket> pending_;
};

}  // namespace quendrix::sim
