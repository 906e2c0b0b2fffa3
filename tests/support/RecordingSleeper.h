#pragma once
// A sleeper that never sleeps: it keeps the requested milliseconds in order.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Sleeper.h"

namespace quorvane::testing {

class RecordingSleeper final : public platform::Sleeper {
 public:
  void Sleep(std::uint32_t milliseconds) override {
    requests.push_back(milliseconds);
    if (onSleep) onSleep(milliseconds);
  }
  std::vector<std::uint32_t> requests;
  // Runs after each recorded request, e.g. to stand for a signal arriving.
  std::function<void(std::uint32_t)> onSleep;
};

}  // namespace quorvane::testing
