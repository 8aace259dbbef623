#include "runner/RowKind.h"

#include <array>
#include <utility>

namespace quendrix::runner {

RowKind classifyRow(std::string_view columnOne) {
    static constexpr std::array<std::pair<std::string_view, RowKind>, 5> kKeywords{{
        {"Loop", RowKind::Loop},
        {"Goto", RowKind::Goto},
        {"Pause", RowKind::Pause},
        {"Wait", RowKind::Wait},
        {"End", RowKind::End},
    }};
    for (const auto& [keyword, kind] : kKeywords) {
        if (columnOne == keyword) {
            return kind;
        }
    }
    // string_view compares bytes as unsigned characters.
    if (columnOne >= "1" && columnOne <= "9") {
        return RowKind::Device;
    }
    return columnOne == "Count" ? RowKind::Count : RowKind::Unreadable;
}

}  // namespace quendrix::runner
