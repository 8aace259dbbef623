#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace quendrix::dryrun {

// One thing the check found at a row, in plain words.
struct Finding {
    enum class Severity { Error, Warning, Note };

    int row = 0;
    Severity severity = Severity::Error;
    std::string text;  // UTF-8
    int times = 1;     // how often the run met it

    // "error 9, ... (3 times)"
    std::string fullText() const;
    bool operator==(const Finding&) const = default;
};

std::string_view severityName(Finding::Severity severity);

// A line that counts them, then "row 4: error: ...", one line each.
void printFindings(std::ostream& out, const std::vector<Finding>& findings);

}  // namespace quendrix::dryrun
