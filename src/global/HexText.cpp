#include "global/HexText.h"

#include <charconv>

namespace quorvane::global {

std::string HexDigits(std::uint32_t value, int digits, HexCase letters) {
  char text[8];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value, 16);
  std::string hex(text, end);
  if (letters == HexCase::Upper) {
    for (char& c : hex) {
      if (c >= 'a') c = static_cast<char>(c - 'a' + 'A');
    }
  }
  if (static_cast<int>(hex.size()) < digits) hex.insert(0, digits - hex.size(), '0');
  return hex;
}

std::string HexNumber(std::uint32_t value, int digits) {
  return "0x" + HexDigits(value, digits);
}

}  // namespace quorvane::global
