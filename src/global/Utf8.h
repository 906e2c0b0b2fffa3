#pragma once
// UTF-8, read strictly: the one decoder of the program's texts in memory and
// of files that may be UTF-8.

#include <cstddef>
#include <string_view>

namespace quorvane::global {

struct Utf8Character {
  char32_t code = 0;
  // The bytes the character takes, 1 to 4; 0 when the bytes do not begin with
  // a valid sequence (a stray continuation byte, a cut, overlong or surrogate
  // sequence, or a code above U+10FFFF).
  std::size_t length = 0;
};

// The character at the start of `bytes` (which must not be empty).
Utf8Character DecodeUtf8(std::string_view bytes);

// Whether the whole text is valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

}  // namespace quorvane::global
