#pragma once

#include <map>
#include <string>
#include <string_view>

#include "device/Reply.h"
#include "dryrun/FindingList.h"

namespace quendrix::dryrun {

// Finds the controller errors of the executed device rows. A controller keeps its code in
// every status until the next command string, so a code is the row's when the reply to the
// row's command string carries it, or when any later reply from that controller shows a code
// it did not show before: a move that failed on its way belongs to the row that started it.
// A code that replies merely carry over is not reported again.
class ReplyErrorWatch {
public:
    explicit ReplyErrorWatch(FindingList& findings) : findings_(findings) {}

    // `address` empty: not a device row.
    void rowStarted(int row, std::string_view address);
    void frameSent(std::string_view frame);
    void replyReceived(const device::Reply& reply);
    // The code a controller holds after the run, which no reply may have shown.
    void runEnded(std::string_view address, int code);

    // "error 9, overload: the plunger moved while the valve was turning"
    static std::string describe(int code);

private:
    struct Drive {
        int code = 0;
        int commandRow = 0;  // the row whose command string set its code
    };

    void seen(Drive& drive, int code, bool replacesCode);

    FindingList& findings_;
    std::map<std::string, Drive, std::less<>> drives_;
    int row_ = 0;
    std::string address_;        // the current device row's
    Drive* asked_ = nullptr;     // the drive the last frame went to
    bool replacesCode_ = false;  // the last frame was a command string
};

}  // namespace quendrix::dryrun
