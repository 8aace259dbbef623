#include <QApplication>
#include <QtGlobal>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/CommandLine.h"
#include "app/MainForm.h"
#include "app/RunRecorder.h"
#include "qt/QtPlatform.h"
#include "qt/WindowView.h"
#include "qt/control/ControlServer.h"
#include "record/RecordsFolder.h"

namespace {

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// On X11 and Wayland desktops a missing display would make Qt abort with a message about
// platform plugins. Windows and macOS always have their own.
bool displayFound() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}
#endif

}  // namespace

int main(int argc, char* argv[]) {
    // Answered without a display, so that the manual page can be made from them at build time.
    if (const auto status = quendrix::app::answerCommandLine(
            argc, argv, quendrix::platform::buildVersion(), std::cout)) {
        return *status;
    }
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    if (!displayFound()) {
        std::cerr << "quendrix: no display found; set DISPLAY or run under Xvfb\n";
        return 1;
    }
#endif
    QApplication application(argc, argv);
    QApplication::setApplicationName(quendrix::platform::kProgramTitle);
    // The program ends when its main window has closed, not when a message box does.
    QApplication::setQuitOnLastWindowClosed(false);

    quendrix::qt::QtPlatform platform;
    quendrix::app::MainForm form(platform);
    const quendrix::app::RunRecorder recorder(form, platform, {quendrix::record::recordsFolder()});
    // The main window's closing is the program's end.
    quendrix::qt::WindowView view(form.controls().MainForm, platform.gridFont());
    QObject::connect(&view, &quendrix::qt::WindowView::closed, &application,
                     &QCoreApplication::quit);
    // Shown, raised and hidden as the settings window is loaded, shown and closed.
    quendrix::qt::WindowView settingsView(form.settingsWindow().window(), platform.gridFont());
    // Off unless asked for; a socket that cannot be had leaves the program without control.
    std::unique_ptr<quendrix::qt::ControlServer> control;
    if (quendrix::qt::ControlServer::requested(QApplication::arguments())) {
        control = std::make_unique<quendrix::qt::ControlServer>(form, platform, &recorder);
        if (!control->listen(quendrix::qt::ControlServer::defaultSocketPath())) {
            control.reset();
        }
    }
    form.controls().MainForm.show();
    return QApplication::exec();
}
