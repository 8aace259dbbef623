#include "device/SerialWriter.h"

namespace quendrix::device {

void SerialWriter::EnsurePortOpen(FailureRule& rule) {
    if (port_.PortOpen()) {
        return;
    }
    rule.ignoreFromHereOn();
    rule.step([&] { port_.setRThreshold(1); });
    rule.step([&] { port_.setInputLen(1); });
    rule.step([&] { port_.setSettings("9600,N,8,1"); });
    rule.step([&] { port_.setPortOpen(true); });
}

bool SerialWriter::writeLine(FailureRule& rule, std::string_view text) {
    return rule.step([&] { port_.Output(text); }) && rule.step([&] { port_.Output("\r"); }) &&
           rule.step([&] { port_.Output("\n"); });
}

}  // namespace quendrix::device
