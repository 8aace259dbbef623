#include "record/TimeAxis.h"

#include <array>
#include <cstdio>

namespace quendrix::record {
namespace {

using std::chrono::hours;
using std::chrono::milliseconds;
using std::chrono::minutes;
using std::chrono::seconds;

constexpr long long kMaxTicks = 10;

constexpr std::array<RunTime, 27> kSteps{
    milliseconds(1),  milliseconds(2),   milliseconds(5),   milliseconds(10),  milliseconds(20),
    milliseconds(50), milliseconds(100), milliseconds(200), milliseconds(500), seconds(1),
    seconds(2),       seconds(5),        seconds(10),       seconds(15),       seconds(30),
    minutes(1),       minutes(2),        minutes(5),        minutes(10),       minutes(15),
    minutes(30),      hours(1),          hours(2),          hours(3),          hours(6),
    hours(12),        hours(24)};

RunTime stepFor(RunTime span) {
    for (const RunTime step : kSteps) {
        if (span / step <= kMaxTicks) {
            return step;
        }
    }
    // Runs of many days: whole days, as many as keep the ticks few.
    const RunTime day = hours(24);
    return day * (span / (day * kMaxTicks) + 1);
}

std::string hoursMinutesSeconds(RunTime at, bool withHours, bool withMilliseconds) {
    const long long totalMs = std::chrono::duration_cast<milliseconds>(at).count();
    const long long totalSeconds = totalMs / 1000;
    char buffer[64];
    if (withHours) {
        std::snprintf(buffer, sizeof buffer, "%lld:%02lld:%02lld", totalSeconds / 3600,
                      totalSeconds / 60 % 60, totalSeconds % 60);
    } else {
        std::snprintf(buffer, sizeof buffer, "%lld:%02lld", totalSeconds / 60, totalSeconds % 60);
    }
    std::string text = buffer;
    if (withMilliseconds) {
        std::snprintf(buffer, sizeof buffer, ".%03lld", totalMs % 1000);
        text += buffer;
    }
    return text;
}

std::string plainSeconds(RunTime at, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f s", decimals,
                  std::chrono::duration<double>(at).count());
    return buffer;
}

}  // namespace

TimeAxis::TimeAxis(RunTime span) : span_(span < milliseconds(1) ? milliseconds(1) : span) {
    step_ = stepFor(span_);
    for (RunTime at{}; at <= span_; at += step_) {
        ticks_.push_back({at, label(at)});
    }
}

std::string TimeAxis::label(RunTime at) const {
    if (span_ >= hours(1)) {
        return hoursMinutesSeconds(at, true, false);
    }
    if (span_ >= minutes(1)) {
        return hoursMinutesSeconds(at, false, false);
    }
    const int decimals = step_ >= seconds(1)          ? 0
                         : step_ >= milliseconds(100) ? 1
                         : step_ >= milliseconds(10)  ? 2
                                                      : 3;
    return plainSeconds(at, decimals);
}

std::string TimeAxis::text(RunTime at) const {
    if (span_ >= minutes(1)) {
        return hoursMinutesSeconds(at, span_ >= hours(1), true);
    }
    return plainSeconds(at, 3);
}

}  // namespace quendrix::record
