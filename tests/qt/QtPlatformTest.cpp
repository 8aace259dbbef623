#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "platform/DialogCancelled.h"
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

// Runs inside the file dialog's own modal loop, once the dialog is up.
void whenFileDialogShown(QObject& context, std::function<void(QFileDialog&)> act) {
    QTimer::singleShot(0, &context, [act = std::move(act)] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            if (dialog != nullptr && dialog->isVisible()) {
                act(*dialog);
            }
        }
    });
}

TEST(QtFileDialogTest, SaveOpensWithTheKeptNameAndAsksBeforeOverwritingOnlyWithFlagTwo) {
    QtPlatform platform;
    platform::FileDialog& dialog = platform.fileDialog();
    QTemporaryDir folder;
    const QString kept = folder.filePath("kept.txt");
    const QString chosen = folder.filePath("chosen.txt");
    dialog.setFileName(QFile::encodeName(kept).toStdString());
    dialog.setDialogTitle("Save Protocol");
    QObject context;
    for (const int flags : {platform::FileDialog::kOverwritePrompt, 0}) {
        dialog.setFlags(flags);
        QString title;
        QStringList selected;
        bool confirms = false;
        whenFileDialogShown(context, [&](QFileDialog& shown) {
            title = shown.windowTitle();
            selected = shown.selectedFiles();
            confirms = !shown.testOption(QFileDialog::DontConfirmOverwrite);
            shown.selectFile(chosen);
            static_cast<QDialog&>(shown).accept();  // the dialog's own check runs
        });
        dialog.ShowSave();

        EXPECT_EQ(title, "Save Protocol");
        EXPECT_EQ(selected, QStringList{kept});
        EXPECT_EQ(confirms, flags == platform::FileDialog::kOverwritePrompt);
        EXPECT_EQ(dialog.FileName(), QFile::encodeName(chosen).toStdString());
        dialog.setFileName(QFile::encodeName(kept).toStdString());
    }
}

TEST(QtFileDialogTest, CancellingTheOpenDialogRaisesWithCancelError) {
    QtPlatform platform;
    platform::FileDialog& dialog = platform.fileDialog();
    dialog.setCancelError(true);
    dialog.setDialogTitle("Load Protocol");
    dialog.setFileName("p.txt");
    QObject context;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptSave;
    whenFileDialogShown(context, [&](QFileDialog& shown) {
        mode = shown.acceptMode();
        shown.reject();
    });
    EXPECT_THROW(dialog.ShowOpen(), platform::DialogCancelled);
    EXPECT_EQ(mode, QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.FileName(), "p.txt");
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
