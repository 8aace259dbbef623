#include "record/TranscriptLine.h"

#include <cstdio>

namespace quendrix::record {
namespace {

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

std::string TranscriptLine::milliseconds(std::chrono::microseconds time) {
    char text[32];
    std::snprintf(text, sizeof text, "%9lld.%03lld", static_cast<long long>(time.count() / 1000),
                  static_cast<long long>(time.count() % 1000));
    return text;
}

std::string TranscriptLine::line(std::chrono::microseconds time, bool toInstrument, char byte) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(byte));
    return milliseconds(time) + (toInstrument ? " host>sim " : " sim>host ") + hex + ' ' +
           shown(byte);
}

}  // namespace quendrix::record
