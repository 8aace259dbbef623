#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quendrix::record {

// How many records to keep: the newest `keepRuns` runs or `keepMegabytes` MiB, whichever
// limit is reached first; 0 (or less) sets no limit.
struct RetentionLimits {
    long long keepRuns = 500;
    long long keepMegabytes = 1024;
};

// A record as retention sees it.
struct RetentionCandidate {
    std::uintmax_t bytes = 0;
    bool running = false;
};

// The records to remove, as indices into `oldestFirst`, oldest first. Walking from the newest,
// records are kept until a limit is reached; that one and every older one goes, except a
// running record, which is always kept (and counted).
std::vector<std::size_t> chooseVictims(const std::vector<RetentionCandidate>& oldestFirst,
                                       const RetentionLimits& limits);

struct PruneReport {
    std::vector<std::filesystem::path> removed;
    std::vector<std::string> failures;  // one line each, for the diagnostics
};

// Removes the records of `folder` beyond the limits, oldest first. Reports what it could not
// remove instead of throwing: a run must not fail for its records.
PruneReport pruneRecords(const std::filesystem::path& folder, const RetentionLimits& limits);

}  // namespace quendrix::record
