#include "device/DeviceLink.h"

namespace quendrix::device {

DeviceLink::DeviceLink(app::MainFormControls&, platform::EventPump&) {}
void DeviceLink::SendToDevice(const std::string&, const std::string&, const std::string&) {}
void DeviceLink::SendToDeviceNow(const std::string&, const std::string&) {}
void DeviceLink::subSendToPump() {}
void DeviceLink::CommandStatusQuery_Click() {}
void DeviceLink::MSComm1_OnComm() {}
void DeviceLink::DecodeResponse() {}
WaitOutcome DeviceLink::AwaitDeviceReply() {
    return WaitOutcome::Abandoned;
}
void DeviceLink::CountDeviceError() {}

}  // namespace quendrix::device
