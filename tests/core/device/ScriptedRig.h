#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "app/MainForm.h"
#include "core/sim/instrument/LineHarness.h"
#include "sim/virtualtime/SimPlatform.h"

namespace quendrix::device::testing {

using sim::FaultSwitches, sim::Micros, sim::testing::reply, sim::testing::with;
using namespace std::chrono_literals;

inline constexpr const char* kRunLog = "TESTFILE.txt";

// A serial line whose far end the test plays.
struct ScriptedLine final : platform::SerialLine {
    void open(int, const platform::LineSettings&) override {}
    void close() override {}
    void write(std::string_view) override {}
    void setReceiver(platform::SerialLineReceiver* to) override { receiver = to; }
    void deliver(std::string_view bytes) { receiver->onBytes(bytes); }

    platform::SerialLineReceiver* receiver = nullptr;
};

// The main window in virtual time, on the simulated instrument or on the scripted line.
struct SimRig {
    explicit SimRig(FaultSwitches faults = {}, bool scripted = false)
        : platform(faults), form(withLine(scripted)) {}
    sim::SimPlatform& withLine(bool scripted) {
        if (scripted) {
            platform.replaceSerialLine(line);
        }
        return platform;
    }
    std::string log() { return platform.files().content(kRunLog); }
    // One exchange of a protocol run, sending `text` as its command.
    WaitOutcome exchange(const std::string& text) {
        c.flags.ProtocolRunning = true;
        return link.exchange("1", DeviceLink::Exchange::Command, [&text] { return text; });
    }

    ScriptedLine line;
    sim::SimPlatform platform;
    app::MainForm form;
    form::Inventory& c = form.controls();
    DeviceLink& link = form.deviceLink();
    sim::VirtualClock& clock = platform.clock();
};

// The scripted line, with the port open as a protocol run opens it.
struct ScriptedRig : SimRig {
    ScriptedRig() : SimRig({}, true) {
        SerialWriter::configure(c.MSComm1);
        c.MSComm1.setPortOpen(true);
    }
    void deliverAt(Micros at, std::string bytes) {
        clock.at(at, [this, bytes = std::move(bytes)] { line.deliver(bytes); });
    }
};

inline std::string record(std::string_view text) {
    return "\"" + std::string(text) + "\"\r\n";
}

}  // namespace quendrix::device::testing
