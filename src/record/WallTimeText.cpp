#include "record/WallTimeText.h"

#include <cstdio>
#include <cstdlib>

namespace quendrix::record {
namespace {

using namespace std::chrono;

struct LocalParts {
    int year;
    unsigned month, day;
    long hours, minutes, seconds, millis;
};

LocalParts localParts(const platform::WallTime& time) {
    const auto local = floor<milliseconds>(time.utc + time.offset);
    const auto day = floor<days>(local);
    const year_month_day date{day};
    const hh_mm_ss clock{local - day};
    return {static_cast<int>(date.year()),
            static_cast<unsigned>(date.month()),
            static_cast<unsigned>(date.day()),
            static_cast<long>(clock.hours().count()),
            static_cast<long>(clock.minutes().count()),
            static_cast<long>(clock.seconds().count()),
            static_cast<long>(clock.subseconds().count())};
}

}  // namespace

std::string isoText(const platform::WallTime& time) {
    const LocalParts p = localParts(time);
    const long offset = static_cast<long>(time.offset.count());
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02ld:%02ld:%02ld.%03ld%c%02ld:%02ld", p.year,
                  p.month, p.day, p.hours, p.minutes, p.seconds, p.millis, offset < 0 ? '-' : '+',
                  std::labs(offset) / 60, std::labs(offset) % 60);
    return text;
}

std::string folderName(const platform::WallTime& time) {
    const LocalParts p = localParts(time);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02ld-%02ld-%02ld", p.year, p.month, p.day,
                  p.hours, p.minutes, p.seconds);
    return text;
}

}  // namespace quendrix::record
