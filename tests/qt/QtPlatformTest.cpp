#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <numeric>
#include <optional>
#include <string>
#include <utility>

#include "qt/KeyCodes.h"
#include "qt/QtPlatform.h"
#include "qt/QtRealTimeScheduler.h"
#include "qt/shared/CodePage.h"
#include "support/PumpUntil.h"

namespace quendrix::qt {
namespace {

using namespace std::chrono_literals;

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

// An action scheduled after a later one still wakes the event loop at its own time, and sees
// that time as now().
TEST(QtRealTimeSchedulerTest, TheEarliestActionRunsFromTheEventLoopAtItsOwnTime) {
    QtRealTimeScheduler scheduler;
    const sim::Micros start = scheduler.now();
    std::optional<sim::Micros> seen;
    scheduler.at(start + 60s, [&] { seen = sim::Micros{-1}; });
    scheduler.at(start + 2ms, [&] { seen = scheduler.now(); });
    ASSERT_TRUE(testsupport::pumpUntil([&] { return seen.has_value(); }));
    EXPECT_EQ(seen, start + 2ms);
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

// The kept name is UTF-8, whatever the system's 8-bit encoding of file names.
TEST(QtFileDialogTest, OpensWithTheKeptNameAsksBeforeOverwritingWithFlagTwoAndCancels) {
    QtFileDialog dialog;
    QTemporaryDir folder;
    const QString kept = folder.filePath(QStringLiteral(u"kept \u00b5l.txt"));
    const QString chosen = folder.filePath(QStringLiteral(u"chosen \u8a66\u6599.txt"));
    dialog.setFileName(kept.toStdString());
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
    EXPECT_EQ(dialog.FileName(), chosen.toStdString());

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

TEST(CodePageTest, ConvertsAsTheWesternWindowsCodePageAndEveryByteComesBack) {
    std::string bytes(256, '\0');
    std::iota(bytes.begin(), bytes.end(), '\0');
    const QString text = toQString(bytes);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(toStdString(text), bytes);
    // Euro sign, low double quotation mark, an undefined byte standing for its own control
    // character, a Latin-1 letter.
    EXPECT_EQ(toQString("A\x80\x84\x8D\xE9"), QStringLiteral(u"A\u20AC\u201E\u008D\u00E9"));
    // Characters the code page lacks: a control character no byte stands for, one beyond
    // eight bits, one beyond sixteen.
    EXPECT_EQ(toStdString(QStringLiteral(u"a\u0080b\u4E2Dc\U0001F600d")), "a?b?c?d");
}

// Shift, Control and Alt combine as 1, 2 and 4.
TEST(KeyCodesTest, MapsTheKeysTheProgramKnowsToTheirVirtualKeyCodesAndCombinesModifiers) {
    const std::pair<int, int> keys[] = {
        {Qt::Key_Return, 13}, {Qt::Key_Enter, 13},    {Qt::Key_Escape, 27}, {Qt::Key_Up, 38},
        {Qt::Key_Left, 37},   {Qt::Key_Backspace, 8}, {Qt::Key_A, 65},      {Qt::Key_Z, 90},
        {Qt::Key_0, 48},      {Qt::Key_F1, 112},      {Qt::Key_F12, 123},   {Qt::Key_Shift, 16},
        {Qt::Key_Comma, 0},   {Qt::Key_unknown, 0}};
    for (const auto& [qtKey, code] : keys) {
        EXPECT_EQ(KeyCodes::virtualKeyCode(qtKey), code) << "key 0x" << std::hex << qtKey;
    }
    EXPECT_EQ(KeyCodes::shiftState(Qt::NoModifier), 0);
    EXPECT_EQ(KeyCodes::shiftState(Qt::ControlModifier | Qt::AltModifier), 6);
    EXPECT_EQ(KeyCodes::shiftState(Qt::ShiftModifier | Qt::KeypadModifier), 1);
}

std::optional<int> typed(int qtKey, const char* text) {
    return KeyCodes::keyAscii(
        QKeyEvent(QEvent::KeyPress, qtKey, Qt::NoModifier, QString::fromUtf8(text)));
}

// The code-page byte of the character typed, '?' for one beyond the code page; control keys
// type their codes even where the event carries no text, editing and focus keys nothing.
TEST(KeyCodesTest, GivesTheCodePageByteOfTheCharacterTyped) {
    EXPECT_EQ(typed(Qt::Key_unknown, "a"), 97);
    EXPECT_EQ(typed(Qt::Key_unknown, "\xe2\x82\xac"), 0x80);  // the euro sign
    EXPECT_EQ(typed(Qt::Key_unknown, "\xf0\x9f\x98\x80"), '?');
    EXPECT_EQ(typed(Qt::Key_Return, ""), 13);
    EXPECT_EQ(typed(Qt::Key_Escape, ""), 27);
    EXPECT_EQ(typed(Qt::Key_Backspace, ""), 8);
    EXPECT_EQ(typed(Qt::Key_unknown, "ab"), std::nullopt);
    EXPECT_EQ(typed(Qt::Key_Tab, "\t"), std::nullopt);
    EXPECT_EQ(typed(Qt::Key_Up, ""), std::nullopt);
    EXPECT_EQ(typed(Qt::Key_Delete, "\x7f"), std::nullopt);
}

}  // namespace
}  // namespace quendrix::qt
