#pragma once

#include <functional>
#include <string>
#include <vector>

#include "device/CommandSender.h"
#include "device/CommunicationWatchdog.h"
#include "device/OperatorPanel.h"
#include "device/ReplyReceiver.h"
#include "device/ReplyWait.h"
#include "device/RunLog.h"
#include "device/SerialWriter.h"
#include "device/WaitOutcome.h"
#include "form/Inventory.h"
#include "platform/ChangeNotifier.h"

namespace quendrix::device {

// The program's side of the serial line: framing and sending commands, receiving and decoding
// replies, the reply wait with its counters. It works on the main window's controls, which
// are its storage, and wires itself to their events (the Send and Query Status buttons, the
// serial port's receive notification, the reply-flash, testing, status-query and
// communication time-out timers).
class DeviceLink {
public:
    // The three exchanges of a protocol run's device row. The polls send "Q1" and "Q2".
    enum class Exchange { ReadinessPoll, Command, CompletionPoll };

    explicit DeviceLink(form::Inventory& form);
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    void SendToDevice(const std::string& strAddress, const std::string& strSendString,
                      const std::string& strWaitFlag);
    void SendToDeviceNow(const std::string& strAddress, const std::string& strSendString);
    void subSendToPump();
    void CommandStatusQuery_Click();
    void MSComm1_OnComm();
    void DecodeResponse();
    // One exchange of a protocol run with the controller at `address`: prepares the reply wait,
    // sends and waits for the reply. The command's text is asked of `commandText` just before
    // its send; the polls send their own.
    WaitOutcome exchange(const std::string& address, Exchange kind,
                         const std::function<std::string()>& commandText = {});
    WaitOutcome AwaitDeviceReply();
    void CountDeviceError();

    // For a watcher of the run: each exchange once its frame has gone out ("/1ZR"), and how
    // its wait ended; every reply decoded, in a run or not.
    platform::Event<Exchange, const std::string&> onExchangeSent;
    platform::Event<Exchange, WaitOutcome> onExchangeEnded;
    const platform::Event<const Reply&>& onReplyDecoded() const { return receiver_.onDecoded; }

private:
    void wireEvents();
    void tmrTestingTimer_Timer();

    form::Inventory& form_;
    RunLog log_;
    CommunicationWatchdog watchdog_;
    SerialWriter writer_;
    CommandSender sender_;
    OperatorPanel panel_;
    ReplyReceiver receiver_;
    ReplyWait replyWait_;
    std::vector<platform::Subscription> handlers_;
};

}  // namespace quendrix::device
