#include "dryrun/FindingList.h"

#include <algorithm>
#include <tuple>

namespace quendrix::dryrun {
void FindingList::add(int row, Finding::Severity severity, std::string text) {
    for (Finding& finding : findings_) {
        if (finding.row == row && finding.severity == severity && finding.text == text) {
            ++finding.times;
            return;
        }
    }
    findings_.push_back({row, severity, std::move(text)});
}

std::vector<Finding> FindingList::byRow() const {
    std::vector<Finding> sorted = findings_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Finding& a, const Finding& b) {
        return std::tie(a.row, a.severity) < std::tie(b.row, b.severity);
    });
    return sorted;
}

}  // namespace quendrix::dryrun
