#include "qt/DesktopSerialLine.h"

#include "platform/Failure.h"
#include "platform/MessageBox.h"
#include "qt/serial/PortDeviceName.h"
#include "qt/shared/UserSettingsFile.h"

namespace quendrix::qt {

void DesktopSerialLine::open(int port, const platform::LineSettings& settings) {
    if (device_.isOpen() || (demo_ && demo_->isOpen())) {
        throw platform::Failure("the serial port is already open");
    }
    const UserSettingsFile userSettings(QString::fromLatin1(platform::kProgramTitle));
    platform::SerialLine& chosen = leadsToDemo(port, userSettings.settings())
                                       ? static_cast<platform::SerialLine&>(demo())
                                       : device_;
    chosen.open(port, settings);
    active_ = &chosen;
}

void DesktopSerialLine::setReceiver(platform::SerialLineReceiver* receiver) {
    receiver_ = receiver;
    device_.setReceiver(receiver);
    if (demo_) {
        demo_->setReceiver(receiver);
    }
}

std::string DesktopSerialLine::deviceName(int port) const {
    const UserSettingsFile userSettings(QString::fromLatin1(platform::kProgramTitle));
    if (leadsToDemo(port, userSettings.settings())) {
        return "sim";
    }
    return portDeviceName(port, userSettings.settings()).toStdString();
}

DemoSerialLine& DesktopSerialLine::demo() {
    if (!demo_) {
        demo_ = std::make_unique<DemoSerialLine>();
        demo_->setReceiver(receiver_);
    }
    return *demo_;
}

}  // namespace quendrix::qt
