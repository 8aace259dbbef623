#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Diagnostics.h"
#include "platform/RunClock.h"
#include "record/Manifest.h"
#include "record/RecordWriter.h"
#include "record/RowsTable.h"
#include "record/Timeline.h"

namespace quendrix::record {

// The record of one run, in a folder of its own: the protocol as it stood, the run log and
// every byte on the line as they happen, one line per executed row, the manifest (written
// "running" at the start and replaced at the end) and the timeline picture at the end. It
// never throws and never holds the run up: what cannot be written makes the record
// incomplete, which the manifest and the diagnostics say.
class RunRecord {
public:
    static constexpr const char* kProtocol = "protocol.txt";
    static constexpr const char* kRunLog = "run-log.txt";
    static constexpr const char* kTranscript = "transcript.txt";
    static constexpr const char* kRows = "rows.tsv";
    static constexpr const char* kManifest = "run.json";
    static constexpr const char* kTimeline = "timeline.svg";

    // What the manifest says at the end.
    struct Ending {
        std::string outcome;
        int rowsExecuted = 0;
        int commandsSent = 0;
        std::vector<std::pair<std::string, long>> counters;
        int lastRow = 0;
    };

    // Times count from now. `manifest` holds what is known at the start; its times, outcome,
    // host and process are filled in here.
    RunRecord(const std::filesystem::path& folder, RecordWriter::Mode mode, Manifest manifest,
              const std::string& protocolText, const platform::RunClock& clock,
              platform::Diagnostics& diagnostics);
    RunRecord(const RunRecord&) = delete;
    RunRecord& operator=(const RunRecord&) = delete;

    // A record of the run log, byte for byte.
    void logWritten(std::string_view bytes);
    void lineBytes(bool toInstrument, std::string_view bytes);
    // The row's line is written once it is over: at the next row, or at the end.
    void rowStarted(int row, const std::array<std::string, 3>& cells, Timeline::RowClass kind);
    void commandSent(std::string_view command);
    void commandAnswered(int error, bool ready);
    void exchangeSent(int address);
    void exchangeAnswered(int error, bool ready);
    void exchangeTimedOut();
    void pauseShown();
    void pauseAnswered();
    // A drive's position now (the dry run's simulated instrument knows them).
    void position(int address, long value);

    // A turn that never ran its row (the window closed as it began) is left out: only the
    // first `ending.rowsExecuted` rows are written.
    void finish(const Ending& ending);
    // Returns once everything so far is written out of the process.
    void flush() { writer_.flush(); }

    const std::filesystem::path& folder() const { return writer_.folder(); }
    const Timeline& timeline() const { return timeline_; }
    bool incomplete() const { return writer_.failed(); }

private:
    RunTime now() const;
    void append(const char* file, std::string bytes);
    void noticeFailure();
    void endRow(bool ran);

    RecordWriter writer_;
    Manifest manifest_;
    const platform::RunClock& clock_;
    const std::chrono::microseconds start_;
    platform::Diagnostics& diagnostics_;
    Timeline timeline_;
    std::optional<RowsTable::Line> row_;
    int rowsWritten_ = 0;
    std::optional<Timeline::Exchange> exchange_;
    std::optional<RunTime> pauseShown_;
    bool failureReported_ = false;
};

}  // namespace quendrix::record
