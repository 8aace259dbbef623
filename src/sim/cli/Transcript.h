#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "sim/clock/Scheduler.h"
#include "sim/instrument/InstrumentLine.h"

namespace quendrix::sim {

// A record of the line, one byte a line, each at the moment it arrived at the far end, in the
// format of record::TranscriptLine, which a run's record shares.
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
