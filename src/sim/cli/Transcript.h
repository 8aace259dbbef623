#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "sim/clock/Scheduler.h"
#include "sim/instrument/InstrumentLine.h"

namespace quendrix::sim {

// A record of the line, one byte a line, each at the moment it arrived at the far end:
//
//     # time_ms direction hex char
//         5.208 host>sim 0D CR
//         6.749 sim>host 2F /
//
// The time is in milliseconds with microsecond digits; the hex field is the byte, and the
// char field shows it as text (CR, LF, ETX, SP or "." for other unprintable bytes).
// Lines starting with "#" are remarks.
class Transcript {
public:
    explicit Transcript(std::ostream& out);

    void record(Micros time, InstrumentLine::Direction direction, char byte);
    void remark(Micros time, std::string_view text);

    static std::string line(Micros time, InstrumentLine::Direction direction, char byte);

private:
    std::ostream& out_;
};

}  // namespace quendrix::sim
