#include "qt/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include "qt/shared/CodePage.h"

namespace quendrix::qt {

void QtMessageBox::show(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(platform::kProgramTitle),
                    toQString(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName("MessageBox");
    box.exec();
}

}  // namespace quendrix::qt
