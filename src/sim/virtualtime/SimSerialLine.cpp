#include "sim/virtualtime/SimSerialLine.h"

#include "platform/Failure.h"

namespace quendrix::sim {

SimSerialLine::SimSerialLine(VirtualClock& clock, FaultSwitches faults, int instrumentPort)
    : InstrumentSerialLine(clock, faults), clock_(clock), instrumentPort_(instrumentPort) {}

void SimSerialLine::open(int port, const platform::LineSettings& settings) {
    if (!isOpen() && port != instrumentPort_) {
        throw platform::Failure("no such port: " + std::to_string(port));
    }
    InstrumentSerialLine::open(port, settings);
    ++openCount_;
}

void SimSerialLine::write(std::string_view bytes) {
    InstrumentSerialLine::write(bytes);
    writes_.push_back({clock_.now(), std::string(bytes)});
}

std::string SimSerialLine::written() const {
    std::string all;
    for (const auto& w : writes_) {
        all += w.bytes;
    }
    return all;
}

}  // namespace quendrix::sim
