#include <gtest/gtest.h>

#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <string>
#include <tuple>

#include "qt/serial/PortDeviceName.h"

namespace quendrix::qt {
namespace {

// A port names its device on every system but Windows, where the port tests do not run.
TEST(PortDeviceNameTest, NamesTheDeviceOrOnSimInAnyCaseTheBuiltInInstrument) {
    const QTemporaryDir directory;
    QSettings settings(directory.filePath(QStringLiteral("quendrix.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Other/COM5"), QStringLiteral("sim"));  // not under Ports
    // Port, its entry under Ports (none if null), device, whether it leads to the instrument.
    const std::tuple<int, const char*, const char*, bool> cases[] = {
        {12, nullptr, "/dev/ttyS11", false},
        {2, "/dev/sim", "/dev/sim", false},
        {3, " /tmp/link ", "/tmp/link", false},
        {4, "", "/dev/ttyS3", false},
        {5, nullptr, "/dev/ttyS4", false},
        {6, "simulator", "simulator", false},
        {7, " SIM ", "SIM", true}};
    for (const auto& [port, entry, device, demo] : cases) {
        if (entry != nullptr) {
            settings.setValue(QStringLiteral("Ports/COM%1").arg(port), QString::fromLatin1(entry));
        }
        EXPECT_EQ(portDeviceName(port, settings).toStdString(), device) << "COM" << port;
        EXPECT_EQ(leadsToDemo(port, settings), demo) << "COM" << port;
    }
}

}  // namespace
}  // namespace quendrix::qt
