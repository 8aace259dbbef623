#include "dryrun/ProtocolCheck.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

#include "common/CodePage.h"
#include "common/NumberText.h"
#include "editor/ProtocolGrid.h"
#include "runner/RowKind.h"

namespace quendrix::dryrun {
namespace {

using Severity = Finding::Severity;
using runner::RowKind;

constexpr int kAddress = 0;
constexpr int kCommand = 1;
constexpr int kLoops = 2;

std::string quoted(std::string_view text) {
    return "\"" + utf8FromCodePage(text) + "\"";
}

std::string lowered(std::string_view text) {
    std::string low(text);
    std::transform(low.begin(), low.end(), low.begin(), [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    return low;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Edits (insert, delete, change one character) from one text to the other.
std::size_t distance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> previous(b.size() + 1), current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        previous[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1,
                                   previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        }
        std::swap(previous, current);
    }
    return previous[b.size()];
}

// The keyword `text` most probably means: the same in other letter case or with blanks
// around it, or one at most two edits away.
std::optional<std::string_view> meantKeyword(std::string_view text) {
    const std::string low = lowered(trimmed(text));
    std::optional<std::string_view> nearest;
    std::size_t best = 3;
    for (const runner::Keyword& keyword : runner::kKeywords) {
        const std::size_t edits = distance(low, lowered(keyword.text));
        if (edits < best) {
            best = edits;
            nearest = keyword.text;
        }
    }
    return nearest;
}

std::string keywordList() {
    std::string list;
    for (const runner::Keyword& keyword : runner::kKeywords) {
        list += (list.empty() ? "" : ", ") + std::string(keyword.text);
    }
    return list;
}

bool isFilled(const std::array<std::string, 3>& row) {
    return std::any_of(row.begin(), row.end(),
                       [](const std::string& cell) { return !cell.empty(); });
}

const std::array<std::string, 3>* rowAt(const ProtocolRows& rows, int row) {
    return row >= 1 && row <= static_cast<int>(rows.size())
               ? &rows[static_cast<std::size_t>(row - 1)]
               : nullptr;
}

// A jump's column 2: a row from 1 to 2000 that has something in column 1.
void checkJump(const ProtocolRows& rows, int row, FindingList& findings) {
    const std::string& keyword = rows[static_cast<std::size_t>(row - 1)][kAddress];
    const std::string& cell = rows[static_cast<std::size_t>(row - 1)][kCommand];
    const auto value = readLeadingNumber(cell);
    const auto target = value ? roundToInt16(*value) : std::nullopt;
    if (!target || *target < 1 || *target > editor::ProtocolGrid::kProtocolRows) {
        findings.add(row, Severity::Warning,
                     keyword + " jumps to " + quoted(cell) + ", which is not a row from 1 to 2000" +
                         (target && *target == 0 ? ": it does not jump at all" : ""));
    } else if ((*rowAt(rows, *target))[kAddress].empty()) {
        findings.add(row, Severity::Warning,
                     keyword + " jumps to row " + std::to_string(*target) +
                         ", which has nothing in column 1: the run would stop there");
    }
}

void checkLoopCount(const std::string& cell, int row, FindingList& findings) {
    const double count = readLeadingNumber(cell).value_or(0.0);
    if (count < 0 || std::trunc(count) != count) {
        findings.add(row, Severity::Warning,
                     "Loop count " + quoted(cell) + " is " +
                         (count < 0 ? "negative" : "not a whole number") +
                         ": it never counts down to 0, so the loop never ends");
    }
}

void checkWait(const std::string& cell, double maxWaitSeconds, int row, FindingList& findings) {
    const double seconds = readLeadingNumber(cell).value_or(0.0);
    if (seconds > maxWaitSeconds) {
        findings.add(row, Severity::Warning,
                     "Wait of " + formatNumber(std::ceil(seconds)) +
                         " s is above the longest wait of " + formatNumber(maxWaitSeconds) +
                         " s (\"Maximum Wait Time\")");
    }
}

// A relative move is P or D followed by its number.
void checkDevice(const std::array<std::string, 3>& cells, int row, FindingList& findings) {
    const std::string& flag = cells[kLoops];
    if (flag != "W" && lowered(trimmed(flag)) == "w") {
        findings.add(row, Severity::Warning,
                     quoted(flag) +
                         " in column 3 does not wait: only a capital \"W\" alone makes the "
                         "row wait until the controller has finished");
    }
    const std::string& command = cells[kCommand];
    for (std::size_t i = 0; i + 1 < command.size(); ++i) {
        if ((command[i] == 'P' || command[i] == 'D') &&
            std::isdigit(static_cast<unsigned char>(command[i + 1])) != 0) {
            findings.add(row, Severity::Note,
                         "relative move " + quoted(command) +
                             ": if its reply is lost on the line, it is sent and executed again");
            return;
        }
    }
}

}  // namespace

ProtocolRows protocolRows(const platform::Grid& grid) {
    ProtocolRows rows(editor::ProtocolGrid::kProtocolRows);
    for (int row = 1; row <= editor::ProtocolGrid::kProtocolRows; ++row) {
        for (int col = 1; col <= 3; ++col) {
            rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)] =
                grid.TextMatrix(row, col);
        }
    }
    return rows;
}

std::string columnOneProblem(std::string_view text) {
    if (text.empty()) {
        return "column 1 is empty";
    }
    const std::string_view bare = trimmed(text);
    if (!bare.empty() && bare != text && runner::classifyRow(bare) == RowKind::Device) {
        return quoted(text) + " is not an address; did you mean " + quoted(bare) + "?";
    }
    if (const auto keyword = meantKeyword(text)) {
        return quoted(text) + " is not a keyword; did you mean " + quoted(*keyword) + "?";
    }
    return quoted(text) + " is neither a keyword (" + keywordList() +
           ") nor a controller address (1 to 9)";
}

void checkRows(const ProtocolRows& rows, double maxWaitSeconds, int stopRow,
               FindingList& findings) {
    for (int row = 1; row <= static_cast<int>(rows.size()); ++row) {
        const auto& cells = rows[static_cast<std::size_t>(row - 1)];
        if (!isFilled(cells)) {
            continue;
        }
        switch (runner::classifyRow(cells[kAddress])) {
            case RowKind::Loop:
                checkJump(rows, row, findings);
                checkLoopCount(cells[kLoops], row, findings);
                break;
            case RowKind::Goto:
                checkJump(rows, row, findings);
                break;
            case RowKind::Wait:
                checkWait(cells[kCommand], maxWaitSeconds, row, findings);
                break;
            case RowKind::Pause:
                findings.add(row, Severity::Note,
                             "Pause: the run waits here until someone presses OK");
                break;
            case RowKind::Device:
                checkDevice(cells, row, findings);
                break;
            case RowKind::Unreadable:
                if (row != stopRow) {
                    findings.add(row, Severity::Warning,
                                 columnOneProblem(cells[kAddress]) +
                                     ": a run that reaches this row stops there");
                }
                break;
            case RowKind::End:
            case RowKind::Count:
                break;
        }
    }
}

void checkEnding(const runner::RunReport& report, const std::string& limit,
                 const ProtocolRows& rows, FindingList& findings) {
    using Ending = runner::RunReport::Ending;
    const int row = report.row;
    if (!limit.empty()) {
        findings.add(row, Severity::Error,
                     "the run reached " + limit +
                         " here before any End row: does a loop or a Goto never end?");
        return;
    }
    const auto* cells = rowAt(rows, row);
    switch (report.ending) {
        case Ending::EndRow:
            return;
        case Ending::ColumnOneError:
            if (cells == nullptr) {
                findings.add(row, Severity::Error,
                             "the run jumped to a row outside 1 to 2000 and stopped there");
            } else if (!isFilled(*cells)) {
                findings.add(row, Severity::Error,
                             "the row is empty and the run stops here without reaching an End "
                             "row: is the End row missing?");
            } else {
                findings.add(row, Severity::Error, columnOneProblem((*cells)[kAddress]));
            }
            return;
        case Ending::RetryNotice:
            findings.add(row, Severity::Error,
                         "the controller at address " +
                             (cells == nullptr ? std::string("?") : quoted((*cells)[kAddress])) +
                             " answered nothing for 60 s: the run stopped without reaching an "
                             "End row");
            return;
        case Ending::Stopped:
            break;
    }
    findings.add(row, Severity::Error, "the run stopped here without reaching an End row");
}

}  // namespace quendrix::dryrun
