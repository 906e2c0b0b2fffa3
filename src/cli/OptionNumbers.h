#pragma once
// The one rule that the numbers of quorvane-send's options are read with: the
// whole text is one number as the program reads every number (sign, digits,
// decimal point, exponent with E or D: global::ReadNumber), with nothing
// before or after it.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane::cli {

// "1.2", "1e0", "-3", ".5", "12D-1"; nothing for "", "x", "1.2.3", "1 2", "inf".
std::optional<double> ReadOptionNumber(std::string_view text);

// A whole number from lowest to highest: "2", "2.0" and "2e1" are whole, "2.5"
// is not.
std::optional<std::int32_t> ReadWholeOptionNumber(std::string_view text, std::int32_t lowest,
                                                  std::int32_t highest);

}  // namespace quorvane::cli
