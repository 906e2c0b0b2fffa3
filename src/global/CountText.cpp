#include "global/CountText.h"

namespace quorvane::global {

std::string CountText(std::uint64_t count, std::string_view singular, std::string_view plural) {
  std::string text = std::to_string(count);
  text += ' ';
  text += count == 1 ? singular : plural;
  return text;
}

}  // namespace quorvane::global
