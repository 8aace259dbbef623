#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/MainForm.h"
#include "qt/QtPlatform.h"
#include "qt/WindowView.h"
#include "support/ConfigHome.h"
#include "support/SimulatorProcess.h"

namespace quendrix::qt::bench {

// The real program, its main window on the desktop platform, with serial port 1 leading to a
// quendrix-sim child process through per-user settings of its own. The window is drawn only
// once show() is called. The run log goes to a folder of its own, the current one while this
// lives.
class RealProgram {
public:
    // Starts the simulator with `options`; ok() tells whether it serves.
    explicit RealProgram(const QStringList& options);
    ~RealProgram();
    RealProgram(const RealProgram&) = delete;
    RealProgram& operator=(const RealProgram&) = delete;

    bool ok() const { return !device_.isEmpty(); }
    app::MainForm& form() { return *form_; }
    QtPlatform& platform() { return platform_; }
    // Loads the protocol file through the program's own Load, its dialog answered with
    // `path`; false when the Load shows a message.
    bool load(const std::string& path);
    // Puts the main window on the screen, as the program does, and waits until it has been
    // drawn; false when it never was.
    bool show();
    // Stops the simulator, so that its transcript is complete.
    void stopSimulator() { simulator_.stop(); }

private:
    testsupport::ConfigHome configHome_;
    testsupport::SimulatorProcess simulator_;
    QTemporaryDir workFolder_;
    QString previousFolder_;
    QString device_;
    QtPlatform platform_;
    std::unique_ptr<app::MainForm> form_;
    std::unique_ptr<WindowView> view_;
};

}  // namespace quendrix::qt::bench
