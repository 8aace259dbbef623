#pragma once

#include <string>

#include "dryrun/RowTrace.h"
#include "sim/virtualtime/SimMessageBox.h"

namespace quendrix::dryrun {

// Answers every message box with OK at once, and tells the trace of it.
class MessageAnswerer {
public:
    MessageAnswerer(sim::SimMessageBox& messages, RowTrace& trace)
        : messages_(messages), trace_(trace) {
        arm();
    }
    MessageAnswerer(const MessageAnswerer&) = delete;
    MessageAnswerer& operator=(const MessageAnswerer&) = delete;

private:
    // Each scripted answer is used once; it scripts the next.
    void arm() {
        messages_.whenShown([this](const std::string& text) {
            trace_.messageShown(text);
            arm();
        });
    }

    sim::SimMessageBox& messages_;
    RowTrace& trace_;
};

}  // namespace quendrix::dryrun
