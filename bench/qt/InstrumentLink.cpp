#include "InstrumentLink.h"

#include "platform/Failure.h"
#include "support/PumpUntil.h"

namespace quendrix::qt::bench {
InstrumentLink::InstrumentLink(const QStringList& options) {
    const QString device = simulator_.start(options);
    if (device.isEmpty()) {
        error_ = "quendrix-sim did not start";
        return;
    }
    configHome_.mapPort(1, device);
    port_.setSettings("9600,N,8,1");
    port_.setRThreshold(1);
    port_.setInputLen(1);
    receive_ = port_.OnComm.subscribe([this] {
        if (port_.Input() == "\r") {
            lastReplyEnd_ = Clock::now();
            replyEnded_ = true;
        }
    });
    try {
        port_.setPortOpen(true);
    } catch (const platform::Failure& failure) {
        error_ = failure.what();
    }
}

InstrumentLink::~InstrumentLink() {
    if (port_.PortOpen()) {
        port_.setPortOpen(false);
    }
}

InstrumentLink::Clock::time_point InstrumentLink::send(std::string_view command) {
    replyEnded_ = false;
    port_.Output(std::string(command) + "\r\n");
    return Clock::now();
}

bool InstrumentLink::awaitReplyEnd(std::chrono::milliseconds timeout) {
    return testsupport::pumpUntil([this] { return replyEnded_; }, timeout);
}

bool InstrumentLink::awaitLineLost(std::chrono::milliseconds timeout) {
    return testsupport::pumpUntil([this] { return !port_.PortOpen(); }, timeout);
}

void InstrumentLink::idle(std::chrono::milliseconds duration) {
    testsupport::pumpFor(duration);
}

}  // namespace quendrix::qt::bench
