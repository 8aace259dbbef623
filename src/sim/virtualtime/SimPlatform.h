#pragma once

#include "platform/Platform.h"
#include "sim/virtualtime/ScriptedRandom.h"
#include "sim/virtualtime/SimDiagnostics.h"
#include "sim/virtualtime/SimEventPump.h"
#include "sim/virtualtime/SimFileDialog.h"
#include "sim/virtualtime/SimFileSystem.h"
#include "sim/virtualtime/SimGridMetrics.h"
#include "sim/virtualtime/SimMessageBox.h"
#include "sim/virtualtime/SimRunClock.h"
#include "sim/virtualtime/SimSerialLine.h"
#include "sim/virtualtime/SimSettingsStore.h"
#include "sim/virtualtime/SimTimerScheduler.h"
#include "sim/clock/VirtualClock.h"

namespace quendrix::sim {

// The whole platform in virtual time, with the simulated instrument on serial port 1 unless
// told otherwise.
class SimPlatform final : public platform::Platform {
public:
    explicit SimPlatform(FaultSwitches faults = {}, platform::Version version = {1, 0, 0},
                         int instrumentPort = 1)
        : serial_(clock_, faults, instrumentPort), version_(version) {}

    platform::EventPump& eventPump() override { return pump_; }
    platform::TimerScheduler& timerScheduler() override { return timers_; }
    platform::MessageBox& messageBox() override { return messages_; }
    platform::SerialLine& serialLine() override {
        return serialOverride_ != nullptr ? *serialOverride_ : serial_;
    }
    const platform::GridMetrics& gridMetrics() const override { return metrics_; }
    platform::FileSystem& fileSystem() override {
        return filesOverride_ != nullptr ? *filesOverride_ : files_;
    }
    platform::SettingsStore& settingsStore() override { return settings_; }
    platform::FileDialog& fileDialog() override { return dialog_; }
    platform::Version version() const override { return version_; }
    platform::Diagnostics& diagnostics() override { return diagnostics_; }
    platform::RandomSource& random() override { return random_; }
    const platform::RunClock& runClock() const override { return runClock_; }

    VirtualClock& clock() { return clock_; }
    SimEventPump& pump() { return pump_; }
    SimMessageBox& messages() { return messages_; }
    SimSerialLine& serial() { return serial_; }
    SimFileSystem& files() { return files_; }
    SimDiagnostics& diagnosticLines() { return diagnostics_; }

    // A test's own serial line or file system in place of the simulated ones; set before
    // the main window is made, and outliving it.
    void replaceSerialLine(platform::SerialLine& line) { serialOverride_ = &line; }
    void replaceFileSystem(platform::FileSystem& files) { filesOverride_ = &files; }
    SimSettingsStore& settings() { return settings_; }
    SimFileDialog& dialog() { return dialog_; }
    SimRunClock& wallClock() { return runClock_; }

private:
    VirtualClock clock_;
    SimEventPump pump_{clock_};
    SimTimerScheduler timers_{clock_};
    SimMessageBox messages_;
    SimSerialLine serial_;
    SimGridMetrics metrics_;
    SimFileSystem files_;
    SimSettingsStore settings_;
    SimFileDialog dialog_;
    platform::Version version_;
    SimDiagnostics diagnostics_;
    platform::SerialLine* serialOverride_ = nullptr;
    platform::FileSystem* filesOverride_ = nullptr;
    ScriptedRandom random_;
    SimRunClock runClock_{clock_};
};

}  // namespace quendrix::sim
