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
#include "platform/Platform.h"
#include "sim/SimEventPump.h"
#include "sim/SimFileSystem.h"
#include "sim/SimGridMetrics.h"
#include "sim/SimMessageBox.h"
#include "sim/SimTimerScheduler.h"
#include "sim/VirtualClock.h"
#include "sim/instrument/FaultSwitches.h"
#include "sim/instrument/SimulatedInstrument.h"

namespace quendrix::device {

inline void PrintTo(WaitOutcome outcome, std::ostream* os) {
    constexpr const char* names[] = {"Replied", "TimedOut", "Abandoned"};
    *os << names[static_cast<int>(outcome)];
}

namespace testing {

using sim::Micros;
using namespace std::chrono_literals;

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
        ++opens;
    }
    void close() override { open_ = false; }
    void write(std::string_view bytes) override {
        if (!open_ || failWrites) {
            throw platform::Failure("the write failed");
        }
        writes.emplace_back(bytes);
        pendingLine_ += bytes;
        if (bytes == "\n") {
            const std::string line = std::exchange(pendingLine_, {});
            if (respond) {
                respond(line);
            }
        }
    }
    void setReceiver(platform::SerialLineReceiver* receiver) override { receiver_ = receiver; }

    void deliver(std::string_view bytes) {
        if (receiver_ != nullptr) {
            receiver_->onBytes(bytes);
        }
    }
    void deliverIn(Micros after, std::string bytes) {
        clock_.at(clock_.now() + after, [this, bytes = std::move(bytes)] { deliver(bytes); });
    }
    // The device goes away; the port hears of it from the event loop.
    void loseLine() {
        clock_.at(clock_.now(), [this] {
            if (receiver_ != nullptr) {
                receiver_->onLineLost();
            }
        });
    }

    std::string written() const {
        std::string all;
        for (const auto& w : writes) {
            all += w;
        }
        return all;
    }

    bool refuseOpen = false;
    bool failWrites = false;
    int opens = 0;
    std::vector<std::string> writes;
    // Told of every complete line the program writes (text, CR, LF).
    std::function<void(const std::string& line)> respond;

private:
    sim::VirtualClock& clock_;
    platform::SerialLineReceiver* receiver_ = nullptr;
    bool open_ = false;
    std::string pendingLine_;
};

// A disk that is full: files are created, but nothing can be written to them.
class FullDisk final : public platform::FileSystem {
public:
    std::unique_ptr<platform::OutputFile> create(const std::string&) override {
        struct Unwritable final : platform::OutputFile {
            void write(std::string_view) override { throw platform::Failure("disk full"); }
            void close() override {}
        };
        return std::make_unique<Unwritable>();
    }
    std::string readAll(const std::string&) override { throw platform::Failure("no such file"); }
};

// The virtual-time platform with the scripted line in place of the simulated instrument.
class ScriptedPlatform final : public platform::Platform {
public:
    platform::EventPump& eventPump() override { return pump_; }
    platform::TimerScheduler& timerScheduler() override { return timers_; }
    platform::MessageBox& messageBox() override { return messages_; }
    platform::SerialLine& serialLine() override { return line_; }
    const platform::GridMetrics& gridMetrics() const override { return metrics_; }
    platform::FileSystem& fileSystem() override {
        return diskFull ? static_cast<platform::FileSystem&>(fullDisk_) : files_;
    }
    platform::Version version() const override { return {1, 0, 0}; }

    sim::VirtualClock& clock() { return clock_; }
    ScriptedLine& line() { return line_; }
    sim::SimFileSystem& files() { return files_; }

    // Read when the main window is built.
    bool diskFull = false;

private:
    sim::VirtualClock clock_;
    sim::SimEventPump pump_{clock_};
    sim::SimTimerScheduler timers_{clock_};
    sim::SimMessageBox messages_;
    ScriptedLine line_{clock_};
    sim::SimGridMetrics metrics_;
    sim::SimFileSystem files_;
    FullDisk fullDisk_;
};

inline constexpr const char* kRunLog = "TESTFILE.txt";

// The main window on the scripted platform, with its port open as a protocol run opens it.
struct ScriptedRig {
    explicit ScriptedRig(bool diskFull = false) {
        platform.diskFull = diskFull;
        form = std::make_unique<app::MainForm>(platform);
    }

    app::MainFormControls& controls() { return form->controls(); }
    DeviceLink& link() { return form->deviceLink(); }
    ScriptedLine& line() { return platform.line(); }
    sim::VirtualClock& clock() { return platform.clock(); }

    void openPort() {
        auto& port = controls().MSComm1;
        port.setRThreshold(1);
        port.setInputLen(1);
        port.setPortOpen(true);
    }
    void openLog() { controls().fileSlot.openForOutput(kRunLog); }
    std::string log() { return platform.files().content(kRunLog); }

    ScriptedPlatform platform;
    std::unique_ptr<app::MainForm> form;
};

// A reply as the controllers frame it: "/0", the status byte, the data, ETX, CR, LF.
inline std::string reply(int status, std::string_view data = {}) {
    return sim::SimulatedInstrument::frameReply(static_cast<std::uint8_t>(status), data);
}

// Fault switches with some of them set: `set` sets them.
template <typename Set>
sim::FaultSwitches with(Set set) {
    sim::FaultSwitches faults;
    set(faults);
    return faults;
}

// One log record as the file slot writes it.
inline std::string record(std::string_view text) {
    return "\"" + std::string(text) + "\"\r\n";
}

// One exchange as the protocol runner prepares it around its send: the reply wait's
// preconditions, the send, then the wait.
inline WaitOutcome exchange(app::MainForm& form, const std::string& address,
                            const std::string& text) {
    auto& controls = form.controls();
    controls.flags.ReplyReceived = false;
    controls.Text3.setText("");
    form.deviceLink().SendToDeviceNow(address, text);
    controls.LoopCounter.setText("1000");
    controls.tmrResponseTimeout.setEnabled(true);
    return form.deviceLink().AwaitDeviceReply();
}

}  // namespace testing
}  // namespace quendrix::device
