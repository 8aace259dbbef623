// Reply handling: characters per second through the serial port's receive notification,
// the receive handler and the decoder, with the main window's controls as storage.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <string_view>

#include "app/MainForm.h"
#include "platform/Platform.h"
#include "sim/SimEventPump.h"
#include "sim/SimFileSystem.h"
#include "sim/SimGridMetrics.h"
#include "sim/SimMessageBox.h"
#include "sim/SimTimerScheduler.h"
#include "sim/VirtualClock.h"

namespace {

using namespace quendrix;

// A line whose far end is the benchmark: it hands reply bytes straight to the port.
class FeedLine final : public platform::SerialLine {
public:
    void open(int, const platform::LineSettings&) override {}
    void close() override {}
    void write(std::string_view) override {}
    void setReceiver(platform::SerialLineReceiver* receiver) override { receiver_ = receiver; }

    void feed(std::string_view bytes) { receiver_->onBytes(bytes); }

private:
    platform::SerialLineReceiver* receiver_ = nullptr;
};

class FeedPlatform final : public platform::Platform {
public:
    platform::EventPump& eventPump() override { return pump_; }
    platform::TimerScheduler& timerScheduler() override { return timers_; }
    platform::MessageBox& messageBox() override { return messages_; }
    platform::SerialLine& serialLine() override { return line_; }
    const platform::GridMetrics& gridMetrics() const override { return metrics_; }
    platform::FileSystem& fileSystem() override { return files_; }
    platform::Version version() const override { return {1, 0, 0}; }

    sim::VirtualClock& clock() { return clock_; }
    FeedLine& line() { return line_; }

private:
    sim::VirtualClock clock_;
    sim::SimEventPump pump_{clock_};
    sim::SimTimerScheduler timers_{clock_};
    sim::SimMessageBox messages_;
    FeedLine line_;
    sim::SimGridMetrics metrics_;
    sim::SimFileSystem files_;
};

constexpr std::string_view kReply = "/0`17500\x03\r\n";
// An 11-character reply takes about this long on a 9600-baud line; letting virtual time
// pass keeps the reply flash's timer queue as short as it is in the program.
constexpr auto kReplyTime = std::chrono::microseconds(11'458);
// The run log is started afresh now and then, so that it does not grow without end.
constexpr int kRepliesPerLog = 4096;

void handleReplies(benchmark::State& state, bool withRunLog) {
    FeedPlatform platform;
    app::MainForm form(platform);
    auto& controls = form.controls();
    controls.MSComm1.setRThreshold(1);
    controls.MSComm1.setInputLen(1);
    controls.MSComm1.setPortOpen(true);
    int replies = 0;
    for (auto _ : state) {
        if (withRunLog && replies++ % kRepliesPerLog == 0) {
            controls.fileSlot.close();
            controls.fileSlot.openForOutput("TESTFILE.txt");
        }
        platform.line().feed(kReply);
        platform.clock().advanceBy(kReplyTime);
    }
    if (controls.strResponse.text() != "17500\x03") {
        state.SkipWithError("the reply was not decoded");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kReply.size()));
    state.SetLabel("characters");
}

void BM_ReplyHandling(benchmark::State& state) {
    handleReplies(state, false);
}
void BM_ReplyHandlingWithRunLog(benchmark::State& state) {
    handleReplies(state, true);
}

BENCHMARK(BM_ReplyHandling);
BENCHMARK(BM_ReplyHandlingWithRunLog);

}  // namespace
