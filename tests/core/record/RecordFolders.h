#pragma once

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "record/ProcessIdentity.h"

namespace quendrix::record::testing {

namespace fs = std::filesystem;

// A records folder of its own for each test, on the real file system.
inline fs::path freshFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path folder =
        fs::path(::testing::TempDir()) /
        (std::string("records-") + test->test_suite_name() + '-' + test->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

inline void writeFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// A manifest as a finished run of row `lastRow` writes it; tests change what they need.
inline nlohmann::json endedManifest(const std::string& start, const std::string& end) {
    return {
        {"format", 1},
        {"program", "quendrix"},
        {"version", "1.0.0"},
        {"mode", "run"},
        {"outcome", "end-row"},
        {"complete", true},
        {"start", start},
        {"end", end},
        {"clock", "wall"},
        {"protocol",
         {{"path", "/lab/prime <syringe>.protocol"}, {"sha256", "ab12"}, {"recordSha256", "cd34"}}},
        {"port", {{"number", 1}, {"device", "/dev/ttyUSB0"}}},
        {"settings", {{"Volumes", {{"SyringeVolume", "1000"}}}}},
        {"rowsExecuted", 18},
        {"commandsSent", 14},
        {"counters", {{"error2", 0}, {"error3", 1}, {"error9", 0}, {"test", 1}}},
        {"lastRow", 8},
        {"host", thisHostName()},
        {"pid", thisProcessId()}};
}

// The manifest of a run still going, or of one whose writer died.
inline nlohmann::json runningManifest(const std::string& start, long long pid) {
    auto manifest = endedManifest(start, "");
    manifest["outcome"] = "running";
    manifest["end"] = nullptr;
    manifest["lastRow"] = nullptr;
    manifest["pid"] = pid;
    return manifest;
}

inline fs::path writeRecord(const fs::path& records, const std::string& name,
                            const nlohmann::json& manifest, const std::string& rows = {}) {
    const fs::path folder = records / name;
    fs::create_directories(folder);
    writeFile(folder / "run.json", manifest.dump(2));
    if (!rows.empty()) {
        writeFile(folder / "rows.tsv",
                  "time\trow\tcolumn1\tcolumn2\tcolumn3\tsent\terror\tready\n" + rows);
    }
    return folder;
}

#ifdef _WIN32
// A process that has ended, with its handle still open, which keeps its id taken.
inline HANDLE endedProcess() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"cmd.exe /c exit 0";
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &startup, &process) == 0) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    return process.hProcess;
}

// The id of a process that has ended, as a run killed mid-way leaves it.
inline long long exitedProcessId() {
    const HANDLE process = endedProcess();
    const DWORD id = GetProcessId(process);
    CloseHandle(process);
    return id;
}
#else
// The id of a process that has ended, as a run killed mid-way leaves it.
inline long long exitedProcessId() {
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}
#endif

}  // namespace quendrix::record::testing
