#include <gtest/gtest.h>

#include <sstream>

#include "core/record/RecordFolders.h"
#include "records/RecordsCommand.h"

namespace quendrix::records {
namespace {

using namespace record::testing;

struct Result {
    int status = 0;
    std::string out;
    std::string err;
};

Result run(
    const std::vector<std::string>& arguments, const fs::path& records,
    const FolderOpener& opener = [](const fs::path&) { return true; }) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runRecordsCommand(arguments, records, opener, out, err);
    return {status, out.str(), err.str()};
}

// Two runs that ended, one killed mid-way and one still going.
fs::path craftedRecords() {
    const auto records = freshFolder();
    writeRecord(records, "2026-12-07T14-03-22",
                endedManifest("2026-12-07T14:03:22.125+01:00", "2026-12-07T14:05:01.002+01:00"));
    auto incomplete = endedManifest("2026-12-07T15:00:00+01:00", "2026-12-07T16:00:00+01:00");
    incomplete["complete"] = false;
    incomplete["incomplete"] = "the disk was full";
    incomplete["outcome"] = "end-button";
    incomplete["protocol"]["path"] = nullptr;
    writeRecord(records, "2026-12-07T15-00-00", incomplete);
    writeRecord(records, "2026-12-07T16-00-00",
                runningManifest("2026-12-07T16:00:00+01:00", exitedProcessId()),
                "0.000000\t1\t2\tZR\tW\t/2ZR\t0\tready\n12.500000\t17\tWait\t5\t\t\t\t\n");
    writeRecord(records, "2026-12-07T17-00-00",
                runningManifest("2026-12-07T17:00:00+01:00", record::thisProcessId()));
    return records;
}

TEST(RecordsCommandTest, ListsOneLinePerRunMarkingTheInterruptedAndIncompleteOnes) {
    const auto records = craftedRecords();
    const auto listed = run({"list"}, records);
    EXPECT_EQ(listed.status, kFine);
    EXPECT_EQ(listed.out,
              "2026-12-07 14:03:22  0:01:38  prime <syringe>.protocol  18 rows  End row, row 8\n"
              "2026-12-07 15:00:00  1:00:00  (not saved)               18 rows  End button, row 8, "
              "INCOMPLETE record\n"
              "2026-12-07 16:00:00  0:00:12  prime <syringe>.protocol  18 rows  INTERRUPTED after "
              "row 17\n"
              "2026-12-07 17:00:00  ?        prime <syringe>.protocol  18 rows  running\n");
    EXPECT_EQ(run({}, records).out, listed.out);

    const auto json = nlohmann::json::parse(run({"list", "--json"}, records).out);
    ASSERT_EQ(json.size(), 4u);
    EXPECT_EQ(json[1]["incomplete"], "the disk was full");
    EXPECT_EQ(json[1]["protocol"], nullptr);
    EXPECT_EQ(json[2]["state"], "interrupted");
    EXPECT_EQ(json[2]["lastRow"], 17);
    EXPECT_EQ(json[3]["state"], "running");
    EXPECT_EQ(run({"list"}, records / "none yet").out, "");
}

TEST(RecordsCommandTest, ShowsOneRunByNameOrPathWithItsTimeline) {
    const auto records = craftedRecords();
    const auto folder = records / "2026-12-07T14-03-22";
    writeFile(folder / "timeline.svg", "<svg/>");
    const auto byName = run({"show", "2026-12-07T14-03-22"}, records);
    EXPECT_EQ(byName.status, kFine);
    for (const std::string& expected : std::vector<std::string>{
             "Ended         End row, row 8\n", "Duration      0:01:38.877\n",
             "Protocol      /lab/prime <syringe>.protocol\n", "Port          1, /dev/ttyUSB0\n",
             "Counters      error2 0, error3 1, error9 0, test 1\n",
             "  [Volumes]\n    SyringeVolume=1000\n",
             "Timeline      " + (folder / "timeline.svg").string() + "\n"}) {
        EXPECT_NE(byName.out.find(expected), std::string::npos) << expected << byName.out;
    }
    EXPECT_EQ(run({"show", folder.string()}, fs::path("/nonexistent")).out, byName.out);

    const auto json = nlohmann::json::parse(run({"--json", "show", folder.string()}, records).out);
    EXPECT_EQ(json["timeline"], (folder / "timeline.svg").string());
    EXPECT_EQ(json["manifest"]["commandsSent"], 14);
    const auto interrupted = run({"show", "2026-12-07T16-00-00"}, records).out;
    EXPECT_NE(interrupted.find("INTERRUPTED after row 17\n"), std::string::npos);
    EXPECT_NE(interrupted.find("Timeline      none written\n"), std::string::npos);
}

TEST(RecordsCommandTest, AnswersAWrongCommandLineOrAMissingRunWithItsExitStatus) {
    const auto records = craftedRecords();
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string err;
    } cases[] = {
        {{"lsit"}, kUsageError, "quendrix-records: unknown command \"lsit\"\n"},
        {{"--all"}, kUsageError, "quendrix-records: unknown option --all\n"},
        {{"show"}, kUsageError, "quendrix-records: show needs one run: a folder name or a path\n"},
        {{"list", "x"}, kUsageError, "quendrix-records: list takes no run\n"},
        {{"show", "2026-01-01T00-00-00"}, kNoSuchRun, "quendrix-records: no such run: "},
        {{"show", records.string()}, kNoSuchRun, "quendrix-records: no such run: "},
        {{"show", ".."}, kNoSuchRun, "quendrix-records: no such run: "},
        {{"--version"}, kFine, ""},
        {{"--help", "lsit"}, kFine, ""},
    };
    for (const auto& c : cases) {
        const auto result = run(c.arguments, records);
        EXPECT_EQ(result.status, c.status) << c.arguments[0];
        EXPECT_EQ(result.err.substr(0, c.err.size()), c.err) << result.err;
    }
    EXPECT_EQ(run({"--version"}, records).out.rfind("quendrix-records 1.", 0), 0u);
    EXPECT_NE(run({"-h"}, records).out.find("Exit status: "), std::string::npos);
}

TEST(RecordsCommandTest, OpensTheRecordsFolderMakingItFirst) {
    const auto records = freshFolder() / "quendrix" / "runs";
    fs::path opened;
    const auto result = run({"open"}, records, [&](const fs::path& folder) {
        opened = folder;
        return fs::is_directory(folder);
    });
    EXPECT_EQ(result.status, kFine);
    EXPECT_EQ(opened, records);
    const auto failed = run({"open"}, records, [](const fs::path&) { return false; });
    EXPECT_EQ(failed.status, kFailed);
    EXPECT_NE(failed.err.find(records.string()), std::string::npos);
}

}  // namespace
}  // namespace quendrix::records
