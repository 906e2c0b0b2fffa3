#pragma once
// Reading text as a number, the one rule that every number of the program is
// read with: step lines, value lists and the boxes of the windows.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane::global {

// The form of a number: blanks (space characters) anywhere are ignored;
// optional sign, digits, optional decimal point with fraction, optional
// exponent (E or D, optionally signed). A text starting with &H, &O (either
// case) or 0x (0X) is a hexadecimal or octal integer. Any text is accepted:
// overlong exponents give an infinite value, never a crash.

// The whole text as a number: nothing when it is empty or holds anything
// that is not part of the number ("21h", "0b10", "1e", a tab). What is sent
// to the module is read this way, so a typing slip is refused, never sent as
// another value.
std::optional<double> ReadWholeNumber(std::string_view text);

// The longest leading part that forms a number, for boxes whose text is never
// sent ("7 ms" reads 7); a text without one gives 0.
double ReadNumber(std::string_view text);

// How the refusals of an unreadable number say to write hexadecimal.
inline constexpr const char* kHexHint = "write hex as 0x21 or &H21";

// Rounds to the nearest integer, halves to the even neighbour, and checks the
// target's range; nothing when the value does not fit.
std::optional<std::uint8_t> RoundToByte(double value);
std::optional<std::int16_t> RoundToInt16(double value);
std::optional<std::int32_t> RoundToInt32(double value);

}  // namespace quorvane::global
