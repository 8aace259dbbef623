#pragma once

#include <QObject>
#include <unordered_map>

#include "platform/Timer.h"

class QTimer;

namespace quendrix::qt {

// One precise single-shot QTimer per program timer. The QTimers are this object's children
// and live as long as it does.
class QtTimerScheduler final : public QObject, public platform::TimerScheduler {
    Q_OBJECT

public:
    void start(platform::Timer& timer, std::chrono::milliseconds interval) override;
    void stop(platform::Timer& timer) override;

private:
    QTimer& qtTimerFor(platform::Timer& timer);

    std::unordered_map<const platform::Timer*, QTimer*> timers_;
};

}  // namespace quendrix::qt
