#pragma once
// A sleeper that never sleeps: it keeps the requested milliseconds in order.

#include <cstdint>
#include <vector>

#include "platform/Sleeper.h"

namespace quorvane::testing {

class RecordingSleeper final : public platform::Sleeper {
 public:
  void Sleep(std::uint32_t milliseconds) override { requests.push_back(milliseconds); }
  std::vector<std::uint32_t> requests;
};

}  // namespace quorvane::testing
