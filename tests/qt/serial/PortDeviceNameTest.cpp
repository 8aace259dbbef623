#include <gtest/gtest.h>

#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <string>

#include "qt/serial/PortDeviceName.h"

namespace quendrix::qt {
namespace {

struct NameCase {
    int port;
    const char* device;
};

TEST(PortDeviceNameTest, NamesTheDevice) {
    const QTemporaryDir directory;
    QSettings settings(directory.filePath(QStringLiteral("quendrix.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Ports/COM2"), QStringLiteral("/dev/ttyUSB0"));
    settings.setValue(QStringLiteral("Ports/COM3"), QStringLiteral(" /tmp/quendrix-link "));
    settings.setValue(QStringLiteral("Ports/COM4"), QString());
    settings.setValue(QStringLiteral("Other/COM5"), QStringLiteral("/dev/ttyACM0"));
#ifdef Q_OS_WIN
    const NameCase cases[] = {{1, "COM1"}, {2, "COM2"}, {12, "COM12"}};
#else
    const NameCase cases[] = {
        {1, "/dev/ttyS0"},          // not mapped: the first built-in port
        {2, "/dev/ttyUSB0"},        // mapped
        {3, "/tmp/quendrix-link"},  // blanks around the name dropped
        {4, "/dev/ttyS3"},          // an empty entry maps nothing
        {5, "/dev/ttyS4"},          // only section "Ports" counts
        {12, "/dev/ttyS11"},        // two digits
    };
#endif
    for (const auto& [port, device] : cases) {
        EXPECT_EQ(portDeviceName(port, settings).toStdString(), device) << "COM" << port;
    }
}

TEST(PortDeviceNameTest, OnlySimInAnyCaseLeadsToTheBuiltInInstrument) {
    const QTemporaryDir directory;
    QSettings settings(directory.filePath(QStringLiteral("quendrix.ini")), QSettings::IniFormat);
    const struct {
        const char* entry;
        bool demo;
    } cases[] = {{"sim", true},       {" SIM ", true},      {"Sim", true},
                 {"/dev/sim", false}, {"simulator", false}, {"", false}};
    for (const auto& [entry, demo] : cases) {
        settings.setValue(QStringLiteral("Ports/COM1"), QString::fromLatin1(entry));
        EXPECT_EQ(leadsToDemo(1, settings), demo) << '"' << entry << '"';
    }
    EXPECT_FALSE(leadsToDemo(2, settings));
}

}  // namespace
}  // namespace quendrix::qt
