#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "qt/QtPlatform.h"
#include "qt/WindowView.h"

namespace quendrix::qt {
namespace {

void pressKey(QWidget* widget, int key, const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &event);
}

void mouse(QWidget* widget, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void click(QWidget* widget, QPoint at) {
    mouse(widget, QEvent::MouseButtonPress, at);
    mouse(widget, QEvent::MouseButtonRelease, at);
}

class MainWindowViewTest : public ::testing::Test {
protected:
    MainWindowViewTest() {
        controls.MainForm.show();
        // Lets the window lay itself out.
        QCoreApplication::processEvents();
    }

    template <typename T>
    T* widget(const char* name) {
        T* found = view.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QtPlatform platform;
    app::MainForm form{platform};
    form::MainFormControls& controls = form.controls();
    WindowView view{controls.MainForm, platform.gridFont()};
    QTableView* table = widget<QTableView>("MSFlexGrid1");
    platform::Grid& grid = controls.MSFlexGrid1;
};

TEST_F(MainWindowViewTest, ShowsTheFixedWindowWithLogoGridAndCommunicationsPanel) {
    EXPECT_EQ(view.windowTitle(), "Tarvo Engineering");
    EXPECT_EQ(view.size(), QSize(481, 529));
    EXPECT_EQ(view.minimumSize(), view.maximumSize());
    EXPECT_FALSE(view.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(view.testAttribute(Qt::WA_DeleteOnClose));

    const auto* logo = widget<QLabel>("Picture1");
    EXPECT_EQ(logo->pixmap().size(), QSize(481, 58));

    const QAbstractItemModel& model = *table->model();
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Loops ");
    EXPECT_EQ(model.headerData(1999, Qt::Vertical).toString(), "2000");
    EXPECT_EQ(table->toolTip(), "Click in the command column to begin entering a protocol");

    QDir().mkpath(QUENDRIX_SCREENSHOT_DIR);
    EXPECT_TRUE(view.grab().save(QUENDRIX_SCREENSHOT_DIR "/main-window.png"));
}

TEST_F(MainWindowViewTest, FindsTextBoxesByTheirCaptionsAndButtonsByTheirAccelerators) {
    const std::vector<std::pair<QString, QString>> captions = {{"Error Code", "chrErrorCode"},
                                                               {"Test Counter", "intTestCounter"}};
    for (const auto& [caption, box] : captions) {
        const QLabel* found = nullptr;
        for (const QLabel* label : view.findChildren<QLabel*>()) {
            if (label->text() == caption && label->isVisibleTo(&view)) {
                found = label;
            }
        }
        ASSERT_NE(found, nullptr) << caption.toStdString();
        ASSERT_NE(found->buddy(), nullptr);
        EXPECT_EQ(found->buddy()->objectName(), box);
    }

    const auto buttons = view.findChildren<QPushButton*>("RunProtocol");
    ASSERT_EQ(buttons.size(), 3);
    const auto run = std::find_if(buttons.begin(), buttons.end(),
                                  [](const QPushButton* b) { return b->text() == "&Run "; });
    ASSERT_NE(run, buttons.end());
    EXPECT_EQ((*run)->property("index").toInt(), 0);
    EXPECT_TRUE((*run)->isVisibleTo(&view));

    // Every button view forwards its clicks alike. End is the one clicked: Run would start a
    // run on the machine's own serial port.
    int clicks = 0;
    auto onClickHandler = controls.EndTheProtocol.onClick.subscribe([&] { ++clicks; });
    widget<QPushButton>("EndTheProtocol")->click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(MainWindowViewTest, TabReachesTheControlsBeyondTheWindowInInventoryOrder) {
    std::vector<std::string> order;
    QWidget* widget = view.findChild<QWidget*>("strPumpString");
    for (int steps = 0; steps < 200 && order.size() < 10; ++steps) {
        if (widget->focusPolicy() & Qt::TabFocus && widget->isVisibleTo(&view)) {
            order.push_back(widget->objectName().toStdString());
        }
        widget = widget->nextInFocusChain();
    }
    const std::vector<std::string> expected = {
        "strPumpString", "SendToPump", "CommandStatusQuery", "chrErrorCode", "Text3",
        "strResponse",   "Command1",   "Command2",           "Command5",     "LoopCounter"};
    EXPECT_EQ(order, expected);
}

TEST_F(MainWindowViewTest, TypingReachesTheTextBoxAndTheProgramsTextReachesTheWidget) {
    auto* edit = widget<QLineEdit>("strPumpString");
    pressKey(edit, Qt::Key_End);
    pressKey(edit, Qt::Key_X, "X");
    EXPECT_EQ(controls.strPumpString.text(), "/1ZRX");
    EXPECT_EQ(controls.strPumpString.selStart(), 5);

    pressKey(edit, Qt::Key_unknown, QString(u'\u20AC'));
    EXPECT_EQ(controls.strPumpString.text(), "/1ZRX\x80");

    controls.strPumpString.setText("/2Q\xE9\x84");
    controls.strPumpString.setSelStart(1);
    EXPECT_EQ(edit->text(), QStringLiteral(u"/2Q\u00E9\u201E"));
    EXPECT_EQ(edit->cursorPosition(), 1);
}

TEST_F(MainWindowViewTest, VisibilityAndIndicatorColoursFollowTheControls) {
    auto* panel = widget<QWidget>("Frame3");
    EXPECT_TRUE(panel->isVisible());
    controls.Frame3.setVisible(false);
    EXPECT_FALSE(panel->isVisible());
    controls.Frame3.setVisible(true);

    auto* indicator = widget<QWidget>("ShapeUnitStatus");
    const QPoint centre = indicator->rect().center();
    EXPECT_EQ(indicator->grab().toImage().pixelColor(centre), QColor(Qt::black));
    controls.ShapeUnitStatus.setFillColor(platform::kRed);
    EXPECT_EQ(indicator->grab().toImage().pixelColor(centre), QColor(255, 0, 0));
    controls.ShapeUnitStatus.setFillColor(platform::kGreen);
    EXPECT_EQ(indicator->grab().toImage().pixelColor(centre), QColor(0, 255, 0));
}

TEST_F(MainWindowViewTest, ClicksAndKeysNeverMakeAFixedCellCurrent) {
    const QAbstractItemModel& model = *table->model();
    click(table->horizontalHeader()->viewport(), QPoint(10, 5));
    click(table->verticalHeader()->viewport(), QPoint(5, 40));
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 3);

    click(table->viewport(), table->visualRect(model.index(4, 1)).center());
    EXPECT_EQ(grid.Row(), 5);
    EXPECT_EQ(grid.Col(), 2);

    for (int i = 0; i < 6; ++i) {
        pressKey(table, Qt::Key_Up);
        pressKey(table, Qt::Key_Left);
    }
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
}

TEST_F(MainWindowViewTest, FocusMovesBothWaysBetweenTheWidgetsAndTheControls) {
    int gridFocused = 0;
    auto onGotFocusHandler = grid.onGotFocus.subscribe([&] { ++gridFocused; });
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(table, &focusIn);
    EXPECT_EQ(gridFocused, 1);
    EXPECT_TRUE(grid.hasFocus());

    controls.strPumpString.setFocus();
    EXPECT_EQ(view.focusWidget(), view.findChild<QWidget*>("strPumpString"));
    grid.setFocus();
    EXPECT_EQ(view.focusWidget(), table);
    EXPECT_EQ(gridFocused, 2);
}

TEST_F(MainWindowViewTest, TheViewShowsTheGridsCurrentCellSelectionAndScrollPosition) {
    grid.setSelectionMode(1);
    grid.setRow(7);
    EXPECT_EQ(table->currentIndex(), table->model()->index(6, 2));
    const auto selected = table->selectionModel()->selectedIndexes();
    ASSERT_EQ(selected.size(), 3);  // the whole row
    for (const QModelIndex& index : selected) {
        EXPECT_EQ(index.row(), 6);
    }

    grid.setRow(0);  // the program may go where the operator cannot
    EXPECT_FALSE(table->currentIndex().isValid());

    grid.setTopRow(100);
    EXPECT_EQ(table->verticalScrollBar()->value(), 99);
    EXPECT_EQ(table->rowAt(0), 99);
    table->verticalScrollBar()->setValue(50);
    EXPECT_EQ(grid.TopRow(), 51);
}

TEST_F(MainWindowViewTest, ClosingTheWindowShutsTheProgramDownAndKeepsTheWidgets) {
    int closedSignals = 0;
    QObject::connect(&view, &WindowView::closed, &view, [&] { ++closedSignals; });
    controls.RunTimer.setEnabled(true);
    controls.flags.ProtocolRunning = true;

    EXPECT_TRUE(view.close());

    EXPECT_TRUE(controls.MainForm.closed());
    EXPECT_FALSE(controls.flags.ProtocolRunning);
    EXPECT_FALSE(controls.RunTimer.enabled());
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(closedSignals, 1);
    // The widgets still mirror the controls for the waits that are still unwinding.
    controls.chrErrorCode.setText("9");
    EXPECT_EQ(widget<QLineEdit>("chrErrorCode")->text(), "9");
}

TEST_F(MainWindowViewTest, TheProgramEndsOnlyOnceTheWaitsOnTheStackHaveReturned) {
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&view, &WindowView::closed, &view, [] { QCoreApplication::quit(); });
    std::vector<std::string> steps;
    auto onClickHandler = controls.Command4.onClick.subscribe([&] {
        // A wait of the program, as a run does it: pump, then test the stop signal.
        controls.flags.ProtocolRunning = true;
        QTimer::singleShot(0, &view, [&] {
            steps.push_back("closed");
            view.close();
        });
        while (controls.flags.ProtocolRunning) {
            platform.eventPump().pumpOnce();
        }
        steps.push_back("wait left");
    });
    QTimer::singleShot(0, &view, [&] { widget<QPushButton>("Command4")->click(); });

    QCoreApplication::exec();
    steps.push_back("event loop ended");
    QApplication::setQuitOnLastWindowClosed(true);

    EXPECT_EQ(steps, (std::vector<std::string>{"closed", "wait left", "event loop ended"}));
}

// A reply wait lowers LoopCounter on every pass. The box lies beyond the window: were its
// repaints posted, each pass would wake the next at once, and a silent controller would use
// up the 1000 passes long before the 500-ms time-out.
TEST_F(MainWindowViewTest, AReplyWaitOnTheShownWindowBlocksUntilItsTimeOut) {
    controls.flags.ProtocolRunning = true;
    controls.LoopCounter.setText("1000");
    controls.tmrResponseTimeout.setEnabled(true);
    EXPECT_EQ(form.deviceLink().AwaitDeviceReply(), device::WaitOutcome::TimedOut);
    EXPECT_EQ(controls.RetryCounter2.text(), "1");
    EXPECT_EQ(controls.RetryCounter.text(), "0");
    controls.flags.ProtocolRunning = false;
}

}  // namespace
}  // namespace quendrix::qt
