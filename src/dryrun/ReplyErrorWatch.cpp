#include "dryrun/ReplyErrorWatch.h"

#include "sim/instrument/ControllerError.h"

namespace quendrix::dryrun {
namespace {

// Status queries and reports leave the code as it was; every other text is a command string.
bool isCommandString(std::string_view text) {
    return !text.empty() && text.front() != 'Q' && text.front() != '?' && text.front() != '&';
}

}  // namespace

void ReplyErrorWatch::rowStarted(int row, std::string_view address) {
    row_ = row;
    prefix_ = address.empty() ? std::string() : "/" + std::string(address);
    commandSent_ = false;
    replacesCode_ = false;
    reported_ = false;
    lastCode_ = 0;
}

void ReplyErrorWatch::frameSent(std::string_view frame) {
    if (prefix_.empty() || !frame.starts_with(prefix_)) {
        return;
    }
    const std::string_view text = frame.substr(prefix_.size());
    const bool poll = text == "Q1" || text == "Q2";
    commandSent_ = commandSent_ || !poll;
    replacesCode_ = !poll && isCommandString(text);
}

void ReplyErrorWatch::replyReceived(const device::Reply& reply) {
    const int code = reply.errorCode;
    if (commandSent_ && !reported_ && code != 0 && (replacesCode_ || code != lastCode_)) {
        findings_.add(row_, Finding::Severity::Error, describe(code));
        reported_ = true;
    }
    lastCode_ = code;
    replacesCode_ = false;
}

std::string ReplyErrorWatch::describe(int code) {
    const std::string text = "error " + std::to_string(code);
    const sim::ControllerErrorMeaning* meaning = sim::meaningOf(code);
    if (meaning == nullptr) {
        return text + ", a code the controllers do not give";
    }
    return text + ", " + std::string(meaning->name) + ": " + std::string(meaning->cause);
}

}  // namespace quendrix::dryrun
