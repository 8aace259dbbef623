#include "dryrun/VirtualTimeText.h"

#include <chrono>
#include <cstdio>

namespace quendrix::dryrun {

std::string secondsText(sim::Micros time) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(time).count();
    char text[40];
    std::snprintf(text, sizeof text, "%lld.%03lld s", static_cast<long long>(ms / 1000),
                  static_cast<long long>(ms % 1000));
    return text;
}

std::string clockText(sim::Micros time) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(time).count();
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld.%03lld",
                  static_cast<long long>(ms / 3'600'000), static_cast<long long>(ms / 60'000 % 60),
                  static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000));
    return text;
}

double seconds(sim::Micros time) {
    return std::chrono::duration<double>(time).count();
}

}  // namespace quendrix::dryrun
