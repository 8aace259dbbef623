#include "qt/serial/PortDeviceName.h"

#include <QtGlobal>

namespace quendrix::qt {

QString portDeviceName(int port, const QSettings& settings) {
    const QString comName = QStringLiteral("COM%1").arg(port);
#ifdef Q_OS_WIN
    Q_UNUSED(settings);
    return comName;
#else
    const QString mapped = settings.value(QStringLiteral("Ports/") + comName).toString().trimmed();
    if (!mapped.isEmpty()) {
        return mapped;
    }
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

}  // namespace quendrix::qt
