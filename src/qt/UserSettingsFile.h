#pragma once

#include <QSettings>
#include <QString>
#include <memory>

namespace quendrix::qt {

// The per-user INI file of an application: <config>/<application>/<application>.ini, where
// <config> is $XDG_CONFIG_HOME or else ~/.config, looked up on every call. The program's own
// file, "quendrix", holds the serial port names (section "Ports") and the settings store.
std::unique_ptr<QSettings> openUserSettingsFile(const QString& application);

}  // namespace quendrix::qt
