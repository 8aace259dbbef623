#include "sim/clock/VirtualClock.h"

#include <algorithm>

namespace quendrix::sim {

VirtualClock::Ticket VirtualClock::schedule(Micros when, std::function<void()> action) {
    const Key key{std::max(when, now_), sequence_++};
    queue_.emplace(key, std::move(action));
    queueChanged();
    return key;
}

int VirtualClock::runDue() {
    const std::uint64_t horizon = sequence_;
    int ran = 0;
    for (auto it = queue_.begin(); it != queue_.end() && it->first.first <= now_;) {
        if (it->first.second >= horizon) {
            ++it;
            continue;
        }
        auto action = std::move(it->second);
        queue_.erase(it);
        queueChanged();
        action();
        ++ran;
        it = queue_.begin();  // the action may have changed the queue
    }
    return ran;
}

int VirtualClock::runNext() {
    if (int ran = runDue(); ran > 0 || idle()) {
        return ran;
    }
    now_ = nextDue();
    return runDue();
}

// Plain counts rather than duration arithmetic: a sweep's pauses come here tens of millions
// of times, and unoptimised builds call out for every duration operator.
void VirtualClock::advanceTo(Micros until) {
    const Micros::rep limit = until.count();
    while (firstDue_ <= limit) {
        now_ = std::max(now_, nextDue());
        runDue();
    }
    if (now_.count() < limit) {
        now_ = until;
    }
}

void VirtualClock::queueChanged() {
    firstDue_ = queue_.empty() ? std::numeric_limits<Micros::rep>::max()
                               : queue_.begin()->first.first.count();
}

}  // namespace quendrix::sim
