#include "device/ReplyReceiver.h"

#include <string_view>

#include "form/FailureRule.h"

namespace quendrix::device {

namespace {

constexpr std::size_t kLoggedDataLength = 3;  // a data part longer than this gets its own entry

}  // namespace

ReplyReceiver::ReplyReceiver(form::Inventory& form, RunLog& log, CommunicationWatchdog& watchdog)
    : form_(form), log_(log), watchdog_(watchdog) {}

// The kind of notification is not examined. The port may hand over several characters at
// once; each is taken in order.
void ReplyReceiver::MSComm1_OnComm() {
    std::string received;
    if (!form::FailureRule(form_.diagnostics).step([&] { received = form_.MSComm1.Input(); })) {
        return;
    }
    for (const char character : received) {
        take(character);
    }
}

// A "/" replaces the buffer in one change, so that an observer never sees it empty unless
// the runner emptied it.
void ReplyReceiver::take(char character) {
    switch (ReplyFramer::step(character, form_.Text3.text().size())) {
        case ReplyFramer::Step::Restart:
            form_.Text3.setText(std::string(1, character));
            break;
        case ReplyFramer::Step::Append:
            form_.Text3.append(std::string_view(&character, 1));
            break;
        case ReplyFramer::Step::Drop:
            break;
        case ReplyFramer::Step::ReplyEnds:
            form_.Shape1.setFillColor(platform::kGreen);
            form_.Timer1.setEnabled(true);
            DecodeResponse();
            break;
    }
}

// The flags and the unit indicator are set whether or not a run log is open: the "Send"
// button waits on that indicator outside any run.
void ReplyReceiver::DecodeResponse() {
    watchdog_.disarm();
    const std::optional<Reply> reply = Reply::parse(form_.Text3.text());
    if (!reply) {
        return;
    }
    form_.chrErrorCode.setText(std::to_string(reply->errorCode));
    form_.QueryErrorCode.setText(form_.chrErrorCode.text());
    form_.strResponse.setText(reply->data);
    form_.flags.ReplyReceived = true;
    if (form_.strResponse.text().size() > kLoggedDataLength) {
        log_.received(form_.strResponse.text());
    }
    form_.QueryResponse.setText(form_.strResponse.text());
    if (form_.flags.StatusQueryMode == 0) {
        showReadiness(reply->ready);
    }
    log_.received(form_.Text3.text());
    onDecoded.notify(*reply);
}

void ReplyReceiver::showReadiness(bool ready) {
    if (ready) {
        form_.flags.DeviceBusy = false;
        form_.ShapeUnitStatus.setFillColor(platform::kGreen);
    } else {
        form_.ShapeUnitStatus.setFillColor(platform::kRed);
    }
}

void ReplyReceiver::Timer1_Timer() {
    form_.Timer1.setEnabled(false);
    form_.Shape1.setFillColor(platform::kBlack);
}

}  // namespace quendrix::device
