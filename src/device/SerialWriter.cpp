#include "device/SerialWriter.h"

namespace quendrix::device {

void SerialWriter::EnsurePortOpen(FailureRule& rule) {
    auto& port = form_.MSComm1;
    if (shutDown() || port.PortOpen()) {
        return;
    }
    rule.ignoreFromHereOn();
    rule.step([&] { port.setRThreshold(1); });
    rule.step([&] { port.setInputLen(1); });
    rule.step([&] { port.setSettings("9600,N,8,1"); });
    rule.step([&] { port.setPortOpen(true); });
}

bool SerialWriter::writeLine(FailureRule& rule, std::string_view text) {
    if (shutDown()) {
        return false;
    }
    auto& port = form_.MSComm1;
    return rule.step([&] { port.Output(text); }) && rule.step([&] { port.Output("\r"); }) &&
           rule.step([&] { port.Output("\n"); });
}

}  // namespace quendrix::device
