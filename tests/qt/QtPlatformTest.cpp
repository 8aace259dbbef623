#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "qt/QtPlatform.h"

namespace quendrix::qt {
namespace {

TEST(QtTimerSchedulerTest, ATimerFiresOnceThroughTheEventPumpAndThenRestsStopped) {
    QtPlatform platform;
    platform::Timer timer("tmrResponseTimeout", platform.timerScheduler(), 1);
    int ticks = 0;
    auto onTickHandler = timer.onTick.subscribe([&] {
        ++ticks;
        timer.setEnabled(false);
    });
    timer.setEnabled(true);

    const auto qtTimers =
        static_cast<QtTimerScheduler&>(platform.timerScheduler()).findChildren<QTimer*>();
    ASSERT_EQ(qtTimers.size(), 1);
    const QTimer& qtTimer = *qtTimers.front();
    EXPECT_TRUE(qtTimer.isSingleShot());
    EXPECT_EQ(qtTimer.timerType(), Qt::PreciseTimer);
    EXPECT_EQ(qtTimer.interval(), 1);

    while (timer.enabled()) {
        platform.eventPump().pumpOnce();
    }
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(qtTimer.isActive());
}

TEST(QtTimerSchedulerTest, RestartingKeepsOneQtTimerAndDisarmingStopsIt) {
    QtPlatform platform;
    platform::Timer timer("RunTimer", platform.timerScheduler(), 60000);
    timer.setEnabled(true);
    timer.setInterval(10);
    timer.setEnabled(true);

    const auto qtTimers =
        static_cast<QtTimerScheduler&>(platform.timerScheduler()).findChildren<QTimer*>();
    ASSERT_EQ(qtTimers.size(), 1);
    EXPECT_TRUE(qtTimers.front()->isActive());
    EXPECT_EQ(qtTimers.front()->interval(), 10);

    timer.setEnabled(false);
    EXPECT_FALSE(qtTimers.front()->isActive());
}

TEST(QtMessageBoxTest, ShowsTheTextUnderTheProgramsTitleWithOneOkButton) {
    QtPlatform platform;
    QString title;
    QString text;
    qsizetype buttons = 0;
    QObject context;
    // Runs inside the box's own modal loop, once the box is up.
    QTimer::singleShot(0, &context, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible()) {
                title = box->windowTitle();
                text = box->text();
                buttons = box->buttons().size();
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    platform.messageBox().show("File Open Already ");

    EXPECT_EQ(title, "quendrix");
    EXPECT_EQ(text, "File Open Already ");
    EXPECT_EQ(buttons, 1);
}

TEST(QtGridMetricsTest, RowsAreFifteenPixelsAndColumnsFollowTheirCaptions) {
    QtPlatform platform;
    const platform::GridMetrics& metrics = platform.gridMetrics();
    EXPECT_EQ(metrics.rowHeight(), 225);

    const int empty = metrics.columnWidth("");
    const int loops = metrics.columnWidth("Loops ");
    const int command = metrics.columnWidth("    Command" + std::string(81, ' '));
    EXPECT_EQ(empty, QtGridMetrics::kMarginPixels * 15);
    EXPECT_GT(loops, empty);
    EXPECT_GT(command, 5 * loops);
    EXPECT_EQ(command % 15, 0);  // whole pixels
}

}  // namespace
}  // namespace quendrix::qt
