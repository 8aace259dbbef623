#include "qt/QtDiagnostics.h"

#include <QLoggingCategory>
#include <QString>

namespace quendrix::qt {
namespace {

Q_LOGGING_CATEGORY(lcQuendrix, "quendrix")

}  // namespace

void QtDiagnostics::report(std::string_view what) {
    qCWarning(lcQuendrix).noquote()
        << QString::fromUtf8(what.data(), static_cast<qsizetype>(what.size()));
}

}  // namespace quendrix::qt
