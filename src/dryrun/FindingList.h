#pragma once

#include <string>
#include <vector>

#include "dryrun/Finding.h"

namespace quendrix::dryrun {

// The findings of a check, each kept once: the same words at the same row again only count
// up its times.
class FindingList {
public:
    void add(int row, Finding::Severity severity, std::string text);

    // In row order; at one row errors first, then warnings, then notes.
    std::vector<Finding> byRow() const;

private:
    std::vector<Finding> findings_;
};

}  // namespace quendrix::dryrun
