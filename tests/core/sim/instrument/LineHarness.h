#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "sim/clock/VirtualClock.h"
#include "sim/instrument/InstrumentLine.h"

namespace quendrix::sim::testing {

// The host's end of a simulated line: keeps every byte that comes back and when it arrived.
struct LineHarness {
    explicit LineHarness(FaultSwitches faults = {}) : line(clock, faults) {
        line.setHostReceiver([this](char byte) {
            received += byte;
            arrivals.push_back(clock.now());
        });
    }

    // Frames `text` ("1ZR") as the host does and returns what came back within `span`.
    std::string exchange(std::string_view text, Micros span = Micros{50'000}) {
        const std::size_t before = received.size();
        line.hostWrite("/" + std::string(text) + "\r\n");
        clock.advanceBy(span);
        return received.substr(before);
    }

    VirtualClock clock;
    InstrumentLine line;
    std::string received;
    std::vector<Micros> arrivals;
};

template <typename T>
FaultSwitches with(T FaultSwitches::*fault, std::type_identity_t<T> value) {
    FaultSwitches faults;
    faults.*fault = value;
    return faults;
}

inline std::string reply(int status, std::string_view data = {}) {
    return SimulatedInstrument::frameReply(static_cast<std::uint8_t>(status), data);
}

}  // namespace quendrix::sim::testing
