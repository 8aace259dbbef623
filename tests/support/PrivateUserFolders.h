#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "support/ScopedEnvironment.h"

namespace quendrix::testsupport {

// The per-user folders a Qt program finds through the environment (settings, data and
// run-time files) in a temporary folder of their own, for as long as this lives, so that no
// test reads or writes the developer's own.
class PrivateUserFolders {
public:
    QString path() const { return dir_.path(); }

private:
    // Qt accepts a run-time folder only when no one but its owner may enter it.
    QByteArray folder(const char* name) const {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return QFile::encodeName(path);
    }

    QTemporaryDir dir_;
    ScopedEnvironment config_{"XDG_CONFIG_HOME", folder("config")};
    ScopedEnvironment data_{"XDG_DATA_HOME", folder("data")};
    ScopedEnvironment runtime_{"XDG_RUNTIME_DIR", folder("runtime")};
};

}  // namespace quendrix::testsupport
