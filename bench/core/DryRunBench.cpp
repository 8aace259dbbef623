// quendrix-dryrun on a protocol that executes 20,002 rows: 6,667 passes of a loop over a
// device row and a test counter step, then the End row. Reports the wall time of the whole
// dry run (loading, running, printing every row and the summary); the target is under 2 s.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "dryrun/DryRun.h"

namespace {

constexpr int kPasses = 6667;  // the loop count + 1
constexpr int kRows = 3 * kPasses + 1;

std::string writeProtocol() {
    const char* rows[][3] = {
        {"1", "V2000R", ""}, {"Count", "", ""}, {"Loop", "1", "6666"}, {"End", "", ""}};
    std::string content;
    for (int row = 0; row < 2000; ++row) {
        for (int col = 0; col < 3; ++col) {
            content += "\"" + std::string(row < 4 ? rows[row][col] : "") + "\"\r\n";
        }
    }
    const auto path = std::filesystem::temp_directory_path() / "quendrix-dryrun-bench.protocol";
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

void BM_DryRun20000Rows(benchmark::State& state) {
    const std::string path = writeProtocol();
    for (auto _ : state) {
        std::ostringstream out, err;
        const int status = quendrix::dryrun::runDryRun({path}, out, err);
        const std::string summary = "Rows executed: " + std::to_string(kRows) + ";";
        if (status != 0 || out.str().find(summary) == std::string::npos) {
            state.SkipWithError("the dry run did not execute every row to its End row");
            break;
        }
        state.counters["output_KiB"] = static_cast<double>(out.str().size()) / 1024.0;
    }
    std::remove(path.c_str());
    state.counters["rows"] = kRows;
    state.SetItemsProcessed(state.iterations() * kRows);
}

BENCHMARK(BM_DryRun20000Rows)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
