#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/VirtualClock.h"
#include "sim/instrument/InstrumentLine.h"

namespace quendrix::sim::testing {

// The host's end of a simulated line: writes commands, keeps every byte that comes back
// with the moment it arrived.
class LineHarness {
public:
    explicit LineHarness(FaultSwitches faults = {}) : line(clock, faults) {
        line.setHostReceiver([this](char byte) { received.push_back({clock.now(), byte}); });
    }

    // Frames `text` ("1ZR") as the host does, lets `span` of line time pass and returns what
    // came back meanwhile.
    std::string exchange(std::string_view text, Micros span = Micros{50'000}) {
        const std::size_t before = received.size();
        line.hostWrite("/" + std::string(text) + "\r\n");
        clock.advanceBy(span);
        return bytes(before);
    }

    std::string bytes(std::size_t first = 0) const {
        std::string bytes;
        for (std::size_t i = first; i < received.size(); ++i) {
            bytes += received[i].second;
        }
        return bytes;
    }

    VirtualClock clock;
    InstrumentLine line;
    std::vector<std::pair<Micros, char>> received;
};

// The reply a healthy controller sends with status byte `status` and `data`.
inline std::string reply(int status, std::string_view data = {}) {
    return SimulatedInstrument::frameReply(static_cast<std::uint8_t>(status), data);
}

}  // namespace quendrix::sim::testing
