#pragma once

#include "platform/EventPump.h"
#include "platform/Window.h"

namespace quendrix::device {

// The pumping behind every wait of the device link: one pump, then the caller re-tests its
// condition. Once the main window has closed a wait leaves at its next pass, so no wait
// hidden further down the stack keeps the program alive.
class EventWait {
public:
    EventWait(platform::EventPump& pump, const platform::Window& window)
        : pump_(pump), window_(window) {}

    bool windowClosed() const { return window_.closed(); }
    void pumpOnce() { pump_.pumpOnce(); }

    // Pumps until `done` holds or the window has closed.
    template <typename Done>
    void until(Done done) {
        while (!done() && !windowClosed()) {
            pump_.pumpOnce();
        }
    }

private:
    platform::EventPump& pump_;
    const platform::Window& window_;
};

}  // namespace quendrix::device
