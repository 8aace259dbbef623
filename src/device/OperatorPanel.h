#pragma once

#include "device/CommunicationWatchdog.h"
#include "device/SerialWriter.h"
#include "form/Inventory.h"

namespace quendrix::device {

// The buttons of the "Communications" panel: "Send" puts the command box on the line as the
// operator typed it and waits for the unit to report ready; "Query Status" asks the device
// last addressed for its status.
class OperatorPanel {
public:
    OperatorPanel(form::Inventory& form, SerialWriter& writer, CommunicationWatchdog& watchdog);

    void subSendToPump();
    void StatusQuery();

private:
    bool unitReady() const;

    form::Inventory& form_;
    SerialWriter& writer_;
    CommunicationWatchdog& watchdog_;
};

}  // namespace quendrix::device
