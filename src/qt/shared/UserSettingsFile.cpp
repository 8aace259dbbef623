#include "qt/shared/UserSettingsFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <string_view>

namespace quendrix::qt {
namespace {

// A user's settings roam with the user on Windows, in %APPDATA%; Qt's generic configuration
// folder there is the local one, %LOCALAPPDATA%.
QString configHome() {
#ifdef Q_OS_WIN
    const QString roaming = qEnvironmentVariable("APPDATA");
    if (!roaming.isEmpty()) {
        return QDir::fromNativeSeparators(roaming);
    }
#endif
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

}  // namespace

UserSettingsFile::UserSettingsFile(const QString& application) {
    const QString configHome = quendrix::qt::configHome();
    fileName_ = configHome + u'/' + application + u'/' + application + QStringLiteral(".ini");
    // A file that is missing or cannot be read is QSettings' to report.
    QFile file(fileName_);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray content = file.readAll();
        const IniLineCheck check(
            std::string_view(content.constData(), static_cast<std::size_t>(content.size())));
        malformed_ = check.malformed();
        if (!malformed_.empty()) {
            readUsableCopy(check);
        }
    }
    if (!settings_) {
        settings_ = std::make_unique<QSettings>(fileName_, QSettings::IniFormat);
    }
}

// Without a copy the file itself is read, as leniently as QSettings reads it; it is still
// never written.
void UserSettingsFile::readUsableCopy(const IniLineCheck& check) {
    usableCopy_ = std::make_unique<QTemporaryFile>();
    if (!usableCopy_->open()) {
        return;
    }
    const std::string content = check.usableContent();
    const auto size = static_cast<qint64>(content.size());
    const bool written = usableCopy_->write(content.data(), size) == size;
    usableCopy_->close();
    if (written) {
        settings_ = std::make_unique<QSettings>(usableCopy_->fileName(), QSettings::IniFormat);
    }
}

std::string UserSettingsFile::malformedText() const {
    if (malformed_.empty()) {
        return {};
    }
    std::string text = "the settings file " + fileName_.toStdString() + " has malformed lines: ";
    for (std::size_t i = 0; i < malformed_.size(); ++i) {
        text += (i == 0 ? "line " : ", line ") + std::to_string(malformed_[i].number) + " " +
                malformed_[i].reason;
    }
    return text;
}

}  // namespace quendrix::qt
