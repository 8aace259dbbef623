#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "dryrun/DryRunOptions.h"

namespace quendrix::dryrun {

// The exit statuses of quendrix-dryrun.
enum ExitStatus : int {
    kEndedAtEndRow = 0,
    kStoppedOtherwise = 1,
    kLimitReached = 2,
    kErrorsFound = 3,
    kUsageError = 64,
    kUnreadableFile = 65,
    kInternalError = 70,
    kCannotWrite = 73,
};

// The whole of quendrix-dryrun: `arguments` are those after the program's name. The rows and
// the summary go to `out`, complaints to `err`. Returns the exit status.
int runDryRun(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// One dry run as the options ask: the program's main window on the simulation platform, the
// file loaded with the program's own Load, and run as "&Run " runs it.
int dryRun(const DryRunOptions& options, std::ostream& out, std::ostream& err);

}  // namespace quendrix::dryrun
