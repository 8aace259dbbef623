#pragma once

#include <cstdint>

#include "form/EventWait.h"
#include "platform/ChangeNotifier.h"
#include "platform/Timer.h"

namespace quendrix::device {

// The 30-s watchdog of the sending waits, on tmrCommunicationTimeout. Every decode disarms
// the timer, so running out is counted on its own: a wait ends when the watchdog expires,
// not when a reply merely stops it.
class CommunicationWatchdog {
public:
    // Counts the timer's ticks; the tick also disarms it.
    explicit CommunicationWatchdog(platform::Timer& timer);
    CommunicationWatchdog(const CommunicationWatchdog&) = delete;
    CommunicationWatchdog& operator=(const CommunicationWatchdog&) = delete;

    void arm() { timer_.setEnabled(true); }
    void disarm() { timer_.setEnabled(false); }
    bool armed() const { return timer_.enabled(); }

    // Pumps until `done` holds, the window closes, or the watchdog runs out. A reply that
    // does not end the wait has stopped the watchdog; it starts again, so the wait still
    // ends 30 s after the last sign of life.
    template <typename Done>
    void waitUntil(form::EventWait& events, Done done) {
        const std::uint64_t before = expiries_;
        events.until([&] {
            if (done() || expiries_ != before || events.windowClosed()) {
                return true;
            }
            if (!armed()) {
                arm();
            }
            return false;
        });
    }

private:
    platform::Timer& timer_;
    std::uint64_t expiries_ = 0;
    platform::Subscription tick_;
};

}  // namespace quendrix::device
