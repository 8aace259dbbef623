#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "app/MainForm.h"
#include "qt/QtGridMetrics.h"
#include "qt/WindowView.h"
#include "sim/SimPlatform.h"

namespace quendrix::qt {
namespace {

// The real window with real key and mouse events, over the simulated platform, whose file
// dialog and message box answer without a modal loop.
class ProtocolEditingTest : public ::testing::Test {
protected:
    ProtocolEditingTest() {
        form.controls().MainForm.show();
        QApplication::setActiveWindow(&view);
        QCoreApplication::processEvents();
    }

    // Types `keys` where the operator's keyboard would send them, to the widget with the focus;
    // a key's name in angle brackets presses that key.
    static void type(const QString& keys) {
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (keys[i] == u'<') {
                const qsizetype end = keys.indexOf(u'>', i);
                press(QKeySequence::fromString(keys.mid(i + 1, end - i - 1))[0].key());
                i = end;
            } else {
                press(keys[i].toUpper().unicode(), keys[i]);
            }
        }
    }
    static void press(int qtKey, const QString& text = {}) {
        QKeyEvent event(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
        QApplication::sendEvent(QApplication::focusWidget(), &event);
    }

    QRect cellRect(int row, int col) const {
        return table->visualRect(table->model()->index(row - 1, col - 1));
    }
    void mouse(QEvent::Type type, int row, int col) {
        const QPoint at = cellRect(row, col).center();
        QMouseEvent event(type, at, table->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(table->viewport(), &event);
    }
    // A press gives the grid the focus first, as the window system does for a real click.
    void clickCell(int row, int col) {
        table->setFocus(Qt::MouseFocusReason);
        mouse(QEvent::MouseButtonPress, row, col);
        mouse(QEvent::MouseButtonRelease, row, col);
    }
    void doubleClickCell(int row, int col) {
        clickCell(row, col);
        mouse(QEvent::MouseButtonDblClick, row, col);
    }

    sim::SimPlatform platform;
    app::MainForm form{platform};
    WindowView view{form.controls().MainForm, QtGridMetrics().font()};
    QTableView* table = view.findChild<QTableView*>("MSFlexGrid1");
    QLineEdit* editor = view.findChild<QLineEdit*>("GridEditText");
};

TEST_F(ProtocolEditingTest, TheEditorLiesExactlyOverTheCellItEdits) {
    doubleClickCell(3, 2);
    ASSERT_TRUE(editor->isVisible());
    const QRect cell = cellRect(3, 2);
    EXPECT_EQ(editor->geometry(),
              QRect(table->viewport()->mapTo(&view, cell.topLeft()), cell.size()));
}

// Return, Enter and the arrows commit the text typed before them, Escape abandons it; a double
// click opens the editor on the cell's text, Backspace deleting its last character.
TEST_F(ProtocolEditingTest, AProtocolTypedIntoTheGridIsSavedRecordForRecord) {
    clickCell(1, 1);
    type(
        "1<Return><Right>ZR<Down>A6857R<Up><Right>W<Return><Down>W<Enter><Left><Left>2<Down>"
        "End<Return><Down>xyz<Esc>");
    doubleClickCell(1, 2);
    type("<Backspace>1R<Return>");
    EXPECT_FALSE(editor->isVisible());

    platform.dialog().answer("typed.protocol");
    view.findChild<QPushButton*>("SaveProtocol")->click();
    EXPECT_EQ(QByteArray::fromStdString(platform.files().content("typed.protocol")),
              "\"1\"\r\n\"Z1R\"\r\n\"W\"\r\n\"2\"\r\n\"A6857R\"\r\n\"W\"\r\n\"End\"\r\n" +
                  QByteArray("\"\"\r\n").repeated(6000 - 7));
    EXPECT_TRUE(platform.messages().shown().empty());
}

}  // namespace
}  // namespace quendrix::qt
