#pragma once

#include <cstdint>
#include <string>

#include "device/DeviceLink.h"
#include "form/MainFormControls.h"
#include "form/SettingsFields.h"
#include "platform/ChangeNotifier.h"
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
// not: tmrDeviceTimeout runs from the start of the row and again from every reply, and when
// it runs out the controller has answered nothing for 60 s; the run then gives up with the
// retry notice.
class DeviceStatement {
public:
    DeviceStatement(form::MainFormControls& form, device::DeviceLink& link,
                    form::SettingsFields& settings, platform::MessageBox& messages,
                    platform::RandomSource& random, StopRoutine& stop);
    DeviceStatement(const DeviceStatement&) = delete;
    DeviceStatement& operator=(const DeviceStatement&) = delete;

    void execute(RunState& run);

private:
    enum class Step { ReadinessPoll, Command, CompletionPoll, Done };
    // One execution of the statement; a run started meanwhile has its own.
    struct Execution {
        RunState& run;
        const std::string address;
        const std::uint64_t expiriesBefore;
    };

    Step readinessPoll(Execution& row);
    Step command(Execution& row);
    Step completionPoll(Execution& row);
    device::WaitOutcome awaitReply();
    bool gaveUp(Execution& row);

    form::MainFormControls& form_;
    device::DeviceLink& link_;
    platform::MessageBox& messages_;
    StopRoutine& stop_;
    CommandTokens tokens_;
    std::uint64_t expiries_ = 0;  // of tmrDeviceTimeout
    platform::Subscription expiryCount_;
};

}  // namespace quendrix::runner
