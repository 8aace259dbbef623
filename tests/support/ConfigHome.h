#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <optional>

namespace quendrix::testsupport {

// The program's per-user settings in a folder of the test's own ($XDG_CONFIG_HOME), for as
// long as this lives.
class ConfigHome {
public:
    ConfigHome();
    ~ConfigHome();

    QString path() const { return dir_.path(); }
    // The settings file, quendrix/quendrix.ini under the folder.
    QString settingsFile() const { return dir_.path() + QStringLiteral("/quendrix/quendrix.ini"); }
    // Port `port` leads to `device` (section Ports, key COMn).
    void mapPort(int port, const QString& device) const;

private:
    QTemporaryDir dir_;
    std::optional<QByteArray> previousConfigHome_;
};

}  // namespace quendrix::testsupport
