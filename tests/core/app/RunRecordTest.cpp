#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/mount.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/RunRecorder.h"
#include "core/runner/RunRig.h"
#include "dryrun/DryRunOptions.h"
#include "dryrun/DryRunSession.h"
#include "record/ProcessIdentity.h"
#include "record/TranscriptLine.h"

namespace quendrix::app {
namespace {

namespace fs = std::filesystem;
using record::RecordWriter;
using runner::testing::Ending;
using runner::testing::Row;
using runner::testing::RunRig;
using Json = nlohmann::json;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The main window on the simulated instrument, recorded into one folder per run.
struct RecordedRig {
    RecordedRig(const std::vector<Row>& rows, const fs::path& folder)
        : rig(rows),
          recorder(rig.form, rig.platform, {folder, true, RecordWriter::Mode::Synchronous}) {}
    fs::path run(std::int16_t index = 0) {
        rig.run(index);
        return recorder.lastFolder().value_or(fs::path());
    }
    RunRig rig;
    RunRecorder recorder;
};

class RunRecordTest : public ::testing::Test {
protected:
    ~RunRecordTest() override {
#ifndef _WIN32
        if (mounted_) {
            ::umount2(folder_.c_str(), MNT_DETACH);
        }
#endif
        fs::remove_all(folder_);
    }
#ifndef _WIN32
    // A file system of `options` on the test's folder.
    void mount(unsigned long flags, const char* options) {
        ASSERT_EQ(::mount("tmpfs", folder_.c_str(), "tmpfs", flags, options), 0)
            << "root should be able to mount a tmpfs: " << std::strerror(errno);
        mounted_ = true;
    }
#endif

    const fs::path folder_ = [] {
        const fs::path folder = fs::path(::testing::TempDir()) /
                                ("records-" + std::to_string(record::thisProcessId()) + "-" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        return folder;
    }();
    bool mounted_ = false;
};

const std::vector<Row> kProtocol = {{"Count"},          {"1", "ZR", "W"}, {"1", "A100R", "W"},
                                    {"Loop", "2", "1"}, {"Wait", "1"},    {"End"}};

TEST_F(RunRecordTest, ARunWritesItsFolderWithManifestLogTranscriptRowsAndTimeline) {
    RecordedRig recorded(kProtocol, folder_ / "runs");
    std::string monitored(record::TranscriptLine::kHeader);
    monitored += '\n';
    recorded.rig.platform.serial().line().setMonitor(
        [&](sim::InstrumentLine::Direction direction, char byte) {
            // The far end sees the host's bytes as they arrive; the program, as it writes them.
            if (direction == sim::InstrumentLine::Direction::toHost) {
                monitored +=
                    record::TranscriptLine::line(recorded.rig.platform.clock().now(), false, byte) +
                    '\n';
            }
        });
    recorded.rig.platform.dialog().answer("saved.protocol");
    recorded.rig.form.protocolFiles().SaveProtocol_Click();
    const fs::path folder = recorded.run();

    EXPECT_EQ(folder.filename(), "2026-01-01T00-00-00");
    const Json manifest = Json::parse(readFile(folder / "run.json"));
    EXPECT_EQ(manifest["program"], "quendrix");
    EXPECT_EQ(manifest["version"], "1.0.0");
    EXPECT_EQ(manifest["mode"], "run");
    EXPECT_EQ(manifest["outcome"], "end-row");
    EXPECT_EQ(manifest["complete"], true);
    EXPECT_FALSE(manifest.contains("incomplete"));
    EXPECT_EQ(manifest["start"], "2026-01-01T00:00:00.000+00:00");
    EXPECT_EQ(manifest["clock"], "virtual");
    EXPECT_EQ(manifest["protocol"]["path"], fs::absolute("saved.protocol").string());
    EXPECT_EQ(manifest["protocol"]["recordSha256"].get<std::string>().size(), 64U);
    EXPECT_EQ(manifest["port"], (Json{{"number", 1}, {"device", "sim"}}));
    std::size_t settings = 0;
    for (const auto& section : manifest["settings"]) {
        settings += section.size();
    }
    EXPECT_EQ(settings, 47U);
    EXPECT_EQ(manifest["settings"]["ValvePositions"]["CommPortSetting"], "1");
    EXPECT_EQ(manifest["rowsExecuted"], 9);
    EXPECT_EQ(manifest["commandsSent"], 4);
    EXPECT_EQ(manifest["counters"], (Json{{"error2", 0},
                                          {"error3", 0},
                                          {"error9", 0},
                                          {"RetryCounter", 0},
                                          {"RetryCounter2", 0},
                                          {"test", 2}}));
    EXPECT_EQ(manifest["lastRow"], 6);
    EXPECT_EQ(manifest["pid"], record::thisProcessId());

    EXPECT_EQ(readFile(folder / "run-log.txt"),
              recorded.rig.platform.files().content("TESTFILE.txt"));
    // The grid as it stood: the Loop row's count has changed since.
    EXPECT_EQ(readFile(folder / "protocol.txt"),
              recorded.rig.platform.files().content("saved.protocol"));
    // What came in, line for line with the monitor; what went out, each byte once.
    std::string received;
    std::string sent;
    std::istringstream transcript(readFile(folder / "transcript.txt"));
    for (std::string line; std::getline(transcript, line);) {
        if (line.find("host>sim") == std::string::npos) {
            received += line + '\n';
        } else {
            sent += static_cast<char>(
                std::stoi(line.substr(line.find("host>sim ") + 9, 2), nullptr, 16));
        }
    }
    EXPECT_EQ(received, monitored);
    EXPECT_EQ(sent, recorded.rig.platform.serial().written());
    EXPECT_NE(readFile(folder / "timeline.svg").find("<svg"), std::string::npos);
}

// The dry run keeps the same record of the same protocol, row for row.
TEST_F(RunRecordTest, RowsAreThoseOfTheDryRunOfTheSameProtocol) {
    const fs::path file = folder_ / "p.protocol";
    std::vector<Row> rows = kProtocol;
    rows.resize(2000, Row{""});
    std::ofstream(file, std::ios::binary) << [&] {
        std::string text;
        for (const Row& row : rows) {
            text +=
                "\"" + row.address + "\"\r\n\"" + row.command + "\"\r\n\"" + row.flag + "\"\r\n";
        }
        return text;
    }();
    dryrun::DryRunOptions options;
    options.file = file.string();
    options.recordDir = (folder_ / "dry").string();
    std::ostringstream out;
    dryrun::DryRunSession session(options, out, nullptr);
    ASSERT_TRUE(session.load());
    session.run();

    const fs::path real = RecordedRig(kProtocol, folder_ / "runs").run();
    const std::string table = readFile(real / "rows.tsv");
    EXPECT_EQ(readFile(folder_ / "dry" / "rows.tsv"), table);
    EXPECT_EQ(table.substr(0, table.find('\n', 60) + 1),
              "time\trow\tcolumn1\tcolumn2\tcolumn3\tsent\terror\tready\n"
              "0.000000\t1\tCount\t\t\t\t\t\n");
    EXPECT_NE(table.find("\t2\t1\tZR\tW\t/1ZR\t0\tready\n"), std::string::npos);
    // One mark per row and exchange; the dry run draws the drives' positions too.
    const record::Timeline& timeline = session.recorder()->lastTimeline();
    EXPECT_EQ(timeline.rows.size(), 9U);
    EXPECT_GE(timeline.exchanges.size(), 3U * 4) << "a poll, the command and a poll a row";
    EXPECT_TRUE(std::ranges::all_of(timeline.exchanges, [](const auto& e) { return e.replied; }));
    const auto& positions = timeline.positions;
    EXPECT_TRUE(std::ranges::any_of(
        positions, [](const auto& p) { return p.address == 1 && p.value == 100; }));
    const Json dry = Json::parse(readFile(folder_ / "dry" / "run.json"));
    EXPECT_EQ(dry["program"], "quendrix-dryrun");
    EXPECT_EQ(dry["protocol"]["path"], fs::absolute(file).string());
    EXPECT_EQ(dry["protocol"]["sha256"], dry["protocol"]["recordSha256"]);
}

// Each start keeps the newest runs, itself counted, and removes the older ones.
TEST_F(RunRecordTest, AStartRemovesTheRecordsBeyondTheLimit) {
    RecordedRig recorded({{"Count"}, {"End"}}, folder_ / "runs");
    recorded.rig.platform.settings().put("quendrix", "Records", "KeepRuns", "2");
    const fs::path first = recorded.run();
    const fs::path second = recorded.run();
    const fs::path third = recorded.run();
    EXPECT_FALSE(fs::exists(first));
    EXPECT_TRUE(fs::exists(second / "run.json"));
    EXPECT_TRUE(fs::exists(third / "run.json"));
}

// Two starts in one second get two folders; a refused start makes none; the modes and how
// a run ended are named.
TEST_F(RunRecordTest, EachStartThatRunsGetsAFolderOfItsOwn) {
    RecordedRig recorded({{"Count"}, {"Count"}, {"End"}}, folder_ / "runs");
    recorded.rig.endOnTurn = 2;
    auto& settings = recorded.rig.platform.settings();
    settings.put("quendrix", "records", "keepruns", "7");
    settings.put("quendrix", "Records", "KeepMegabytes", "lots");
    const fs::path first = recorded.run();
    EXPECT_EQ(recorded.recorder.limits().keepRuns, 7);
    EXPECT_EQ(recorded.recorder.limits().keepMegabytes, 1024) << "not a number: the default";
    settings.put("quendrix", "Records", "KeepMegabytes", "0");
    const fs::path second = recorded.run(2);
    const fs::path third = recorded.run(3);
    recorded.rig.platform.files().makeFailing("TESTFILE.txt");
    recorded.rig.run();
    EXPECT_EQ(second.filename(), first.filename().string() + "-2");
    EXPECT_EQ(third.filename(), first.filename().string() + "-3");
    EXPECT_EQ(recorded.recorder.limits().keepMegabytes, 0) << "no limit";
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "runs"), {}), 3);
    const Json ended = Json::parse(readFile(first / "run.json"));
    EXPECT_EQ(ended["outcome"], "end-button");
    EXPECT_EQ(ended["lastRow"], 2);
    // A step's message after each row holds the run until the operator answers it.
    EXPECT_EQ(recorded.recorder.lastTimeline().pauses.size(), 3U);

    RecordedRig closed({{"Count"}, {"Count"}, {"End"}}, folder_ / "closed");
    const auto closing = closed.rig.form.runner().onRowStarted.subscribe([&](int row) {
        if (row == 2) {
            closed.rig.c.MainForm.close();
        }
    });
    const Json closedManifest = Json::parse(readFile(closed.run() / "run.json"));
    EXPECT_EQ(closedManifest["outcome"], "program-closed");
    EXPECT_EQ(closedManifest["rowsExecuted"], 1);
    EXPECT_EQ(readFile(closed.recorder.lastFolder().value() / "rows.tsv").find("\t2\t"),
              std::string::npos)
        << "the turn that never ran its row";
    EXPECT_EQ(Json::parse(readFile(second / "run.json"))["mode"], "step");
    EXPECT_EQ(Json::parse(readFile(third / "run.json"))["mode"], "test-step");
}

#ifndef _WIN32
// A full disk and a data folder that cannot be written cost the run nothing: it ends as it
// would, with the same run log, and the diagnostics say what became of the record.
TEST_F(RunRecordTest, AFullOrReadOnlyDiskLeavesTheRunAlone) {
    std::vector<Row> busy(300, Row{"1", "A10R", "W"});
    busy.push_back({"End"});
    RunRig plain(busy);
    ASSERT_EQ(plain.run().ending, Ending::EndRow);
    const std::string log = plain.platform.files().content("TESTFILE.txt");

    mount(0, "size=64k");
    RecordedRig full(busy, folder_);
    const fs::path folder = full.run();
    EXPECT_EQ(full.rig.form.runner().lastRun()->ending, Ending::EndRow);
    EXPECT_EQ(full.rig.platform.files().content("TESTFILE.txt"), log);
    const Json manifest = Json::parse(readFile(folder / "run.json"));
    EXPECT_EQ(manifest["complete"], false);
    EXPECT_NE(manifest["incomplete"].get<std::string>().find("cannot write"), std::string::npos);
    EXPECT_EQ(manifest["outcome"], "end-row");
    ASSERT_EQ(full.rig.diagnostics().size(), 1U);
    EXPECT_TRUE(full.rig.diagnostics()[0].starts_with("run record incomplete: cannot write "));

    ::umount2(folder_.c_str(), MNT_DETACH);
    mounted_ = false;
    mount(MS_RDONLY, "size=64k");
    RecordedRig readOnly(busy, folder_ / "runs");
    EXPECT_EQ(readOnly.run(), fs::path());
    EXPECT_EQ(readOnly.rig.form.runner().lastRun()->ending, Ending::EndRow);
    EXPECT_EQ(readOnly.rig.platform.files().content("TESTFILE.txt"), log);
    ASSERT_EQ(readOnly.rig.diagnostics().size(), 1U);
    EXPECT_TRUE(readOnly.rig.diagnostics()[0].starts_with("run record not written: cannot make "));
}
#endif

}  // namespace
}  // namespace quendrix::app
