#include "runner/DeviceStatement.h"

#include <string>

#include "runner/RunnerTexts.h"

namespace quendrix::runner {
namespace {

using device::WaitOutcome;
using Exchange = device::DeviceLink::Exchange;

constexpr int kCommand = 2;
constexpr int kCompletionFlag = 3;

}  // namespace

DeviceStatement::DeviceStatement(form::Inventory& form, device::DeviceLink& link,
                                 form::SettingsFields& settings, platform::MessageBox& messages,
                                 platform::RandomSource& random, StopRoutine& stop)
    : form_(form),
      link_(link),
      messages_(messages),
      stop_(stop),
      tokens_(
          form.Position, form.Speed, [&settings] { return settings.MaxPosition(); }, random) {}

void DeviceStatement::execute(RunState& run) {
    form_.tmrDeviceTimeout.setEnabled(true);
    Execution row{run, form_.MSFlexGrid1.TextMatrix(run.CurrentRow, 1)};
    Step step = Step::ReadinessPoll;
    while (step != Step::Done && form_.flags.ProtocolRunning) {
        switch (step) {
            case Step::ReadinessPoll:
                step = readinessPoll(row);
                break;
            case Step::Command:
                step = command(row);
                break;
            case Step::CompletionPoll:
                step = completionPoll(row);
                break;
            case Step::Done:
                break;
        }
    }
    form_.tmrDeviceTimeout.setEnabled(false);
}

// Polled again until a reply reports the ready bit.
DeviceStatement::Step DeviceStatement::readinessPoll(Execution& row) {
    form_.flags.DeviceBusy = true;
    form_.ShapeUnitStatus.setFillColor(platform::kRed);
    const WaitOutcome outcome = exchange(row, Exchange::ReadinessPoll);
    if (gaveUp(row)) {
        return Step::Done;
    }
    if (outcome != WaitOutcome::Replied || form_.flags.DeviceBusy) {
        return Step::ReadinessPoll;
    }
    form_.ShapeUnitStatus.setFillColor(platform::kGreen);
    link_.CountDeviceError();
    return Step::Command;
}

// A command that times out goes back to the readiness poll, and is read and expanded again
// before it is re-sent. Its reply may only have been lost, so a relative move can run twice:
// every re-send is reported.
DeviceStatement::Step DeviceStatement::command(Execution& row) {
    const WaitOutcome outcome = exchange(row, Exchange::Command, [&] { return commandText(row); });
    ++row.run.report.commandsSent;
    if (gaveUp(row)) {
        return Step::Done;
    }
    row.commandTimedOut = outcome == WaitOutcome::TimedOut;
    if (row.commandTimedOut) {
        return Step::ReadinessPoll;
    }
    link_.CountDeviceError();
    return Step::CompletionPoll;
}

std::string DeviceStatement::commandText(const Execution& row) {
    const std::string text =
        tokens_.ExpandCommandTokens(form_.MSFlexGrid1.TextMatrix(row.run.CurrentRow, kCommand));
    form_.PositionRequestCounter.setText("2");
    if (row.commandTimedOut) {
        form_.diagnostics.report("row " + std::to_string(row.run.CurrentRow) + ": sent " +
                                 device::CommandSender::frame(row.address, text) +
                                 " again: the exchange of its last send timed out");
    }
    return text;
}

// Without "W" one answered poll completes the row; with it, one that reports ready.
DeviceStatement::Step DeviceStatement::completionPoll(Execution& row) {
    form_.flags.DeviceBusy = true;
    const WaitOutcome outcome = exchange(row, Exchange::CompletionPoll);
    if (gaveUp(row)) {
        return Step::Done;
    }
    link_.CountDeviceError();
    if (outcome == WaitOutcome::TimedOut) {
        return Step::CompletionPoll;
    }
    const bool waitsForReady =
        form_.MSFlexGrid1.TextMatrix(row.run.CurrentRow, kCompletionFlag) == "W";
    if (waitsForReady && form_.flags.DeviceBusy) {
        return Step::CompletionPoll;
    }
    return Step::Done;
}

// Every decoded reply, busy or not, is a sign of life, also one that met the expiry of the
// response time-out in the same pass and so ended the exchange as timed out.
WaitOutcome DeviceStatement::exchange(Execution& row, Exchange kind,
                                      const std::function<std::string()>& commandText) {
    const WaitOutcome outcome = link_.exchange(row.address, kind, commandText);
    if (form_.flags.ReplyReceived) {
        row.silentExchanges = 0;
    } else if (outcome == WaitOutcome::TimedOut) {
        ++row.silentExchanges;
    }
    return outcome;
}

bool DeviceStatement::gaveUp(Execution& row) {
    if (row.silentExchanges < kRetryLimit) {
        return false;
    }
    messages_.show(RunnerTexts::kRetriesExhausted);
    row.run.endBy(RunReport::Ending::RetryNotice);
    stop_.StopProtocol();
    return true;
}

}  // namespace quendrix::runner
