#include "cli/OptionNumbers.h"

#include <cctype>
#include <cmath>

#include "global/NumberReading.h"

namespace quorvane::cli {
namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Skips the digits from `at` on; whether there was one.
bool SkipDigits(std::string_view text, std::size_t& at) {
  const std::size_t start = at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at > start;
}

// Whether the whole text has the form ReadNumber takes its number from:
// [sign] digits [. digits] [E|D [sign] digits], a fraction without its whole
// part allowed. ReadNumber itself reads the longest such start and ignores the
// rest, which an option must not.
bool IsOneNumber(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  bool digits = SkipDigits(text, at);
  if (at < text.size() && text[at] == '.') {
    ++at;
    digits = SkipDigits(text, at) || digits;
  }
  if (!digits) return false;
  if (at < text.size() &&
      (text[at] == 'e' || text[at] == 'E' || text[at] == 'd' || text[at] == 'D')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    if (!SkipDigits(text, at)) return false;
  }
  return at == text.size();
}

}  // namespace

std::optional<double> ReadOptionNumber(std::string_view text) {
  if (!IsOneNumber(text)) return std::nullopt;
  const double value = global::ReadNumber(text);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int32_t> ReadWholeOptionNumber(std::string_view text, std::int32_t lowest,
                                                  std::int32_t highest) {
  const std::optional<double> value = ReadOptionNumber(text);
  if (!value || std::floor(*value) != *value || *value < lowest || *value > highest) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(*value);
}

}  // namespace quorvane::cli
