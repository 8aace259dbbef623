#include "device/DeviceLink.h"

namespace quendrix::device {

DeviceLink::DeviceLink(form::MainFormControls& form, platform::EventPump& pump)
    : form_(form),
      log_(form.fileSlot),
      events_(pump, form.MainForm),
      watchdog_(form.tmrCommunicationTimeout),
      writer_(form.MSComm1),
      sender_(form, writer_, log_, watchdog_, events_),
      panel_(form, writer_, watchdog_, events_),
      receiver_(form, log_, watchdog_),
      replyWait_(form, events_) {
    wireEvents();
}

void DeviceLink::wireEvents() {
    form_.SendToPump.onClick = [this] { subSendToPump(); };
    form_.CommandStatusQuery.onClick = [this] { CommandStatusQuery_Click(); };
    form_.MSComm1.OnComm = [this] { MSComm1_OnComm(); };
    form_.Timer1.onTick = [this] { receiver_.Timer1_Timer(); };
    form_.tmrTestingTimer.onTick = [this] { tmrTestingTimer_Timer(); };
    // Nothing enables this timer; were it armed, it would poll on every tick.
    form_.TimerStatusQuery.onTick = [this] { panel_.StatusQuery(); };
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
