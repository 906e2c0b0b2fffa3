#pragma once
// The time of one port stack: real time counted from the moment the port is
// open, or under --virtual-time a clock that only the stack's waits move. It
// is made before the port, so that a backend that reckons when its pins catch
// up tells the time by the same clock as the traces and the waits.

#include <chrono>
#include <cstdint>

#include "platform/Clock.h"
#include "platform/Sleeper.h"

namespace quorvane::session {

class StackClock final : public platform::Clock {
 public:
  explicit StackClock(bool virtualTime) : virtualTime_(virtualTime) {}
  // Real time counts from here: the port is open.
  void Start() { start_ = std::chrono::steady_clock::now(); }
  std::uint64_t NowMicros() const override {
    if (virtualTime_) return virtual_.NowMicros();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                          std::chrono::steady_clock::now() - start_)
                                          .count());
  }
  bool Virtual() const { return virtualTime_; }
  // The waits that move the virtual clock.
  platform::Sleeper& VirtualWaits() { return virtualWaits_; }

 private:
  bool virtualTime_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  platform::VirtualClock virtual_;
  platform::VirtualSleeper virtualWaits_{virtual_};
};

}  // namespace quorvane::session
