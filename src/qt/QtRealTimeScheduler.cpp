#include "qt/QtRealTimeScheduler.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace quendrix::qt {

using namespace std::chrono_literals;

QtRealTimeScheduler::QtRealTimeScheduler() : queue_([this] { return elapsed(); }) {
    clock_.start();
    timer_.setSingleShot(true);
    // A coarse timer may wake 5% off, and the line's characters are due a millisecond apart.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { runDue(); });
}

void QtRealTimeScheduler::at(sim::Micros when, std::function<void()> action) {
    queue_.at(when, std::move(action));
    arm();
}

sim::Micros QtRealTimeScheduler::elapsed() const {
    return std::chrono::duration_cast<sim::Micros>(std::chrono::nanoseconds(clock_.nsecsElapsed()));
}

void QtRealTimeScheduler::runDue() {
    armedFor_.reset();
    queue_.runDue();
    arm();
}

void QtRealTimeScheduler::arm() {
    const std::optional<sim::Micros> next = queue_.nextDue();
    if (!next) {
        timer_.stop();
        armedFor_.reset();
        return;
    }
    if (timer_.isActive() && armedFor_ == next) {
        return;
    }
    armedFor_ = next;
    // Rounded up to the timer's milliseconds: a wake-up before the action is due would find
    // nothing to run.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - elapsed());
    timer_.start(std::max(wait, 0ms));
}

}  // namespace quendrix::qt
