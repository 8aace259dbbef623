#pragma once

#include <string>

#include "form/Inventory.h"
#include "platform/MessageBox.h"
#include "runner/RunState.h"
#include "runner/StopRoutine.h"

namespace quendrix::runner {

// The rows that the run handles itself: counted and plain jumps, the operator's pause, the
// timed wait, the end, the test counter, and the row the run cannot read. Each works on the
// row of `run.CurrentRow`, which lies on the grid.
class FlowStatements {
public:
    FlowStatements(form::Inventory& form, platform::MessageBox& messages, StopRoutine& stop);

    // Jumps to the row in column 2 while the count in column 3, rewritten on every pass,
    // has not run down; the body thus runs count + 1 times. The count is then restored from
    // the loop memory, so that an enclosing loop runs it again in full.
    void Loop(RunState& run);
    // Column 2 is the row to run next; 0 is no jump.
    void Goto(RunState& run);
    void Pause();
    // Counts column 2's seconds down in the "Wait Counter" panel, one tick a second. The
    // countdown re-reads the box, so the operator's typing takes effect; the End button does
    // not cut it short, the closing of the main window does.
    void Wait(const RunState& run);
    void End(RunState& run);
    void Count();
    void ColumnOneError(RunState& run);

private:
    const std::string& cell(const RunState& run, int col) const;
    void setCell(const RunState& run, int col, std::string text);
    bool waitCountLeft();
    template <typename Step>
    void step(Step&& action);

    form::Inventory& form_;
    platform::MessageBox& messages_;
    StopRoutine& stop_;
};

}  // namespace quendrix::runner
