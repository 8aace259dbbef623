#include "editor/ProtocolGrid.h"

#include <cstdint>
#include <string>

#include "platform/Failure.h"

namespace quendrix::editor {

ProtocolGrid::ProtocolGrid(platform::Grid& grid, platform::Frame& commandFrame,
                           platform::Frame& valvePositionFrame)
    : grid_(grid), commandFrame_(commandFrame), valvePositionFrame_(valvePositionFrame) {}

void ProtocolGrid::InitProtocolGrid() {
    grid_.Clear();
    grid_.setRows(kRows);
    grid_.setCols(kCols);
    // The grid's own top offset is part of the height: the sum is what the window shows.
    grid_.setRow(20);
    const auto& g = grid_.geometry();
    grid_.setGeometry({g.left, g.top, g.width, g.top + 18 * grid_.CellHeight()});
    grid_.setCol(1);
    grid_.setRow(0);
    grid_.setFormatString(kFormatString);
    grid_.setRow(1);
    grid_.setCol(3);
    commandFrame_.setVisible(false);
    valvePositionFrame_.setVisible(false);
}

void ProtocolGrid::numberRows() {
    for (int r = grid_.FixedRows(); r < grid_.Rows(); ++r) {
        grid_.setTextArray(Fgi(static_cast<std::int16_t>(r), 0), std::to_string(r));
    }
}

std::int16_t ProtocolGrid::Fgi(std::int16_t r, std::int16_t c, std::int16_t cols) {
    const int index = r * cols + c;
    if (index < INT16_MIN || index > INT16_MAX) {
        throw platform::Failure("overflow");
    }
    return static_cast<std::int16_t>(index);
}

std::int16_t ProtocolGrid::Fgi(std::int16_t r, std::int16_t c) const {
    return Fgi(r, c, static_cast<std::int16_t>(grid_.Cols()));
}

}  // namespace quendrix::editor
