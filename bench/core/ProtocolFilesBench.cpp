// Saving and loading a full protocol (all 6000 cells filled) through the Save and Load
// commands: in the simulated file system, which is memory, and on the machine's own files.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "app/MainForm.h"
#include "platform/StdFileSystem.h"
#include "sim/virtualtime/SimPlatform.h"

namespace {

using namespace quendrix;

// A main window whose grid holds a full protocol, on memory or on a temporary folder.
class FullProtocol {
public:
    explicit FullProtocol(bool onDisk) {
        if (onDisk) {
            folder_ = std::filesystem::temp_directory_path() /
                      ("quendrix-bench-" + std::to_string(std::random_device()()));
            std::filesystem::create_directories(folder_);
            platform_.replaceFileSystem(disk_);
        }
        form_ = std::make_unique<app::MainForm>(platform_);
        auto& grid = form_->controls().MSFlexGrid1;
        for (int row = 1; row <= 2000; ++row) {
            grid.setTextMatrix(row, 1, std::to_string(row % 9 + 1));
            grid.setTextMatrix(row, 2, "A" + std::to_string(row * 12) + "V1400R, then L14");
            grid.setTextMatrix(row, 3, " " + std::to_string(row) + " times");
        }
        path_ = (folder_ / "full.protocol").string();
    }
    ~FullProtocol() {
        if (!folder_.empty()) {
            std::filesystem::remove_all(folder_);
        }
    }

    void save() {
        platform_.dialog().answer(path_);
        form_->controls().SaveProtocol.click();
    }
    // The Load of a protocol into an empty grid, as after New.
    void clear() { form_->NewProtocol_Click(); }
    void load() {
        platform_.dialog().answer(path_);
        form_->controls().LoadProtocol.click();
    }
    bool failed() { return !platform_.messages().shown().empty(); }

private:
    std::filesystem::path folder_;
    platform::StdFileSystem disk_;
    sim::SimPlatform platform_;
    std::unique_ptr<app::MainForm> form_;
    std::string path_;
};

void BM_SaveProtocol(benchmark::State& state) {
    FullProtocol protocol(state.range(0) != 0);
    for (auto _ : state) {
        protocol.save();
    }
    if (protocol.failed()) {
        state.SkipWithError("the save failed");
    }
}

void BM_LoadProtocol(benchmark::State& state) {
    FullProtocol protocol(state.range(0) != 0);
    protocol.save();
    for (auto _ : state) {
        state.PauseTiming();
        protocol.clear();
        state.ResumeTiming();
        protocol.load();
    }
    if (protocol.failed()) {
        state.SkipWithError("the load failed");
    }
}

// Argument 0: the simulated file system in memory; 1: files in a temporary folder.
BENCHMARK(BM_SaveProtocol)->ArgName("disk")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProtocol)->ArgName("disk")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
