#include "platform/RunClock.h"

#include <ctime>

namespace quendrix::platform {
namespace {

using std::chrono::duration_cast;
using std::chrono::minutes;
using std::chrono::seconds;

// The local zone's offset at `moment`, daylight saving time included.
minutes localOffset(std::time_t moment) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &moment);
    return duration_cast<minutes>(seconds(_mkgmtime(&local) - moment));
#else
    localtime_r(&moment, &local);
    return duration_cast<minutes>(seconds(local.tm_gmtoff));
#endif
}

}  // namespace

WallTime SystemRunClock::wallNow() const {
    const auto now =
        std::chrono::time_point_cast<std::chrono::microseconds>(std::chrono::system_clock::now());
    return {now, localOffset(std::chrono::system_clock::to_time_t(now))};
}

std::chrono::microseconds SystemRunClock::runNow() const {
    return duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

}  // namespace quendrix::platform
