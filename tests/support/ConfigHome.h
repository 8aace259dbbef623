#pragma once

#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include "support/ScopedEnvironment.h"

namespace quendrix::testsupport {

// The program's per-user settings in a folder of the test's own ($XDG_CONFIG_HOME), for as
// long as this lives.
class ConfigHome {
public:
    QString path() const { return dir_.path(); }
    // The settings file, quendrix/quendrix.ini under the folder.
    QString settingsFile() const { return dir_.path() + QStringLiteral("/quendrix/quendrix.ini"); }
    // Port `port` leads to `device` (section Ports, key COMn).
    void mapPort(int port, const QString& device) const {
        QSettings(settingsFile(), QSettings::IniFormat)
            .setValue(QStringLiteral("Ports/COM%1").arg(port), device);
    }

private:
    QTemporaryDir dir_;
    ScopedEnvironment configHome_{"XDG_CONFIG_HOME", QFile::encodeName(dir_.path())};
};

}  // namespace quendrix::testsupport
