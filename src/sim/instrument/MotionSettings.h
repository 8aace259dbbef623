#pragma once

#include "sim/clock/Scheduler.h"

namespace quendrix::sim {

// The speed settings of one stepper drive and the travel time they give. A move ramps up
// from the start speed to the top speed, runs at the top speed and ramps down to the
// cut-off speed; a move too short to reach the top speed turns at the speed where the two
// ramps meet.
struct MotionSettings {
    int startSpeed = 300;   // steps per second
    int topSpeed = 1400;    // steps per second
    int cutoffSpeed = 500;  // steps per second
    int slope = 14;         // acceleration in units of slopeUnit
    int backlash = 12;      // steps of overtravel on moves towards higher positions
    int runCurrent = 18;    // motor current level; affects no timing

    static constexpr double slopeUnit = 2500.0;  // steps per second squared

    // Time to travel from `from` to `to`. A move towards higher positions overshoots by the
    // backlash and comes back, so it travels twice the backlash further.
    Micros travelTime(int from, int to) const;

    // The top speed selected by a speed code: 6000 steps/s at code 0, each code 15 % slower.
    static int topSpeedForCode(int code);
};

}  // namespace quendrix::sim
