#include "runner/StopRoutine.h"

#include "form/FailureRule.h"
#include "runner/RunnerTexts.h"

namespace quendrix::runner {

// The panels that the start of the run hid stay hidden.
void StopRoutine::StopProtocol() {
    form_.flags.ProtocolRunning = false;
    form_.flags.TestMode = false;
    form_.MainForm.setCaption(RunnerTexts::kStopped);
    form_.SonicateFrame.setVisible(false);
    form_.WaitFrame.setVisible(false);
    form_.tmrDeviceTimeout.setEnabled(false);
    form_.tmrResponseTimeout.setEnabled(false);
    form::runOrSkip(form_.diagnostics, [this] { resetGrid(); });
    form_.fileSlot.close();
}

// Free selection, the current cell on row 1, column 1, and the selection collapsed onto it.
void StopRoutine::resetGrid() {
    auto& grid = form_.MSFlexGrid1;
    grid.setTopRow(1);
    grid.setSelectionMode(0);
    grid.setRow(1);
    grid.setCol(1);
    grid.setRowSel(1);
    grid.setColSel(1);
}

}  // namespace quendrix::runner
