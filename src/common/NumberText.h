#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Numbers as the program reads them from, and writes them into, grid cells and text boxes.
// Everything here is independent of the process locale: the decimal point is always ".".
//
// A blank is a space, a tab or a line feed. Any other character, a carriage return included,
// cannot stand inside a number.

namespace quendrix {

// Lenient read of a grid cell: the value of the number at the start of the text. Blanks are
// ignored wherever they stand ("1 2" reads 12, " 3 times" reads 3), then come an optional sign,
// digits, at most one decimal point and an optional exponent (E or e, optional sign, digits; an
// "e" not followed by a digit ends the number). Reading stops at the first character that
// cannot continue the number; a text without a leading number reads as 0. Returns nullopt only
// when the value does not fit a double ("1e999"), which the caller treats as a failed step; a
// value too small for a double reads as 0.
std::optional<double> readLeadingNumber(std::string_view text);

// Strict read of a text box: the whole text must be one number (sign, digits, at most one point,
// exponent), with blanks allowed before and after it but not inside. Empty text, "5 apples",
// "Position" and "." give nullopt, and so does a value that does not fit a double.
std::optional<double> readWholeNumber(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2),
// as a 16-bit signed integer; nullopt when the result lies outside -32768..32767 and for NaN.
std::optional<std::int16_t> roundToInt16(double value);

// A strict read rounded as above: a port number, a row number typed into a box.
std::optional<std::int16_t> readWholeInt16(std::string_view text);

// Shortest plain decimal writing of the value rounded to 15 significant digits: no blanks, no
// exponent ("0", "2.5", "-1", "1.1", "0.0000001", "100000000000000000000"). Negative zero is
// written "0". Infinities and NaN, which no read produces, are written "inf", "-inf" and "nan",
// texts that a strict read rejects.
std::string formatNumber(double value);

// The same with the sign position in front: one leading blank for a value that is not negative
// (" 2", " 0"), the minus sign otherwise ("-1").
std::string formatSignedNumber(double value);

}  // namespace quendrix
