#include "sim/cli/Transcript.h"

#include "record/TranscriptLine.h"

namespace quendrix::sim {

using record::TranscriptLine;

Transcript::Transcript(std::ostream& out) : out_(out) {
    out_ << TranscriptLine::kHeader << std::endl;
}

void Transcript::record(Micros time, InstrumentLine::Direction direction, char byte) {
    out_ << line(time, direction, byte) << '\n';
    out_.flush();
}

void Transcript::remark(Micros time, std::string_view text) {
    out_ << "# " << TranscriptLine::milliseconds(time) << ' ' << text << std::endl;
}

std::string Transcript::line(Micros time, InstrumentLine::Direction direction, char byte) {
    return TranscriptLine::line(time, direction == InstrumentLine::Direction::toInstrument, byte);
}

}  // namespace quendrix::sim
