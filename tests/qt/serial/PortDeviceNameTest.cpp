#include <gtest/gtest.h>

#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <ostream>

#include "qt/serial/PortDeviceName.h"

namespace quendrix::qt {
namespace {

struct NameCase {
    int port;
    const char* expected;
};

void PrintTo(const NameCase& name, std::ostream* out) {
    *out << "COM" << name.port;
}

// The settings file maps COM1 and COM3; COM4 is listed without a device.
class PortDeviceNameTest : public ::testing::TestWithParam<NameCase> {
protected:
    PortDeviceNameTest()
        : settings(directory.filePath(QStringLiteral("quendrix.ini")), QSettings::IniFormat) {
        settings.setValue(QStringLiteral("Ports/COM1"), QStringLiteral("/dev/ttyUSB0"));
        settings.setValue(QStringLiteral("Ports/COM3"), QStringLiteral(" /tmp/quendrix-link "));
        settings.setValue(QStringLiteral("Ports/COM4"), QString());
        settings.setValue(QStringLiteral("Other/COM5"), QStringLiteral("/dev/ttyACM0"));
    }

    QTemporaryDir directory;
    QSettings settings;
};

TEST_P(PortDeviceNameTest, NamesTheDevice) {
    EXPECT_EQ(portDeviceName(GetParam().port, settings).toStdString(), GetParam().expected);
}

#ifdef Q_OS_WIN
INSTANTIATE_TEST_SUITE_P(Ports, PortDeviceNameTest,
                         ::testing::Values(NameCase{1, "COM1"}, NameCase{2, "COM2"},
                                           NameCase{12, "COM12"}));
#else
INSTANTIATE_TEST_SUITE_P(
    Ports, PortDeviceNameTest,
    ::testing::Values(NameCase{1, "/dev/ttyUSB0"},        // mapped
                      NameCase{2, "/dev/ttyS1"},          // not mapped: the built-in port
                      NameCase{3, "/tmp/quendrix-link"},  // blanks around the name dropped
                      NameCase{4, "/dev/ttyS3"},          // an empty entry maps nothing
                      NameCase{5, "/dev/ttyS4"},          // only section "Ports" counts
                      NameCase{12, "/dev/ttyS11"}));      // two digits
#endif

TEST(PortDeviceNameWithoutSettingsTest, FirstPortIsTheFirstBuiltInPort) {
    QTemporaryDir directory;
    const QSettings empty(directory.filePath(QStringLiteral("none.ini")), QSettings::IniFormat);
#ifdef Q_OS_WIN
    EXPECT_EQ(portDeviceName(1, empty), QStringLiteral("COM1"));
#else
    EXPECT_EQ(portDeviceName(1, empty), QStringLiteral("/dev/ttyS0"));
#endif
}

}  // namespace
}  // namespace quendrix::qt
