#pragma once

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainForm.h"
#include "sim/SimPlatform.h"

namespace quendrix::runner::testing {

using namespace std::chrono_literals;
using sim::Micros;
using Ending = RunReport::Ending;
using Texts = std::vector<std::string>;

inline constexpr const char* kStepMessage = "Protocol paused, press OK to continue";
inline constexpr const char* kColumnOneError = "Error in Column one. Protocol Stopped";
inline constexpr const char* kRetryNotice =
    "Command could not be executed after many re-tries. Something is really, really wrong.";

inline sim::FaultSwitches with(bool sim::FaultSwitches::*fault) {
    sim::FaultSwitches faults;
    faults.*fault = true;
    return faults;
}

// Columns 1 to 3 of a protocol row.
struct Row {
    std::string address, command = {}, flag = {};
};

// The main window on the simulated instrument with a protocol from row 1, and the rows the
// run took its turns on.
struct RunRig {
    explicit RunRig(std::initializer_list<Row> rows, sim::FaultSwitches faults = {})
        : platform(faults) {
        platform.pump().setTimeLimit(10min);
        protocol(rows);
        turns_ = form.runner().onRowStarted.subscribe([this](int row) {
            started.push_back(row);
            if (static_cast<int>(started.size()) == endOnTurn) {
                c.EndTheProtocol.click();
            }
        });
    }
    void protocol(const std::vector<Row>& rows, int first = 1) {
        for (const Row& row : rows) {
            grid.setTextMatrix(first, 1, row.address);
            grid.setTextMatrix(first, 2, row.command);
            grid.setTextMatrix(first++, 3, row.flag);
        }
    }
    RunReport run(std::int16_t index = 0) {
        form.runner().RunProtocol_Click(index);
        return form.runner().lastRun().value();
    }
    Micros now() { return platform.clock().now(); }
    const Texts& messages() { return platform.messages().shown(); }
    long sent(std::string_view frame) {
        const auto& writes = platform.serial().writes();
        return std::count_if(writes.begin(), writes.end(),
                             [&](auto& w) { return w.bytes == frame; });
    }

    sim::SimPlatform platform;
    app::MainForm form{platform};
    form::MainFormControls& c = form.controls();
    platform::Grid& grid = c.MSFlexGrid1;
    std::vector<int> started;
    int endOnTurn = 0;  // presses End as this turn of the row cycle begins

private:
    platform::Subscription turns_;
};

}  // namespace quendrix::runner::testing
