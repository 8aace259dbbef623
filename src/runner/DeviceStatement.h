#pragma once

#include <functional>
#include <string>

#include "device/DeviceLink.h"
#include "form/Inventory.h"
#include "form/SettingsFields.h"
#include "platform/MessageBox.h"
#include "platform/RandomSource.h"
#include "runner/CommandTokens.h"
#include "runner/RunState.h"
#include "runner/StopRoutine.h"

namespace quendrix::runner {

// A row whose column 1 is a controller address: the controller is polled until it reports
// ready, the command of column 2 goes out with its tokens expanded afresh for every send,
// and a completion poll follows, repeated until ready when column 3 is exactly "W".
//
// A busy controller is polled without limit, since long moves are legitimate. Silence is
// not: after kRetryLimit exchanges in a row that timed out without any reply, some 60 s of
// 500-ms waits, the run gives up with the retry notice. Silence is counted in exchanges, not
// in time, so that a message box left open meanwhile costs nothing.
class DeviceStatement {
public:
    static constexpr int kRetryLimit = 120;

    DeviceStatement(form::Inventory& form, device::DeviceLink& link, form::SettingsFields& settings,
                    platform::MessageBox& messages, platform::RandomSource& random,
                    StopRoutine& stop);
    DeviceStatement(const DeviceStatement&) = delete;
    DeviceStatement& operator=(const DeviceStatement&) = delete;

    void execute(RunState& run);

private:
    enum class Step { ReadinessPoll, Command, CompletionPoll, Done };
    // One execution of the statement; a run started meanwhile has its own.
    struct Execution {
        RunState& run;
        const std::string address;
        int silentExchanges = 0;  // in a row, ended by a time-out with no reply decoded
        bool commandTimedOut = false;
    };

    Step readinessPoll(Execution& row);
    Step command(Execution& row);
    Step completionPoll(Execution& row);
    std::string commandText(const Execution& row);
    device::WaitOutcome exchange(Execution& row, device::DeviceLink::Exchange kind,
                                 const std::function<std::string()>& commandText = {});
    bool gaveUp(Execution& row);

    form::Inventory& form_;
    device::DeviceLink& link_;
    platform::MessageBox& messages_;
    StopRoutine& stop_;
    CommandTokens tokens_;
};

}  // namespace quendrix::runner
