#pragma once

#include <QByteArray>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

namespace quendrix::qt::test {

// A per-user settings folder of the test's own, for as long as the object lives.
class ConfigHome {
public:
    ConfigHome()
        : hadPrevious_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")),
          previous_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
        // Qt looks the folder up once per process; settings opened after this must still
        // land here, whichever test ran first.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
    }
    ~ConfigHome() {
        if (hadPrevious_) {
            qputenv("XDG_CONFIG_HOME", previous_);
        } else {
            qunsetenv("XDG_CONFIG_HOME");
        }
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    ConfigHome(const ConfigHome&) = delete;
    ConfigHome& operator=(const ConfigHome&) = delete;

    QString path() const { return dir_.path(); }

    // Writes COMn=device into section "Ports" of the program's settings file.
    void mapPort(int port, const QString& device) const {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quendrix"),
                           QStringLiteral("quendrix"));
        settings.setValue(QStringLiteral("Ports/COM%1").arg(port), device);
        settings.sync();
    }

private:
    QTemporaryDir dir_;
    bool hadPrevious_;
    QByteArray previous_;
};

}  // namespace quendrix::qt::test
