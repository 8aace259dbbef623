#pragma once

#include <functional>
#include <string_view>

#include "sim/clock/Scheduler.h"
#include "sim/instrument/FaultSwitches.h"
#include "sim/instrument/PacedLine.h"
#include "sim/instrument/SimulatedInstrument.h"

namespace quendrix::sim {

// The whole serial line with the instrument at its far end: bytes the host writes reach the
// instrument paced at 9600 baud, and its replies reach the host the same way.
class InstrumentLine {
public:
    enum class Direction { toInstrument, toHost };

    InstrumentLine(Scheduler& scheduler, FaultSwitches faults);
    InstrumentLine(const InstrumentLine&) = delete;
    InstrumentLine& operator=(const InstrumentLine&) = delete;

    // Bytes the host hands to the line now.
    void hostWrite(std::string_view bytes);
    // Receives each reply byte at the moment it has arrived on the host's side.
    void setHostReceiver(std::function<void(char)> receiver) {
        hostReceiver_ = std::move(receiver);
    }
    void setOnHangUp(std::function<void()> onHangUp) { onHangUp_ = std::move(onHangUp); }
    // Sees every byte in either direction at the moment it arrives.
    void setMonitor(std::function<void(Direction, char)> monitor) { monitor_ = std::move(monitor); }
    // Sees the host's bytes at the moment it writes them, before the line carries them.
    void setWriteMonitor(std::function<void(std::string_view)> monitor) {
        writeMonitor_ = std::move(monitor);
    }

    bool hungUp() const { return hungUp_; }
    SimulatedInstrument& instrument() { return instrument_; }
    const SimulatedInstrument& instrument() const { return instrument_; }

private:
    void arrive(Direction direction, char byte);

    std::function<void(char)> hostReceiver_;
    std::function<void()> onHangUp_;
    std::function<void(Direction, char)> monitor_;
    std::function<void(std::string_view)> writeMonitor_;
    bool hungUp_ = false;
    PacedLine toInstrument_;
    PacedLine toHost_;
    SimulatedInstrument instrument_;
};

}  // namespace quendrix::sim
