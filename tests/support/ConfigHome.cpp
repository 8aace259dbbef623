#include "support/ConfigHome.h"

#include <QSettings>
#include <QtGlobal>

namespace quendrix::testsupport {
namespace {

constexpr const char* kConfigHome = "XDG_CONFIG_HOME";

}  // namespace

ConfigHome::ConfigHome() {
    if (qEnvironmentVariableIsSet(kConfigHome)) {
        previousConfigHome_ = qgetenv(kConfigHome);
    }
    qputenv(kConfigHome, dir_.path().toLocal8Bit());
}

ConfigHome::~ConfigHome() {
    if (previousConfigHome_) {
        qputenv(kConfigHome, *previousConfigHome_);
    } else {
        qunsetenv(kConfigHome);
    }
}

void ConfigHome::mapPort(int port, const QString& device) const {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Ports/COM%1").arg(port), device);
}

}  // namespace quendrix::testsupport
