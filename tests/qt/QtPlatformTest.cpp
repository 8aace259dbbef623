#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include "qt/QtPlatform.h"
#include "support/PumpUntil.h"

namespace quendrix::qt {
namespace {

// The test run's main gives it per-user folders of its own.
TEST(QtTestRunTest, NeverReachesTheUsersOwnFolders) {
    const QString own = QDir::homePath() + u'/';
    for (const auto location :
         {QStandardPaths::GenericConfigLocation, QStandardPaths::GenericDataLocation,
          QStandardPaths::RuntimeLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        EXPECT_FALSE(folder.isEmpty());
        EXPECT_FALSE(folder.startsWith(own)) << folder.toStdString();
        EXPECT_FALSE(folder.startsWith(QStringLiteral("/run/user/"))) << folder.toStdString();
    }
}

TEST(QtTimerSchedulerTest, EachTimerIsOnePreciseSingleShotQtTimerThatFiresThroughThePump) {
    QtTimerScheduler scheduler;
    platform::Timer timer("tmrResponseTimeout", scheduler, 1);
    auto onTickHandler = timer.onTick.subscribe([&] { timer.setEnabled(false); });
    timer.setEnabled(true);
    timer.setInterval(10);  // a restart
    const auto qtTimers = scheduler.findChildren<QTimer*>();
    ASSERT_EQ(qtTimers.size(), 1);
    EXPECT_EQ(qtTimers[0]->timerType(), Qt::PreciseTimer);
    EXPECT_EQ(qtTimers[0]->interval(), 10);
    ASSERT_TRUE(testsupport::pumpUntil([&] { return !timer.enabled(); }));
    EXPECT_FALSE(qtTimers[0]->isActive());  // the tick arms it again before the handler stops it
}

// Runs `show`, answering the box of kind Box that it brings up with `answer`; gives its notes.
template <typename Box, typename Show, typename Answer>
QStringList answerModal(Show show, Answer answer) {
    const QObject context;
    QStringList shown;
    QTimer::singleShot(0, &context, [&] {
        if (auto* box = qobject_cast<Box*>(QApplication::activeModalWidget()); box != nullptr) {
            shown = answer(*box);
        }
    });
    show();
    return shown;
}

TEST(QtMessageBoxTest, ShowsTheTextUnderTheProgramsTitleWithOneOkButton) {
    const auto answer = [](QMessageBox& box) {
        box.accept();
        return QStringList{box.windowTitle(), box.text(), QString::number(box.standardButtons())};
    };
    EXPECT_EQ(answerModal<QMessageBox>([] { QtMessageBox().show("File Open Already "); }, answer),
              QStringList({"quendrix", "File Open Already ", QString::number(QMessageBox::Ok)}));
}

TEST(QtFileDialogTest, OpensWithTheKeptNameAsksBeforeOverwritingWithFlagTwoAndCancels) {
    QtFileDialog dialog;
    QTemporaryDir folder;
    const QString kept = folder.filePath("kept.txt");
    const QString chosen = folder.filePath("chosen.txt");
    dialog.setFileName(QFile::encodeName(kept).toStdString());
    dialog.setDialogTitle("Save Protocol");
    dialog.setFlags(platform::FileDialog::kOverwritePrompt);
    QString choice = chosen;  // none cancels
    const auto answer = [&](QFileDialog& box) {
        const QStringList shown{
            box.acceptMode() == QFileDialog::AcceptSave ? "save" : "open", box.windowTitle(),
            box.selectedFiles().join('|'),
            box.testOption(QFileDialog::DontConfirmOverwrite) ? "asks not" : "asks"};
        box.selectFile(choice);
        choice.isEmpty() ? box.reject() : static_cast<QDialog&>(box).accept();
        return shown;
    };
    EXPECT_EQ(answerModal<QFileDialog>([&] { dialog.ShowSave(); }, answer),
              QStringList({"save", "Save Protocol", kept, "asks"}));

    dialog.setFlags(0);
    choice.clear();
    EXPECT_EQ(answerModal<QFileDialog>([&] { dialog.ShowSave(); }, answer).back(), "asks not");
    EXPECT_EQ(answerModal<QFileDialog>([&] { dialog.ShowOpen(); }, answer).mid(0, 3),
              QStringList({"open", "Save Protocol", chosen}));  // chosen, and kept when cancelled
}

TEST(QtGridMetricsTest, RowsAreFifteenPixelsAndColumnsFollowTheirCaptions) {
    const QtGridMetrics metrics;
    EXPECT_EQ(metrics.rowHeight(), 225);
    EXPECT_EQ(metrics.columnWidth(""), QtGridMetrics::kMarginPixels * 15);
    const int command = metrics.columnWidth("    Command" + std::string(81, ' '));
    EXPECT_GT(command, 5 * metrics.columnWidth("Loops "));
    EXPECT_EQ(command % 15, 0);  // whole pixels
}

}  // namespace
}  // namespace quendrix::qt
