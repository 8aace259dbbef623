#include "runner/DeviceStatement.h"

#include <string>

namespace quendrix::runner {
namespace {

using device::WaitOutcome;

constexpr int kCommand = 2;
constexpr int kCompletionFlag = 3;
constexpr const char* kPassLimit = "1000";

}  // namespace

DeviceStatement::DeviceStatement(form::MainFormControls& form, device::DeviceLink& link,
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
    form_.flags.CurrentAddress = row.address;
    form_.flags.ReplyReceived = false;
    form_.Text3.setText("");
    link_.SendToDeviceNow(row.address, "Q1");
    form_.LoopCounter.setText(kPassLimit);
    form_.tmrResponseTimeout.setEnabled(true);
    const WaitOutcome outcome = awaitReply(row);
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
    form_.tmrResponseTimeout.setEnabled(true);
    form_.flags.ReplyReceived = false;
    form_.LoopCounter.setText(kPassLimit);
    form_.Text3.setText("");
    const std::string text =
        tokens_.ExpandCommandTokens(form_.MSFlexGrid1.TextMatrix(row.run.CurrentRow, kCommand));
    form_.PositionRequestCounter.setText("2");
    if (row.commandTimedOut) {
        form_.diagnostics.report("row " + std::to_string(row.run.CurrentRow) + ": sent " +
                                 device::CommandSender::frame(row.address, text) +
                                 " again: the exchange of its last send timed out");
    }
    link_.SendToDeviceNow(row.address, text);
    ++row.run.report.commandsSent;
    const WaitOutcome outcome = awaitReply(row);
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

// Without "W" one answered poll completes the row; with it, one that reports ready.
DeviceStatement::Step DeviceStatement::completionPoll(Execution& row) {
    form_.flags.DeviceBusy = true;
    form_.flags.ReplyReceived = false;
    form_.Text3.setText("");
    link_.SendToDeviceNow(row.address, "Q2");
    form_.tmrResponseTimeout.setEnabled(true);
    form_.LoopCounter.setText(kPassLimit);
    const WaitOutcome outcome = awaitReply(row);
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
// response time-out in the same pass and so ended the wait as timed out.
WaitOutcome DeviceStatement::awaitReply(Execution& row) {
    const WaitOutcome outcome = link_.AwaitDeviceReply();
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
    messages_.show(
        "Command could not be executed after many re-tries. Something is really, really wrong.");
    row.run.endBy(RunReport::Ending::RetryNotice);
    stop_.StopProtocol();
    return true;
}

}  // namespace quendrix::runner
