#include "sim/instrument/MotionSettings.h"

#include <algorithm>
#include <cmath>

namespace quendrix::sim {

namespace {

// Seconds for `steps` steps from rest speed `begin` up to at most `top` and down to `end`.
double rampedTravel(double steps, double begin, double top, double end, double acceleration) {
    begin = std::min(begin, top);
    end = std::min(end, top);
    const double rampUp = (top * top - begin * begin) / (2.0 * acceleration);
    const double rampDown = (top * top - end * end) / (2.0 * acceleration);
    if (rampUp + rampDown <= steps) {
        return (top - begin) / acceleration + (top - end) / acceleration +
               (steps - rampUp - rampDown) / top;
    }
    const double peak = std::sqrt((2.0 * acceleration * steps + begin * begin + end * end) / 2.0);
    if (peak <= std::max(begin, end)) {
        // Too short to ramp at all: the drive steps straight from one speed to the other.
        return 2.0 * steps / (begin + end);
    }
    return (peak - begin) / acceleration + (peak - end) / acceleration;
}

}  // namespace

Micros MotionSettings::travelTime(int from, int to) const {
    if (from == to) {
        return Micros{0};
    }
    int steps = to > from ? to - from + 2 * backlash : from - to;
    const double seconds =
        rampedTravel(steps, startSpeed, topSpeed, cutoffSpeed, slope * slopeUnit);
    return Micros{std::llround(seconds * 1e6)};
}

int MotionSettings::topSpeedForCode(int code) {
    int speed = 6000;
    for (int i = 0; i < code; ++i) {
        speed = speed * 85 / 100;
    }
    return std::max(speed, 5);
}

}  // namespace quendrix::sim
