#pragma once

#include <QFont>
#include <memory>

#include "platform/Platform.h"
#include "platform/RunClock.h"
#include "platform/SeededRandom.h"
#include "qt/QtDiagnostics.h"
#include "qt/QtEventPump.h"
#include "qt/QtFileDialog.h"
#include "qt/QtFileSystem.h"
#include "qt/QtGridMetrics.h"
#include "qt/QtMessageBox.h"
#include "qt/QtTimerScheduler.h"
#include "qt/shared/QtSettingsStore.h"

namespace quendrix::qt {

// The program's outside world on a desktop. Needs a QApplication before it is made.
class QtPlatform final : public platform::Platform {
public:
    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    platform::EventPump& eventPump() override { return eventPump_; }
    platform::TimerScheduler& timerScheduler() override { return timerScheduler_; }
    platform::MessageBox& messageBox() override { return messageBox_; }
    platform::SerialLine& serialLine() override { return *serialLine_; }
    const platform::GridMetrics& gridMetrics() const override { return gridMetrics_; }
    platform::FileSystem& fileSystem() override { return fileSystem_; }
    platform::SettingsStore& settingsStore() override { return settingsStore_; }
    platform::FileDialog& fileDialog() override { return fileDialog_; }
    platform::Version version() const override;
    platform::Diagnostics& diagnostics() override { return diagnostics_; }
    platform::RandomSource& random() override { return random_; }
    const platform::RunClock& runClock() const override { return runClock_; }

    // The font the grid's columns were measured in; the grid's view draws with it.
    const QFont& gridFont() const { return gridMetrics_.font(); }

private:
    QtEventPump eventPump_;
    QtTimerScheduler timerScheduler_;
    QtMessageBox messageBox_;
    QtGridMetrics gridMetrics_;
    QtFileSystem fileSystem_;
    QtDiagnostics diagnostics_;
    QtSettingsStore settingsStore_{diagnostics_};
    QtFileDialog fileDialog_;
    std::unique_ptr<platform::SerialLine> serialLine_;
    platform::SeededRandom random_;
    platform::SystemRunClock runClock_;
};

}  // namespace quendrix::qt
