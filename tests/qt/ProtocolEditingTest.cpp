#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <string>

#include "app/MainForm.h"
#include "qt/MainWindowView.h"
#include "qt/QtPlatform.h"
#include "sim/SimFileDialog.h"
#include "sim/SimMessageBox.h"

namespace quendrix::qt {
namespace {

// The desktop platform with a file dialog and message box that answer without a modal loop.
class ScriptedDesktop final : public platform::Platform {
public:
    platform::EventPump& eventPump() override { return desktop.eventPump(); }
    platform::TimerScheduler& timerScheduler() override { return desktop.timerScheduler(); }
    platform::MessageBox& messageBox() override { return messages; }
    platform::SerialLine& serialLine() override { return desktop.serialLine(); }
    const platform::GridMetrics& gridMetrics() const override { return desktop.gridMetrics(); }
    platform::FileSystem& fileSystem() override { return desktop.fileSystem(); }
    platform::SettingsStore& settingsStore() override { return desktop.settingsStore(); }
    platform::FileDialog& fileDialog() override { return dialog; }
    platform::Version version() const override { return desktop.version(); }
    platform::Diagnostics& diagnostics() override { return desktop.diagnostics(); }
    platform::RandomSource& random() override { return desktop.random(); }

    QtPlatform desktop;
    sim::SimFileDialog dialog;
    sim::SimMessageBox messages;
};

void sendKey(QWidget* widget, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
}

void sendMouse(QWidget* widget, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

class ProtocolEditingTest : public ::testing::Test {
protected:
    ProtocolEditingTest() {
        controls.MainForm.show();
        QApplication::setActiveWindow(&view);
        QCoreApplication::processEvents();
    }

    // Keys go where the operator's keyboard would send them: to the widget with the focus.
    void type(const QString& keys) {
        for (const QChar key : keys) {
            sendKey(QApplication::focusWidget(), key.toUpper().unicode(), key);
        }
    }
    void key(int qtKey) { sendKey(QApplication::focusWidget(), qtKey); }
    QPoint centreOf(int row, int col) const {
        return table->visualRect(table->model()->index(row - 1, col - 1)).center();
    }
    // A press gives the grid the focus first, as the window system does for a real click.
    void clickCell(int row, int col) {
        table->setFocus(Qt::MouseFocusReason);
        sendMouse(table->viewport(), QEvent::MouseButtonPress, centreOf(row, col));
        sendMouse(table->viewport(), QEvent::MouseButtonRelease, centreOf(row, col));
    }
    void doubleClickCell(int row, int col) {
        clickCell(row, col);
        sendMouse(table->viewport(), QEvent::MouseButtonDblClick, centreOf(row, col));
    }

    ScriptedDesktop platform;
    app::MainForm form{platform};
    form::MainFormControls& controls = form.controls();
    MainWindowView view{controls, platform.desktop.gridFont()};
    QTableView* table = view.findChild<QTableView*>("MSFlexGrid1");
    QLineEdit* editor = view.findChild<QLineEdit*>("GridEditText");
    platform::Grid& grid = controls.MSFlexGrid1;
};

TEST_F(ProtocolEditingTest, TheEditorLiesExactlyOverTheCellItEdits) {
    grid.setTextMatrix(3, 2, "A6857R");
    doubleClickCell(3, 2);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), editor);
    EXPECT_EQ(editor->text(), "A6857R");
    EXPECT_EQ(editor->cursorPosition(), 6);
    const QRect cell = table->visualRect(table->model()->index(2, 1));
    EXPECT_EQ(editor->geometry(),
              QRect(table->viewport()->mapTo(&view, cell.topLeft()), cell.size()));

    QDir().mkpath(QUENDRIX_SCREENSHOT_DIR);
    EXPECT_TRUE(view.grab().save(QUENDRIX_SCREENSHOT_DIR "/cell-editor.png"));
}

TEST_F(ProtocolEditingTest, AProtocolTypedIntoTheGridIsSavedRecordForRecord) {
    clickCell(1, 1);
    type("1");
    key(Qt::Key_Return);
    key(Qt::Key_Right);
    type("ZR");
    key(Qt::Key_Down);  // commits into row 1, then moves
    type("A6857R");
    key(Qt::Key_Up);
    key(Qt::Key_Right);
    type("W");
    key(Qt::Key_Return);
    key(Qt::Key_Down);
    type("W");
    key(Qt::Key_Enter);
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    type("2");
    key(Qt::Key_Down);
    type("End");
    key(Qt::Key_Return);
    key(Qt::Key_Down);
    type("xyz");
    key(Qt::Key_Escape);  // abandoned: row 4 stays empty
    doubleClickCell(1, 2);
    key(Qt::Key_Backspace);
    type("1R");
    key(Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), table);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("typed.protocol");
    platform.dialog.answer(QFile::encodeName(path).toStdString());
    view.findChild<QPushButton*>("SaveProtocol")->click();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QByteArray expected =
        "\"1\"\r\n\"Z1R\"\r\n\"W\"\r\n"
        "\"2\"\r\n\"A6857R\"\r\n\"W\"\r\n"
        "\"End\"\r\n\"\"\r\n\"\"\r\n";
    for (int record = 9; record < 6000; ++record) {
        expected += "\"\"\r\n";
    }
    EXPECT_EQ(bytes, expected);
    EXPECT_TRUE(platform.messages.shown().empty());
}

}  // namespace
}  // namespace quendrix::qt
