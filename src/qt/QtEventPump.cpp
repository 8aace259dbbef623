#include "qt/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace quendrix::qt {

void QtEventPump::pumpOnce() {
    // The overload with a time limit drops WaitForMoreEvents and would make every wait spin.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtEventPump::pumpPending() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace quendrix::qt
