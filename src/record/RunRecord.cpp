#include "record/RunRecord.h"

#include <algorithm>
#include <utility>

#include "record/Sha256.h"
#include "record/ProcessIdentity.h"
#include "record/TimelineSvg.h"
#include "record/TranscriptLine.h"
#include "record/WallTimeText.h"

namespace quendrix::record {

RunRecord::RunRecord(const std::filesystem::path& folder, RecordWriter::Mode mode,
                     Manifest manifest, const std::string& protocolText,
                     const platform::RunClock& clock, platform::Diagnostics& diagnostics)
    : writer_(folder, mode),
      manifest_(std::move(manifest)),
      clock_(clock),
      start_(clock.runNow()),
      diagnostics_(diagnostics) {
    manifest_.outcome = "running";
    manifest_.start = isoText(clock_.wallNow());
    manifest_.virtualClock = clock_.isVirtual();
    manifest_.recordSha256 = Sha256::hexOf(protocolText);
    manifest_.host = thisHostName();
    manifest_.pid = thisProcessId();
    writer_.replace(kManifest, manifestJson(manifest_));
    append(kProtocol, protocolText);
    append(kRows, std::string(RowsTable::kHeader));
    append(kTranscript, std::string(TranscriptLine::kHeader) + "\n");
    append(kRunLog, {});
}

RunTime RunRecord::now() const {
    return std::chrono::duration_cast<RunTime>(clock_.runNow() - start_);
}

void RunRecord::append(const char* file, std::string bytes) {
    writer_.append(file, std::move(bytes));
    noticeFailure();
}

void RunRecord::noticeFailure() {
    if (!failureReported_ && writer_.failed()) {
        failureReported_ = true;
        diagnostics_.report("run record incomplete: " + writer_.failure() + " (" +
                            folder().string() + ")");
    }
}

void RunRecord::logWritten(std::string_view bytes) {
    append(kRunLog, std::string(bytes));
}

void RunRecord::lineBytes(bool toInstrument, std::string_view bytes) {
    const RunTime at = now();
    std::string lines;
    for (const char byte : bytes) {
        lines += TranscriptLine::line(at, toInstrument, byte);
        lines += '\n';
    }
    append(kTranscript, std::move(lines));
}

void RunRecord::rowStarted(int row, const std::array<std::string, 3>& cells,
                           Timeline::RowClass kind) {
    endRow(true);
    const RunTime at = now();
    row_ = RowsTable::Line{at, row, cells, {}, {}, {}};
    timeline_.rows.push_back({at, at, row, kind});
}

void RunRecord::commandSent(std::string_view command) {
    if (row_) {
        row_->sent = command;
        row_->error.clear();
        row_->ready.clear();
    }
}

void RunRecord::commandAnswered(int error, bool ready) {
    if (row_) {
        row_->error = std::to_string(error);
        row_->ready = ready ? "ready" : "busy";
    }
}

void RunRecord::exchangeSent(int address) {
    const RunTime at = now();
    exchange_ = Timeline::Exchange{at, at, address, false, false, 0};
}

void RunRecord::exchangeAnswered(int error, bool ready) {
    if (exchange_) {
        exchange_->answered = now();
        exchange_->replied = true;
        exchange_->error = error;
        exchange_->ready = ready;
        timeline_.exchanges.push_back(*exchange_);
        exchange_.reset();
    }
}

void RunRecord::exchangeTimedOut() {
    if (exchange_) {
        exchange_->answered = now();
        timeline_.exchanges.push_back(*exchange_);
        exchange_.reset();
    }
}

void RunRecord::pauseShown() {
    pauseShown_ = now();
}

void RunRecord::pauseAnswered() {
    if (pauseShown_) {
        timeline_.pauses.push_back({*pauseShown_, now()});
        pauseShown_.reset();
    }
}

// Only a change is kept.
void RunRecord::position(int address, long value) {
    const auto& positions = timeline_.positions;
    const auto last = std::find_if(positions.rbegin(), positions.rend(),
                                   [address](const auto& p) { return p.address == address; });
    if (last == positions.rend() || last->value != value) {
        timeline_.positions.push_back({now(), address, value});
    }
}

// Only rows that ran are written; the row that ends the run is one of them.
void RunRecord::endRow(bool ran) {
    if (!row_) {
        return;
    }
    if (ran) {
        append(kRows, RowsTable::line(*row_));
        ++rowsWritten_;
        timeline_.rows.back().end = now();
    } else {
        timeline_.rows.pop_back();
    }
    row_.reset();
}

void RunRecord::finish(const Ending& ending) {
    endRow(rowsWritten_ < ending.rowsExecuted);
    // An exchange still waiting was cut short by the end, and timed out no more than it was
    // answered.
    exchange_.reset();
    pauseAnswered();
    timeline_.length = now();
    writer_.replace(kTimeline, renderTimelineSvg(timeline_, folder().filename().string()));
    writer_.flush();
    noticeFailure();
    manifest_.outcome = ending.outcome;
    manifest_.end = isoText(clock_.wallNow());
    manifest_.rowsExecuted = ending.rowsExecuted;
    manifest_.commandsSent = ending.commandsSent;
    manifest_.counters = ending.counters;
    manifest_.lastRow = ending.lastRow;
    if (writer_.failed()) {
        manifest_.incomplete = writer_.failure();
    }
    writer_.replace(kManifest, manifestJson(manifest_));
    writer_.flush();
    noticeFailure();
}

}  // namespace quendrix::record
