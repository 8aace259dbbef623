#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "qt/FramePacer.h"
#include "qt/QtGridMetrics.h"
#include "qt/QtPlatform.h"
#include "qt/WindowView.h"
#include "sim/virtualtime/SimPlatform.h"
#include "support/ConfigHome.h"
#include "support/PumpUntil.h"

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

// Counts the paints a widget gets.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

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

    testsupport::ConfigHome config;
    QtPlatform platform;
    app::MainForm form{platform};
    form::Inventory& controls = form.controls();
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
    const auto labels = view.findChildren<QLabel*>();
    for (const auto& [caption, box] : captions) {
        const auto found = std::ranges::find_if(labels, [&](const QLabel* label) {
            return label->text() == caption && label->isVisibleTo(&view);
        });
        ASSERT_NE(found, labels.end()) << caption.toStdString();
        ASSERT_NE((*found)->buddy(), nullptr);
        EXPECT_EQ((*found)->buddy()->objectName(), box);
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
    EXPECT_EQ(order, (std::vector<std::string>{"strPumpString", "SendToPump", "CommandStatusQuery",
                                               "chrErrorCode", "Text3", "strResponse", "Command1",
                                               "Command2", "Command5", "LoopCounter"}));
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

// A reply arrives one character at a time; the box shows it once a frame, not once a character.
TEST_F(MainWindowViewTest, ChangesWithinAFrameArePaintedTogetherAtItsEnd) {
    auto* pacer = view.findChild<FramePacer*>();
    ASSERT_NE(pacer, nullptr);
    EXPECT_GT(pacer->frame().count(), 0);
    auto* box = widget<QLineEdit>("Text3");
    const PaintCounter counter(*box);
    pacer->setFrame(std::chrono::milliseconds(0));
    QCoreApplication::processEvents();
    const int before = counter.paints;

    controls.Text3.setText("/");  // the first change after a quiet frame shows at once
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, before + 1);
    pacer->setFrame(std::chrono::hours(1));
    for (const char* text : {"/0", "/0`", "/0`3"}) {
        controls.Text3.setText(text);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(counter.paints, before + 1);

    pacer->setFrame(std::chrono::milliseconds(0));  // the frame ends
    EXPECT_TRUE(testsupport::pumpUntil([&] { return counter.paints > before + 1; }));
    EXPECT_EQ(counter.paints, before + 2);
    EXPECT_EQ(box->text(), "/0`3");  // the frame's one paint shows the newest text
}

// What the program changes waits for the program's frame; the operator's hand does not.
TEST_F(MainWindowViewTest, TheOperatorsInputBringsAHeldPaintAtTheScreensPace) {
    auto* pacer = view.findChild<FramePacer*>();
    ASSERT_NE(pacer, nullptr);
    EXPECT_GE(pacer->frame(), FramePacer::kProgramFrame);
    EXPECT_LE(pacer->inputFrame(), pacer->frame());
    auto* box = widget<QLineEdit>("Text3");
    const PaintCounter counter(*box);
    pacer->setFrame(std::chrono::milliseconds(0));
    QCoreApplication::processEvents();
    const int before = counter.paints;
    pacer->setFrame(std::chrono::hours(1));
    controls.Text3.setText("/0`");
    testsupport::pumpFor(std::chrono::milliseconds(100));
    const int held = counter.paints;
    EXPECT_EQ(held, before);

    mouse(widget<QWidget>("Frame3"), QEvent::MouseMove, QPoint(2, 2));
    EXPECT_TRUE(testsupport::pumpUntil([&] { return counter.paints > held; }));
    EXPECT_EQ(box->text(), "/0`");
}

// A box may hold the program's newest text for the frame's paint; a key that reaches it first
// edits that text, not the one the box last showed.
TEST_F(MainWindowViewTest, AnEditStartsFromTheProgramsNewestTextEvenWithinAFrame) {
    auto* pacer = view.findChild<FramePacer*>();
    ASSERT_NE(pacer, nullptr);
    auto* edit = widget<QLineEdit>("strPumpString");
    pacer->setFrame(std::chrono::hours(1));
    controls.strPumpString.setText("/1Z");
    controls.strPumpString.setText("/1ZR");
    controls.strPumpString.setSelStart(4);
    pressKey(edit, Qt::Key_X, "X");
    EXPECT_EQ(controls.strPumpString.text(), "/1ZRX");
    EXPECT_EQ(edit->text(), "/1ZRX");
}

// A reply's flash that is over before the next frame still shows, for one paint.
TEST_F(MainWindowViewTest, ALampPaintsEveryColourItTakesAtLeastOnce) {
    auto* lamp = widget<QWidget>("Shape1");
    const QPoint centre = lamp->rect().center();
    const auto paintedColour = [&] { return lamp->grab().toImage().pixelColor(centre); };
    EXPECT_EQ(paintedColour(), QColor(Qt::black));
    controls.Shape1.setFillColor(platform::kGreen);
    controls.Shape1.setFillColor(platform::kBlack);
    EXPECT_EQ(paintedColour(), QColor(0, 255, 0));
    EXPECT_EQ(paintedColour(), QColor(Qt::black));
    EXPECT_EQ(paintedColour(), QColor(Qt::black));
}

// The widget alone, without its children.
QImage alone(QWidget& widget) {
    QPixmap picture(widget.size());
    widget.render(&picture, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return picture.toImage();
}

// A panel paints from a picture of itself and a text box's frame comes from a picture too;
// they must look as plain ones do, also after their caption or text has changed.
TEST_F(MainWindowViewTest, PanelsAndTextBoxesLookAsPlainOnesDo) {
    auto* panel = widget<QGroupBox>("Frame3");
    const auto plainPanel = [&] {
        QGroupBox plain(panel->title(), panel->parentWidget());
        plain.setAutoFillBackground(true);
        plain.setGeometry(panel->geometry());
        return alone(plain);
    };
    const QImage communications = alone(*panel);
    EXPECT_EQ(communications, plainPanel());
    controls.Frame3.setCaption("Wait Counter");
    EXPECT_NE(alone(*panel), communications);
    EXPECT_EQ(alone(*panel), plainPanel());

    auto* box = widget<QLineEdit>("strResponse");
    const auto plainBox = [&] {
        QLineEdit plain(box->text(), box->parentWidget());
        plain.setGeometry(box->geometry());
        return alone(plain);
    };
    for (const char* text : {"", "14", "6000"}) {
        controls.strResponse.setText(text);
        EXPECT_EQ(alone(*box), plainBox()) << text;
        EXPECT_EQ(alone(*box), plainBox()) << text;  // from the picture
    }
}

// Cells are drawn from pictures too, marked or not, twice over: the second from the picture.
TEST_F(MainWindowViewTest, GridCellsLookAsPlainOnesDo) {
    const QStyledItemDelegate plain;
    const auto painted = [&](const QAbstractItemDelegate& delegate, const QModelIndex& index,
                             bool marked) {
        QStyleOptionViewItem option;
        option.initFrom(table->viewport());
        option.widget = table;
        option.font = table->font();
        option.rect = table->visualRect(index);
        option.state.setFlag(QStyle::State_Selected, marked);
        QImage image(table->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(option.palette.color(QPalette::Base));
        QPainter painter(&image);
        delegate.paint(&painter, option, index);
        return image;
    };
    for (const char* text : {"1", "2", "?4", ""}) {
        for (int col = 1; col <= 3; ++col) {
            grid.setTextMatrix(1, col, text);
            const QModelIndex cell = table->model()->index(0, col - 1);
            for (const bool marked : {false, true}) {
                const QImage expected = painted(plain, cell, marked);
                EXPECT_EQ(painted(*table->itemDelegate(), cell, marked), expected) << text << col;
                EXPECT_EQ(painted(*table->itemDelegate(), cell, marked), expected) << text << col;
            }
        }
    }
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

// A run marks every row it runs; the header row and the number column look the same whatever
// is marked, and stay unpainted.
TEST_F(MainWindowViewTest, MarkingARowRepaintsItsCellsButNeitherHeader) {
    view.findChild<FramePacer*>()->setFrame(std::chrono::milliseconds(0));
    QCoreApplication::processEvents();
    const PaintCounter cells(*table->viewport());
    const PaintCounter headerRow(*table->horizontalHeader()->viewport());
    const PaintCounter numbers(*table->verticalHeader()->viewport());
    grid.setSelectionMode(1);
    grid.setRow(7);
    QCoreApplication::processEvents();
    EXPECT_GT(cells.paints, 0);
    EXPECT_EQ(headerRow.paints, 0);
    EXPECT_EQ(numbers.paints, 0);
}

TEST_F(MainWindowViewTest, ClosingTheWindowShutsTheProgramDownAndKeepsTheWidgets) {
    int closedSignals = 0;
    QObject::connect(&view, &WindowView::closed, &view, [&] { ++closedSignals; });
    EXPECT_TRUE(view.close());
    EXPECT_TRUE(controls.MainForm.closed());  // what the shut-down does is pinned by the core's
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

    // Tab reaches the box all the same, and it shows what the wait left there.
    auto* box = widget<QLineEdit>("LoopCounter");
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(box, &focusIn);
    EXPECT_EQ(box->text().toStdString(), controls.LoopCounter.text());
}

// The program's settings window, opened as the operator opens it, in the test's settings folder.
TEST_F(MainWindowViewTest, TheSettingsWindowOpensFromItsButtonAndStoresWhatIsTypedBeforeAClick) {
    WindowView settings(form.settingsWindow().window(), platform.gridFont());
    EXPECT_FALSE(settings.isVisible());
    auto* settingsButton = widget<QPushButton>("Settings");
    settingsButton->click();
    QCoreApplication::processEvents();

    ASSERT_TRUE(settings.isVisible());
    EXPECT_EQ(settings.parentWidget(), nullptr);
    EXPECT_EQ(settings.windowTitle(), "Application settings");
    EXPECT_EQ(settings.size(), QSize(188, 29));
    EXPECT_EQ(settings.minimumSize(), settings.maximumSize());
    EXPECT_TRUE(settings.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(settings.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    // Only the "Comm Port" row shows, over the first field, which has the focus.
    auto* port = settings.findChild<QLineEdit*>("CommPortSetting");
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->text(), "1");
    EXPECT_TRUE(settings.rect().contains(port->geometry()));
    EXPECT_EQ(settings.childAt(port->geometry().center()), port);
    const auto* caption =
        qobject_cast<QLabel*>(settings.childAt(QPoint(20, port->geometry().center().y())));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), "Comm Port");
    EXPECT_TRUE(caption->autoFillBackground());  // hides "Auxilliary With Filter" beneath
    EXPECT_EQ(caption->buddy(), port);

    QDir().mkpath(QUENDRIX_SCREENSHOT_DIR);
    EXPECT_TRUE(settings.grab().save(QUENDRIX_SCREENSHOT_DIR "/settings-window.png"));

    // Shown again, it comes to the front as it is.
    view.activateWindow();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &view);
    settingsButton->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &settings);

    QWidget* focused = settings.focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->objectName(), "AuxilliaryWithFilter");
    pressKey(focused, Qt::Key_Home);
    pressKey(focused, Qt::Key_7, "7");
    EXPECT_EQ(form.settingsWindow().controls().AuxilliaryWithFilter.text(), "744571");

    // The close box unloads the window, and the program goes on.
    EXPECT_TRUE(settings.close());
    EXPECT_FALSE(settings.isVisible());
    EXPECT_FALSE(form.settingsWindow().loaded());
    EXPECT_FALSE(controls.MainForm.closed());
    QSettings stored(config.settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(stored.value("ValvePositions/AuxilliaryWithFilter").toString(), "744571");
    EXPECT_EQ(stored.value("FlowRates/MaxDACValue").toString(), "5851");

    // It opens again with what was stored.
    settingsButton->click();
    EXPECT_TRUE(settings.isVisible());
    EXPECT_EQ(settings.findChild<QLineEdit*>("AuxilliaryWithFilter")->text(), "744571");
}

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
                pressKey(QApplication::focusWidget(),
                         QKeySequence::fromString(keys.mid(i + 1, end - i - 1))[0].key());
                i = end;
            } else {
                pressKey(QApplication::focusWidget(), keys[i].toUpper().unicode(), keys[i]);
            }
        }
    }

    QRect cellRect(int row, int col) const {
        return table->visualRect(table->model()->index(row - 1, col - 1));
    }
    // A press gives the grid the focus first, as the window system does for a real click.
    void clickCell(int row, int col, bool twice = false) {
        table->setFocus(Qt::MouseFocusReason);
        click(table->viewport(), cellRect(row, col).center());
        if (twice) {
            mouse(table->viewport(), QEvent::MouseButtonDblClick, cellRect(row, col).center());
        }
    }

    sim::SimPlatform platform;
    app::MainForm form{platform};
    WindowView view{form.controls().MainForm, QtGridMetrics().font()};
    QTableView* table = view.findChild<QTableView*>("MSFlexGrid1");
    QLineEdit* editor = view.findChild<QLineEdit*>("GridEditText");
};

// Return, Enter and the arrows commit the text typed before them, Escape abandons it; a double
// click opens the editor on the cell's text, Backspace deleting its last character.
TEST_F(ProtocolEditingTest, AProtocolTypedIntoTheGridIsSavedRecordForRecord) {
    clickCell(1, 1);
    type(
        "1<Return><Right>ZR<Down>A6857R<Up><Right>W<Return><Down>W<Enter><Left><Left>2<Down>"
        "End<Return><Down>xyz<Esc>");
    clickCell(1, 2, true);
    ASSERT_TRUE(editor->isVisible());  // exactly over the cell it edits
    const QRect cell = cellRect(1, 2);
    EXPECT_EQ(editor->geometry(),
              QRect(table->viewport()->mapTo(&view, cell.topLeft()), cell.size()));
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
