#include "device/CommandSender.h"

#include "form/Counter.h"

namespace quendrix::device {

CommandSender::CommandSender(form::Inventory& form, SerialWriter& writer, RunLog& log,
                             CommunicationWatchdog& watchdog)
    : form_(form), writer_(writer), log_(log), watchdog_(watchdog) {}

std::string CommandSender::frame(std::string_view address, std::string_view text) {
    std::string framed = "/";
    framed += address;
    framed += text;
    return framed;
}

bool CommandSender::isLogged(std::string_view framedCommand) {
    return framedCommand.find('Q') == std::string_view::npos;
}

void CommandSender::prepare(const std::string& address, const std::string& text) {
    form_.flags.CurrentAddress = address;
    form_.strPumpString.setText(frame(form_.flags.CurrentAddress, text));
}

void CommandSender::SendToDevice(const std::string& strAddress, const std::string& strSendString,
                                 const std::string& strWaitFlag) {
    form_.ShapeUnitStatus.setFillColor(platform::kRed);
    prepare(strAddress, strSendString);
    const bool testMode = form_.flags.TestMode;
    if (testMode) {
        form_.tmrTestingTimer.setEnabled(true);
    } else {
        if (!writer_.send(form_.strPumpString.text())) {
            return;
        }
        watchdog_.arm();
        form_.flags.ReplyReceived = false;
    }
    if (strWaitFlag == "W") {
        form::Counter(form_.RetryCounter2).raise();
    }
    waitForReply(!testMode);
    watchdog_.disarm();
    logSent();
}

void CommandSender::SendToDeviceNow(const std::string& strAddress,
                                    const std::string& strSendString) {
    prepare(strAddress, strSendString);
    if (!writer_.send(form_.strPumpString.text())) {
        return;
    }
    logSent();
}

// Outside a protocol run this ends at once. A test-mode send arms no watchdog, so only a
// reply or the end of the run ends its wait.
void CommandSender::waitForReply(bool watched) {
    const auto done = [this] { return form_.flags.ReplyReceived || !form_.flags.ProtocolRunning; };
    if (watched) {
        watchdog_.waitUntil(form_.events, done);
    } else {
        form_.events.until(done);
    }
}

// The box is read after the wait: a send made meanwhile has replaced its text.
void CommandSender::logSent() {
    const std::string& framed = form_.strPumpString.text();
    if (isLogged(framed)) {
        log_.sent(framed);
    }
}

}  // namespace quendrix::device
