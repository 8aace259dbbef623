#pragma once

#include <chrono>
#include <functional>

namespace quendrix::sim {

using Micros = std::chrono::microseconds;

// A clock with a queue of actions. The virtual-time platform of the tests and the
// real-time loop of the pseudo-terminal server both implement it, so the simulated
// instrument runs unchanged on either.
class Scheduler {
public:
    virtual ~Scheduler() = default;
    virtual Micros now() const = 0;
    // Runs `action` once the clock reaches `when` (at once, on the next turn, if it has).
    // Actions due at the same time run in the order they were scheduled.
    virtual void at(Micros when, std::function<void()> action) = 0;
};

}  // namespace quendrix::sim
