// The Qt serial line against quendrix-sim on a real pseudo-terminal: how soon the next
// command follows a reply, and how little the program works while it waits for a controller
// that stays silent or has gone away.

#include <benchmark/benchmark.h>

#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

#include "InstrumentLink.h"
#include "support/ProcessCpuTime.h"

namespace {

using namespace std::chrono_literals;
using quendrix::qt::bench::InstrumentLink;
using quendrix::testsupport::processCpuTime;

constexpr auto replyTimeout = 5s;
constexpr auto idleSpan = 2s;

double percentile(std::vector<double> samples, double fraction) {
    if (samples.empty()) {
        return 0.0;
    }
    const auto rank = static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1));
    std::nth_element(samples.begin(), samples.begin() + static_cast<long>(rank), samples.end());
    return samples[rank];
}

double micros(InstrumentLink::Clock::duration span) {
    return std::chrono::duration<double, std::micro>(span).count();
}

// From the CR of a status reply reaching the receive handler to the next query written, the
// wait in between pumping the event queue as the program's reply wait does.
void BM_ReplyEndToNextCommand(benchmark::State& state) {
    InstrumentLink link({});
    if (!link.ok()) {
        state.SkipWithError(link.error().c_str());
        return;
    }
    link.send("/1Q");
    if (!link.awaitReplyEnd(replyTimeout)) {
        state.SkipWithError("no reply to the first query");
        return;
    }
    std::vector<double> turnarounds;
    std::vector<double> roundTrips;
    for (auto _ : state) {
        const auto written = link.send("/1Q");
        const auto turnaround = written - link.lastReplyEnd();
        state.SetIterationTime(std::chrono::duration<double>(turnaround).count());
        turnarounds.push_back(micros(turnaround));
        if (!link.awaitReplyEnd(replyTimeout)) {
            state.SkipWithError("a reply did not come");
            return;
        }
        roundTrips.push_back(micros(link.lastReplyEnd() - written));
    }
    state.counters["median_us"] = percentile(turnarounds, 0.5);
    state.counters["p90_us"] = percentile(turnarounds, 0.9);
    state.counters["round_trip_median_us"] = percentile(roundTrips, 0.5);
}
BENCHMARK(BM_ReplyEndToNextCommand)
    ->UseManualTime()
    ->Iterations(300)
    ->Unit(benchmark::kMicrosecond);

void reportIdleCpu(benchmark::State& state, InstrumentLink& link) {
    for (auto _ : state) {
        const auto cpuBefore = processCpuTime();
        const auto wallBefore = InstrumentLink::Clock::now();
        link.idle(idleSpan);
        const auto cpu = processCpuTime() - cpuBefore;
        const auto wall = InstrumentLink::Clock::now() - wallBefore;
        state.counters["cpu_percent"] = 100.0 * micros(cpu) / micros(wall);
    }
}

// The program waits for the reply of a controller that never answers.
void BM_WaitOnSilentController(benchmark::State& state) {
    InstrumentLink link({QStringLiteral("--silent")});
    if (!link.ok()) {
        state.SkipWithError(link.error().c_str());
        return;
    }
    link.send("/1Q");
    reportIdleCpu(state, link);
}
BENCHMARK(BM_WaitOnSilentController)->Iterations(1)->Unit(benchmark::kMillisecond);

// The device went away at the first command; the program goes on waiting.
void BM_WaitAfterHangUp(benchmark::State& state) {
    InstrumentLink link({QStringLiteral("--hang-up-after"), QStringLiteral("1")});
    if (!link.ok()) {
        state.SkipWithError(link.error().c_str());
        return;
    }
    link.send("/1Q");
    if (!link.awaitLineLost(replyTimeout)) {
        state.SkipWithError("the port did not notice the hang-up");
        return;
    }
    reportIdleCpu(state, link);
}
BENCHMARK(BM_WaitAfterHangUp)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
