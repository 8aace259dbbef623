#pragma once

#include <string_view>

namespace quendrix::platform {

// The grid's font as the toolkit measures it, in twips.
class GridMetrics {
public:
    virtual ~GridMetrics() = default;
    virtual int rowHeight() const = 0;
    // Width of a column that just fits `caption` in the grid's font, margins included.
    virtual int columnWidth(std::string_view caption) const = 0;
};

}  // namespace quendrix::platform
