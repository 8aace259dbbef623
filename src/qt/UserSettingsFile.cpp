#include "qt/UserSettingsFile.h"

#include <QStandardPaths>

namespace quendrix::qt {

std::unique_ptr<QSettings> openUserSettingsFile(const QString& application) {
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::make_unique<QSettings>(
        configHome + u'/' + application + u'/' + application + QStringLiteral(".ini"),
        QSettings::IniFormat);
}

}  // namespace quendrix::qt
