#include "device/ReplyWait.h"

#include "form/Counter.h"

namespace quendrix::device {

// The order within a pass decides ties: a reply and the expiry of the response time-out
// seen in the same pass count as a time-out, and so does a reply in the pass that brings
// LoopCounter to 0.
WaitOutcome ReplyWait::AwaitDeviceReply() {
    bool waiting = true;
    bool timedOut = false;
    while (form_.flags.ProtocolRunning && waiting) {
        // Shut-down disarms every timer as it closes the window; that is no time-out.
        if (!form_.events.pumpOnce() || form_.events.windowClosed()) {
            break;
        }
        if (form_.flags.ReplyReceived) {
            timedOut = false;
            waiting = false;
        }
        if (!form_.tmrResponseTimeout.enabled()) {
            timedOut = true;
            waiting = false;
            form::Counter(form_.RetryCounter2).raise();
        }
        form::Counter loopCounter(form_.LoopCounter);
        loopCounter.lower();
        if (loopCounter.readsZero()) {
            form::Counter(form_.RetryCounter).raise();
            timedOut = true;
            waiting = false;
        }
    }
    form_.tmrResponseTimeout.setEnabled(false);
    if (timedOut) {
        return WaitOutcome::TimedOut;
    }
    return waiting ? WaitOutcome::Abandoned : WaitOutcome::Replied;
}

void ReplyWait::CountDeviceError() {
    const std::string& code = form_.chrErrorCode.text();
    if (code == "2") {
        form::Counter(form_.Error2).raise();
    } else if (code == "3") {
        form::Counter(form_.Error3).raise();
    } else if (code == "9") {
        form::Counter(form_.Error9).raise();
    }
}

}  // namespace quendrix::device
