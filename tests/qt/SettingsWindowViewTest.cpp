#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include "app/MainForm.h"
#include "qt/QtPlatform.h"
#include "qt/WindowView.h"
#include "support/ConfigHome.h"

namespace quendrix::qt {
namespace {

void type(QWidget* widget, int key, const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &event);
}

// The program's settings window, opened as the operator opens it, in a settings folder of the
// test's own.
TEST(SettingsWindowViewTest, OpensFromTheSettingsButtonAndStoresWhatIsTypedBeforeAClick) {
    testsupport::ConfigHome home;
    QtPlatform platform;
    app::MainForm form(platform);
    WindowView mainView(form.controls().MainForm, platform.gridFont());
    WindowView view(form.settingsWindow().window(), platform.gridFont());
    form.controls().MainForm.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(view.isVisible());

    auto* settingsButton = mainView.findChild<QPushButton*>("Settings");
    ASSERT_NE(settingsButton, nullptr);
    settingsButton->click();
    QCoreApplication::processEvents();

    ASSERT_TRUE(view.isVisible());
    EXPECT_EQ(view.parentWidget(), nullptr);
    EXPECT_EQ(view.windowTitle(), "Application settings");
    EXPECT_EQ(view.size(), QSize(188, 29));
    EXPECT_EQ(view.minimumSize(), view.maximumSize());
    EXPECT_TRUE(view.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(view.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    // Only the "Comm Port" row shows, over the first field, which has the focus.
    auto* port = view.findChild<QLineEdit*>("CommPortSetting");
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->text(), "1");
    EXPECT_TRUE(view.rect().contains(port->geometry()));
    EXPECT_EQ(view.childAt(port->geometry().center()), port);
    const auto* caption =
        qobject_cast<QLabel*>(view.childAt(QPoint(20, port->geometry().center().y())));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), "Comm Port");
    EXPECT_TRUE(caption->autoFillBackground());  // hides "Auxilliary With Filter" beneath
    EXPECT_EQ(caption->buddy(), port);

    QDir().mkpath(QUENDRIX_SCREENSHOT_DIR);
    EXPECT_TRUE(view.grab().save(QUENDRIX_SCREENSHOT_DIR "/settings-window.png"));

    // Shown again, it comes to the front as it is.
    mainView.activateWindow();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &mainView);
    settingsButton->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &view);

    QWidget* focused = view.focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->objectName(), "AuxilliaryWithFilter");
    type(focused, Qt::Key_Home);
    type(focused, Qt::Key_7, "7");
    EXPECT_EQ(form.settingsWindow().controls().AuxilliaryWithFilter.text(), "744571");

    // The close box unloads the window, and the program goes on.
    EXPECT_TRUE(view.close());
    EXPECT_FALSE(view.isVisible());
    EXPECT_FALSE(form.settingsWindow().loaded());
    EXPECT_FALSE(form.controls().MainForm.closed());
    QSettings stored(home.settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(stored.value("ValvePositions/AuxilliaryWithFilter").toString(), "744571");
    EXPECT_EQ(stored.value("FlowRates/MaxDACValue").toString(), "5851");

    // It opens again with what was stored.
    settingsButton->click();
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.findChild<QLineEdit*>("AuxilliaryWithFilter")->text(), "744571");
}

}  // namespace
}  // namespace quendrix::qt
