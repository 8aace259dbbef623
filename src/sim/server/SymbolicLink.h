#pragma once

#include <filesystem>

namespace quendrix::sim {

// A fixed name for the pseudo-terminal, so that scripts and settings need not learn the
// device path of each run. Removed again on destruction if it still points where we put it.
class SymbolicLink {
public:
    // Replaces an existing symlink at `path`; throws std::filesystem::filesystem_error when
    // something else stands there or the link cannot be made.
    SymbolicLink(std::filesystem::path path, std::filesystem::path target);
    ~SymbolicLink();
    SymbolicLink(const SymbolicLink&) = delete;
    SymbolicLink& operator=(const SymbolicLink&) = delete;

private:
    std::filesystem::path path_;
    std::filesystem::path target_;
};

}  // namespace quendrix::sim
