// Reply handling: characters per second through the serial port's receive notification,
// the receive handler and the decoder, with the main window's controls as storage.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <string_view>

#include "app/MainForm.h"
#include "platform/SerialLine.h"
#include "sim/virtualtime/SimPlatform.h"

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

constexpr std::string_view kReply = "/0`17500\x03\r\n";
// An 11-character reply takes about this long on a 9600-baud line; letting virtual time
// pass keeps the reply flash's timer queue as short as it is in the program.
constexpr auto kReplyTime = std::chrono::microseconds(11'458);
// The run log is started afresh now and then, so that it does not grow without end.
constexpr int kRepliesPerLog = 4096;

void handleReplies(benchmark::State& state, bool withRunLog) {
    FeedLine line;
    sim::SimPlatform platform;
    platform.replaceSerialLine(line);
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
        line.feed(kReply);
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
