#include "global/NumberText.h"

namespace quorvane::global {

std::string NumberText(std::int64_t value) {
  std::string text(value < 0 ? 0 : 1, ' ');
  return text.append(std::to_string(value));
}

}  // namespace quorvane::global
