#pragma once

namespace quendrix::runner {

// What a run did, for a tool that shows a run without changing it: how the run ended, at
// which row, and how much it did.
struct RunReport {
    enum class Ending {
        EndRow,          // an "End" row
        ColumnOneError,  // a column 1 that is no keyword and no address, or a row off the grid
        RetryNotice,     // 120 exchanges in a row, some 60 s, went unanswered
        Stopped,         // the End button, or the main window closing
    };

    Ending ending = Ending::Stopped;
    int row = 0;           // the row whose turn it was when the run ended
    int rowsExecuted = 0;  // turns of the row cycle that ran their row, the last one included
    int commandsSent = 0;  // commands of device rows, re-sends included; polls are not counted
};

}  // namespace quendrix::runner
