#include "dryrun/Finding.h"

#include <algorithm>

namespace quendrix::dryrun {
namespace {

std::string counted(const std::vector<Finding>& findings, Finding::Severity severity,
                    const char* what) {
    const auto count =
        std::count_if(findings.begin(), findings.end(),
                      [severity](const Finding& f) { return f.severity == severity; });
    return std::to_string(count) + ' ' + what + (count == 1 ? "" : "s");
}

}  // namespace

std::string Finding::fullText() const {
    return times == 1 ? text : text + " (" + std::to_string(times) + " times)";
}

std::string_view severityName(Finding::Severity severity) {
    switch (severity) {
        case Finding::Severity::Error:
            return "error";
        case Finding::Severity::Warning:
            return "warning";
        case Finding::Severity::Note:
            break;
    }
    return "note";
}

void printFindings(std::ostream& out, const std::vector<Finding>& findings) {
    out << "\nCheck: " << counted(findings, Finding::Severity::Error, "error") << ", "
        << counted(findings, Finding::Severity::Warning, "warning") << ", "
        << counted(findings, Finding::Severity::Note, "note") << '\n';
    for (const Finding& finding : findings) {
        out << "row " << finding.row << ": " << severityName(finding.severity) << ": "
            << finding.fullText() << '\n';
    }
}

}  // namespace quendrix::dryrun
