#include "record/Retention.h"

#include <algorithm>
#include <exception>

#include "record/RecordIndex.h"

namespace quendrix::record {

std::vector<std::size_t> chooseVictims(const std::vector<RetentionCandidate>& oldestFirst,
                                       const RetentionLimits& limits) {
    constexpr std::uintmax_t kMebibyte = 1024 * 1024;
    const bool countLimited = limits.keepRuns > 0;
    const bool sizeLimited = limits.keepMegabytes > 0;
    const std::uintmax_t maxBytes =
        sizeLimited ? static_cast<std::uintmax_t>(limits.keepMegabytes) * kMebibyte : 0;
    long long keptRuns = 0;
    std::uintmax_t keptBytes = 0;
    bool full = false;
    std::vector<std::size_t> victims;
    for (std::size_t i = oldestFirst.size(); i-- > 0;) {
        const RetentionCandidate& candidate = oldestFirst[i];
        full = full || (countLimited && keptRuns >= limits.keepRuns) ||
               (sizeLimited && keptBytes + candidate.bytes > maxBytes);
        if (full && !candidate.running) {
            victims.push_back(i);
        } else {
            ++keptRuns;
            keptBytes += candidate.bytes;
        }
    }
    std::reverse(victims.begin(), victims.end());
    return victims;
}

PruneReport pruneRecords(const std::filesystem::path& folder, const RetentionLimits& limits) {
    PruneReport report;
    try {
        const auto records = scanRecords(folder);
        std::vector<RetentionCandidate> candidates;
        candidates.reserve(records.size());
        for (const auto& record : records) {
            candidates.push_back({record.bytes, record.state == RunState::Running});
        }
        for (const std::size_t victim : chooseVictims(candidates, limits)) {
            const auto& path = records[victim].folder;
            std::error_code error;
            std::filesystem::remove_all(path, error);
            if (error) {
                report.failures.push_back("cannot remove the old run record " + path.string() +
                                          ": " + error.message());
            } else {
                report.removed.push_back(path);
            }
        }
    } catch (const std::exception& error) {
        report.failures.push_back("cannot tidy the run records in " + folder.string() + ": " +
                                  error.what());
    }
    return report;
}

}  // namespace quendrix::record
