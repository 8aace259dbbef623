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
    address_ = address;
    asked_ = nullptr;
}

void ReplyErrorWatch::frameSent(std::string_view frame) {
    const std::string prefix = "/" + address_;
    if (address_.empty() || !frame.starts_with(prefix)) {
        asked_ = nullptr;
        return;
    }
    const std::string_view text = frame.substr(prefix.size());
    asked_ = &drives_[address_];
    replacesCode_ = text != "Q1" && text != "Q2" && isCommandString(text);
    if (replacesCode_) {
        asked_->commandRow = row_;
    }
}

void ReplyErrorWatch::replyReceived(const device::Reply& reply) {
    if (asked_ != nullptr) {
        seen(*asked_, reply.errorCode, replacesCode_);
        replacesCode_ = false;
    }
}

void ReplyErrorWatch::runEnded(std::string_view address, int code) {
    const auto drive = drives_.find(address);
    if (drive != drives_.end()) {
        seen(drive->second, code, false);
    }
}

void ReplyErrorWatch::seen(Drive& drive, int code, bool replacesCode) {
    if (code != 0 && drive.commandRow != 0 && (replacesCode || code != drive.code)) {
        findings_.add(drive.commandRow, Finding::Severity::Error, describe(code));
    }
    drive.code = code;
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
