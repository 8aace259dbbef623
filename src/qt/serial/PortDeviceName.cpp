#include "qt/serial/PortDeviceName.h"

#include <QtGlobal>

namespace quendrix::qt {

namespace {

QString comName(int port) {
    return QStringLiteral("COM%1").arg(port);
}

QString mappedName(int port, const QSettings& settings) {
    return settings.value(QStringLiteral("Ports/") + comName(port)).toString().trimmed();
}

}  // namespace

QString portDeviceName(int port, const QSettings& settings) {
#ifdef Q_OS_WIN
    Q_UNUSED(settings);
    return comName(port);
#else
    const QString mapped = mappedName(port, settings);
    if (!mapped.isEmpty()) {
        return mapped;
    }
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

bool leadsToDemo(int port, const QSettings& settings) {
    return mappedName(port, settings).compare(QStringLiteral("sim"), Qt::CaseInsensitive) == 0;
}

}  // namespace quendrix::qt
