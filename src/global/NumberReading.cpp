#include "global/NumberReading.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace quorvane::global {
namespace {

// Blanks are space characters only: a tab or any other control character
// ends a number ("1<TAB>2" reads 1).
bool IsBlank(char c) {
  return c == ' ';
}

// Characters of the text with the blanks left out, read one at a time.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) { SkipBlanks(); }
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void Next() {
    ++pos_;
    SkipBlanks();
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

// What a text reads as: the value of its longest leading number, and whether
// that number is the whole text.
struct Reading {
  double value = 0;
  bool whole = false;
};

int DigitOf(char c, int radix) {
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  int digit = -1;
  if (lower >= '0' && lower <= '9') digit = lower - '0';
  if (lower >= 'a' && lower <= 'f') digit = lower - 'a' + 10;
  return digit < radix ? digit : -1;
}

Reading ReadRadixInteger(Cursor& cursor, int radix) {
  double value = 0;
  bool anyDigit = false;
  for (; !cursor.AtEnd(); cursor.Next()) {
    const int digit = DigitOf(cursor.Peek(), radix);
    if (digit < 0) break;
    value = value * radix + digit;
    anyDigit = true;
  }
  return {value, anyDigit && cursor.AtEnd()};
}

// The decimal form: collects the accepted characters in the form from_chars
// reads and lets it do the conversion, so long digit strings and huge
// exponents get the library's correctly rounded result. from_chars, unlike
// strtod, never reads the C locale's decimal separator: under a German locale
// strtod stops "2.5" at the point and gives 2.
Reading ReadDecimal(Cursor& cursor) {
  std::string number;
  bool negative = false;
  if (cursor.Peek() == '+' || cursor.Peek() == '-') {
    negative = cursor.Peek() == '-';
    cursor.Next();
  }
  bool anyDigit = false;
  // The power of ten of the first significant digit, plus one: 2 for "12.5",
  // -1 for "0.025"; it tells an overflow from an underflow.
  long long magnitude = 0;
  bool significant = false;
  while (std::isdigit(static_cast<unsigned char>(cursor.Peek()))) {
    significant = significant || cursor.Peek() != '0';
    if (significant) ++magnitude;
    number += cursor.Peek();
    anyDigit = true;
    cursor.Next();
  }
  if (cursor.Peek() == '.') {
    number += '.';
    cursor.Next();
    while (std::isdigit(static_cast<unsigned char>(cursor.Peek()))) {
      significant = significant || cursor.Peek() != '0';
      if (!significant) --magnitude;
      number += cursor.Peek();
      anyDigit = true;
      cursor.Next();
    }
  }
  if (!anyDigit) return {};
  bool exponentWhole = true;
  long long exponent = 0;
  const char e = static_cast<char>(std::toupper(static_cast<unsigned char>(cursor.Peek())));
  if (e == 'E' || e == 'D') {
    cursor.Next();
    std::string sign;
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
      sign = cursor.Peek();
      cursor.Next();
    }
    bool anyExponentDigit = false;
    std::string digits;
    while (std::isdigit(static_cast<unsigned char>(cursor.Peek()))) {
      // Leading zeros of an exponent add nothing and would only lengthen it.
      if (cursor.Peek() != '0' || !digits.empty()) digits += cursor.Peek();
      // Far beyond any double; held there so that it cannot overflow.
      exponent = std::min(exponent * 10 + (cursor.Peek() - '0'), 1'000'000'000'000LL);
      anyExponentDigit = true;
      cursor.Next();
    }
    // An exponent without digits is not part of the number: "1E" reads as 1.
    if (anyExponentDigit) number += "e" + sign + (digits.empty() ? "0" : digits);
    exponentWhole = anyExponentDigit;
    if (sign == "-") exponent = -exponent;
  }
  double value = 0;
  const auto [end, problem] = std::from_chars(number.data(), number.data() + number.size(), value);
  // Out of range from_chars leaves the value alone: too large a number is
  // infinite and too small a one 0, as strtod gives them.
  if (problem == std::errc::result_out_of_range) {
    value = magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return {negative ? -value : value, exponentWhole && cursor.AtEnd()};
}

// Plain unsigned integers are by far the commonest numbers (step lines, value
// lists); they are read without building a string. Only a text that is
// nothing but blanks and up to nine digits is read here.
bool TryReadPlainInteger(std::string_view text, double& value) {
  std::uint32_t result = 0;
  std::size_t digits = 0;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      if (++digits > 9) return false;
      result = result * 10 + static_cast<std::uint32_t>(c - '0');
    } else if (!IsBlank(c)) {
      return false;
    }
  }
  if (digits == 0) return false;
  value = result;
  return true;
}

template <typename T>
std::optional<T> RoundInto(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);  // default mode: halves to even
  if (rounded < static_cast<double>(std::numeric_limits<T>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<T>::max())) {
    return std::nullopt;
  }
  return static_cast<T>(rounded);
}

// The one reader behind both uses.
Reading Read(std::string_view text) {
  double plain = 0;
  if (TryReadPlainInteger(text, plain)) return {plain, true};
  Cursor cursor(text);
  if (cursor.Peek() == '&') {
    Cursor prefixed = cursor;
    prefixed.Next();
    const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(prefixed.Peek())));
    if (kind == 'H' || kind == 'O') {
      prefixed.Next();
      return ReadRadixInteger(prefixed, kind == 'H' ? 16 : 8);
    }
    return {};
  }
  if (cursor.Peek() == '0') {
    Cursor prefixed = cursor;
    prefixed.Next();
    if (prefixed.Peek() == 'x' || prefixed.Peek() == 'X') {
      prefixed.Next();
      // "0x" without a hex digit after it is the number 0 and a stray "x".
      if (DigitOf(prefixed.Peek(), 16) >= 0) return ReadRadixInteger(prefixed, 16);
    }
  }
  return ReadDecimal(cursor);
}

}  // namespace

std::optional<double> ReadWholeNumber(std::string_view text) {
  const Reading reading = Read(text);
  if (!reading.whole) return std::nullopt;
  return reading.value;
}

double ReadNumber(std::string_view text) {
  return Read(text).value;
}

std::optional<std::uint8_t> RoundToByte(double value) {
  return RoundInto<std::uint8_t>(value);
}
std::optional<std::int16_t> RoundToInt16(double value) {
  return RoundInto<std::int16_t>(value);
}
std::optional<std::int32_t> RoundToInt32(double value) {
  return RoundInto<std::int32_t>(value);
}

}  // namespace quorvane::global
