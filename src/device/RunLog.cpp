#include "device/RunLog.h"

#include <string>

#include "form/FailureRule.h"

namespace quendrix::device {

void RunLog::write(std::string_view prefix, std::string_view text) {
    if (!slot_.isOpen()) {
        return;
    }
    std::string entry(prefix);
    entry += text;
    // A log that cannot be written (a full disk) loses this entry only: the exchange it
    // records, and the decode that the waiting senders depend on, go on.
    form::runOrSkip(diagnostics_, [&] { slot_.writeRecord(entry); });
}

}  // namespace quendrix::device
