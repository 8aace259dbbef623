#pragma once

#include <QStringList>
#include <chrono>
#include <string>
#include <string_view>

#include "platform/SerialPort.h"
#include "qt/serial/QtSerialLine.h"
#include "support/ConfigHome.h"
#include "support/SimulatorProcess.h"

namespace quendrix::qt::bench {

// The program's serial port on the Qt line, port 1 leading to a quendrix-sim child process
// through per-user settings of its own. Waits pump the event queue as the program's do.
class InstrumentLink {
public:
    using Clock = std::chrono::steady_clock;

    // Starts the simulator with `options` and opens port 1 on it; ok() tells whether both
    // worked.
    explicit InstrumentLink(const QStringList& options);
    ~InstrumentLink();
    InstrumentLink(const InstrumentLink&) = delete;
    InstrumentLink& operator=(const InstrumentLink&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    // Writes the command, CR and LF; returns the moment the write returned.
    Clock::time_point send(std::string_view command);
    // Pumps until a CR arrives or `timeout` passes; tells whether the CR arrived.
    bool awaitReplyEnd(std::chrono::milliseconds timeout);
    Clock::time_point lastReplyEnd() const { return lastReplyEnd_; }
    // Pumps until the port has closed itself after losing the device.
    bool awaitLineLost(std::chrono::milliseconds timeout);
    // Pumps for `duration`, handling whatever comes.
    void idle(std::chrono::milliseconds duration);

private:
    testsupport::ConfigHome configHome_;
    testsupport::SimulatorProcess simulator_;
    QtSerialLine line_;
    platform::SerialPort port_{line_};
    platform::Subscription receive_;
    bool replyEnded_ = false;
    Clock::time_point lastReplyEnd_;
    std::string error_;
};

}  // namespace quendrix::qt::bench
