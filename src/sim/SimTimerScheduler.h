#pragma once

#include <cstdint>
#include <unordered_map>

#include "platform/Timer.h"
#include "sim/VirtualClock.h"

namespace quendrix::sim {

// Timers in virtual time: exact to the microsecond, never early, never late.
class SimTimerScheduler final : public platform::TimerScheduler {
  public:
    explicit SimTimerScheduler(VirtualClock& clock) : clock_(clock) {}

    void start(platform::Timer& timer, std::chrono::milliseconds interval) override;
    void stop(platform::Timer& timer) override;

  private:
    VirtualClock& clock_;
    // A countdown that was restarted or stopped leaves a stale entry in the clock's queue;
    // the generation tells it apart from the current one.
    std::unordered_map<platform::Timer*, std::uint64_t> generations_;
    std::uint64_t nextGeneration_ = 0;
};

}  // namespace quendrix::sim
