#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "platform/ChangeNotifier.h"
#include "platform/LineSettings.h"
#include "platform/SerialLine.h"

namespace quendrix::platform {

// The serial-port component of the main window. Its properties mirror the ones the program
// sets; every operation that cannot be carried out throws Failure, and the callers decide
// whether that is ignored. Received characters wait in a buffer and are announced through
// OnComm one at a time, in order, while the buffer holds at least RThreshold of them.
class SerialPort final : private SerialLineReceiver {
public:
    explicit SerialPort(SerialLine& line);
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    std::int16_t CommPort() const { return commPort_; }
    void setCommPort(std::int16_t port);

    const std::string& Settings() const { return settingsText_; }
    void setSettings(std::string_view text);

    int RThreshold() const { return rThreshold_; }
    void setRThreshold(int characters);

    int InputLen() const { return inputLen_; }
    void setInputLen(int characters);

    bool PortOpen() const { return open_; }
    void setPortOpen(bool open);

    void Output(std::string_view bytes);
    // Up to InputLen characters from the receive buffer (all of them for InputLen 0).
    std::string Input();

    Event<> OnComm;
    // For a watcher of the line: the bytes written, once the line took them, and the bytes
    // received, as they arrive and before OnComm announces them.
    Event<std::string_view> onWritten;
    Event<std::string_view> onReceived;

private:
    void onBytes(std::string_view bytes) override;
    void onLineLost() override;
    void announce();
    void requireOpen(const char* operation) const;

    SerialLine& line_;
    std::int16_t commPort_ = 1;
    std::string settingsText_ = "9600,N,8,1";
    LineSettings settings_;
    int rThreshold_ = 0;
    int inputLen_ = 0;
    bool open_ = false;
    bool announcing_ = false;
    std::deque<char> received_;
};

}  // namespace quendrix::platform
