#pragma once

#include <QSettings>
#include <QString>

namespace quendrix::qt {

// The device behind port number `port` (1 and up). On Windows it is "COMn". Elsewhere the
// per-user settings may name it in section "Ports", key "COMn" (COM1=/dev/ttyUSB0); without
// that entry port n is /dev/ttyS(n-1), the n-th built-in serial port.
QString portDeviceName(int port, const QSettings& settings);

// Whether the per-user settings lead port `port` to the built-in simulated instrument: key
// "COMn" of section "Ports" reads "sim", in any case, blanks around it ignored. This holds on
// every system, Windows included.
bool leadsToDemo(int port, const QSettings& settings);

}  // namespace quendrix::qt
