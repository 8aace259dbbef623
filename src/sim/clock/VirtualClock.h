#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <utility>

#include "sim/clock/Scheduler.h"

namespace quendrix::sim {

// Virtual time: nothing happens until someone runs the clock, and then it jumps from one
// scheduled action to the next, so a test of a 30-second wait takes microseconds.
class VirtualClock final : public Scheduler {
public:
    Micros now() const override { return now_; }
    void at(Micros when, std::function<void()> action) override {
        schedule(when, std::move(action));
    }
    // The same, with a ticket that can withdraw the action before it runs.
    using Ticket = std::pair<Micros, std::uint64_t>;
    Ticket schedule(Micros when, std::function<void()> action);
    void cancel(const Ticket& ticket) {
        queue_.erase(ticket);
        queueChanged();
    }

    bool idle() const { return queue_.empty(); }
    // Time of the earliest scheduled action; only meaningful when not idle.
    Micros nextDue() const { return queue_.begin()->first.first; }

    // Runs every action already due, but none that those schedule for the same moment,
    // so a self-rescheduling action cannot trap the caller. Returns how many ran.
    int runDue();
    // Runs what is due; when nothing is, jumps to the next scheduled moment and runs that.
    // Returns how many actions ran (0 only when the clock is idle).
    int runNext();
    // Runs everything up to and including `until`, then leaves the clock there.
    void advanceTo(Micros until);
    void advanceBy(Micros span) { advanceTo(now_ + span); }

private:
    using Key = Ticket;
    void queueChanged();

    std::map<Key, std::function<void()>> queue_;
    // The time of the earliest action, kept at hand for the yields that find nothing due.
    Micros::rep firstDue_ = std::numeric_limits<Micros::rep>::max();
    Micros now_{0};
    std::uint64_t sequence_ = 0;
};

}  // namespace quendrix::sim
