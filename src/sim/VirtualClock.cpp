#include "sim/VirtualClock.h"

#include <algorithm>

namespace quendrix::sim {

VirtualClock::Ticket VirtualClock::schedule(Micros when, std::function<void()> action) {
    const Key key{std::max(when, now_), sequence_++};
    queue_.emplace(key, std::move(action));
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

void VirtualClock::advanceTo(Micros until) {
    while (!idle() && nextDue() <= until) {
        now_ = std::max(now_, nextDue());
        runDue();
    }
    now_ = std::max(now_, until);
}

}  // namespace quendrix::sim
