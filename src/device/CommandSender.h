#pragma once

#include <string>
#include <string_view>

#include "device/CommunicationWatchdog.h"
#include "device/RunLog.h"
#include "device/SerialWriter.h"
#include "form/Inventory.h"

namespace quendrix::device {

// The program's own sends: it frames "/" + address + text, keeps the framed command in the
// command box, puts it on the line and logs it.
class CommandSender {
public:
    CommandSender(form::Inventory& form, SerialWriter& writer, RunLog& log,
                  CommunicationWatchdog& watchdog);

    // Sends, and while a protocol run is in progress waits for a reply. In test mode nothing
    // goes on the line and the testing timer stands in for the controller.
    void SendToDevice(const std::string& strAddress, const std::string& strSendString,
                      const std::string& strWaitFlag);
    // Sends and returns at once; the caller does its own waiting.
    void SendToDeviceNow(const std::string& strAddress, const std::string& strSendString);

    static std::string frame(std::string_view address, std::string_view text);
    // Status polls carry an upper-case "Q" and stay out of the log.
    static bool isLogged(std::string_view framedCommand);

private:
    // What both sends do first: note the address, and put the framed command in the command
    // box, from which it is written and logged.
    void prepare(const std::string& address, const std::string& text);
    void waitForReply(bool watched);
    void logSent();

    form::Inventory& form_;
    SerialWriter& writer_;
    RunLog& log_;
    CommunicationWatchdog& watchdog_;
};

}  // namespace quendrix::device
