#include "support/PrivateUserFolders.h"

#include <QDir>
#include <QFile>

namespace quendrix::testsupport {

PrivateUserFolders::PrivateUserFolders() = default;

// Qt accepts a run-time folder only when no one but its owner may enter it.
QByteArray PrivateUserFolders::folder(const char* name) const {
    const QString path = dir_.filePath(QString::fromLatin1(name));
    QDir().mkpath(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return QFile::encodeName(path);
}

}  // namespace quendrix::testsupport
