#pragma once

#include <QSettings>
#include <QString>
#include <QTemporaryFile>
#include <memory>
#include <string>
#include <vector>

#include "qt/shared/IniLineCheck.h"

namespace quendrix::qt {

// The per-user INI file of an application, <config>/<application>/<application>.ini, where
// <config> is $XDG_CONFIG_HOME or else ~/.config, looked up each time one is made. The
// program's own file, "quendrix", holds the serial port names (section "Ports") and the
// settings store. Its lines are checked before QSettings reads them (see IniLineCheck): while
// one is malformed, settings() reads a copy of the file without it, and the file must not be
// written, since QSettings would rewrite it without the lines it misread.
class UserSettingsFile {
public:
    explicit UserSettingsFile(const QString& application);
    UserSettingsFile(const UserSettingsFile&) = delete;
    UserSettingsFile& operator=(const UserSettingsFile&) = delete;

    QSettings& settings() { return *settings_; }
    const QSettings& settings() const { return *settings_; }
    const QString& fileName() const { return fileName_; }
    const std::vector<MalformedLine>& malformed() const { return malformed_; }
    // "the settings file <name> has malformed lines: line 3 has no "=", ...", or empty.
    std::string malformedText() const;

private:
    void readUsableCopy(const IniLineCheck& check);

    QString fileName_;
    std::vector<MalformedLine> malformed_;
    std::unique_ptr<QTemporaryFile> usableCopy_;
    std::unique_ptr<QSettings> settings_;
};

}  // namespace quendrix::qt
