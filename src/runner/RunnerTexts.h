#pragma once

namespace quendrix::runner {

// The texts a run shows the operator, in message boxes and the main window's caption, kept
// in one place. They are the program's own texts, blanks included.
struct RunnerTexts {
    static constexpr char kRunning[] = "Protocol Running";
    static constexpr char kStopped[] = "Protocol Stopped";
    static constexpr char kLogOpen[] = "File Open Already ";
    static constexpr char kPortOpenError[] = "Port open Error";
    static constexpr char kStepPaused[] = "Protocol paused, press OK to continue";
    static constexpr char kPauseRow[] = "Protocol Paused. Press OK to continue";
    static constexpr char kColumnOneError[] = "Error in Column one. Protocol Stopped";
    static constexpr char kRetriesExhausted[] =
        "Command could not be executed after many re-tries. Something is really, really wrong.";
};

}  // namespace quendrix::runner
