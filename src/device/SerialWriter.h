#pragma once

#include <string_view>

#include "form/Inventory.h"
#include "platform/SerialPort.h"

namespace quendrix::device {

// The sending side of the serial-port component: opens it on first use and puts a command
// line on the wire. Once the main window has closed nothing reaches the port any more: a
// send still waiting further down the stack must not open it again.
class SerialWriter {
public:
    explicit SerialWriter(form::Inventory& form) : form_(form) {}

    // Sets the port up as the controllers want it: 9600 baud, 8N1, one character per
    // notification.
    static void configure(platform::SerialPort& port);

    // Puts the text, CR and LF on the wire as three separate writes, first setting the port up
    // and opening it if it is not open yet; a send that had to open it skips every failure.
    // Returns false when a failure ended the send, and always once the window has closed.
    bool send(std::string_view text);

private:
    bool shutDown() const { return form_.MainForm.closed(); }

    form::Inventory& form_;
};

}  // namespace quendrix::device
