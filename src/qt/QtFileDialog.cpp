#include "qt/QtFileDialog.h"

#include <QApplication>
#include <QFileDialog>

#include "qt/shared/CodePage.h"

namespace quendrix::qt {

std::optional<std::string> QtFileDialog::choose(Mode mode) {
    QWidget* parent = QApplication::activeWindow();
    const QString title = toQString(DialogTitle());
    // The core keeps names as UTF-8; QFile::encodeName would use the ANSI code page on Windows.
    const QString start = QString::fromStdString(FileName());
    QString chosen;
    if (mode == Mode::Open) {
        chosen = QFileDialog::getOpenFileName(parent, title, start);
    } else {
        QFileDialog::Options options;
        if ((Flags() & kOverwritePrompt) == 0) {
            options |= QFileDialog::DontConfirmOverwrite;
        }
        chosen = QFileDialog::getSaveFileName(parent, title, start, QString(), nullptr, options);
    }
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.toStdString();
}

}  // namespace quendrix::qt
