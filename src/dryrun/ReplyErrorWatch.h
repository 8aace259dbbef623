#pragma once

#include <string>
#include <string_view>

#include "device/Reply.h"
#include "dryrun/FindingList.h"

namespace quendrix::dryrun {

// Finds the controller errors of each executed device row: a non-zero code in the reply to
// its command or to a completion poll. A controller repeats its code in every status until
// the next command string, so a code that a reply merely carries over (the readiness poll's,
// or one answering a query) is not the row's.
class ReplyErrorWatch {
public:
    explicit ReplyErrorWatch(FindingList& findings) : findings_(findings) {}

    // `address` empty: not a device row.
    void rowStarted(int row, std::string_view address);
    void frameSent(std::string_view frame);
    void replyReceived(const device::Reply& reply);

    // "error 9, overload: the plunger moved while the valve was turning"
    static std::string describe(int code);

private:
    FindingList& findings_;
    int row_ = 0;
    std::string prefix_;  // "/" and the row's address
    bool commandSent_ = false;
    bool replacesCode_ = false;  // the next reply answers a command string
    bool reported_ = false;
    int lastCode_ = 0;
};

}  // namespace quendrix::dryrun
