#include "global/Diagnostics.h"

#include <utility>

namespace quorvane::global {

void Diagnostics::Report(const std::string& message) {
  if (seen_.insert(message).second) messages_.push_back(message);
}

std::vector<std::string> Diagnostics::Take() {
  seen_.clear();
  return std::exchange(messages_, {});
}

}  // namespace quorvane::global
