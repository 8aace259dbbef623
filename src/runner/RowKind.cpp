#include "runner/RowKind.h"

namespace quendrix::runner {

RowKind classifyRow(std::string_view columnOne) {
    for (const auto& [keyword, kind] : kKeywords) {
        if (columnOne == keyword) {
            return kind;
        }
    }
    // string_view compares bytes as unsigned characters.
    if (columnOne >= "1" && columnOne <= "9") {
        return RowKind::Device;
    }
    return RowKind::Unreadable;
}

}  // namespace quendrix::runner
