#include "sim/cli/Transcript.h"

#include <cstdio>

namespace quendrix::sim {

namespace {

std::string milliseconds(Micros time) {
    char text[32];
    std::snprintf(text, sizeof text, "%9lld.%03lld", static_cast<long long>(time.count() / 1000),
                  static_cast<long long>(time.count() % 1000));
    return text;
}

std::string shown(char byte) {
    switch (byte) {
        case '\r':
            return "CR";
        case '\n':
            return "LF";
        case '\x03':
            return "ETX";
        case ' ':
            return "SP";
        default:
            return byte > ' ' && byte < '\x7F' ? std::string(1, byte) : ".";
    }
}

}  // namespace

Transcript::Transcript(std::ostream& out) : out_(out) {
    out_ << "# time_ms direction hex char" << std::endl;
}

void Transcript::record(Micros time, InstrumentLine::Direction direction, char byte) {
    out_ << line(time, direction, byte) << '\n';
    out_.flush();
}

void Transcript::remark(Micros time, std::string_view text) {
    out_ << "# " << milliseconds(time) << ' ' << text << std::endl;
}

std::string Transcript::line(Micros time, InstrumentLine::Direction direction, char byte) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(byte));
    const char* way =
        direction == InstrumentLine::Direction::toInstrument ? "host>sim" : "sim>host";
    return milliseconds(time) + ' ' + way + ' ' + hex + ' ' + shown(byte);
}

}  // namespace quendrix::sim
