// Protocol runs of the real program against quendrix-sim over a real pseudo-terminal, in real
// time, each measured once: the wall time and the process's CPU time of RunProtocol_Click.
//
// A 500-row protocol of queries that the drive answers at once, against the line-rate limit:
// every character on the line (polls, commands and replies, counted from the simulator's
// transcript) at ten bits and 9600 baud, plus the 10 ms of pacing after every row. Targets:
// wall/limit at most 1.10, CPU/wall under 5 %. Run once without and once with the run's
// record (argument 1), written as the program writes it, on its own thread: the record may
// add at most 1 % of wall time and half a percentage point of CPU. The same run once more with
// the main window on the screen, where drawing it is most of the cost; target: CPU/wall at
// most 3 %. That one needs a display and a window system platform, and skips otherwise:
//   QT_QPA_PLATFORM=xcb xvfb-run -a build/bench/qt_bench --benchmark_filter=ShownWindow
// (scripts/bench-desktop runs it under Xvfb with a window manager, as on a desktop).
//
// An example protocol that moves the drives, its real duration against the dry run's
// prediction. Target: within 2 %.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <optional>
#include <sstream>

#include "RealProgram.h"
#include "app/RunRecorder.h"
#include "dryrun/DryRunSession.h"
#include "support/ProcessCpuTime.h"

namespace {

using namespace quendrix;
using Clock = std::chrono::steady_clock;
using qt::bench::RealProgram;

constexpr int kQueryRows = 500;
constexpr double kBitsPerCharacter = 10;
constexpr double kBaudRate = 9600;
constexpr double kPacingSeconds = 0.010;

struct Measured {
    double wallSeconds;
    double cpuSeconds;
};

Measured timeRun(app::MainForm& form) {
    const auto cpuBefore = testsupport::processCpuTime();
    const auto wallBefore = Clock::now();
    form.runner().RunProtocol_Click(0);
    const std::chrono::duration<double> wall = Clock::now() - wallBefore;
    const std::chrono::duration<double> cpu = testsupport::processCpuTime() - cpuBefore;
    return {wall.count(), cpu.count()};
}

bool endedAtEndRow(app::MainForm& form, int rows) {
    const auto& report = form.runner().lastRun();
    return report && report->ending == runner::RunReport::Ending::EndRow &&
           report->rowsExecuted == rows;
}

// Each byte is one line of the transcript; remarks start with "#".
long charactersIn(const QString& transcript) {
    QFile file(transcript);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    long characters = 0;
    while (!file.atEnd()) {
        characters += file.readLine().startsWith('#') ? 0 : 1;
    }
    return characters;
}

enum class Window { Unseen, Shown };

// Offscreen and minimal draw into memory only; a window system's platform is needed to see
// what the window costs.
bool drawsOnADisplay() {
    const QString platform = QGuiApplication::platformName();
    return platform != QStringLiteral("offscreen") && platform != QStringLiteral("minimal");
}

void queryRowsAgainstLineRate(benchmark::State& state, Window window) {
    if (window == Window::Shown && !drawsOnADisplay()) {
        state.SkipWithError("no display: run with QT_QPA_PLATFORM=xcb under xvfb-run");
        return;
    }
    QTemporaryDir folder;
    const QString transcript = folder.filePath(QStringLiteral("transcript.txt"));
    RealProgram program({QStringLiteral("--transcript"), transcript});
    if (!program.ok()) {
        state.SkipWithError("quendrix-sim did not start");
        return;
    }
    if (window == Window::Shown && !program.show()) {
        state.SkipWithError("the main window was never drawn");
        return;
    }
    auto& grid = program.form().controls().MSFlexGrid1;
    for (int row = 1; row <= kQueryRows; ++row) {
        grid.setTextMatrix(row, 1, "1");
        grid.setTextMatrix(row, 2, "?4");
    }
    grid.setTextMatrix(kQueryRows + 1, 1, "End");
    std::optional<app::RunRecorder> recorder;
    if (state.range(0) != 0) {
        recorder.emplace(program.form(), program.platform(),
                         app::RecordPlace{folder.filePath(QStringLiteral("runs")).toStdString()});
    }
    for (auto _ : state) {
        const Measured run = timeRun(program.form());
        state.SetIterationTime(run.wallSeconds);
        if (!endedAtEndRow(program.form(), kQueryRows + 1)) {
            state.SkipWithError("the run did not reach its End row");
            return;
        }
        program.stopSimulator();
        const long characters = charactersIn(transcript);
        const double limit = static_cast<double>(characters) * kBitsPerCharacter / kBaudRate +
                             (kQueryRows + 1) * kPacingSeconds;
        state.counters["wall_s"] = run.wallSeconds;
        state.counters["limit_s"] = limit;
        state.counters["wall_per_limit"] = run.wallSeconds / limit;
        state.counters["cpu_percent"] = 100.0 * run.cpuSeconds / run.wallSeconds;
        state.counters["characters"] = static_cast<double>(characters);
    }
}
void BM_QueryRowsAgainstLineRate(benchmark::State& state) {
    queryRowsAgainstLineRate(state, Window::Unseen);
}
BENCHMARK(BM_QueryRowsAgainstLineRate)
    ->ArgName("record")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_QueryRowsOnTheShownWindow(benchmark::State& state) {
    queryRowsAgainstLineRate(state, Window::Shown);
}
BENCHMARK(BM_QueryRowsOnTheShownWindow)
    ->ArgName("record")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The shortest-running example that still moves the drives; its random tokens draw the same
// values in both runs, since neither program reseeds its generator.
void BM_ExampleAgainstDryRun(benchmark::State& state) {
    const std::string path = QUENDRIX_EXAMPLES_DIR "/stepping-tokens.protocol";
    dryrun::DryRunOptions options;
    options.file = path;
    std::ostringstream rows;
    dryrun::DryRunSession dryRun(options, rows, nullptr);
    if (!dryRun.load()) {
        state.SkipWithError("the dry run could not load the example");
        return;
    }
    dryRun.run();
    const dryrun::RunSummary predicted = dryRun.summary();

    RealProgram program({});
    if (!program.ok() || !program.load(path)) {
        state.SkipWithError("quendrix-sim did not start, or the example did not load");
        return;
    }
    for (auto _ : state) {
        const Measured run = timeRun(program.form());
        state.SetIterationTime(run.wallSeconds);
        if (!endedAtEndRow(program.form(), predicted.report->rowsExecuted)) {
            state.SkipWithError("the real run did not end as the dry run did");
            return;
        }
        const double predictedSeconds = std::chrono::duration<double>(predicted.duration).count();
        state.counters["predicted_s"] = predictedSeconds;
        state.counters["real_s"] = run.wallSeconds;
        state.counters["real_per_predicted"] = run.wallSeconds / predictedSeconds;
        state.counters["cpu_percent"] = 100.0 * run.cpuSeconds / run.wallSeconds;
    }
}
BENCHMARK(BM_ExampleAgainstDryRun)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
