#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

#include "sim/clock/Scheduler.h"

namespace quendrix::sim {

// Wall-clock time: microseconds of the steady clock since the scheduler was made. Its owner
// waits until nextDue() and then calls runDue(): the pseudo-terminal server sleeps in poll(),
// the program's demonstration line arms a timer of the event loop. While an action runs, now() is
// the time it was due, as in virtual time: an action that runs a little late still computes its
// follow-ups from the exact moment, so the line's pacing carries no wake-up jitter forward.
class RealTimeScheduler final : public Scheduler {
public:
    // `elapsed` replaces the steady clock (for tests).
    explicit RealTimeScheduler(std::function<Micros()> elapsed = {});

    Micros now() const override { return running_ ? *running_ : elapsed_(); }
    void at(Micros when, std::function<void()> action) override;

    // Runs every action due by now, but none that those schedule meanwhile, so a
    // self-rescheduling action cannot hold the loop. Returns how many ran.
    int runDue();
    std::optional<Micros> nextDue() const;

private:
    using Key = std::pair<Micros, std::uint64_t>;
    std::function<Micros()> elapsed_;
    std::map<Key, std::function<void()>> queue_;
    std::uint64_t sequence_ = 0;
    std::optional<Micros> running_;
};

}  // namespace quendrix::sim
