#pragma once

#include <memory>
#include <optional>
#include <ostream>

#include "app/MainForm.h"
#include "app/RunRecorder.h"
#include "dryrun/DryRunOptions.h"
#include "dryrun/FindingList.h"
#include "dryrun/LineWatch.h"
#include "dryrun/MessageAnswerer.h"
#include "dryrun/ProtocolCheck.h"
#include "dryrun/ReadThroughFileSystem.h"
#include "dryrun/ReplyErrorWatch.h"
#include "dryrun/RowTrace.h"
#include "dryrun/RunSummary.h"
#include "sim/cli/Transcript.h"
#include "sim/virtualtime/SimPlatform.h"

namespace quendrix::dryrun {

// The program's main window on the simulation platform, with everything that watches its
// run: the rows and messages for `out`, every byte on the line for the transcript, and the
// limits that stop a run that does not end.
class DryRunSession {
public:
    // `transcript` null: none is kept.
    DryRunSession(const DryRunOptions& options, std::ostream& out, std::ostream* transcript);
    DryRunSession(const DryRunSession&) = delete;
    DryRunSession& operator=(const DryRunSession&) = delete;

    // Loads the file with the program's own Load; false when it shows "Error Reading file".
    bool load();
    // Runs the protocol as the options' run button does; returns when the run has ended.
    void run();
    RunSummary summary() const;
    // The run's record, when one was asked for.
    const std::optional<app::RunRecorder>& recorder() const { return recorder_; }
    // What became of a record that could not be written whole.
    std::vector<std::string> recordProblems();

private:
    void rowStarted(int row);
    void stopAtLimit(RunSummary::Limit limit);
    void recordPositions();
    std::vector<Finding> findings(const RunSummary& summary) const;

    const DryRunOptions& options_;
    sim::SimPlatform platform_;
    ReadThroughFileSystem files_;
    std::optional<sim::Transcript> transcript_;
    std::unique_ptr<app::MainForm> form_;
    std::unique_ptr<RowTrace> trace_;
    ProtocolRows loaded_;  // the cells before the run rewrote any
    FindingList runFindings_;
    ReplyErrorWatch replyErrors_{runFindings_};
    std::unique_ptr<MessageAnswerer> answerer_;
    std::unique_ptr<LineWatch> lineWatch_;
    std::optional<app::RunRecorder> recorder_;
    platform::Subscription rows_;
    platform::Subscription receiveBuffer_;
    std::vector<platform::Subscription> positionSamples_;
    int rowsStarted_ = 0;
    RunSummary::Limit limitReached_ = RunSummary::Limit::None;
};

}  // namespace quendrix::dryrun
