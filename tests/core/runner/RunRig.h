#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainForm.h"
#include "sim/virtualtime/SimPlatform.h"

namespace quendrix::runner::testing {

using namespace std::chrono_literals;
using sim::Micros;
using Ending = RunReport::Ending;
using Texts = std::vector<std::string>;

inline constexpr const char* kColumnOneError = "Error in Column one. Protocol Stopped";

// Columns 1 to 3 of a protocol row.
struct Row {
    std::string address, command = {}, flag = {};
};

// The main window on the simulated instrument, with a protocol from row 1.
struct RunRig {
    explicit RunRig(const std::vector<Row>& rows, sim::FaultSwitches faults = {},
                    int instrumentPort = 1)
        : platform(faults, {1, 0, 0}, instrumentPort) {
        platform.pump().setTimeLimit(10min);
        for (int r = 1; const Row& row : rows) {
            grid.setTextMatrix(r, 1, row.address);
            grid.setTextMatrix(r, 2, row.command);
            grid.setTextMatrix(r++, 3, row.flag);
        }
        turns_ = form.runner().onRowStarted.subscribe([this](int) {
            if (++turns == endOnTurn) {
                c.EndTheProtocol.click();
            }
        });
    }
    RunReport run(std::int16_t index = 0) {
        form.runner().RunProtocol_Click(index);
        return form.runner().lastRun().value();
    }
    const Texts& messages() { return platform.messages().shown(); }
    const Texts& diagnostics() { return platform.diagnosticLines().lines(); }
    // Runs `action` 1 ms after `frame` first goes into the command box, that is while its
    // exchange waits for the reply; `actAt` tells when.
    void duringExchange(std::string frame, std::function<void()> action) {
        exchange_ = c.strPumpString.observe([this, frame, action] {
            if (actAt < Micros{0} && c.strPumpString.text() == frame) {
                actAt = platform.clock().now() + 1ms;
                platform.clock().at(actAt, action);
            }
        });
    }
    // Clicks "&Run " while a modal message box is wanted, and holds that box open for `span`
    // of virtual time, handling events meanwhile as a modal box does.
    void clickRunHoldingTheBoxOpen(Micros span) {
        platform.messages().whenShown([this, span](const std::string&) {
            auto& clock = platform.clock();
            const Micros until = clock.now() + span;
            clock.at(until, [] {});
            while (clock.now() < until) {
                platform.pump().pumpOnce();
            }
        });
        c.RunProtocol.at(0).click();
    }
    std::ptrdiff_t sent(std::string_view frame) {
        return std::ranges::count(platform.serial().writes(), frame,
                                  &sim::SimSerialLine::Write::bytes);
    }

    sim::SimPlatform platform;
    app::MainForm form{platform};
    form::Inventory& c = form.controls();
    platform::Grid& grid = c.MSFlexGrid1;
    int turns = 0;
    int endOnTurn = 0;  // presses End as this turn of the row cycle begins
    Micros actAt{-1};

private:
    platform::Subscription turns_;
    platform::Subscription exchange_;
};

}  // namespace quendrix::runner::testing
