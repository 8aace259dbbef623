#include <gtest/gtest.h>

#include "core/record/RecordFolders.h"
#include "record/RecordIndex.h"
#include "record/Retention.h"

namespace quendrix::record {
namespace {

using namespace testing;

constexpr const char* kRows =
    "0.000000\t1\t2\tZR\tW\t/2ZR\t0\tready\n"
    "0.937000\t2\t1\tZR\tW\t/1ZR\t0\tready\n"
    "2.377000\t7\tLoop\t3\t\t\t\t\n";

TEST(RecordIndexTest, ClassifiesEachRecordByItsManifestAndItsWritersLife) {
    const auto records = freshFolder();
    writeRecord(records, "ended",
                endedManifest("2026-12-07T14:03:22.125+01:00", "2026-12-07T14:05:01.002+01:00"));
    writeRecord(records, "running", runningManifest("2026-12-07T15:00:00+01:00", thisProcessId()),
                kRows);
    // A crash may cut the last line short: the last whole line counts.
    writeRecord(records, "killed", runningManifest("2026-12-07T16:00:00+01:00", exitedProcessId()),
                std::string(kRows) + "2.4\t1");
    auto elsewhere = runningManifest("2026-12-07T17:00:00+01:00", exitedProcessId());
    elsewhere["host"] = "another-" + thisHostName();
    writeRecord(records, "elsewhere", elsewhere);
    auto incomplete = endedManifest("2026-12-07T18:00:00Z", "2026-12-07T18:00:01Z");
    incomplete["complete"] = false;
    incomplete["incomplete"] = "the disk was full";
    writeRecord(records, "incomplete", incomplete);
    fs::create_directories(records / "empty");
    fs::create_directories(records / "broken");
    writeFile(records / "broken" / "run.json", "{\"outcome\": \"end-");
    writeFile(records / "stray-file", "not a record");

    std::map<std::string, StoredRecord> byName;
    for (auto& record : scanRecords(records)) {
        byName[record.name()] = record;
    }
    ASSERT_EQ(byName.size(), 7u);
    EXPECT_EQ(byName["ended"].state, RunState::Ended);
    EXPECT_NEAR(*byName["ended"].seconds, 98.877, 1e-6);
    EXPECT_EQ(byName["ended"].lastRow, 8);
    EXPECT_EQ(byName["running"].state, RunState::Running);
    EXPECT_EQ(byName["running"].lastRow, std::nullopt);
    EXPECT_EQ(byName["killed"].state, RunState::Interrupted);
    EXPECT_EQ(byName["killed"].lastRow, 7);
    EXPECT_NEAR(*byName["killed"].seconds, 2.377, 1e-9);
    EXPECT_EQ(byName["elsewhere"].state, RunState::Running);
    EXPECT_EQ(byName["incomplete"].state, RunState::Ended);
    EXPECT_FALSE(byName["incomplete"].complete);
    EXPECT_EQ(byName["incomplete"].incomplete, "the disk was full");
    EXPECT_EQ(byName["empty"].state, RunState::Unreadable);
    EXPECT_EQ(byName["empty"].problem, "run.json is missing");
    EXPECT_EQ(byName["broken"].problem, "run.json is not a JSON object");
    EXPECT_EQ(byName["killed"].bytes, fs::file_size(records / "killed" / "run.json") +
                                          fs::file_size(records / "killed" / "rows.tsv"));
}

TEST(RecordIndexTest, TellsALivingProcessFromOneThatEndedEvenBeforeItIsCollected) {
    EXPECT_TRUE(processLives(thisProcessId()));
    EXPECT_FALSE(processLives(exitedProcessId()));
    EXPECT_FALSE(processLives(0));
#ifdef _WIN32
    // Ended, with a handle to it still open: its id still names it.
    const HANDLE process = endedProcess();
    ASSERT_NE(process, nullptr);
    EXPECT_FALSE(processLives(GetProcessId(process)));
    CloseHandle(process);
#else
    EXPECT_TRUE(processLives(1));  // init, which is not ours
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    // Waits for the child to end but leaves it uncollected, a zombie.
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(kill(child, 0), 0);
    EXPECT_FALSE(processLives(child));
    waitpid(child, nullptr, 0);
#endif
}

TEST(RecordIndexTest, OrdersRecordsByTheirStartInstantWhateverTheirZone) {
    const auto records = freshFolder();
    writeRecord(records, "a",
                endedManifest("2026-12-07T14:00:00+01:00", "2026-12-07T14:00:01+01:00"));
    writeRecord(records, "b", endedManifest("2026-12-07T13:30:00Z", "2026-12-07T13:30:01Z"));
    writeRecord(records, "c",
                endedManifest("2026-12-07T08:45:00-05:00", "2026-12-07T08:45:01-05:00"));
    std::vector<std::string> names;
    for (const auto& record : scanRecords(records)) {
        names.push_back(record.name());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(scanRecords(records / "missing").empty());
}

TEST(RecordIndexTest, ReadsIsoTimesWithTheirZone) {
    using std::chrono::sys_days;
    const Instant epochDay = Instant(sys_days(std::chrono::year(2026) / 12 / 7));
    const struct {
        const char* text;
        std::optional<Instant> expected;
    } cases[] = {
        {"2026-12-07T00:00:00Z", epochDay},
        {"2026-12-07T01:00:00.5+01:00", epochDay + std::chrono::milliseconds(500)},
        {"2026-12-06T19:00:00.000001-05:00", epochDay + std::chrono::microseconds(1)},
        {"2026-12-07T00:00:00", std::nullopt},
        {"2026-02-30T00:00:00Z", std::nullopt},
        {"2026-12-07T24:00:00Z", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseIsoTime(c.text), c.expected) << c.text;
    }
}

TEST(RetentionTest, ChoosesTheOldestBeyondEitherLimitAndNeverARunningRecord) {
    constexpr std::uintmax_t kMiB = 1024 * 1024;
    const RetentionCandidate small{kMiB, false};
    const RetentionCandidate big{600 * kMiB, false};
    const RetentionCandidate running{kMiB, true};
    const struct {
        const char* what;
        std::vector<RetentionCandidate> oldestFirst;
        RetentionLimits limits;
        std::vector<std::size_t> victims;
    } cases[] = {
        {"within both limits", {small, small}, {3, 10}, {}},
        {"count limit reached first", {small, small, small, small}, {2, 10}, {0, 1}},
        {"size limit reached first", {small, big, big}, {500, 1024}, {0, 1}},
        {"an older small run goes once the limit is reached",
         {small, big, small, big},
         {500, 1024},
         {0, 1}},
        {"no limits", {big, big, big}, {0, 0}, {}},
        {"count only", {big, big, big}, {1, 0}, {0, 1}},
        {"a running record stays", {running, small, small}, {1, 0}, {1}},
        {"a running newest counts", {small, small, running}, {2, 0}, {0}},
        {"nothing kept when the newest alone is too big", {small, big}, {0, 500}, {0, 1}},
        {"nothing to choose from", {}, {1, 1}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chooseVictims(c.oldestFirst, c.limits), c.victims) << c.what;
    }
}

TEST(RetentionTest, PrunesTheOldestRecordsFromTheDiskAndReportsWhatItCouldNot) {
    const auto records = freshFolder();
    const auto oldRunning =
        writeRecord(records, "1-running", runningManifest("2026-12-07T10:00:00Z", thisProcessId()));
    const auto oldest = writeRecord(records, "2-oldest",
                                    endedManifest("2026-12-07T11:00:00Z", "2026-12-07T11:00:01Z"));
    const auto older = writeRecord(records, "3-older",
                                   endedManifest("2026-12-07T12:00:00Z", "2026-12-07T12:00:01Z"));
    const auto newest = writeRecord(records, "4-newest",
                                    endedManifest("2026-12-07T13:00:00Z", "2026-12-07T13:00:01Z"));

    const auto report = pruneRecords(records, {1, 0});
    EXPECT_EQ(report.removed, (std::vector<fs::path>{oldest, older}));
    EXPECT_TRUE(report.failures.empty());
    EXPECT_TRUE(fs::exists(oldRunning));
    EXPECT_FALSE(fs::exists(oldest));
    EXPECT_TRUE(fs::exists(newest));

    const auto ancient = writeRecord(records, "0-ancient",
                                     endedManifest("2026-12-07T09:00:00Z", "2026-12-07T09:00:01Z"));
#ifndef _WIN32  // a read-only folder keeps its entries on POSIX systems only
    if (geteuid() != 0) {  // root removes what it likes
        fs::permissions(records, fs::perms::owner_write, fs::perm_options::remove);
        const auto denied = pruneRecords(records, {1, 0});
        fs::permissions(records, fs::perms::owner_write, fs::perm_options::add);
        EXPECT_TRUE(denied.removed.empty());
        ASSERT_EQ(denied.failures.size(), 1u);
        EXPECT_NE(denied.failures[0].find(ancient.string()), std::string::npos);
        EXPECT_TRUE(fs::exists(ancient));
    }
#endif
    EXPECT_TRUE(pruneRecords(records / "missing", {1, 1}).failures.empty());
}

}  // namespace
}  // namespace quendrix::record
