#include "dryrun/RowTrace.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "common/CodePage.h"
#include "dryrun/VirtualTimeText.h"
#include "runner/RowKind.h"

namespace quendrix::dryrun {
namespace {

constexpr std::size_t kTimeWidth = 12;    // "86400.000 s" and a blank
constexpr std::size_t kCellsColumn = 24;  // after the time and "row 2000"

// Control characters would act on the terminal; they are shown by their code.
std::string shown(std::string_view text) {
    std::string safe;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned char>(c));
            safe += code;
        } else {
            safe += c;
        }
    }
    return utf8FromCodePage(safe);
}

std::string cellsText(const std::array<std::string, 3>& cells) {
    std::size_t used = cells.size();
    while (used > 1 && cells[used - 1].empty()) {
        --used;
    }
    if (used == 1 && cells[0].empty()) {
        return "\"\"";
    }
    std::string text;
    for (std::size_t i = 0; i < used; ++i) {
        text += (i == 0 ? "" : " | ") + shown(cells[i]);
    }
    return text;
}

std::string replyText(const std::optional<device::Reply>& reply) {
    if (!reply) {
        return "no reply";
    }
    std::string text =
        "error " + std::to_string(reply->errorCode) + (reply->ready ? ", ready" : ", busy");
    std::string_view data = reply->data;
    if (data.ends_with('\x03')) {
        data.remove_suffix(1);
    }
    if (!data.empty()) {
        text += ", data " + shown(data);
    }
    return text;
}

std::string timeColumn(sim::Micros at) {
    std::string text = secondsText(at);
    return std::string(kTimeWidth - std::min(text.size(), kTimeWidth), ' ') + text;
}

}  // namespace

RowTrace::RowTrace(const platform::Grid& grid, const sim::Scheduler& clock, std::ostream* out)
    : grid_(grid), clock_(clock), start_(clock.now()), out_(out) {}

void RowTrace::rowStarted(int number) {
    finish();
    Row row;
    row.number = number;
    row.at = elapsed();
    if (number >= grid_.FixedRows() && number < grid_.Rows()) {
        for (int col = 1; col <= 3; ++col) {
            row.cells[static_cast<std::size_t>(col - 1)] = grid_.TextMatrix(number, col);
        }
        row.device = runner::classifyRow(row.cells[0]) == runner::RowKind::Device;
    } else {
        row.cells[0] = "(off the grid)";
    }
    current_ = std::move(row);
    awaitingCommandReply_ = false;
}

// A command that is itself a poll's text cannot be told from the poll.
bool RowTrace::isPoll(std::string_view frame) const {
    const std::string prefix = "/" + current_->cells[0];
    return frame.starts_with(prefix) &&
           (frame.substr(prefix.size()) == "Q1" || frame.substr(prefix.size()) == "Q2");
}

void RowTrace::frameSent(std::string_view frame) {
    if (!current_ || !current_->device) {
        return;
    }
    awaitingCommandReply_ = !isPoll(frame);
    if (awaitingCommandReply_) {
        current_->commands.emplace_back(frame);
    }
}

void RowTrace::replyReceived(const device::Reply& reply) {
    if (current_ && awaitingCommandReply_) {
        current_->reply = reply;
        awaitingCommandReply_ = false;
    }
}

void RowTrace::messageShown(std::string_view text) {
    AnsweredMessage message{elapsed(), std::string(text)};
    messages_.push_back(message);
    if (current_) {
        current_->messages.push_back(std::move(message));
    } else {
        print(message);
    }
}

void RowTrace::finish() {
    if (current_) {
        print(*current_);
        current_.reset();
    }
}

void RowTrace::print(const Row& row) const {
    if (out_ == nullptr) {
        return;
    }
    std::string line = timeColumn(row.at) + "  row " + std::to_string(row.number);
    line.resize(std::max(line.size() + 1, kCellsColumn), ' ');
    line += cellsText(row.cells);
    if (row.device) {
        std::string sent;
        for (const std::string& command : row.commands) {
            sent += (sent.empty() ? "" : ", ") + shown(command);
        }
        line +=
            "  =>  " + (sent.empty() ? "nothing sent" : sent + "  [" + replyText(row.reply) + "]");
    }
    *out_ << line << '\n';
    for (const AnsweredMessage& message : row.messages) {
        print(message);
    }
}

void RowTrace::print(const AnsweredMessage& message) const {
    if (out_ != nullptr) {
        *out_ << timeColumn(message.at) << "  message \"" << shown(message.text) << "\"  (OK)\n";
    }
}

}  // namespace quendrix::dryrun
