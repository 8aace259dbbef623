#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "app/MainForm.h"
#include "core/instrument/LineHarness.h"
#include "sim/SimPlatform.h"

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
    // One exchange of a protocol run, prepared around its send as the runner prepares it.
    void prepareExchange(const std::string& text) {
        c.flags.ProtocolRunning = true;
        c.flags.ReplyReceived = false;
        c.Text3.setText("");
        link.SendToDeviceNow("1", text);
        c.LoopCounter.setText("1000");
        c.tmrResponseTimeout.setEnabled(true);
    }
    WaitOutcome exchange(const std::string& text) {
        prepareExchange(text);
        return link.AwaitDeviceReply();
    }

    ScriptedLine line;
    sim::SimPlatform platform;
    app::MainForm form;
    form::MainFormControls& c = form.controls();
    DeviceLink& link = form.deviceLink();
    sim::VirtualClock& clock = platform.clock();
};

// The scripted line, with the port open as a protocol run opens it.
struct ScriptedRig : SimRig {
    ScriptedRig() : SimRig({}, true) {
        c.MSComm1.setRThreshold(1);
        c.MSComm1.setInputLen(1);
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
