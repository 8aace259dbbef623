#include "qt/QtDiagnostics.h"

#include <QLoggingCategory>
#include <QString>

namespace quendrix::qt {
namespace {

Q_LOGGING_CATEGORY(lcQuendrix, "quendrix")

}  // namespace

void QtDiagnostics::report(std::string_view what) {
    if (what == last_) {
        ++repeats_;
        return;
    }
    if (repeats_ > 0) {
        qCWarning(lcQuendrix).noquote()
            << QStringLiteral("(the line above repeated %1 more times)").arg(repeats_);
    }
    last_ = what;
    repeats_ = 0;
    qCWarning(lcQuendrix).noquote()
        << QString::fromUtf8(what.data(), static_cast<qsizetype>(what.size()));
}

}  // namespace quendrix::qt
