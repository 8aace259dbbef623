#include "support/ConfigHome.h"

#include <QSettings>

namespace quendrix::testsupport {

void ConfigHome::mapPort(int port, const QString& device) const {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Ports/COM%1").arg(port), device);
}

}  // namespace quendrix::testsupport
