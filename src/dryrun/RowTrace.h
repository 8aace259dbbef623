#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "device/Reply.h"
#include "platform/Grid.h"
#include "sim/clock/Scheduler.h"

namespace quendrix::dryrun {

// A message box that the dry run answered with OK, and when.
struct AnsweredMessage {
    sim::Micros at;  // from the start of the run
    std::string text;
};

// One line for every row the run executes, written once the row is over (when the next row
// starts, or at the end): the virtual time it started, its number, its cells as it found
// them, and for a device row the commands sent (the polls left out) with the status of the
// reply to the last of them. The messages answered during a row follow its line.
class RowTrace {
public:
    // Times count from now. `out` null: nothing is printed, the messages are still kept.
    RowTrace(const platform::Grid& grid, const sim::Scheduler& clock, std::ostream* out);

    void rowStarted(int row);
    void frameSent(std::string_view frame);
    void replyReceived(const device::Reply& reply);
    void messageShown(std::string_view text);
    // Writes the last row's line.
    void finish();

    sim::Micros elapsed() const { return clock_.now() - start_; }
    const std::vector<AnsweredMessage>& messages() const { return messages_; }

private:
    struct Row {
        int number = 0;
        sim::Micros at{0};
        std::array<std::string, 3> cells;
        bool device = false;
        std::vector<std::string> commands;
        std::optional<device::Reply> reply;
        std::vector<AnsweredMessage> messages;
    };

    bool isPoll(std::string_view frame) const;
    void print(const Row& row) const;
    void print(const AnsweredMessage& message) const;

    const platform::Grid& grid_;
    const sim::Scheduler& clock_;
    const sim::Micros start_;
    std::ostream* out_;
    std::optional<Row> current_;
    bool awaitingCommandReply_ = false;
    std::vector<AnsweredMessage> messages_;
};

}  // namespace quendrix::dryrun
