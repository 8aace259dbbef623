#include "app/RunRecorder.h"

#include <cmath>
#include <exception>
#include <system_error>

#include "common/CodePage.h"
#include "common/NumberText.h"
#include "platform/Failure.h"
#include "record/RecordFolder.h"
#include "record/Sha256.h"
#include "runner/RowKind.h"
#include "settings/SettingsTable.h"

namespace quendrix::app {
namespace {

using record::Timeline;
using runner::RowKind;

// A count or limit as the program reads a text box; `otherwise` for a text that is none.
long wholeNumber(const std::string& text, long otherwise) {
    const std::optional<double> value = readWholeNumber(text);
    return value ? std::lround(*value) : otherwise;
}

Timeline::RowClass rowClass(RowKind kind) {
    switch (kind) {
        case RowKind::Device:
            return Timeline::RowClass::Device;
        case RowKind::Wait:
            return Timeline::RowClass::Wait;
        case RowKind::Pause:
            return Timeline::RowClass::Pause;
        case RowKind::Loop:
        case RowKind::Goto:
            return Timeline::RowClass::Flow;
        case RowKind::Count:
            return Timeline::RowClass::Count;
        case RowKind::End:
            return Timeline::RowClass::End;
        case RowKind::Unreadable:
            return Timeline::RowClass::Unreadable;
    }
    return Timeline::RowClass::Unreadable;
}

const char* modeName(std::int16_t index) {
    switch (index) {
        case 2:
            return "step";
        case 3:
            return "test-step";
        default:
            return "run";
    }
}

}  // namespace

RunRecorder::RunRecorder(MainForm& form, platform::Platform& platform, RecordPlace place)
    : form_(form), platform_(platform), place_(std::move(place)) {
    wire();
}

void RunRecorder::wire() {
    auto& c = form_.controls();
    auto& link = form_.deviceLink();
    auto& runner = form_.runner();
    handlers_.push_back(runner.onRunStarted.subscribe([this](std::int16_t i) { begin(i); }));
    handlers_.push_back(runner.onRowStarted.subscribe([this](int row) { rowStarted(row); }));
    handlers_.push_back(
        runner.onRunEnded.subscribe([this](const runner::RunReport& r) { end(r); }));
    handlers_.push_back(link.onExchangeSent.subscribe(
        [this](device::DeviceLink::Exchange kind, const std::string& frame) {
            exchangeSent(kind, frame);
        }));
    handlers_.push_back(link.onReplyDecoded().subscribe(
        [this](const device::Reply& reply) { replyDecoded(reply); }));
    handlers_.push_back(link.onExchangeEnded.subscribe(
        [this](device::DeviceLink::Exchange, device::WaitOutcome o) { exchangeEnded(o); }));
    // Every message of a run waits on the operator.
    handlers_.push_back(form_.messages().onShown.subscribe([this](const std::string&) {
        if (record_) {
            record_->pauseShown();
        }
    }));
    handlers_.push_back(form_.messages().onClosed.subscribe([this](const std::string&) {
        if (record_) {
            record_->pauseAnswered();
        }
    }));
    handlers_.push_back(c.fileSlot.onRecordWritten.subscribe([this](std::string_view bytes) {
        if (record_) {
            record_->logWritten(bytes);
        }
    }));
    handlers_.push_back(c.MSComm1.onWritten.subscribe([this](std::string_view bytes) {
        if (record_) {
            record_->lineBytes(true, bytes);
        }
    }));
    handlers_.push_back(c.MSComm1.onReceived.subscribe([this](std::string_view bytes) {
        if (record_) {
            record_->lineBytes(false, bytes);
        }
    }));
}

// A record that cannot even begin leaves the run alone, and the diagnostics say why.
void RunRecorder::begin(std::int16_t index) {
    const auto folder = makeFolder();
    if (!folder) {
        return;
    }
    try {
        record_.emplace(*folder, place_.mode, startManifest(index),
                        editor::ProtocolFiles::protocolText(form_.controls().MSFlexGrid1),
                        platform_.runClock(), platform_.diagnostics());
    } catch (const std::exception& failure) {
        platform_.diagnostics().report(std::string("run record not written: ") + failure.what());
    }
    awaitingCommandReply_ = false;
}

std::optional<std::filesystem::path> RunRecorder::makeFolder() {
    try {
        if (!place_.folderPerRun) {
            std::error_code error;
            std::filesystem::create_directories(place_.folder, error);
            if (error) {
                throw platform::Failure("cannot make " + place_.folder.string() + ": " +
                                        error.message());
            }
            return place_.folder;
        }
        if (place_.folder.empty()) {
            throw platform::Failure("no data folder is known");
        }
        // Made first, so that the new run counts as the newest of the runs kept.
        auto folder = record::makeRecordFolder(place_.folder, platform_.runClock().wallNow());
        pruneOldRecords();
        return folder;
    } catch (const platform::Failure& failure) {
        platform_.diagnostics().report(std::string("run record not written: ") + failure.what());
        return std::nullopt;
    }
}

// The limits are read at every start, so that an edited settings file counts from the next.
void RunRecorder::pruneOldRecords() {
    auto& store = platform_.settingsStore();
    const auto limit = [&](const char* key, long otherwise) {
        try {
            const long value = wholeNumber(
                store.GetSetting(settings::kApplication, "Records", key, std::to_string(otherwise)),
                otherwise);
            return value >= 0 ? value : otherwise;
        } catch (const platform::Failure&) {
            return otherwise;
        }
    };
    limits_ = {limit("KeepRuns", 500), limit("KeepMegabytes", 1024)};
    for (const auto& failure : record::pruneRecords(place_.folder, limits_).failures) {
        platform_.diagnostics().report("old run record not removed: " + failure);
    }
}

record::Manifest RunRecorder::startManifest(std::int16_t index) {
    auto& c = form_.controls();
    record::Manifest manifest;
    manifest.program = place_.program;
    const platform::Version version = platform_.version();
    manifest.version = std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
                       std::to_string(version.revision);
    manifest.mode = modeName(index);
    const std::string& path = form_.protocolFiles().lastFile();
    if (!path.empty()) {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(path, error);
        manifest.protocolPath = error ? path : absolute.string();
        try {
            manifest.protocolSha256 = record::Sha256::hexOf(
                platform_.fileSystem().readAll(path, platform::FileSlot::kMaxInputBytes));
        } catch (const platform::Failure&) {
            // Gone or changed into something unreadable since: the path alone is known.
        }
    }
    manifest.portNumber = c.MSComm1.CommPort();
    manifest.portDevice = platform_.serialLine().deviceName(manifest.portNumber);
    for (const auto& setting : form_.settingsWindow().settingTexts()) {
        manifest.settings.push_back({setting.section, setting.key, utf8FromCodePage(setting.text)});
    }
    return manifest;
}

void RunRecorder::rowStarted(int row) {
    if (!record_) {
        return;
    }
    const platform::Grid& grid = form_.controls().MSFlexGrid1;
    std::array<std::string, 3> cells;
    RowKind kind = RowKind::Unreadable;
    if (row >= grid.FixedRows() && row < grid.Rows()) {
        for (int col = 1; col <= 3; ++col) {
            cells[static_cast<std::size_t>(col - 1)] = utf8FromCodePage(grid.TextMatrix(row, col));
        }
        kind = runner::classifyRow(grid.TextMatrix(row, 1));
    }
    record_->rowStarted(row, cells, rowClass(kind));
    awaitingCommandReply_ = false;
}

void RunRecorder::exchangeSent(device::DeviceLink::Exchange kind, const std::string& frame) {
    if (!record_) {
        return;
    }
    record_->exchangeSent(static_cast<int>(wholeNumber(form_.controls().flags.CurrentAddress, 0)));
    awaitingCommandReply_ = kind == device::DeviceLink::Exchange::Command;
    if (awaitingCommandReply_) {
        record_->commandSent(utf8FromCodePage(frame));
    }
}

void RunRecorder::replyDecoded(const device::Reply& reply) {
    if (!record_) {
        return;
    }
    record_->exchangeAnswered(reply.errorCode, reply.ready);
    if (awaitingCommandReply_) {
        record_->commandAnswered(reply.errorCode, reply.ready);
        awaitingCommandReply_ = false;
    }
}

void RunRecorder::exchangeEnded(device::WaitOutcome outcome) {
    if (record_ && outcome == device::WaitOutcome::TimedOut) {
        record_->exchangeTimedOut();
    }
    awaitingCommandReply_ = false;
}

void RunRecorder::end(const runner::RunReport& report) {
    if (!record_) {
        return;
    }
    using Ending = runner::RunReport::Ending;
    const auto& c = form_.controls();
    record::RunRecord::Ending ending;
    switch (report.ending) {
        case Ending::EndRow:
            ending.outcome = "end-row";
            break;
        case Ending::ColumnOneError:
            ending.outcome = "column-one-error";
            break;
        case Ending::RetryNotice:
            ending.outcome = "retry-notice";
            break;
        case Ending::Stopped:
            ending.outcome = c.events.windowClosed() ? "program-closed" : "end-button";
            break;
    }
    ending.rowsExecuted = report.rowsExecuted;
    ending.commandsSent = report.commandsSent;
    ending.lastRow = report.row;
    ending.counters = {{"error2", wholeNumber(c.Error2.text(), 0)},
                       {"error3", wholeNumber(c.Error3.text(), 0)},
                       {"error9", wholeNumber(c.Error9.text(), 0)},
                       {"RetryCounter", wholeNumber(c.RetryCounter.text(), 0)},
                       {"RetryCounter2", wholeNumber(c.RetryCounter2.text(), 0)},
                       {"test", wholeNumber(c.intTestCounter.text(), 0)}};
    lastFolder_ = record_->folder();
    try {
        record_->finish(ending);
        lastTimeline_ = record_->timeline();
    } catch (const std::exception& failure) {
        platform_.diagnostics().report(std::string("run record incomplete: ") + failure.what());
    }
    record_.reset();
}

}  // namespace quendrix::app
