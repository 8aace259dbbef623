#pragma once

#include <array>
#include <string>
#include <string_view>

#include "record/Timeline.h"

namespace quendrix::record {

// rows.tsv: a header line, then one line per executed row.
class RowsTable {
public:
    static constexpr std::string_view kHeader =
        "time\trow\tcolumn1\tcolumn2\tcolumn3\tsent\terror\tready\n";

    struct Line {
        RunTime at{};  // since the run's start
        int row = 0;
        std::array<std::string, 3> cells;
        std::string sent;   // the command as sent; empty for a row that sends none
        std::string error;  // the reply's error code; empty without a reply
        std::string ready;  // "ready", "busy", or empty without a reply
    };

    static std::string line(const Line& line);
    // Tabs, line ends and backslashes in a cell, written so that the line stays one line.
    static std::string escaped(std::string_view text);
};

}  // namespace quendrix::record
