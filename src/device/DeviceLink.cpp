#include "device/DeviceLink.h"

namespace quendrix::device {

DeviceLink::DeviceLink(form::Inventory& form)
    : form_(form),
      log_(form.fileSlot, form.diagnostics),
      watchdog_(form.tmrCommunicationTimeout),
      writer_(form),
      sender_(form, writer_, log_, watchdog_),
      panel_(form, writer_, watchdog_),
      receiver_(form, log_, watchdog_),
      replyWait_(form) {
    wireEvents();
}

void DeviceLink::wireEvents() {
    handlers_.push_back(form_.SendToPump.onClick.subscribe([this] { subSendToPump(); }));
    handlers_.push_back(
        form_.CommandStatusQuery.onClick.subscribe([this] { CommandStatusQuery_Click(); }));
    handlers_.push_back(form_.MSComm1.OnComm.subscribe([this] { MSComm1_OnComm(); }));
    handlers_.push_back(form_.Timer1.onTick.subscribe([this] { receiver_.Timer1_Timer(); }));
    handlers_.push_back(
        form_.tmrTestingTimer.onTick.subscribe([this] { tmrTestingTimer_Timer(); }));
    // Nothing enables this timer; were it armed, it would poll on every tick.
    handlers_.push_back(form_.TimerStatusQuery.onTick.subscribe([this] { panel_.StatusQuery(); }));
}

void DeviceLink::SendToDevice(const std::string& strAddress, const std::string& strSendString,
                              const std::string& strWaitFlag) {
    sender_.SendToDevice(strAddress, strSendString, strWaitFlag);
}

void DeviceLink::SendToDeviceNow(const std::string& strAddress, const std::string& strSendString) {
    sender_.SendToDeviceNow(strAddress, strSendString);
}

void DeviceLink::subSendToPump() {
    panel_.subSendToPump();
}

void DeviceLink::CommandStatusQuery_Click() {
    panel_.StatusQuery();
}

void DeviceLink::MSComm1_OnComm() {
    receiver_.MSComm1_OnComm();
}

void DeviceLink::DecodeResponse() {
    receiver_.DecodeResponse();
}

// The order matters and is kept: the command's response timer is armed before its text is
// read and expanded, the polls' after their send.
WaitOutcome DeviceLink::exchange(const std::string& address, Exchange kind,
                                 const std::function<std::string()>& commandText) {
    constexpr const char* kPassLimit = "1000";
    const bool command = kind == Exchange::Command;
    if (command) {
        form_.tmrResponseTimeout.setEnabled(true);
    }
    form_.flags.ReplyReceived = false;
    form_.Text3.setText("");
    form_.LoopCounter.setText(kPassLimit);
    if (command) {
        sender_.SendToDeviceNow(address, commandText());
    } else {
        sender_.SendToDeviceNow(address, kind == Exchange::ReadinessPoll ? "Q1" : "Q2");
        form_.tmrResponseTimeout.setEnabled(true);
    }
    onExchangeSent.notify(kind, form_.strPumpString.text());
    const WaitOutcome outcome = replyWait_.AwaitDeviceReply();
    onExchangeEnded.notify(kind, outcome);
    return outcome;
}

WaitOutcome DeviceLink::AwaitDeviceReply() {
    return replyWait_.AwaitDeviceReply();
}

void DeviceLink::CountDeviceError() {
    replyWait_.CountDeviceError();
}

// In test mode this timer stands in for the controller reporting ready.
void DeviceLink::tmrTestingTimer_Timer() {
    form_.ShapeUnitStatus.setFillColor(platform::kGreen);
    form_.tmrTestingTimer.setEnabled(false);
}

}  // namespace quendrix::device
