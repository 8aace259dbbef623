#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendrix::record {

using Instant = std::chrono::sys_time<std::chrono::microseconds>;

enum class RunState {
    Running,      // the manifest says running and its writer lives, or lives on another host
    Interrupted,  // the manifest says running, but its writer on this host is gone
    Ended,        // the manifest says how the run ended
    Unreadable    // run.json is missing or is not a manifest
};

// One run's record, as its files tell it.
struct StoredRecord {
    std::filesystem::path folder;
    RunState state = RunState::Unreadable;
    std::string problem;  // why run.json could not be read
    nlohmann::json manifest = nlohmann::json::object();
    bool complete = true;
    std::string incomplete;  // why it is not, for a person
    // The manifest's last row; for an interrupted run the last one rows.tsv logged.
    std::optional<long long> lastRow;
    // From start to end; for a run that has not ended, up to the last logged row.
    std::optional<double> seconds;
    // The run's start, or the folder's time when the manifest does not tell it.
    Instant started{};
    std::uintmax_t bytes = 0;

    std::string name() const { return folder.filename().string(); }
    // A text member of the manifest, or empty.
    std::string text(std::string_view key) const;
    // A whole-number member of the manifest.
    std::optional<long long> number(std::string_view key) const;
};

// Reads one record folder; never throws for what is in the folder.
StoredRecord readRunRecord(const std::filesystem::path& folder);

// Every folder in the records folder, oldest first; none when it does not exist.
std::vector<StoredRecord> scanRecords(const std::filesystem::path& recordsFolder);

// An ISO 8601 time with its zone, as the manifest writes it ("2026-12-07T14:03:22.125+01:00").
std::optional<Instant> parseIsoTime(std::string_view text);

// The last complete line of rows.tsv: its time since the start and its row.
struct LoggedRow {
    double seconds = 0;
    long long row = 0;
};
std::optional<LoggedRow> lastLoggedRow(const std::filesystem::path& rowsFile);

std::string_view stateName(RunState state);

}  // namespace quendrix::record
