#pragma once

#include <string>

#include "sim/clock/Scheduler.h"
#include "sim/instrument/MotionSettings.h"

namespace quendrix::sim {

// What distinguishes one kind of stepper drive from another.
struct DriveModel {
    int maxPosition = 0;
    std::string firmware;
    Micros homingTime{0};      // Z and Y
    Micros slowHomingTime{0};  // W
    MotionSettings defaults;
};

}  // namespace quendrix::sim
