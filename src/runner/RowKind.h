#pragma once

#include <string_view>

namespace quendrix::runner {

// What a row is, decided by its column 1: a keyword, compared exactly, or a controller
// address, which is any text from "1" to "9" in character-code order ("12" and "3x" too).
// Anything else, the empty cell included, the run cannot read.
enum class RowKind { Loop, Goto, Pause, Wait, End, Device, Count, Unreadable };

RowKind classifyRow(std::string_view columnOne);

}  // namespace quendrix::runner
