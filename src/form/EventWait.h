#pragma once

#include "platform/EventPump.h"
#include "platform/Window.h"

namespace quendrix::form {

// The pumping behind every wait of the program: one pump, then the caller re-tests its
// condition. Once the main window has closed a wait leaves at its next pass: shut-down has
// disarmed every timer, so a wait that pumped on would block for ever and keep the process
// alive.
class EventWait {
public:
    EventWait(platform::EventPump& pump, const platform::Window& window)
        : pump_(pump), window_(window) {}

    bool windowClosed() const { return window_.closed(); }

    // One blocking pump, unless the window has closed. Returns false once it has.
    bool pumpOnce() {
        if (windowClosed()) {
            return false;
        }
        pump_.pumpOnce();
        return true;
    }

    // Handles what is pending without blocking: the yield of a loop that keeps working.
    // Returns false once the window has closed.
    bool yield() {
        if (window_.closed()) {
            return false;
        }
        pump_.pumpPending();
        return !window_.closed();
    }

    // Pumps until `done` holds or the window has closed; returns whether `done` held.
    template <typename Done>
    bool until(Done done) {
        while (!done()) {
            if (!pumpOnce()) {
                return false;
            }
        }
        return true;
    }

private:
    platform::EventPump& pump_;
    const platform::Window& window_;
};

}  // namespace quendrix::form
