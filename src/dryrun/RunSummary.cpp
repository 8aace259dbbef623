#include "dryrun/RunSummary.h"

#include <cmath>

#include "common/CodePage.h"
#include "common/NumberText.h"
#include "dryrun/JsonWriter.h"
#include "dryrun/VirtualTimeText.h"
#include "editor/ProtocolGrid.h"

namespace quendrix::dryrun {
namespace {

using Ending = runner::RunReport::Ending;

// A counter box holds a whole number unless someone typed into it; then its text is given.
void counterValue(JsonWriter& json, const std::string& text) {
    const auto number = readWholeNumber(text);
    if (number && std::trunc(*number) == *number && std::abs(*number) < 1e15) {
        json.value(static_cast<std::int64_t>(*number));
    } else {
        json.value(utf8FromCodePage(text));
    }
}

}  // namespace

void RunSummary::readForm(const form::MainFormControls& form) {
    counters = {{"Error2", form.Error2.text()},
                {"Error3", form.Error3.text()},
                {"Error9", form.Error9.text()},
                {"RetryCounter", form.RetryCounter.text()},
                {"RetryCounter2", form.RetryCounter2.text()}};
    testCounter = form.intTestCounter.text();
    loops.clear();
    const platform::Grid& grid = form.MSFlexGrid1;
    for (int row = 1; row <= editor::ProtocolGrid::kProtocolRows; ++row) {
        if (grid.TextMatrix(row, 1) == "Loop") {
            loops.push_back({row, grid.TextMatrix(row, 3)});
        }
    }
}

int RunSummary::exitStatus() const {
    if (limit != Limit::None) {
        return 2;
    }
    return report && report->ending == Ending::EndRow ? 0 : 1;
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
}

void RunSummary::printJson(std::ostream& out) const {
    JsonWriter json(out);
    json.beginObject();
    json.member("file", file);
    json.member("ending", endingName());
    json.key("row");
    report ? json.value(report->row) : json.null();
    json.member("durationSeconds", seconds(duration));
    json.member("rowsExecuted", report ? report->rowsExecuted : 0);
    json.member("commandsSent", report ? report->commandsSent : 0);
    json.key("counters").beginObject();
    for (const Counter& counter : counters) {
        json.key(counter.name);
        counterValue(json, counter.text);
    }
    json.endObject();
    json.key("intTestCounter");
    counterValue(json, testCounter);
    json.key("loops").beginArray();
    for (const LoopCount& loop : loops) {
        json.beginObject().member("row", loop.row).member("column3", utf8FromCodePage(loop.count));
        json.endObject();
    }
    json.endArray();
    json.key("messages").beginArray();
    for (const AnsweredMessage& message : messages) {
        json.beginObject().member("seconds", seconds(message.at));
        json.member("text", utf8FromCodePage(message.text)).endObject();
    }
    json.endArray();
    json.member("exitStatus", exitStatus());
    json.endObject();
    out << '\n';
}

}  // namespace quendrix::dryrun
