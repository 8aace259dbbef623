#include "device/OperatorPanel.h"

#include <string>

namespace quendrix::device {

OperatorPanel::OperatorPanel(form::Inventory& form, SerialWriter& writer,
                             CommunicationWatchdog& watchdog)
    : form_(form), writer_(writer), watchdog_(watchdog) {}

bool OperatorPanel::unitReady() const {
    return form_.ShapeUnitStatus.fillColor() == platform::kGreen;
}

// The box is sent unframed: the operator types the whole command, "/" and address included,
// and the address is taken from where it stands in a well-typed command.
void OperatorPanel::subSendToPump() {
    form_.ShapeUnitStatus.setFillColor(platform::kRed);
    const std::string command = form_.strPumpString.text();
    form_.flags.CurrentAddress = command.size() >= 2 ? command.substr(1, 1) : std::string();
    if (!writer_.send(command)) {
        return;
    }
    // A controller that never answers ready must not hold this handler for ever.
    watchdog_.arm();
    watchdog_.waitUntil(form_.events, [this] { return unitReady(); });
    watchdog_.disarm();
}

// In status-query mode 0, the only one in use, the query goes to the device last addressed.
void OperatorPanel::StatusQuery() {
    form_.flags.ReplyReceived = false;
    const std::string query = "/" + form_.flags.CurrentAddress + "Q";
    if (!writer_.send(query)) {
        return;
    }
    form_.QueryString.setText(query);
}

}  // namespace quendrix::device
