#include "sim/clock/RealTimeScheduler.h"

#include <chrono>
#include <utility>

namespace quendrix::sim {

namespace {

std::function<Micros()> steadyClock() {
    return [start = std::chrono::steady_clock::now()] {
        return std::chrono::duration_cast<Micros>(std::chrono::steady_clock::now() - start);
    };
}

}  // namespace

RealTimeScheduler::RealTimeScheduler(std::function<Micros()> elapsed)
    : elapsed_(elapsed ? std::move(elapsed) : steadyClock()) {}

void RealTimeScheduler::at(Micros when, std::function<void()> action) {
    queue_.emplace(Key{when, sequence_++}, std::move(action));
}

int RealTimeScheduler::runDue() {
    const std::uint64_t horizon = sequence_;
    const Micros now = elapsed_();
    int ran = 0;
    for (auto it = queue_.begin(); it != queue_.end() && it->first.first <= now;) {
        if (it->first.second >= horizon) {
            ++it;
            continue;
        }
        auto action = std::move(it->second);
        // An action may pump the event loop and so run the queue again from inside itself.
        const std::optional<Micros> outer = std::exchange(running_, it->first.first);
        queue_.erase(it);
        action();
        running_ = outer;
        ++ran;
        it = queue_.begin();  // the action may have changed the queue
    }
    return ran;
}

std::optional<Micros> RealTimeScheduler::nextDue() const {
    if (queue_.empty()) {
        return std::nullopt;
    }
    return queue_.begin()->first.first;
}

}  // namespace quendrix::sim
