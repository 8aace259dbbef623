#include "records/RecordReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>

namespace quendrix::records {
namespace {

using record::RunState;
using record::StoredRecord;

std::string outcomeText(const std::string& outcome) {
    if (outcome == "end-row") {
        return "End row";
    }
    if (outcome == "end-button") {
        return "End button";
    }
    if (outcome == "column-one-error") {
        return "column-one error";
    }
    if (outcome == "retry-notice") {
        return "retry notice";
    }
    if (outcome == "program-closed") {
        return "program closed";
    }
    return outcome.empty() ? "?" : outcome;
}

// How the run ended, or why it did not, with the marks a reader must not miss.
std::string endingText(const StoredRecord& run) {
    std::string text;
    switch (run.state) {
        case RunState::Running:
            text = "running";
            break;
        case RunState::Interrupted:
            text = "INTERRUPTED";
            if (run.lastRow) {
                text += " after row " + std::to_string(*run.lastRow);
            }
            break;
        case RunState::Ended:
            text = outcomeText(run.text("outcome"));
            if (run.lastRow) {
                text += ", row " + std::to_string(*run.lastRow);
            }
            break;
        case RunState::Unreadable:
            return "UNREADABLE: " + run.problem;
    }
    if (!run.complete) {
        text += ", INCOMPLETE record";
    }
    return text;
}

std::string durationText(const std::optional<double>& seconds, bool withMilliseconds) {
    if (!seconds || *seconds < 0) {
        return "?";
    }
    const auto ms = static_cast<long long>(std::llround(*seconds * 1000));
    const long long s = ms / 1000;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    std::string text = buffer;
    if (withMilliseconds) {
        std::snprintf(buffer, sizeof buffer, ".%03lld", ms % 1000);
        text += buffer;
    }
    return text;
}

std::string startText(const StoredRecord& run) {
    const std::string start = run.text("start");
    if (start.size() < 19) {
        return run.name();
    }
    std::string text = start.substr(0, 19);
    text[10] = ' ';
    return text;
}

std::string protocolPath(const StoredRecord& run) {
    const auto protocol = run.manifest.find("protocol");
    if (protocol == run.manifest.end() || !protocol->is_object()) {
        return {};
    }
    const auto path = protocol->find("path");
    return path != protocol->end() && path->is_string() ? path->get<std::string>() : "";
}

std::string protocolName(const StoredRecord& run) {
    if (run.state == RunState::Unreadable) {
        return "?";
    }
    const std::string path = protocolPath(run);
    return path.empty() ? "(not saved)" : std::filesystem::path(path).filename().string();
}

std::string rowsText(const StoredRecord& run) {
    const auto rows = run.number("rowsExecuted");
    return rows ? std::to_string(*rows) + " rows" : "? rows";
}

// A manifest value as a person reads it.
std::string shown(const nlohmann::json& value) {
    if (value.is_string()) {
        return value.get<std::string>();
    }
    if (value.is_null()) {
        return "none";
    }
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string member(const nlohmann::json& object, const char* key) {
    if (!object.is_object()) {
        return "?";
    }
    const auto found = object.find(key);
    return found != object.end() ? shown(*found) : "?";
}

void line(std::ostream& out, std::string_view label, const std::string& value) {
    out << label << std::string(label.size() < 14 ? 14 - label.size() : 1, ' ') << value << '\n';
}

std::filesystem::path timelinePath(const StoredRecord& run) {
    std::error_code error;
    const auto path = run.folder / "timeline.svg";
    return std::filesystem::is_regular_file(path, error) ? path : std::filesystem::path();
}

nlohmann::json summaryJson(const StoredRecord& run) {
    nlohmann::json json{{"name", run.name()},
                        {"folder", run.folder.string()},
                        {"state", record::stateName(run.state)},
                        {"complete", run.complete},
                        {"bytes", run.bytes}};
    if (run.state == RunState::Unreadable) {
        json["problem"] = run.problem;
        return json;
    }
    if (!run.complete) {
        json["incomplete"] = run.incomplete;
    }
    json["outcome"] = run.text("outcome");
    json["start"] = run.text("start");
    json["end"] = run.manifest.contains("end") ? run.manifest["end"] : nlohmann::json();
    json["seconds"] = run.seconds ? nlohmann::json(*run.seconds) : nlohmann::json();
    const std::string protocol = protocolPath(run);
    json["protocol"] = protocol.empty() ? nlohmann::json() : nlohmann::json(protocol);
    json["rowsExecuted"] =
        run.manifest.contains("rowsExecuted") ? run.manifest["rowsExecuted"] : nlohmann::json();
    json["lastRow"] = run.lastRow ? nlohmann::json(*run.lastRow) : nlohmann::json();
    return json;
}

void printJson(const nlohmann::json& json, std::ostream& out) {
    // Manifests are UTF-8, but a broken one must not stop the listing.
    out << json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

}  // namespace

void printList(const std::vector<StoredRecord>& runs, std::ostream& out) {
    std::size_t nameWidth = 0;
    std::size_t rowsWidth = 0;
    std::size_t durationWidth = 0;
    for (const auto& run : runs) {
        durationWidth = std::max(durationWidth, durationText(run.seconds, false).size());
        nameWidth = std::max(nameWidth, protocolName(run).size());
        rowsWidth = std::max(rowsWidth, rowsText(run).size());
    }
    for (const auto& run : runs) {
        const std::string name = protocolName(run);
        const std::string rows = rowsText(run);
        const std::string duration = durationText(run.seconds, false);
        out << startText(run) << "  " << duration
            << std::string(durationWidth - duration.size(), ' ') << "  " << name
            << std::string(nameWidth - name.size(), ' ') << "  "
            << std::string(rowsWidth - rows.size(), ' ') << rows << "  " << endingText(run) << '\n';
    }
}

void printListJson(const std::vector<StoredRecord>& runs, std::ostream& out) {
    auto json = nlohmann::json::array();
    for (const auto& run : runs) {
        json.push_back(summaryJson(run));
    }
    printJson(json, out);
}

void printDetails(const StoredRecord& run, std::ostream& out) {
    const auto& manifest = run.manifest;
    line(out, "Run", run.name());
    line(out, "Folder", run.folder.string());
    line(out, "Ended", endingText(run));
    if (!run.complete) {
        line(out, "Incomplete", run.incomplete.empty() ? "(no reason given)" : run.incomplete);
    }
    if (run.state != RunState::Unreadable) {
        line(out, "Program",
             member(manifest, "program") + ' ' + member(manifest, "version") + ", mode " +
                 member(manifest, "mode") + ", " + member(manifest, "clock") + " clock");
        line(out, "Start", member(manifest, "start"));
        line(out, "End", member(manifest, "end"));
        line(out, "Duration", durationText(run.seconds, true));
        const auto protocol = manifest.value("protocol", nlohmann::json::object());
        line(out, "Protocol", member(protocol, "path"));
        line(out, "  SHA-256", member(protocol, "sha256"));
        line(out, "  as recorded", member(protocol, "recordSha256"));
        const auto port = manifest.value("port", nlohmann::json::object());
        line(out, "Port", member(port, "number") + ", " + member(port, "device"));
        line(out, "Rows executed", member(manifest, "rowsExecuted"));
        line(out, "Last row", run.lastRow ? std::to_string(*run.lastRow) : "none");
        line(out, "Commands sent", member(manifest, "commandsSent"));
        std::string counters;
        const auto counterValues = manifest.value("counters", nlohmann::json::object());
        for (const auto& [name, value] : counterValues.items()) {
            counters += (counters.empty() ? "" : ", ") + name + ' ' + shown(value);
        }
        line(out, "Counters", counters);
        line(out, "Writer", member(manifest, "host") + ", process " + member(manifest, "pid"));
    }
    line(out, "Size", std::to_string(run.bytes) + " bytes");
    const auto settings = manifest.value("settings", nlohmann::json::object());
    if (settings.is_object() && !settings.empty()) {
        out << "Settings\n";
        for (const auto& [section, keys] : settings.items()) {
            if (!keys.is_object()) {
                out << "  " << section << '=' << shown(keys) << '\n';
                continue;
            }
            out << "  [" << section << "]\n";
            for (const auto& [key, value] : keys.items()) {
                out << "    " << key << '=' << shown(value) << '\n';
            }
        }
    }
    const auto timeline = timelinePath(run);
    line(out, "Timeline", timeline.empty() ? "none written" : timeline.string());
}

void printDetailsJson(const StoredRecord& run, std::ostream& out) {
    auto json = summaryJson(run);
    const auto timeline = timelinePath(run);
    json["timeline"] = timeline.empty() ? nlohmann::json() : nlohmann::json(timeline.string());
    json["manifest"] = run.manifest;
    printJson(json, out);
}

}  // namespace quendrix::records
