#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Diagnostics.h"

namespace quendrix::sim {

// Keeps every diagnostic line for the tests to read.
class SimDiagnostics final : public platform::Diagnostics {
public:
    void report(std::string_view what) override { lines_.emplace_back(what); }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

}  // namespace quendrix::sim
