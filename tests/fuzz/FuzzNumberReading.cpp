// Number reading on any text: never a crash, never NaN, a whole number is the
// leading number too, and the integer targets either hold the rounded value
// or refuse it.

#include <cmath>

#include "FuzzInput.h"
#include "global/NumberReading.h"
#include "global/NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  const std::string_view text = fuzz::AsText(data, size);
  const double value = global::ReadNumber(text);
  fuzz::Check(!std::isnan(value));
  if (const auto whole = global::ReadWholeNumber(text)) fuzz::Check(*whole == value);
  if (const auto byte = global::RoundToByte(value)) fuzz::Check(std::fabs(*byte - value) <= 0.5);
  if (const auto word = global::RoundToInt16(value)) {
    fuzz::Check(std::fabs(*word - value) <= 0.5);
    // What the editor writes reads back as the same number.
    fuzz::Check(global::ReadWholeNumber(global::NumberText(*word)) == *word);
  }
  if (const auto wide = global::RoundToInt32(value)) fuzz::Check(std::fabs(*wide - value) <= 0.5);
  return 0;
}
