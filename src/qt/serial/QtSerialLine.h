#pragma once

#include <QSerialPort>
#include <QString>
#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/LineSettings.h"
#include "platform/SerialLine.h"

namespace quendrix::qt {

// The program's serial line on a real port. Port numbers name devices as portDeviceName()
// says, looked up in the per-user settings on every open. Received bytes go to the receiver
// as they arrive, in order. When the device goes away (adapter unplugged, far end hung up)
// the line closes its port once, from the event loop, and then tells the receiver through
// onLineLost(); the receiver's own close() is then harmless, and a later open() may find the
// device again.
class QtSerialLine final : public platform::SerialLine {
public:
    QtSerialLine();
    ~QtSerialLine() override;
    QtSerialLine(const QtSerialLine&) = delete;
    QtSerialLine& operator=(const QtSerialLine&) = delete;

    void open(int port, const platform::LineSettings& settings) override;
    void close() override;
    void write(std::string_view bytes) override;
    void setReceiver(platform::SerialLineReceiver* receiver) override { receiver_ = receiver; }

    bool isOpen() const { return port_.isOpen(); }

private:
    // How many of `bytes` went straight to the driver, or nothing where they cannot.
    std::optional<std::size_t> writeDirectly(std::string_view bytes);
    void queue(std::string_view bytes);
    void deliverReceived();
    void onError(QSerialPort::SerialPortError error);
    void loseLine();
    void finishLoss();
    [[noreturn]] void fail(const char* what) const;

    QSerialPort port_;
    platform::SerialLineReceiver* receiver_ = nullptr;
    QString deviceName_;
    bool lossPending_ = false;
};

}  // namespace quendrix::qt
