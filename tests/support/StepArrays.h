#pragma once
// Step arrays built in code: the given lines in slots 0 onward, "X" after them.

#include <initializer_list>
#include <string>

#include "global/Global.h"

namespace quorvane::testing {

inline global::StepArray Steps(std::initializer_list<std::string> lines) {
  global::StepArray steps;
  steps.fill(global::kEndMarker);
  std::size_t slot = 0;
  for (const std::string& line : lines) steps[slot++] = line;
  return steps;
}

}  // namespace quorvane::testing
