#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "app/MainForm.h"
#include "platform/Failure.h"
#include "sim/SimPlatform.h"
#include "sim/instrument/SimulatedInstrument.h"

namespace quendrix::device::testing {

using sim::Micros;
using namespace std::chrono_literals;

inline constexpr const char* kRunLog = "TESTFILE.txt";

// A serial line whose far end the test plays: it hands bytes to the program's port the way a
// line does.
struct ScriptedLine final : platform::SerialLine {
    void open(int, const platform::LineSettings&) override {}
    void close() override {}
    void write(std::string_view) override {
        if (failWrites) {
            throw platform::Failure("the write failed");
        }
    }
    void setReceiver(platform::SerialLineReceiver* to) override { receiver = to; }
    void deliver(std::string_view bytes) { receiver->onBytes(bytes); }

    bool failWrites = false;
    platform::SerialLineReceiver* receiver = nullptr;
};

// A full disk: files are created, but nothing can be written to them.
struct FullDisk final : platform::FileSystem {
    struct Unwritable final : platform::OutputFile {
        void write(std::string_view) override { throw platform::Failure("disk full"); }
        void close() override {}
    };
    std::unique_ptr<platform::OutputFile> create(const std::string&) override {
        return std::make_unique<Unwritable>();
    }
    std::unique_ptr<platform::OutputFile> replace(const std::string&) override {
        return std::make_unique<Unwritable>();
    }
    std::string readAll(const std::string&, std::size_t) override {
        throw platform::Failure("no file");
    }
};

// The main window on the virtual-time platform, with the scripted line in place of the
// simulated instrument and its port open as a protocol run opens it.
struct ScriptedRig {
    explicit ScriptedRig(bool full = false) : form(prepared(full)) {
        c.MSComm1.setRThreshold(1);
        c.MSComm1.setInputLen(1);
        c.MSComm1.setPortOpen(true);
    }
    std::string log() { return sim.files().content(kRunLog); }
    void deliverAt(Micros at, std::string bytes) {
        clock.at(at, [this, bytes = std::move(bytes)] { line.deliver(bytes); });
    }

    // The scripted line, and a full disk if asked for, in place of the simulated ones.
    sim::SimPlatform& prepared(bool full) {
        sim.replaceSerialLine(line);
        if (full) {
            sim.replaceFileSystem(fullDisk);
        }
        return sim;
    }

    ScriptedLine line;
    FullDisk fullDisk;
    sim::SimPlatform sim;
    app::MainForm form;
    form::MainFormControls& c = form.controls();
    DeviceLink& link = form.deviceLink();
    sim::VirtualClock& clock = sim.clock();
};

// The main window on the simulated instrument.
struct SimRig {
    explicit SimRig(sim::FaultSwitches faults = {}) : platform(faults) {}
    std::string log() { return platform.files().content(kRunLog); }

    sim::SimPlatform platform;
    app::MainForm form{platform};
    form::MainFormControls& c = form.controls();
    DeviceLink& link = form.deviceLink();
    sim::VirtualClock& clock = platform.clock();
};

// A reply as the controllers frame it: "/0", the status byte, the data, ETX, CR, LF.
inline std::string reply(int status, std::string_view data = {}) {
    return sim::SimulatedInstrument::frameReply(static_cast<std::uint8_t>(status), data);
}

template <typename Set>
sim::FaultSwitches with(Set set) {
    sim::FaultSwitches faults;
    set(faults);
    return faults;
}

inline std::string record(std::string_view text) {
    return "\"" + std::string(text) + "\"\r\n";
}

// One exchange of a protocol run, prepared around its send as the runner prepares it.
inline void prepareExchange(app::MainForm& form, const std::string& text) {
    auto& c = form.controls();
    c.flags.ProtocolRunning = true;
    c.flags.ReplyReceived = false;
    c.Text3.setText("");
    form.deviceLink().SendToDeviceNow("1", text);
    c.LoopCounter.setText("1000");
    c.tmrResponseTimeout.setEnabled(true);
}

inline WaitOutcome exchange(app::MainForm& form, const std::string& text) {
    prepareExchange(form, text);
    return form.deviceLink().AwaitDeviceReply();
}

}  // namespace quendrix::device::testing
