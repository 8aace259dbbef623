// A yield of the main window's event loop in virtual time: the cost that a position sweep's
// pauses (50,000 yields after each of 1200 commands) put on the tests that run one.

#include <benchmark/benchmark.h>

#include "app/MainForm.h"
#include "sim/virtualtime/SimPlatform.h"

namespace {

using namespace quendrix;

void yieldWithATimerArmed(benchmark::State& state) {
    sim::SimPlatform platform;
    app::MainForm form(platform);
    auto& controls = form.controls();
    // An armed timer keeps the clock's queue as a reply wait would leave it.
    controls.tmrDeviceTimeout.setEnabled(true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(controls.events.yield());
        if (!controls.tmrDeviceTimeout.enabled()) {
            controls.tmrDeviceTimeout.setEnabled(true);
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(yieldWithATimerArmed);

}  // namespace
