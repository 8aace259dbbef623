#include "dryrun/RunSummary.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "common/CodePage.h"
#include "common/NumberText.h"
#include "dryrun/VirtualTimeText.h"
#include "editor/ProtocolGrid.h"
#include "runner/RowKind.h"

namespace quendrix::dryrun {
namespace {

using Ending = runner::RunReport::Ending;
using Json = nlohmann::ordered_json;

// A counter box holds a whole number unless someone typed into it; then its text is given.
Json counterValue(const std::string& text) {
    const auto number = readWholeNumber(text);
    if (number && std::trunc(*number) == *number && std::abs(*number) < 1e15) {
        return static_cast<std::int64_t>(*number);
    }
    return utf8FromCodePage(text);
}

// Whole seconds are written without a fraction, as a number that reads back the same.
Json secondsValue(sim::Micros time) {
    const double value = seconds(time);
    if (std::trunc(value) == value && std::abs(value) < 1e15) {
        return static_cast<std::int64_t>(value);
    }
    return value;
}

bool hasErrors(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(), [](const Finding& finding) {
        return finding.severity == Finding::Severity::Error;
    });
}

}  // namespace

void RunSummary::readForm(const form::Inventory& form) {
    counters = {{"Error2", form.Error2.text()},
                {"Error3", form.Error3.text()},
                {"Error9", form.Error9.text()},
                {"RetryCounter", form.RetryCounter.text()},
                {"RetryCounter2", form.RetryCounter2.text()}};
    testCounter = form.intTestCounter.text();
    loops.clear();
    const platform::Grid& grid = form.MSFlexGrid1;
    for (int row = 1; row <= editor::ProtocolGrid::kProtocolRows; ++row) {
        if (runner::classifyRow(grid.TextMatrix(row, 1)) == runner::RowKind::Loop) {
            loops.push_back({row, grid.TextMatrix(row, 3)});
        }
    }
}

int RunSummary::exitStatus() const {
    if (limit != Limit::None) {
        return 2;
    }
    if (!report || report->ending != Ending::EndRow) {
        return 1;
    }
    return findings && hasErrors(*findings) ? 3 : 0;
}

std::string RunSummary::endingName() const {
    if (!report) {
        return "NotStarted";
    }
    if (limit != Limit::None) {
        return limit == Limit::Time ? "TimeLimit" : "RowLimit";
    }
    switch (report->ending) {
        case Ending::EndRow:
            return "EndRow";
        case Ending::ColumnOneError:
            return "ColumnOneError";
        case Ending::RetryNotice:
            return "RetryNotice";
        case Ending::Stopped:
            break;
    }
    return "Stopped";
}

std::string RunSummary::endingText() const {
    if (!report) {
        return "The run did not start.";
    }
    const std::string row = std::to_string(report->row);
    if (limit == Limit::Time) {
        return "Stopped at row " + row + ": the time limit of " + limitText + " was reached.";
    }
    if (limit == Limit::Rows) {
        return "Stopped at row " + row + ": the limit of " + limitText + " was reached.";
    }
    switch (report->ending) {
        case Ending::EndRow:
            return "Ended at the End row, row " + row + ".";
        case Ending::ColumnOneError:
            return "Stopped by the column-one error at row " + row + ".";
        case Ending::RetryNotice:
            return "Stopped by the retry notice at row " + row +
                   ": the controller answered nothing for 60 s.";
        case Ending::Stopped:
            break;
    }
    return "Stopped at row " + row + ".";
}

void RunSummary::printText(std::ostream& out) const {
    out << '\n' << endingText() << '\n';
    out << "Predicted duration: " << secondsText(duration) << " (" << clockText(duration) << ")\n";
    if (report) {
        out << "Rows executed: " << report->rowsExecuted
            << "; commands sent: " << report->commandsSent << '\n';
    }
    out << "Counters:";
    for (const Counter& counter : counters) {
        out << ' ' << counter.name << ' ' << utf8FromCodePage(counter.text)
            << (&counter == &counters.back() ? "" : ",");
    }
    out << "\nTest counter: " << utf8FromCodePage(testCounter) << '\n';
    for (const LoopCount& loop : loops) {
        out << "Loop row " << loop.row << ", column 3: \"" << utf8FromCodePage(loop.count)
            << "\"\n";
    }
    if (findings) {
        printFindings(out, *findings);
    }
}

// The file name is bytes from the command line; what is not UTF-8 in it is replaced.
void RunSummary::printJson(std::ostream& out) const {
    Json json;
    json["file"] = file;
    json["ending"] = endingName();
    json["row"] = report ? Json(report->row) : Json();
    json["durationSeconds"] = secondsValue(duration);
    json["rowsExecuted"] = report ? report->rowsExecuted : 0;
    json["commandsSent"] = report ? report->commandsSent : 0;
    Json& counterValues = json["counters"] = Json::object();
    for (const Counter& counter : counters) {
        counterValues[counter.name] = counterValue(counter.text);
    }
    json["intTestCounter"] = counterValue(testCounter);
    Json& loopCounts = json["loops"] = Json::array();
    for (const LoopCount& loop : loops) {
        loopCounts.push_back({{"row", loop.row}, {"column3", utf8FromCodePage(loop.count)}});
    }
    Json& answered = json["messages"] = Json::array();
    for (const AnsweredMessage& message : messages) {
        answered.push_back(
            {{"seconds", secondsValue(message.at)}, {"text", utf8FromCodePage(message.text)}});
    }
    if (findings) {
        Json& found = json["findings"] = Json::array();
        for (const Finding& finding : *findings) {
            found.push_back({{"row", finding.row},
                             {"severity", severityName(finding.severity)},
                             {"text", finding.fullText()}});
        }
    }
    json["exitStatus"] = exitStatus();
    out << json.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace quendrix::dryrun
