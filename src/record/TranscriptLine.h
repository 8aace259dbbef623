#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace quendrix::record {

// A transcript of the line has one byte a line, each at the moment it was seen:
//
//     # time_ms direction hex char
//         5.208 host>sim 0D CR
//         6.749 sim>host 2F /
//
// The time is in milliseconds with microsecond digits; the hex field is the byte, and the
// char field shows it as text (CR, LF, ETX, SP or "." for other unprintable bytes).
// Lines starting with "#" are remarks.
struct TranscriptLine {
    static constexpr std::string_view kHeader = "# time_ms direction hex char";

    static std::string line(std::chrono::microseconds time, bool toInstrument, char byte);
    // The time as a transcript line shows it: "    5.208".
    static std::string milliseconds(std::chrono::microseconds time);
};

}  // namespace quendrix::record
