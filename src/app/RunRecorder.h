#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "platform/Platform.h"
#include "record/RecordWriter.h"
#include "record/Retention.h"
#include "record/RunRecord.h"

namespace quendrix::app {

// Where and how the runs are recorded.
struct RecordPlace {
    std::filesystem::path folder;
    // True: each run gets a folder of its own in `folder`, named by its start, and older
    // records are pruned first. False: the run is written into `folder` itself.
    bool folderPerRun = true;
    record::RecordWriter::Mode mode = record::RecordWriter::Mode::Threaded;
    std::string program = "quendrix";
};

// Records every run of the main window that gets past its start: it listens to the runner,
// the device link, the run log's file slot and the serial port, and feeds a record::RunRecord.
// It changes nothing in the window; a record that cannot be written never touches the run.
class RunRecorder {
public:
    RunRecorder(MainForm& form, platform::Platform& platform, RecordPlace place);
    RunRecorder(const RunRecorder&) = delete;
    RunRecorder& operator=(const RunRecorder&) = delete;

    // The record of the run in progress; null between runs.
    record::RunRecord* current() { return record_ ? &*record_ : nullptr; }
    // The folder of the last run recorded, once it has ended.
    const std::optional<std::filesystem::path>& lastFolder() const { return lastFolder_; }
    // The record of the run going, or else of the last run recorded.
    std::optional<std::filesystem::path> newestFolder() const {
        return record_ ? std::optional(record_->folder()) : lastFolder_;
    }
    // What the last run recorded's timeline picture was drawn from.
    const record::Timeline& lastTimeline() const { return lastTimeline_; }
    // The limits as the last start read them.
    const record::RetentionLimits& limits() const { return limits_; }

private:
    void begin(std::int16_t index);
    std::optional<std::filesystem::path> makeFolder();
    void pruneOldRecords();
    record::Manifest startManifest(std::int16_t index);
    void rowStarted(int row);
    void exchangeSent(device::DeviceLink::Exchange kind, const std::string& frame);
    void replyDecoded(const device::Reply& reply);
    void exchangeEnded(device::WaitOutcome outcome);
    void end(const runner::RunReport& report);
    void wire();

    MainForm& form_;
    platform::Platform& platform_;
    RecordPlace place_;
    // From section [Records] of the settings, read at every start; 0 is no limit.
    record::RetentionLimits limits_;
    std::optional<record::RunRecord> record_;
    std::optional<std::filesystem::path> lastFolder_;
    record::Timeline lastTimeline_;
    bool awaitingCommandReply_ = false;
    std::vector<platform::Subscription> handlers_;
};

}  // namespace quendrix::app
