#pragma once

#include "platform/Diagnostics.h"
#include "platform/EventPump.h"
#include "platform/FileDialog.h"
#include "platform/FileSystem.h"
#include "platform/GridMetrics.h"
#include "platform/MessageBox.h"
#include "platform/RandomSource.h"
#include "platform/RunClock.h"
#include "platform/SerialLine.h"
#include "platform/SettingsStore.h"
#include "platform/Timer.h"
#include "platform/Version.h"

namespace quendrix::platform {

// Everything the core needs from the outside world. The Qt program and the virtual-time
// simulation each provide one; the core cannot tell them apart.
class Platform {
public:
    virtual ~Platform() = default;
    virtual EventPump& eventPump() = 0;
    virtual TimerScheduler& timerScheduler() = 0;
    virtual MessageBox& messageBox() = 0;
    virtual SerialLine& serialLine() = 0;
    virtual const GridMetrics& gridMetrics() const = 0;
    virtual FileSystem& fileSystem() = 0;
    virtual SettingsStore& settingsStore() = 0;
    virtual FileDialog& fileDialog() = 0;
    virtual Version version() const = 0;
    virtual Diagnostics& diagnostics() = 0;
    virtual RandomSource& random() = 0;
    virtual const RunClock& runClock() const = 0;
};

}  // namespace quendrix::platform
