#pragma once

#include <string>
#include <vector>

#include "sim/clock/VirtualClock.h"
#include "sim/instrument/InstrumentSerialLine.h"

namespace quendrix::sim {

// The program's serial port in virtual time: port `instrumentPort` leads to the simulated
// instrument, every other port number does not exist. Everything the program writes is kept
// with its time, for the tests to read.
class SimSerialLine final : public InstrumentSerialLine {
public:
    struct Write {
        Micros at;
        std::string bytes;
    };

    SimSerialLine(VirtualClock& clock, FaultSwitches faults, int instrumentPort = 1);

    void open(int port, const platform::LineSettings& settings) override;
    void write(std::string_view bytes) override;
    std::string deviceName(int port) const override {
        return port == instrumentPort_ ? "sim" : std::string();
    }

    int openCount() const { return openCount_; }
    const std::vector<Write>& writes() const { return writes_; }
    // All bytes written so far, in order.
    std::string written() const;

private:
    VirtualClock& clock_;
    int instrumentPort_;
    std::vector<Write> writes_;
    int openCount_ = 0;
};

}  // namespace quendrix::sim
