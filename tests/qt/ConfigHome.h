#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include "platform/MessageBox.h"
#include "qt/UserSettingsFile.h"

namespace quendrix::qt::test {

// The per-user settings in a folder of the test's own ($XDG_CONFIG_HOME), for as long as this
// lives.
class ConfigHome {
public:
    ConfigHome()
        : hadVariable_(qEnvironmentVariableIsSet(kVariable)), previous_(qgetenv(kVariable)) {
        qputenv(kVariable, dir_.path().toLocal8Bit());
    }
    ~ConfigHome() {
        if (hadVariable_) {
            qputenv(kVariable, previous_);
        } else {
            qunsetenv(kVariable);
        }
    }
    ConfigHome(const ConfigHome&) = delete;
    ConfigHome& operator=(const ConfigHome&) = delete;

    QString path() const { return dir_.path(); }
    // The program's own settings file.
    QString filePath() const { return dir_.path() + QStringLiteral("/quendrix/quendrix.ini"); }

    void mapPort(int port, const QString& device) const {
        openUserSettingsFile(QString::fromLatin1(platform::kProgramTitle))
            ->setValue(QStringLiteral("Ports/COM%1").arg(port), device);
    }

private:
    static constexpr const char* kVariable = "XDG_CONFIG_HOME";

    QTemporaryDir dir_;
    bool hadVariable_;
    QByteArray previous_;
};

}  // namespace quendrix::qt::test
