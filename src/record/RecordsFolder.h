#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quendrix::record {

// Looks up one environment variable; empty when it is unset.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string&)>;

// The folder every program keeps its run records in, whatever its own name:
// $XDG_DATA_HOME/quendrix/runs, by default ~/.local/share/quendrix/runs, and
// %LOCALAPPDATA%\quendrix\runs on Windows. Empty when none of the variables it needs is set.
std::filesystem::path recordsFolder(const EnvironmentLookup& environment);

// The same, from the process's own environment.
std::filesystem::path recordsFolder();

}  // namespace quendrix::record
