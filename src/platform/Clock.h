#pragma once
// Time as the port traces count it: microseconds since the port was opened.

#include <chrono>
#include <cstdint>

namespace quorvane::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint64_t NowMicros() const = 0;
};

// Real time, counted from the moment the clock was made.
class SteadyClock final : public Clock {
 public:
  SteadyClock() : start_(std::chrono::steady_clock::now()) {}
  std::uint64_t NowMicros() const override {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                          std::chrono::steady_clock::now() - start_)
                                          .count());
  }

 private:
  std::chrono::steady_clock::time_point start_;
};

// Virtual time: starts at 0 and moves only when a wait is made through a
// VirtualSleeper (VirtualSleeper.h), so a script with long waits runs at once
// while its trace still shows the waits.
class VirtualClock final : public Clock {
 public:
  std::uint64_t NowMicros() const override { return micros_; }
  void Advance(std::uint64_t micros) { micros_ += micros; }

 private:
  std::uint64_t micros_ = 0;
};

}  // namespace quorvane::platform
