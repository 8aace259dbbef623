#pragma once

#include "record/Timeline.h"

namespace quendrix::record::testing {

using std::chrono::milliseconds;
using std::chrono::seconds;

// A short run: two device rows each polled busy once, a Wait, an operator Pause, a Loop and
// the End, with a time-out and an error reply, and the dry run's positions.
inline Timeline shortTimeline() {
    using Kind = Timeline::RowClass;
    Timeline timeline;
    const Kind kinds[] = {Kind::Device, Kind::Device, Kind::Wait,       Kind::Pause,
                          Kind::Flow,   Kind::Count,  Kind::Unreadable, Kind::End};
    RunTime at{};
    int row = 1;
    for (const Kind kind : kinds) {
        const RunTime length =
            kind == Kind::Flow || kind == Kind::End ? milliseconds(10) : seconds(2);
        timeline.rows.push_back({at, at + length, row++, kind});
        at += length;
    }
    timeline.length = at;
    const auto exchange = [&](int address, int sentMs, bool replied, bool ready, int error) {
        timeline.exchanges.push_back(
            {milliseconds(sentMs), milliseconds(sentMs + 40), address, replied, ready, error});
    };
    exchange(2, 0, true, true, 0);
    exchange(2, 100, true, false, 0);
    exchange(2, 900, true, true, 0);
    exchange(1, 2000, false, false, 0);
    exchange(1, 2600, true, false, 9);
    exchange(1, 3500, true, true, 9);
    timeline.pauses.push_back({seconds(6), seconds(8)});
    for (int i = 0; i <= 8; ++i) {
        timeline.positions.push_back({seconds(i), 1, i < 4 ? 3000L * i : 12000});
        timeline.positions.push_back({seconds(i), 2, 1 + i % 3});
    }
    return timeline;
}

// Ten hours at a row a second: a device row polled busy then ready, every hundredth exchange
// of the valve timed out and every fiftieth reply of the syringe an error.
inline Timeline longTimeline() {
    Timeline timeline;
    const int rows = 10 * 3600;
    for (int i = 0; i < rows; ++i) {
        const RunTime start = seconds(i);
        const int address = 1 + i % 2;
        const bool lost = address == 2 && i % 100 == 1;
        timeline.rows.push_back(
            {start, start + seconds(1), 1 + i % 12,
             i % 12 == 11 ? Timeline::RowClass::Wait : Timeline::RowClass::Device});
        timeline.exchanges.push_back({start, start + milliseconds(30), address, !lost, false,
                                      address == 1 && i % 50 == 0 ? 2 : 0});
        timeline.exchanges.push_back(
            {start + milliseconds(500), start + milliseconds(530), address, true, true, 0});
        timeline.positions.push_back(
            {start, address, address == 1 ? (i * 100) % 48000 : 1 + i % 6});
    }
    timeline.pauses.push_back({seconds(7200), seconds(7500)});
    timeline.length = seconds(rows);
    return timeline;
}

}  // namespace quendrix::record::testing
