#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "form/Inventory.h"
#include "form/SettingsFields.h"
#include "platform/ChangeNotifier.h"
#include "platform/MessageBox.h"
#include "platform/RandomSource.h"
#include "runner/DeviceStatement.h"
#include "runner/FlowStatements.h"
#include "runner/RunReport.h"
#include "runner/RunState.h"
#include "runner/StopRoutine.h"

namespace quendrix::runner {

// Runs the protocol in the grid from row 1, one row at a time, until an "End" row, the End
// button, the closing of the main window, the retry notice or a row it cannot read stops
// it. The run buttons start it, each in its mode; a run is one long call of their click
// handler, which pumps the window's events in every wait.
class ProtocolRunner {
public:
    // Created at every start in the process's current directory.
    static constexpr const char* kRunLog = "TESTFILE.txt";

    ProtocolRunner(form::Inventory& form, device::DeviceLink& link, form::SettingsFields& settings,
                   platform::MessageBox& messages, platform::RandomSource& random);
    ProtocolRunner(const ProtocolRunner&) = delete;
    ProtocolRunner& operator=(const ProtocolRunner&) = delete;

    // Index 0 runs, 2 steps through the rows, 3 steps in test mode; any other runs as 0.
    // Returns when the run has ended and StopProtocol has run, or at once when the start
    // fails. A click during a run enters here again and is refused; the first run goes on.
    void RunProtocol_Click(std::int16_t Index);
    // Asks the run to stop; it does so at its next check.
    void EndTheProtocol_Click();
    void StopProtocol();

    // From a start that succeeded until its run returns.
    bool running() const { return current_ != nullptr; }
    // The run going now, if any.
    const RunState* currentRun() const { return current_; }

    // A row's turn begins (its number, which may lie off the grid). A watcher that closes the
    // main window ends the run before the row does anything.
    platform::Event<int> onRowStarted;
    // A start that got past its checks, with the run button's index: the run log is open and
    // the rows follow. Every such start is followed by one onRunEnded, once the run has
    // stopped and its click handler is about to return, with what it did: a new start is
    // then no longer refused.
    platform::Event<std::int16_t> onRunStarted;
    platform::Event<const RunReport&> onRunEnded;
    // The last run that got past its start, once it has ended.
    const std::optional<RunReport>& lastRun() const { return lastRun_; }

private:
    bool start(std::int16_t Index, RunState& run);
    bool refuse(const std::string& reason);
    bool hidePanelsAndConfigurePort();
    void openPort();
    bool runRow(RunState& run);
    void markRow(int row);
    void execute(RunState& run);
    void advance(RunState& run);
    void scroll(const RunState& run);
    bool onGrid(int row) const;
    template <typename Step>
    void step(Step&& action);

    form::Inventory& form_;
    form::SettingsFields& settings_;
    platform::MessageBox& messages_;
    StopRoutine stop_;
    FlowStatements flow_;
    DeviceStatement device_;
    std::optional<RunReport> lastRun_;
    const RunState* current_ = nullptr;  // from a start that succeeded until its run returns
    std::vector<platform::Subscription> handlers_;
};

}  // namespace quendrix::runner
