#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/SerialLine.h"
#include "sim/VirtualClock.h"
#include "sim/instrument/FaultSwitches.h"
#include "sim/instrument/InstrumentLine.h"

namespace quendrix::sim {

// The program's serial port in virtual time: port `instrumentPort` leads to the simulated
// instrument, every other port number does not exist. Everything the program writes is kept
// with its time, for the tests to read.
class SimSerialLine final : public platform::SerialLine {
public:
    struct Write {
        Micros at;
        std::string bytes;
    };

    SimSerialLine(VirtualClock& clock, FaultSwitches faults, int instrumentPort = 1);

    void open(int port, const platform::LineSettings& settings) override;
    void close() override;
    void write(std::string_view bytes) override;
    void setReceiver(platform::SerialLineReceiver* receiver) override { receiver_ = receiver; }

    bool isOpen() const { return open_; }
    int openCount() const { return openCount_; }
    const platform::LineSettings& settings() const { return settings_; }
    const std::vector<Write>& writes() const { return writes_; }
    // All bytes written so far, in order.
    std::string written() const;
    InstrumentLine& line() { return *line_; }
    SimulatedInstrument& instrument() { return line_->instrument(); }
    // Plugs a fresh instrument in after a hang-up.
    void reconnect(FaultSwitches faults = {});

private:
    void attach();

    VirtualClock& clock_;
    int instrumentPort_;
    std::unique_ptr<InstrumentLine> line_;
    platform::SerialLineReceiver* receiver_ = nullptr;
    platform::LineSettings settings_;
    std::vector<Write> writes_;
    bool open_ = false;
    int openCount_ = 0;
};

}  // namespace quendrix::sim
