#include "sim/instrument/InstrumentLine.h"

#include <utility>

namespace quendrix::sim {

InstrumentLine::InstrumentLine(Scheduler& scheduler, FaultSwitches faults)
    : toInstrument_(scheduler, [this](char byte) { arrive(Direction::toInstrument, byte); }),
      toHost_(scheduler, [this](char byte) { arrive(Direction::toHost, byte); }),
      instrument_(scheduler, faults, [this](std::string_view bytes) { toHost_.send(bytes); }) {
    instrument_.onHangUp = [this] {
        hungUp_ = true;
        if (onHangUp_) {
            onHangUp_();
        }
    };
}

void InstrumentLine::hostWrite(std::string_view bytes) {
    if (hungUp_) {
        return;
    }
    if (writeMonitor_) {
        writeMonitor_(bytes);
    }
    toInstrument_.send(bytes);
}

// Bytes still on their way when the line goes away are lost with it.
void InstrumentLine::arrive(Direction direction, char byte) {
    if (hungUp_) {
        return;
    }
    if (monitor_) {
        monitor_(direction, byte);
    }
    if (direction == Direction::toInstrument) {
        instrument_.receive(byte);
    } else if (hostReceiver_) {
        hostReceiver_(byte);
    }
}

}  // namespace quendrix::sim
