#pragma once

#include "form/Inventory.h"

namespace quendrix::runner {

// The end of every run: the flags down, the caption, the run's panels and timers, the grid
// back at its top, the run log closed.
class StopRoutine {
public:
    explicit StopRoutine(form::Inventory& form) : form_(form) {}

    // Safe to call more than once, and with nothing open on the file slot.
    void StopProtocol();

private:
    void resetGrid();

    form::Inventory& form_;
};

}  // namespace quendrix::runner
