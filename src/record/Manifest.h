#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quendrix::record {

// What run.json says about a run. Texts are UTF-8.
struct Manifest {
    struct Setting {
        std::string section;
        std::string key;
        std::string text;
    };

    std::string program;
    std::string version;
    std::string mode;  // "run", "step" or "test-step"
    std::string outcome = "running";
    std::optional<std::string> incomplete;  // why a part could not be written
    std::string start;
    std::optional<std::string> end;
    bool virtualClock = false;
    std::optional<std::string> protocolPath;
    std::optional<std::string> protocolSha256;
    std::string recordSha256;
    int portNumber = 0;
    std::string portDevice;
    std::vector<Setting> settings;
    int rowsExecuted = 0;
    int commandsSent = 0;
    std::vector<std::pair<std::string, long>> counters;  // in the order written
    std::optional<int> lastRow;
    std::string host;
    long long pid = 0;
};

// The manifest as run.json holds it, ending in a line end.
std::string manifestJson(const Manifest& manifest);

}  // namespace quendrix::record
