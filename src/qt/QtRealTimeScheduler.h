#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <optional>

#include "sim/clock/RealTimeScheduler.h"

namespace quendrix::qt {

// The wall clock with a queue of actions, run by the event loop: one precise single-shot
// QTimer stays armed for the earliest action. While an action runs, now() is the time it
// was due, so the simulated line's pacing carries no wake-up jitter forward.
class QtRealTimeScheduler final : public sim::Scheduler {
public:
    QtRealTimeScheduler();
    QtRealTimeScheduler(const QtRealTimeScheduler&) = delete;
    QtRealTimeScheduler& operator=(const QtRealTimeScheduler&) = delete;

    sim::Micros now() const override { return queue_.now(); }
    void at(sim::Micros when, std::function<void()> action) override;

private:
    sim::Micros elapsed() const;
    void runDue();
    void arm();

    QElapsedTimer clock_;
    sim::RealTimeScheduler queue_;
    QTimer timer_;
    std::optional<sim::Micros> armedFor_;
};

}  // namespace quendrix::qt
