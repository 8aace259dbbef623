#include "device/RunLog.h"

#include <string>

#include "platform/Failure.h"

namespace quendrix::device {

void RunLog::write(std::string_view prefix, std::string_view text) {
    if (!slot_.isOpen()) {
        return;
    }
    std::string entry(prefix);
    entry += text;
    try {
        slot_.writeRecord(entry);
    } catch (const platform::Failure& failure) {
        // A log that cannot be written (a full disk) loses this entry only: the exchange it
        // records, and the decode that the waiting senders depend on, go on.
        diagnostics_.report(std::string("run log entry lost: ") + failure.what());
    }
}

}  // namespace quendrix::device
