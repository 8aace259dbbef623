#include "runner/FlowStatements.h"

#include "common/NumberText.h"
#include "form/Counter.h"
#include "form/FailureRule.h"
#include "runner/AwaitRunTimer.h"
#include "runner/RunValues.h"
#include "runner/RunnerTexts.h"

namespace quendrix::runner {
namespace {

constexpr int kTarget = 2;
constexpr int kCount = 3;
constexpr int kWaitTickMs = 1000;

}  // namespace

FlowStatements::FlowStatements(form::Inventory& form, platform::MessageBox& messages,
                               StopRoutine& stop)
    : form_(form), messages_(messages), stop_(stop) {}

template <typename Step>
void FlowStatements::step(Step&& action) {
    form::runOrSkip(form_.diagnostics, std::forward<Step>(action));
}

const std::string& FlowStatements::cell(const RunState& run, int col) const {
    return form_.MSFlexGrid1.TextMatrix(run.CurrentRow, col);
}

void FlowStatements::setCell(const RunState& run, int col, std::string text) {
    form_.MSFlexGrid1.setTextMatrix(run.CurrentRow, col, std::move(text));
}

// The count is written with its sign position, so that the next pass, and the next run,
// read it back by its leading number.
void FlowStatements::Loop(RunState& run) {
    std::int16_t& remembered = form_.LoopStartCount[static_cast<std::size_t>(run.CurrentRow)];
    step([&] {
        if (remembered == 0) {
            remembered = wholeValue(cellValue(cell(run, kCount)));
        }
    });
    step([&] {
        const double count = cellValue(cell(run, kCount));
        if (count != 0) {
            setCell(run, kCount, formatSignedNumber(count - 1) + " times");
            step([&] { run.PendingJump = wholeValue(cellValue(cell(run, kTarget))); });
        } else {
            setCell(run, kCount, formatSignedNumber(remembered) + " times");
            run.PendingJump = 0;
        }
    });
}

void FlowStatements::Goto(RunState& run) {
    step([&] { run.PendingJump = wholeValue(cellValue(cell(run, kTarget))); });
}

void FlowStatements::Pause() {
    messages_.show(RunnerTexts::kPauseRow);
}

// A box that does not hold a number as a whole cannot be counted down: its tick is skipped,
// and "5abc" keeps the countdown where it is until the operator corrects it.
void FlowStatements::Wait(const RunState& run) {
    step([&] { form_.txtWaitCount.setText(formatNumber(cellValue(cell(run, kTarget)))); });
    form_.RunTimer.setInterval(kWaitTickMs);
    form_.WaitFrame.setVisible(true);
    while (waitCountLeft()) {
        if (!awaitRunTimer(form_)) {
            break;
        }
        if (!form::Counter(form_.txtWaitCount).lower()) {
            form::FailureRule::report(
                form_.diagnostics,
                "the wait count \"" + form_.txtWaitCount.text() + "\" is not a number");
        }
    }
    form_.WaitFrame.setVisible(false);
}

bool FlowStatements::waitCountLeft() {
    bool left = false;
    step([&] { left = cellValue(form_.txtWaitCount.text()) > 0; });
    return left;
}

void FlowStatements::End(RunState& run) {
    run.endBy(RunReport::Ending::EndRow);
    stop_.StopProtocol();
}

void FlowStatements::Count() {
    if (!form::Counter(form_.intTestCounter).raise()) {
        form::FailureRule::report(
            form_.diagnostics,
            "the test counter \"" + form_.intTestCounter.text() + "\" is not a number");
    }
}

void FlowStatements::ColumnOneError(RunState& run) {
    messages_.show(RunnerTexts::kColumnOneError);
    run.endBy(RunReport::Ending::ColumnOneError);
    stop_.StopProtocol();
}

}  // namespace quendrix::runner
