#pragma once

#include <string>

#include "app/MainFormControls.h"
#include "platform/EventPump.h"

namespace quendrix::device {

enum class WaitOutcome { Replied, TimedOut, Abandoned };

// The program's side of the serial line: framing and sending commands, receiving and decoding
// replies, the reply wait with its counters. It works on the main window's controls, which
// are its storage, and wires itself to their events (the Send and Query Status buttons, the
// serial port's receive notification, the reply-flash and testing timers).
class DeviceLink {
  public:
    DeviceLink(app::MainFormControls& form, platform::EventPump& pump);
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    void SendToDevice(const std::string& strAddress, const std::string& strSendString,
                      const std::string& strWaitFlag);
    void SendToDeviceNow(const std::string& strAddress, const std::string& strSendString);
    void subSendToPump();
    void CommandStatusQuery_Click();
    void MSComm1_OnComm();
    void DecodeResponse();
    WaitOutcome AwaitDeviceReply();
    void CountDeviceError();
};

}  // namespace quendrix::device
