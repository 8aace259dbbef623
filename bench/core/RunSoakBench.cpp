// A protocol run soaked in virtual time against the simulated instrument: 20,002 rows
// through a loop, each pass a device row, a test counter step and the loop row. Reports the
// wall time of a run and the process's peak resident size after the first and the last run;
// a run whose log lacks a line, or holds one too many, fails the benchmark. Each run has a
// platform of its own, whose record of every write (about 2.4 MB here) goes with it; a peak
// that stops rising after the first run shows that nothing else piles up.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <string>

#include "app/MainForm.h"
#include "sim/virtualtime/SimPlatform.h"

namespace {

using namespace quendrix;

constexpr int kPasses = 6667;  // the loop count + 1
constexpr int kRows = 3 * kPasses + 1;

double peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss);
}

std::string record(const std::string& text) {
    return "\"" + text + "\"\r\n";
}

// Per pass: the replies to the readiness poll, the command and the completion poll, and the
// command sent between the first two.
std::string expectedLog() {
    const std::string ready = record("Received : /0`\x03");
    const std::string pass = ready + record("Sent     : /1V2000R") + ready + ready;
    std::string log;
    log.reserve(pass.size() * kPasses);
    for (int i = 0; i < kPasses; ++i) {
        log += pass;
    }
    return log;
}

void BM_RunSoak(benchmark::State& state) {
    const std::string expected = expectedLog();
    const double before = peakResidentKiB();
    double afterFirst = 0;
    for (auto _ : state) {
        sim::SimPlatform platform;
        app::MainForm form(platform);
        auto& grid = form.controls().MSFlexGrid1;
        grid.setTextMatrix(1, 1, "1");
        grid.setTextMatrix(1, 2, "V2000R");
        grid.setTextMatrix(2, 1, "Count");
        grid.setTextMatrix(3, 1, "Loop");
        grid.setTextMatrix(3, 2, "1");
        grid.setTextMatrix(3, 3, std::to_string(kPasses - 1));
        grid.setTextMatrix(4, 1, "End");
        form.runner().RunProtocol_Click(0);

        const auto& report = form.runner().lastRun();
        if (!report || report->rowsExecuted != kRows ||
            platform.files().content("TESTFILE.txt") != expected) {
            state.SkipWithError("the run log does not hold every line of the run, once");
            return;
        }
        state.counters["virtual_s"] = std::chrono::duration<double>(platform.clock().now()).count();
        if (afterFirst == 0) {
            afterFirst = peakResidentKiB();
        }
    }
    state.counters["rows"] = kRows;
    state.counters["log_lines"] = 4.0 * kPasses;
    state.counters["peak_rss_before_KiB"] = before;
    state.counters["peak_rss_first_KiB"] = afterFirst;
    state.counters["peak_rss_last_KiB"] = peakResidentKiB();
    state.SetItemsProcessed(state.iterations() * kRows);
}

BENCHMARK(BM_RunSoak)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
