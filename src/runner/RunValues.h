#pragma once

#include <cstdint>
#include <string_view>

namespace quendrix::runner {

// Numbers as a run reads them. Each throws platform::Failure where the value cannot be had,
// so that the step reading it is skipped.

// A grid cell, read by its leading number; fails only when the value does not fit a double.
double cellValue(std::string_view text);
// A row number or a count: rounded, halves to even, into 16 bits; fails on overflow.
std::int16_t wholeValue(double value);
// A text box or settings field, read whole and then rounded as above.
std::int16_t strictWholeValue(std::string_view text);

}  // namespace quendrix::runner
