#pragma once
// Reading text as a number, the one rule that every number of the program is
// read with: step lines, value lists and the boxes of the windows.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane::global {

// Blanks (space characters) anywhere are ignored; the longest leading part that forms a number is
// taken: optional sign, digits, optional decimal point with fraction, optional
// exponent (E or D, optionally signed). A text starting with &H or &O (either
// case) is a hexadecimal or octal integer. No such part gives 0. Any text is
// accepted: overlong exponents give an infinite value, never a crash.
double ReadNumber(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour, and checks the
// target's range; nothing when the value does not fit.
std::optional<std::uint8_t> RoundToByte(double value);
std::optional<std::int16_t> RoundToInt16(double value);
std::optional<std::int32_t> RoundToInt32(double value);

}  // namespace quorvane::global
