#pragma once

#include <string_view>

#include "device/FailureRule.h"
#include "platform/SerialPort.h"

namespace quendrix::device {

// The sending side of the serial-port component: opens it on first use and puts a command
// line on the wire.
class SerialWriter {
public:
    explicit SerialWriter(platform::SerialPort& port) : port_(port) {}

    // Opens the port at 9600 baud, 8N1, one character per notification, if it is not open
    // yet; from then on `rule` ignores every failure of the calling operation.
    void EnsurePortOpen(FailureRule& rule);

    // The text, CR and LF as three separate writes. Returns false when `rule` ends the
    // operation.
    bool writeLine(FailureRule& rule, std::string_view text);

private:
    platform::SerialPort& port_;
};

}  // namespace quendrix::device
