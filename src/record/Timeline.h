#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace quendrix::record {

// Times are counted from the run's start.
using RunTime = std::chrono::microseconds;

// What happened in one run, as the timeline picture draws it. The run's record collects it
// while the run goes; the dry run adds the simulated instrument's positions.
struct Timeline {
    enum class RowClass { Device, Wait, Pause, Flow, Count, End, Unreadable };

    // One executed row: it began at `start` and lasted until the next row began or the run
    // ended, whichever is given as `end`.
    struct Row {
        RunTime start;
        RunTime end;
        int row = 0;
        RowClass kind = RowClass::Device;
    };

    // One exchange with a controller: a readiness poll, a command or a completion poll.
    // Without a reply it timed out. `ready` and `error` are the reply's decoded status.
    struct Exchange {
        RunTime sent;
        RunTime answered;
        int address = 0;
        bool replied = false;
        bool ready = false;
        int error = 0;
    };

    // A message the run waited on until the operator answered it.
    struct OperatorPause {
        RunTime shown;
        RunTime answered;
    };

    // A sampled position of the simulated instrument: the syringe's plunger in steps, or the
    // valve's port. Only the dry run knows them.
    struct Position {
        RunTime at;
        int address = 0;
        long value = 0;
    };

    RunTime length{};
    std::vector<Row> rows;
    std::vector<Exchange> exchanges;
    std::vector<OperatorPause> pauses;
    std::vector<Position> positions;
};

}  // namespace quendrix::record
