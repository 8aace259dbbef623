#pragma once

#include <string_view>

#include "device/FailureRule.h"
#include "form/MainFormControls.h"

namespace quendrix::device {

// The sending side of the serial-port component: opens it on first use and puts a command
// line on the wire. Once the main window has closed nothing reaches the port any more: a
// send still waiting further down the stack must not open it again.
class SerialWriter {
public:
    explicit SerialWriter(form::MainFormControls& form) : form_(form) {}

    // A rule for one sending operation, reporting to the program's diagnostics.
    FailureRule rule() const { return FailureRule(form_.diagnostics); }

    // Opens the port at 9600 baud, 8N1, one character per notification, if it is not open
    // yet; from then on `rule` ignores every failure of the calling operation.
    void EnsurePortOpen(FailureRule& rule);

    // The text, CR and LF as three separate writes. Returns false when `rule` ends the
    // operation, and always once the window has closed.
    bool writeLine(FailureRule& rule, std::string_view text);

private:
    bool shutDown() const { return form_.MainForm.closed(); }

    form::MainFormControls& form_;
};

}  // namespace quendrix::device
