#include "qt/QtMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "qt/shared/CodePage.h"

namespace quendrix::qt {

void QtMessageBox::display(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(platform::kProgramTitle),
                    toQString(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName("MessageBox");
    boxes_.push_back(&box);
    box.exec();
    boxes_.pop_back();
}

void QtMessageBox::pressOk() {
    if (!boxes_.empty()) {
        boxes_.back()->button(QMessageBox::Ok)->click();
    }
}

}  // namespace quendrix::qt
