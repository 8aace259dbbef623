#include "dryrun/DryRunSession.h"

#include <chrono>

#include "editor/ProtocolFiles.h"
#include "runner/RowKind.h"

namespace quendrix::dryrun {
namespace {

// The run buttons "&Run " and "&Single Step &Protocol".
constexpr std::int16_t kRunIndex = 0;
constexpr std::int16_t kStepIndex = 2;

}  // namespace

// The file system is the platform's before the main window is made, and outlives it.
DryRunSession::DryRunSession(const DryRunOptions& options, std::ostream& out,
                             std::ostream* transcript)
    : options_(options),
      platform_(options.faults,
                {QUENDRIX_VERSION_MAJOR, QUENDRIX_VERSION_MINOR, QUENDRIX_VERSION_PATCH}),
      files_(options.logPath) {
    platform_.replaceFileSystem(files_);
    if (transcript != nullptr) {
        transcript_.emplace(*transcript);
    }
    form_ = std::make_unique<app::MainForm>(platform_);
    if (options.maxPosition) {
        // Typed into the settings window, loaded unseen, as an operator would type it.
        auto& settings = form_->settingsWindow();
        settings.MaxPosition();
        settings.controls().MaxPosition.setText(*options.maxPosition);
    }
    trace_ = std::make_unique<RowTrace>(form_->controls().MSFlexGrid1, platform_.clock(),
                                        options.json ? nullptr : &out);
    answerer_ = std::make_unique<MessageAnswerer>(platform_.messages(), *trace_);
    lineWatch_ =
        std::make_unique<LineWatch>(platform_.serial().line(), platform_.clock(),
                                    LineWatch::Handlers{[this](std::string_view frame) {
                                                            trace_->frameSent(frame);
                                                            replyErrors_.frameSent(frame);
                                                        },
                                                        [this](const device::Reply& reply) {
                                                            trace_->replyReceived(reply);
                                                            replyErrors_.replyReceived(reply);
                                                        }},
                                    transcript_ ? &*transcript_ : nullptr);
    rows_ = form_->runner().onRowStarted.subscribe([this](int row) { rowStarted(row); });
    if (!options.recordDir.empty()) {
        // Virtual time from the moment the dry run starts, so that its record sorts among
        // the real ones.
        platform_.wallClock().setWallStart(platform::SystemRunClock().wallNow());
        recorder_.emplace(
            *form_, platform_,
            app::RecordPlace{options.recordDir, false, record::RecordWriter::Mode::Synchronous,
                             "quendrix-dryrun"});
        // The drives' positions as each row starts and as each reply arrives, which during
        // a move is at every poll.
        positionSamples_.push_back(
            form_->runner().onRowStarted.subscribe([this](int) { recordPositions(); }));
        positionSamples_.push_back(form_->deviceLink().onReplyDecoded().subscribe(
            [this](const device::Reply&) { recordPositions(); }));
    }
    const platform::TextBox& receiveBuffer = form_->controls().Text3;
    receiveBuffer_ = receiveBuffer.observe([this, &receiveBuffer] {
        if (receiveBuffer.text().empty()) {
            lineWatch_->receiveBufferEmptied();
        }
    });
}

bool DryRunSession::load() {
    const std::size_t before = platform_.messages().shown().size();
    platform_.dialog().answer(options_.file);
    form_->protocolFiles().LoadProtocol_Click();
    const auto& shown = platform_.messages().shown();
    for (std::size_t i = before; i < shown.size(); ++i) {
        if (shown[i] == editor::ProtocolFiles::kReadError) {
            return false;
        }
    }
    return true;
}

// Closing the main window ends every wait, a Wait countdown's too, and the run returns. The
// pump's own limit lies beyond, so that it never cuts a wait short itself.
void DryRunSession::run() {
    sim::VirtualClock& clock = platform_.clock();
    const sim::Micros end = clock.now() + options_.limit;
    clock.at(end, [this] { stopAtLimit(RunSummary::Limit::Time); });
    platform_.pump().setTimeLimit(end + std::chrono::hours(1));
    loaded_ = protocolRows(form_->controls().MSFlexGrid1);
    form_->runner().RunProtocol_Click(options_.step ? kStepIndex : kRunIndex);
    trace_->finish();
    const sim::SimulatedInstrument& instrument = platform_.serial().line().instrument();
    for (const int address : {1, 2}) {
        replyErrors_.runEnded(std::to_string(address),
                              static_cast<int>(instrument.controller(address).error()));
    }
}

// The turn after the last one allowed ends the run before its row acts.
void DryRunSession::rowStarted(int row) {
    if (options_.maxRows && rowsStarted_ == *options_.maxRows) {
        stopAtLimit(RunSummary::Limit::Rows);
        return;
    }
    ++rowsStarted_;
    trace_->rowStarted(row);
    const auto* cells = row >= 1 && row <= static_cast<int>(loaded_.size())
                            ? &loaded_[static_cast<std::size_t>(row - 1)]
                            : nullptr;
    const bool device =
        cells != nullptr && runner::classifyRow((*cells)[0]) == runner::RowKind::Device;
    replyErrors_.rowStarted(row, device ? std::string_view((*cells)[0]) : std::string_view());
}

std::vector<std::string> DryRunSession::recordProblems() {
    std::vector<std::string> problems;
    for (const std::string& line : platform_.diagnosticLines().lines()) {
        if (line.starts_with("run record")) {
            problems.push_back(line);
        }
    }
    return problems;
}

void DryRunSession::recordPositions() {
    record::RunRecord* record = recorder_->current();
    if (record == nullptr) {
        return;
    }
    const sim::SimulatedInstrument& instrument = platform_.serial().line().instrument();
    for (const int address : {1, 2}) {
        record->position(address, instrument.controller(address).position());
    }
}

void DryRunSession::stopAtLimit(RunSummary::Limit limit) {
    if (limitReached_ == RunSummary::Limit::None) {
        limitReached_ = limit;
    }
    form_->controls().MainForm.close();
}

RunSummary DryRunSession::summary() const {
    RunSummary summary;
    summary.file = options_.file;
    summary.report = form_->runner().lastRun();
    summary.limit = limitReached_;
    summary.limitText = limitReached_ == RunSummary::Limit::Rows
                            ? std::to_string(options_.maxRows.value_or(0)) + " rows"
                            : options_.limitText;
    summary.duration = trace_->elapsed();
    summary.readForm(form_->controls());
    summary.messages = trace_->messages();
    if (options_.check) {
        summary.findings = findings(summary);
    }
    return summary;
}

// The run's own findings, then what the cells show, then how the run ended.
std::vector<Finding> DryRunSession::findings(const RunSummary& summary) const {
    FindingList all = runFindings_;
    const auto& report = summary.report;
    const bool columnOneStop =
        report && report->ending == runner::RunReport::Ending::ColumnOneError;
    checkRows(loaded_, options_.maxWait, columnOneStop ? report->row : 0, all);
    if (report) {
        const std::string limit =
            summary.limit == RunSummary::Limit::None
                ? std::string()
                : (summary.limit == RunSummary::Limit::Time ? "the time limit of "
                                                            : "the limit of ") +
                      summary.limitText;
        checkEnding(*report, limit, loaded_, all);
    }
    return all.byRow();
}

}  // namespace quendrix::dryrun
