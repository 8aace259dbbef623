#include "device/SerialWriter.h"

#include "form/FailureRule.h"

namespace quendrix::device {

void SerialWriter::configure(platform::SerialPort& port) {
    port.setRThreshold(1);
    port.setInputLen(1);
    port.setSettings("9600,N,8,1");
}

bool SerialWriter::send(std::string_view text) {
    if (shutDown()) {
        return false;
    }
    auto& port = form_.MSComm1;
    form::FailureRule rule(form_.diagnostics);
    if (!port.PortOpen()) {
        rule.skipFromHereOn();
        rule.step([&] { configure(port); });
        rule.step([&] { port.setPortOpen(true); });
    }
    return rule.step([&] { port.Output(text); }) && rule.step([&] { port.Output("\r"); }) &&
           rule.step([&] { port.Output("\n"); });
}

}  // namespace quendrix::device
