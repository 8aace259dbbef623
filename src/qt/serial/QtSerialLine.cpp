#include "qt/serial/QtSerialLine.h"

#include <QByteArray>
#include <QMetaObject>
#include <QObject>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "platform/Failure.h"
#include "platform/MessageBox.h"
#include "qt/serial/LowLatency.h"
#include "qt/serial/PortDeviceName.h"
#include "qt/shared/UserSettingsFile.h"

namespace quendrix::qt {
namespace {

using platform::Failure;
using platform::LineSettings;

QSerialPort::DataBits toDataBits(int dataBits) {
    switch (dataBits) {
        case 5:
            return QSerialPort::Data5;
        case 6:
            return QSerialPort::Data6;
        case 7:
            return QSerialPort::Data7;
        case 8:
            return QSerialPort::Data8;
        default:
            throw Failure("the serial port cannot send " + std::to_string(dataBits) + " data bits");
    }
}

QSerialPort::Parity toParity(LineSettings::Parity parity) {
    switch (parity) {
        case LineSettings::Parity::Even:
            return QSerialPort::EvenParity;
        case LineSettings::Parity::Odd:
            return QSerialPort::OddParity;
        case LineSettings::Parity::Mark:
            return QSerialPort::MarkParity;
        case LineSettings::Parity::Space:
            return QSerialPort::SpaceParity;
        case LineSettings::Parity::None:
            break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits toStopBits(LineSettings::StopBits stopBits) {
    switch (stopBits) {
        case LineSettings::StopBits::OneAndHalf:
            return QSerialPort::OneAndHalfStop;
        case LineSettings::StopBits::Two:
            return QSerialPort::TwoStop;
        case LineSettings::StopBits::One:
            break;
    }
    return QSerialPort::OneStop;
}

// Taken on open; the port refuses there what its driver cannot do.
void configure(QSerialPort& port, const LineSettings& settings) {
    port.setBaudRate(settings.baudRate);
    port.setDataBits(toDataBits(settings.dataBits));
    port.setParity(toParity(settings.parity));
    port.setStopBits(toStopBits(settings.stopBits));
    port.setFlowControl(QSerialPort::NoFlowControl);
}

bool meansDeviceGone(QSerialPort::SerialPortError error) {
    // An unplugged adapter shows as ResourceError, a line hung up at the far end as a read
    // that fails again and again; a read or write failing on an open port has no other cause.
    return error == QSerialPort::ResourceError || error == QSerialPort::WriteError ||
           error == QSerialPort::ReadError;
}

}  // namespace

QtSerialLine::QtSerialLine() {
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { deliverReceived(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

QtSerialLine::~QtSerialLine() {
    receiver_ = nullptr;
    close();
}

void QtSerialLine::open(int port, const LineSettings& settings) {
    if (port_.isOpen()) {
        throw Failure("the serial port is already open");
    }
    const UserSettingsFile userSettings(QString::fromLatin1(platform::kProgramTitle));
    deviceName_ = portDeviceName(port, userSettings.settings());
    port_.setPortName(deviceName_);
    configure(port_, settings);
    lossPending_ = false;
    if (!port_.open(QIODevice::ReadWrite)) {
        fail("cannot open");
    }
    requestLowLatency(port_.handle());
    // Whatever the device sent before the port was opened answers nothing the program asked.
    port_.clear(QSerialPort::Input);
    port_.readAll();
}

void QtSerialLine::close() {
    lossPending_ = false;
    if (port_.isOpen()) {
        port_.close();
    }
}

void QtSerialLine::write(std::string_view bytes) {
    if (!port_.isOpen()) {
        throw Failure("the serial port is not open");
    }
    if (lossPending_) {
        throw Failure("the serial device " + deviceName_.toStdString() + " has gone away");
    }
    if (const std::optional<std::size_t> taken = writeDirectly(bytes)) {
        // What a full driver does not take yet waits in the port, which sends it as room comes.
        queue(bytes.substr(*taken));
        return;
    }
    // Handing the bytes to the driver now rather than on the next pass of the event loop
    // keeps a command right behind the reply that let it go.
    const auto size = static_cast<qint64>(bytes.size());
    if (port_.write(bytes.data(), size) != size || !port_.flush() || lossPending_) {
        fail("cannot write to");
    }
}

void QtSerialLine::queue(std::string_view bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    if (size > 0 && port_.write(bytes.data(), size) != size) {
        fail("cannot write to");
    }
}

// The port's own write arms a write notifier and its flush disarms it, each a pass of the event
// loop that wakes for nothing. A command fits the driver's buffer, so where the system lets it,
// the bytes go to the driver at once. Nothing where the port has no such way.
std::optional<std::size_t> QtSerialLine::writeDirectly(std::string_view bytes) {
#ifdef Q_OS_UNIX
    if (port_.bytesToWrite() > 0) {
        return 0;  // behind what waits already
    }
    ssize_t written = 0;
    do {
        written = ::write(port_.handle(), bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    if (written >= 0) {
        return static_cast<std::size_t>(written);
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
        return 0;
    }
    const std::string reason = std::strerror(errno);
    onError(QSerialPort::WriteError);
    throw Failure("cannot write to serial port " + deviceName_.toStdString() + ": " + reason);
#else
    static_cast<void>(bytes);
    return std::nullopt;
#endif
}

void QtSerialLine::deliverReceived() {
    // A receiver that pumps events from inside onBytes gets no nested readyRead, so whatever
    // arrived meanwhile is collected here.
    while (port_.isOpen() && port_.bytesAvailable() > 0) {
        const QByteArray bytes = port_.readAll();
        if (receiver_ != nullptr) {
            receiver_->onBytes(std::string_view(bytes.constData(), bytes.size()));
        }
    }
}

void QtSerialLine::onError(QSerialPort::SerialPortError error) {
    if (meansDeviceGone(error)) {
        loseLine();
    }
}

void QtSerialLine::loseLine() {
    if (lossPending_ || !port_.isOpen()) {
        return;
    }
    lossPending_ = true;
    // A dead device is reported again on every pass of the event loop for as long as the port
    // stays open, so it is closed, but not from inside the report itself.
    QMetaObject::invokeMethod(
        &port_, [this] { finishLoss(); }, Qt::QueuedConnection);
}

void QtSerialLine::finishLoss() {
    if (!lossPending_) {
        return;  // closed by its owner in the meantime
    }
    close();
    if (receiver_ != nullptr) {
        receiver_->onLineLost();
    }
}

void QtSerialLine::fail(const char* what) const {
    throw Failure(std::string(what) + " serial port " + deviceName_.toStdString() + ": " +
                  port_.errorString().toStdString());
}

}  // namespace quendrix::qt
