#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace quendrix::testsupport {

// The program's per-user settings in a folder of the test's own ($XDG_CONFIG_HOME), for as
// long as this lives.
class ConfigHome {
public:
    ConfigHome();
    ~ConfigHome();
    ConfigHome(const ConfigHome&) = delete;
    ConfigHome& operator=(const ConfigHome&) = delete;

    QString path() const { return dir_.path(); }
    // The settings file, quendrix/quendrix.ini under the folder.
    QString settingsFile() const;
    // Port `port` leads to `device` (section Ports, key COMn).
    void mapPort(int port, const QString& device) const;

private:
    QTemporaryDir dir_;
    bool hadConfigHome_;
    QByteArray previousConfigHome_;
};

}  // namespace quendrix::testsupport
