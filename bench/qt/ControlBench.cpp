// The control socket, measured in real time with its clients in a thread of their own, as in
// a process of their own, while the program's thread serves them.
//
// The round trip of "status": request written, reply read. Target: well under a millisecond.
//
// The 500-row query protocol of RealRunBench against quendrix-sim, run without a control
// client and then with one that reads every event. Target: the wall times within 1 %.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "RealProgram.h"
#include "qt/control/ControlServer.h"
#include "support/ClientThread.h"
#include "support/PumpUntil.h"

namespace {

using namespace quendrix;
using Clock = std::chrono::steady_clock;

constexpr int kRoundTrips = 2000;
constexpr int kQueryRows = 500;

QByteArray readLine(QLocalSocket& socket) {
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(10000)) {
            return {};
        }
    }
    return socket.readLine();
}

struct ProgramWithControl {
    explicit ProgramWithControl(const QStringList& options)
        : program(options), server(program.form(), program.platform()) {
        listening = program.ok() && server.listen(folder.filePath(QStringLiteral("control")));
    }
    QTemporaryDir folder;
    qt::bench::RealProgram program;
    qt::ControlServer server;
    bool listening = false;
};

void BM_StatusRoundTrip(benchmark::State& state) {
    ProgramWithControl setup({});
    if (!setup.listening) {
        state.SkipWithError("no control socket");
        return;
    }
    const QString path = setup.server.socketPath();
    for (auto _ : state) {
        double seconds = 0;
        testsupport::serveClient([&] {
            QLocalSocket socket;
            socket.connectToServer(path);
            socket.waitForConnected(10000);
            const auto before = Clock::now();
            for (int i = 0; i < kRoundTrips; ++i) {
                socket.write("{\"id\": 1, \"cmd\": \"status\"}\n");
                readLine(socket);
            }
            seconds = std::chrono::duration<double>(Clock::now() - before).count();
        });
        state.SetIterationTime(seconds);
        state.counters["round_trip_us"] = 1e6 * seconds / kRoundTrips;
    }
}
BENCHMARK(BM_StatusRoundTrip)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

double timedRun(app::MainForm& form) {
    const auto before = Clock::now();
    form.runner().RunProtocol_Click(0);
    return std::chrono::duration<double>(Clock::now() - before).count();
}

// A run while a client reads every event, until the run's "stopped".
double timedRunWithListener(ProgramWithControl& setup, long& events) {
    std::atomic<bool> listening = false;
    std::atomic<bool> finished = false;
    std::thread listener([&] {
        QLocalSocket socket;
        socket.connectToServer(setup.server.socketPath());
        socket.waitForConnected(10000);
        socket.write("{\"id\": 1, \"cmd\": \"events\"}\n");
        readLine(socket);
        listening = true;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] {}, Qt::QueuedConnection);
        for (QByteArray line; !(line = readLine(socket)).isEmpty(); ++events) {
            if (line.contains("\"stopped\"")) {
                break;
            }
        }
        finished = true;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] {}, Qt::QueuedConnection);
    });
    testsupport::pumpUntil([&] { return listening.load(); });
    const double seconds = timedRun(setup.program.form());
    testsupport::pumpUntil([&] { return finished.load(); });
    listener.join();
    return seconds;
}

void BM_QueryRowsWithAnEventsClient(benchmark::State& state) {
    ProgramWithControl setup({});
    if (!setup.listening) {
        state.SkipWithError("no control socket");
        return;
    }
    auto& grid = setup.program.form().controls().MSFlexGrid1;
    for (int row = 1; row <= kQueryRows; ++row) {
        grid.setTextMatrix(row, 1, "1");
        grid.setTextMatrix(row, 2, "?4");
    }
    grid.setTextMatrix(kQueryRows + 1, 1, "End");
    // Without, with, with, without: a drift of the machine's load weighs on both alike.
    for (auto _ : state) {
        double without = timedRun(setup.program.form());
        long events = 0;
        const double with =
            timedRunWithListener(setup, events) + timedRunWithListener(setup, events);
        without += timedRun(setup.program.form());
        state.SetIterationTime(with / 2);
        state.counters["without_s"] = without / 2;
        state.counters["with_s"] = with / 2;
        state.counters["with_per_without"] = with / without;
        state.counters["events_per_run"] = static_cast<double>(events) / 2;
    }
}
BENCHMARK(BM_QueryRowsWithAnEventsClient)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
