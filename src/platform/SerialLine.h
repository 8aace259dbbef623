#pragma once

#include <string>
#include <string_view>

#include "platform/LineSettings.h"

namespace quendrix::platform {

// Where a serial line delivers what it receives.
class SerialLineReceiver {
public:
    virtual ~SerialLineReceiver() = default;
    virtual void onBytes(std::string_view bytes) = 0;
    // The device went away (adapter unplugged, far end closed). Called from the event loop,
    // never from inside the line's own error handling; the line is still open and the
    // receiver closes it.
    virtual void onLineLost() = 0;
};

// The platform's serial device: a real port, or the simulated instrument's line.
class SerialLine {
public:
    virtual ~SerialLine() = default;
    // Opens port number `port`; throws Failure when there is no such port or it is in use.
    virtual void open(int port, const LineSettings& settings) = 0;
    virtual void close() = 0;
    // Throws Failure when the bytes cannot be written.
    virtual void write(std::string_view bytes) = 0;
    virtual void setReceiver(SerialLineReceiver* receiver) = 0;
    // What port number `port` leads to, for a person ("/dev/ttyUSB0"); empty when unknown.
    virtual std::string deviceName(int /*port*/) const { return {}; }
};

}  // namespace quendrix::platform
