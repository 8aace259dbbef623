#include "qt/shared/QtSettingsStore.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

#include "platform/Failure.h"
#include "qt/shared/CodePage.h"
#include "qt/shared/UserSettingsFile.h"

namespace quendrix::qt {
namespace {

using platform::Failure;

// QSettings reads a slash or backslash in a name as a step into a subsection.
QString checkedName(const std::string& name) {
    if (name.empty() || name.find_first_of("/\\") != std::string::npos) {
        throw Failure("the settings store takes no name \"" + name + "\"");
    }
    return toQString(name);
}

void throwIfBroken(const QSettings& settings) {
    switch (settings.status()) {
        case QSettings::NoError:
            return;
        case QSettings::AccessError:
            throw Failure("cannot access the settings file " + settings.fileName().toStdString());
        case QSettings::FormatError:
            throw Failure("the settings file " + settings.fileName().toStdString() + " is damaged");
    }
}

// The spelling under which `name` is stored, or `name` itself when it is not stored yet.
QString storedSpelling(const QStringList& stored, const QString& name) {
    for (const QString& candidate : stored) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0) {
            return candidate;
        }
    }
    return name;
}

// Texts that this store saved come back as strings. A value typed into the file by hand with
// bare commas reads as a list; it is put back together.
QString textOf(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QStringList) {
        return value.toStringList().join(u',');
    }
    return value.toString();
}

// Enters the section in its stored spelling and gives the key's.
QString enterKey(QSettings& settings, const std::string& section, const std::string& key) {
    settings.beginGroup(storedSpelling(settings.childGroups(), checkedName(section)));
    return storedSpelling(settings.childKeys(), checkedName(key));
}

}  // namespace

QtSettingsStore::QtSettingsStore(platform::Diagnostics& diagnostics) : diagnostics_(diagnostics) {}

std::string QtSettingsStore::GetSetting(const std::string& appName, const std::string& section,
                                        const std::string& key, const std::string& defaultText) {
    UserSettingsFile file(checkedName(appName));
    reportMalformed(file);
    QSettings& settings = file.settings();
    throwIfBroken(settings);
    const QString storedKey = enterKey(settings, section, key);
    if (!settings.contains(storedKey)) {
        // A malformed line may be the key's own; its default could overwrite it later.
        if (!file.malformed().empty()) {
            throw Failure(file.malformedText() + "; the key may be on one of them");
        }
        return defaultText;
    }
    return toStdString(textOf(settings.value(storedKey)));
}

void QtSettingsStore::SaveSetting(const std::string& appName, const std::string& section,
                                  const std::string& key, const std::string& value) {
    UserSettingsFile file(checkedName(appName));
    reportMalformed(file);
    if (!file.malformed().empty()) {
        throw Failure(file.malformedText() + "; nothing is written to it until they are mended");
    }
    QSettings& settings = file.settings();
    throwIfBroken(settings);
    settings.setValue(enterKey(settings, section, key), toQString(value));
    settings.sync();
    throwIfBroken(settings);
}

// A load reads the file 47 times: its malformed lines are told once, and again only when
// they change or come back after a mend.
void QtSettingsStore::reportMalformed(const UserSettingsFile& file) {
    std::string text = file.malformedText();
    if (text == reported_) {
        return;
    }
    reported_ = std::move(text);
    if (!reported_.empty()) {
        diagnostics_.report(reported_ +
                            "; the other lines are read, and nothing is written to the file "
                            "until they are mended");
    }
}

}  // namespace quendrix::qt
