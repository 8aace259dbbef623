#include "record/RowsTable.h"

#include <cstdio>

namespace quendrix::record {

std::string RowsTable::escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string RowsTable::line(const Line& line) {
    const long long micros = line.at.count();
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%lld.%06lld", micros / 1000000, micros % 1000000);
    std::string out = seconds;
    out += '\t' + std::to_string(line.row);
    for (const std::string& cell : line.cells) {
        out += '\t' + escaped(cell);
    }
    out += '\t' + escaped(line.sent) + '\t' + line.error + '\t' + line.ready + '\n';
    return out;
}

}  // namespace quendrix::record
