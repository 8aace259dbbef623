#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Frame.h"
#include "platform/Grid.h"

namespace quendrix::editor {

// The protocol lives only in the main window's grid: 2000 numbered rows under one header
// row, the row number in the fixed column 0, then Address, Command and Loops. This class
// sets the grid up and numbers it; the editor, the files and the runner address its cells
// directly.
class ProtocolGrid {
public:
    static constexpr int kRows = 2001;  // the header row included
    static constexpr int kCols = 4;
    static constexpr int kProtocolRows = kRows - 1;
    // Captions, alignment and widths in one string; the wide Command column comes only from
    // the blanks after its caption.
    static constexpr std::string_view kFormatString =
        "         |< Address |<    Command"
        "                                                                                 "
        "|<Loops ";

    ProtocolGrid(platform::Grid& grid, platform::Frame& commandFrame,
                 platform::Frame& valvePositionFrame);

    void InitProtocolGrid();
    // Writes every protocol row's number into the fixed column.
    void numberRows();

    // The linear index of a cell in the grid's TextArray, in 16-bit arithmetic: throws
    // Failure when it overflows.
    static std::int16_t Fgi(std::int16_t r, std::int16_t c, std::int16_t cols);
    std::int16_t Fgi(std::int16_t r, std::int16_t c) const;

private:
    platform::Grid& grid_;
    platform::Frame& commandFrame_;
    platform::Frame& valvePositionFrame_;
};

}  // namespace quendrix::editor
