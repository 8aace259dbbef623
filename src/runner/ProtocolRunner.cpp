#include "runner/ProtocolRunner.h"

#include <limits>
#include <string>

#include "form/FailureRule.h"
#include "platform/Failure.h"
#include "runner/AwaitRunTimer.h"
#include "runner/RowKind.h"
#include "runner/RunValues.h"
#include "runner/RunnerTexts.h"

namespace quendrix::runner {
namespace {

constexpr int kPacingMs = 10;

// Marks the span of a run, from its start to its return, whatever ends it.
class InRun {
public:
    InRun(const RunState*& current, const RunState& run) : current_(current) { current_ = &run; }
    ~InRun() { current_ = nullptr; }
    InRun(const InRun&) = delete;
    InRun& operator=(const InRun&) = delete;

private:
    const RunState*& current_;
};

struct RunMode {
    bool StepMode = false;
    bool TestMode = false;
};

RunMode modeOf(std::int16_t Index) {
    switch (Index) {
        case 2:
            return {true, false};
        case 3:
            return {true, true};
        default:
            return {};
    }
}

}  // namespace

ProtocolRunner::ProtocolRunner(form::Inventory& form, device::DeviceLink& link,
                               form::SettingsFields& settings, platform::MessageBox& messages,
                               platform::RandomSource& random)
    : form_(form),
      settings_(settings),
      messages_(messages),
      stop_(form),
      flow_(form, messages, stop_),
      device_(form, link, settings, messages, random, stop_) {
    for (auto& [index, button] : form_.RunProtocol) {
        const auto Index = static_cast<std::int16_t>(index);
        handlers_.push_back(button.onClick.subscribe([this, Index] { RunProtocol_Click(Index); }));
    }
    handlers_.push_back(form_.EndTheProtocol.onClick.subscribe([this] { EndTheProtocol_Click(); }));
}

template <typename Step>
void ProtocolRunner::step(Step&& action) {
    form::runOrSkip(form_.diagnostics, std::forward<Step>(action));
}

void ProtocolRunner::RunProtocol_Click(std::int16_t Index) {
    RunState run;
    if (!start(Index, run)) {
        return;
    }
    {
        const InRun inRun(current_, run);
        onRunStarted.notify(Index);
        while (form_.flags.ProtocolRunning) {
            if (!runRow(run)) {
                break;
            }
        }
        StopProtocol();
        lastRun_ = run.report;
    }
    onRunEnded.notify(run.report);
}

void ProtocolRunner::EndTheProtocol_Click() {
    form_.flags.ProtocolRunning = false;
}

void ProtocolRunner::StopProtocol() {
    stop_.StopProtocol();
}

// A second entry during a run, also one in the last pacing after the run was stopped, is
// refused before the run log. It has reset the test counter and TestMode by then, which the
// first run goes on with; that run's loop memory is left alone, as its loops still count
// with it.
bool ProtocolRunner::start(std::int16_t Index, RunState& run) {
    form_.intTestCounter.setText("1");
    const RunMode mode = modeOf(Index);
    run.StepMode = mode.StepMode;
    form_.flags.TestMode = mode.TestMode;
    if (running()) {
        return refuse("a run is in progress");
    }
    try {
        form_.fileSlot.openForOutput(kRunLog);
    } catch (const platform::Failure& failure) {
        return refuse(failure.what());
    }
    form_.LoopStartCount.fill(0);
    if (!hidePanelsAndConfigurePort()) {
        return false;
    }
    openPort();
    form_.flags.ProtocolRunning = true;
    form_.MainForm.setCaption(RunnerTexts::kRunning);
    form_.flags.StatusQueryMode = 0;
    run.CurrentRow = 1;
    run.PendingJump = 0;
    return true;
}

bool ProtocolRunner::refuse(const std::string& reason) {
    form_.diagnostics.report("run not started: " + reason);
    messages_.show(RunnerTexts::kLogOpen);
    return false;
}

// A failure here closes the run log again, so that the next start is not refused.
bool ProtocolRunner::hidePanelsAndConfigurePort() {
    try {
        form_.CommandFrame.setVisible(false);
        form_.ValvePositionFrame.setVisible(false);
        device::SerialWriter::configure(form_.MSComm1);
        return true;
    } catch (const platform::Failure& failure) {
        form_.diagnostics.report(std::string("Port open Error: ") + failure.what());
        form_.fileSlot.close();
        messages_.show(RunnerTexts::kPortOpenError);
        return false;
    }
}

// The port stays open from one run to the next, and after "Query Status": open on the
// number the settings name, it is the port the run wants. Open on another number, a number
// that is not one, a missing port: the run goes on, and the device link tries again at its
// first send.
void ProtocolRunner::openPort() {
    auto& port = form_.MSComm1;
    std::optional<std::int16_t> number;
    step([&] { number = strictWholeValue(settings_.CommPortSetting()); });
    if (port.PortOpen() && number == port.CommPort()) {
        return;
    }
    if (number) {
        step([&] { port.setCommPort(*number); });
    }
    if (!port.PortOpen()) {
        step([&] { port.setPortOpen(true); });
    }
}

// One turn of the row cycle. Pacing, advancing, scrolling and the step message follow every
// row, the one that ended the run included. Returns false once the main window has closed:
// the run then leaves at once, also when a watcher of onRowStarted closed it, before the row
// does anything.
bool ProtocolRunner::runRow(RunState& run) {
    run.report.row = run.CurrentRow;
    onRowStarted.notify(run.CurrentRow);
    if (form_.events.windowClosed()) {
        return false;
    }
    ++run.report.rowsExecuted;
    if (onGrid(run.CurrentRow)) {
        step([&] { markRow(run.CurrentRow); });
    }
    execute(run);
    form_.RunTimer.setInterval(kPacingMs);
    if (!awaitRunTimer(form_)) {
        return false;
    }
    step([&] { advance(run); });
    step([&] { scroll(run); });
    if (run.StepMode) {
        messages_.show(RunnerTexts::kStepPaused);
    }
    return true;
}

// Moves made by the program do not commit an edit open in the grid.
void ProtocolRunner::markRow(int row) {
    auto& grid = form_.MSFlexGrid1;
    grid.setCol(0);
    grid.setRow(row);
    grid.setSelectionMode(1);
    grid.setRowSel(row);
    grid.setColSel(3);
}

// A row off the grid cannot be read, and stops the run as an unreadable column 1 does.
void ProtocolRunner::execute(RunState& run) {
    const RowKind kind = onGrid(run.CurrentRow)
                             ? classifyRow(form_.MSFlexGrid1.TextMatrix(run.CurrentRow, 1))
                             : RowKind::Unreadable;
    switch (kind) {
        case RowKind::Loop:
            flow_.Loop(run);
            break;
        case RowKind::Goto:
            flow_.Goto(run);
            break;
        case RowKind::Pause:
            flow_.Pause();
            break;
        case RowKind::Wait:
            flow_.Wait(run);
            break;
        case RowKind::End:
            flow_.End(run);
            break;
        case RowKind::Device:
            device_.execute(run);
            break;
        case RowKind::Count:
            flow_.Count();
            break;
        case RowKind::Unreadable:
            flow_.ColumnOneError(run);
            break;
    }
}

void ProtocolRunner::advance(RunState& run) {
    if (run.PendingJump != 0) {
        run.CurrentRow = run.PendingJump;
        run.PendingJump = 0;
        return;
    }
    if (run.CurrentRow == std::numeric_limits<std::int16_t>::max()) {
        throw platform::Failure("overflow: no row follows row 32767");
    }
    ++run.CurrentRow;
}

// When the row just run has gone out of view, the next row goes to the top.
void ProtocolRunner::scroll(const RunState& run) {
    auto& grid = form_.MSFlexGrid1;
    if (!grid.RowIsVisible(grid.Row()) && onGrid(run.CurrentRow)) {
        grid.setTopRow(run.CurrentRow);
    }
}

bool ProtocolRunner::onGrid(int row) const {
    const auto& grid = form_.MSFlexGrid1;
    return row >= grid.FixedRows() && row < grid.Rows();
}

}  // namespace quendrix::runner
