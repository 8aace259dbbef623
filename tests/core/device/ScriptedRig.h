#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/MainForm.h"
#include "platform/Failure.h"
#include "sim/SimEventPump.h"
#include "sim/SimFileSystem.h"
#include "sim/SimGridMetrics.h"
#include "sim/SimMessageBox.h"
#include "sim/SimTimerScheduler.h"
#include "sim/instrument/SimulatedInstrument.h"

namespace quendrix::device {

inline void PrintTo(WaitOutcome outcome, std::ostream* os) {
    constexpr const char* names[] = {"Replied", "TimedOut", "Abandoned"};
    *os << names[static_cast<int>(outcome)];
}

namespace testing {

using sim::Micros;
using namespace std::chrono_literals;

inline constexpr const char* kRunLog = "TESTFILE.txt";

// A serial line whose far end the test plays: it keeps what the program writes and hands
// bytes to the program's port the way a line does, at once or at a moment of virtual time.
class ScriptedLine final : public platform::SerialLine {
public:
    explicit ScriptedLine(sim::VirtualClock& clock) : clock_(clock) {}

    void open(int, const platform::LineSettings&) override {
        if (refuseOpen) {
            throw platform::Failure("no such port");
        }
        open_ = true;
    }
    void close() override { open_ = false; }
    void write(std::string_view bytes) override {
        if (!open_ || failWrites) {
            throw platform::Failure("the write failed");
        }
        written += bytes;
        if (bytes == "\n" && respond) {
            respond();
        }
    }
    void setReceiver(platform::SerialLineReceiver* receiver) override { receiver_ = receiver; }

    void deliver(std::string_view bytes) { receiver_->onBytes(bytes); }
    void deliverIn(Micros after, std::string bytes) {
        clock_.at(clock_.now() + after, [this, bytes = std::move(bytes)] { deliver(bytes); });
    }

    bool refuseOpen = false;
    bool failWrites = false;
    std::string written;
    std::function<void()> respond;  // told of every line the program completes with its LF

private:
    sim::VirtualClock& clock_;
    platform::SerialLineReceiver* receiver_ = nullptr;
    bool open_ = false;
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
    std::string readAll(const std::string&) override { throw platform::Failure("no file"); }
};

// The virtual-time platform with the scripted line in place of the simulated instrument.
class ScriptedPlatform final : public platform::Platform {
public:
    explicit ScriptedPlatform(bool diskFull) : diskFull_(diskFull) {}

    platform::EventPump& eventPump() override { return pump_; }
    platform::TimerScheduler& timerScheduler() override { return timers_; }
    platform::MessageBox& messageBox() override { return messages_; }
    platform::SerialLine& serialLine() override { return line; }
    const platform::GridMetrics& gridMetrics() const override { return metrics_; }
    platform::FileSystem& fileSystem() override {
        return diskFull_ ? static_cast<platform::FileSystem&>(fullDisk_) : files;
    }
    platform::Version version() const override { return {1, 0, 0}; }

    sim::VirtualClock clock;
    ScriptedLine line{clock};
    sim::SimFileSystem files;

private:
    bool diskFull_;
    sim::SimEventPump pump_{clock};
    sim::SimTimerScheduler timers_{clock};
    sim::SimMessageBox messages_;
    sim::SimGridMetrics metrics_;
    FullDisk fullDisk_;
};

// The main window on the scripted platform, its port open as a protocol run opens it.
struct ScriptedRig {
    explicit ScriptedRig(bool diskFull = false) : platform(diskFull) {
        c.MSComm1.setRThreshold(1);
        c.MSComm1.setInputLen(1);
        c.MSComm1.setPortOpen(true);
    }
    std::string log() { return platform.files.content(kRunLog); }

    ScriptedPlatform platform;
    app::MainForm form{platform};
    app::MainFormControls& c = form.controls();
    DeviceLink& link = form.deviceLink();
    ScriptedLine& line = platform.line;
    sim::VirtualClock& clock = platform.clock;
};

// A reply as the controllers frame it: "/0", the status byte, the data, ETX, CR, LF.
inline std::string reply(int status, std::string_view data = {}) {
    return sim::SimulatedInstrument::frameReply(static_cast<std::uint8_t>(status), data);
}

inline std::string record(std::string_view text) {
    return "\"" + std::string(text) + "\"\r\n";
}

template <typename Set>
sim::FaultSwitches with(Set set) {
    sim::FaultSwitches faults;
    set(faults);
    return faults;
}

// One exchange as the protocol runner prepares it around its send, then the reply wait.
inline WaitOutcome exchange(app::MainForm& form, const std::string& text,
                            const std::string& address = "1") {
    auto& c = form.controls();
    c.flags.ReplyReceived = false;
    c.Text3.setText("");
    form.deviceLink().SendToDeviceNow(address, text);
    c.LoopCounter.setText("1000");
    c.tmrResponseTimeout.setEnabled(true);
    return form.deviceLink().AwaitDeviceReply();
}

}  // namespace testing
}  // namespace quendrix::device
