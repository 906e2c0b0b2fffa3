#pragma once
// A sleeper that never sleeps: it keeps the requested milliseconds in order,
// and the microseconds of the waits for a port's pins.

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
  // The waits for a buffering port's pins, in microseconds, kept apart.
  void SleepMicros(std::uint64_t micros) override { microRequests.push_back(micros); }
  std::vector<std::uint32_t> requests;
  std::vector<std::uint64_t> microRequests;
  // Runs after each recorded request, e.g. to stand for a signal arriving.
  std::function<void(std::uint32_t)> onSleep;
};

}  // namespace quorvane::testing
