#pragma once

#include "form/Inventory.h"

namespace quendrix::runner {

// Arms RunTimer at its current interval and pumps until its tick has disarmed it. Returns
// false, without arming anything, once the main window has closed: shut-down has disarmed
// every timer, and the run must leave.
inline bool awaitRunTimer(form::Inventory& form) {
    if (form.events.windowClosed()) {
        return false;
    }
    form.RunTimer.setEnabled(true);
    return form.events.until([&form] { return !form.RunTimer.enabled(); }) &&
           !form.events.windowClosed();
}

}  // namespace quendrix::runner
