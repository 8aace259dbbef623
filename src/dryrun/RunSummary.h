#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "dryrun/Finding.h"
#include "dryrun/RowTrace.h"
#include "form/Inventory.h"
#include "runner/RunReport.h"
#include "sim/clock/Scheduler.h"

namespace quendrix::dryrun {

// What a dry run found: how the run ended, how long it took in virtual time, how much it
// did, and the counters it left in the main window.
struct RunSummary {
    enum class Limit { None, Time, Rows };

    struct Counter {
        std::string name;
        std::string text;  // the box's text
    };
    struct LoopCount {
        int row = 0;
        std::string count;  // column 3 as the run left it
    };

    std::string file;
    std::optional<runner::RunReport> report;  // none: the run did not start
    Limit limit = Limit::None;
    std::string limitText;  // "10m", or "500 rows"
    sim::Micros duration{0};
    std::vector<Counter> counters;  // Error2, Error3, Error9, RetryCounter, RetryCounter2
    std::string testCounter;        // intTestCounter
    std::vector<LoopCount> loops;
    std::vector<AnsweredMessage> messages;
    std::optional<std::vector<Finding>> findings;  // none: no check was asked for

    // Fills in the counters and the Loop rows from the main window.
    void readForm(const form::Inventory& form);

    // 0 for an End row, 2 when a limit stopped the run, 1 otherwise; 3 for an End row when
    // the check found errors.
    int exitStatus() const;
    // A name for how the run ended: EndRow, ColumnOneError, RetryNotice, TimeLimit,
    // RowLimit, Stopped or NotStarted.
    std::string endingName() const;

    void printText(std::ostream& out) const;
    void printJson(std::ostream& out) const;

private:
    std::string endingText() const;
};

}  // namespace quendrix::dryrun
