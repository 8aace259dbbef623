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

TEST(QtTimerSchedulerTest, EachTimerIsOnePreciseSingleShotQtTimerThatFiresThroughThePump) {
    QtPlatform platform;
    platform::Timer timer("tmrResponseTimeout", platform.timerScheduler(), 1);
    int ticks = 0;
    auto onTickHandler = timer.onTick.subscribe([&] {
        ++ticks;
        timer.setEnabled(false);
    });
    timer.setEnabled(true);
    const auto qtTimers = [&] {
        return static_cast<QtTimerScheduler&>(platform.timerScheduler()).findChildren<QTimer*>();
    };
    ASSERT_EQ(qtTimers().size(), 1);
    const QTimer& qtTimer = *qtTimers().front();
    EXPECT_TRUE(qtTimer.isSingleShot());
    EXPECT_EQ(qtTimer.timerType(), Qt::PreciseTimer);
    EXPECT_EQ(qtTimer.interval(), 1);
    while (timer.enabled()) {
        platform.eventPump().pumpOnce();
    }
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(qtTimer.isActive());

    timer.setEnabled(true);
    timer.setInterval(10);
    timer.setEnabled(true);
    EXPECT_EQ(qtTimers().size(), 1) << "restarting makes no second Qt timer";
    EXPECT_TRUE(qtTimer.isActive());
    EXPECT_EQ(qtTimer.interval(), 10);
    timer.setEnabled(false);
    EXPECT_FALSE(qtTimer.isActive());
}

// Once a box of kind Box is up, `answer` runs on it inside the box's own modal loop.
template <typename Box, typename Answer>
void whenShown(const QObject& context, Answer answer) {
    QTimer::singleShot(0, &context, [answer] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<Box*>(widget); box != nullptr && box->isVisible()) {
                answer(*box);
            }
        }
    });
}

TEST(QtMessageBoxTest, ShowsTheTextUnderTheProgramsTitleWithOneOkButton) {
    QtPlatform platform;
    const QObject context;
    QString shown;
    whenShown<QMessageBox>(context, [&shown](QMessageBox& box) {
        shown = box.windowTitle() + "|" + box.text() + "|" + QString::number(box.buttons().size());
        box.button(QMessageBox::Ok)->click();
    });
    platform.messageBox().show("File Open Already ");
    EXPECT_EQ(shown, "quendrix|File Open Already |1");
}

struct ShownDialog {
    QFileDialog::AcceptMode mode{};
    QString title;
    QStringList selected;
    bool confirmsOverwrite = false;
};

// Shows the dialog, notes what it shows and answers it; an empty answer cancels.
void showAndAnswer(const std::function<void()>& show, const QString& answer, ShownDialog& shown) {
    const QObject context;
    whenShown<QFileDialog>(context, [&](QFileDialog& box) {
        shown = {box.acceptMode(), box.windowTitle(), box.selectedFiles(),
                 !box.testOption(QFileDialog::DontConfirmOverwrite)};
        if (answer.isEmpty()) {
            box.reject();
        } else {
            box.selectFile(answer);
            static_cast<QDialog&>(box).accept();  // with the dialog's own checks
        }
    });
    show();
}

TEST(QtFileDialogTest, OpensWithTheKeptNameAsksBeforeOverwritingWithFlagTwoAndCancels) {
    QtPlatform platform;
    platform::FileDialog& dialog = platform.fileDialog();
    QTemporaryDir folder;
    const QString kept = folder.filePath("kept.txt");
    const QString chosen = folder.filePath("chosen.txt");
    dialog.setFileName(QFile::encodeName(kept).toStdString());
    dialog.setDialogTitle("Save Protocol");
    dialog.setFlags(platform::FileDialog::kOverwritePrompt);

    ShownDialog shown;
    showAndAnswer([&] { dialog.ShowSave(); }, chosen, shown);
    EXPECT_EQ(shown.mode, QFileDialog::AcceptSave);
    EXPECT_EQ(shown.title, "Save Protocol");
    EXPECT_EQ(shown.selected, QStringList{kept});
    EXPECT_TRUE(shown.confirmsOverwrite);
    EXPECT_EQ(dialog.FileName(), QFile::encodeName(chosen).toStdString());

    dialog.setFlags(0);
    showAndAnswer([&] { dialog.ShowSave(); }, {}, shown);
    EXPECT_FALSE(shown.confirmsOverwrite);
    dialog.setCancelError(true);
    EXPECT_THROW(showAndAnswer([&] { dialog.ShowOpen(); }, {}, shown), platform::DialogCancelled);
    EXPECT_EQ(shown.mode, QFileDialog::AcceptOpen);
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
