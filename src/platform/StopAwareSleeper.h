#pragma once
// A real wait that ends early, with StopRequest, when the program is asked to
// stop: a long "#" delay never keeps the program from shutting down. Otherwise
// a wait never ends before its time: the module's reset pulse and the delays
// of an event are minimum times.

#include <chrono>

#include "platform/Sleeper.h"

namespace quorvane::platform {

class StopAwareSleeper final : public Sleeper {
 public:
  // The clock and the blocking wait underneath; tests hand in a fake.
  class WaitSystem {
   public:
    virtual ~WaitSystem() = default;
    virtual std::chrono::steady_clock::time_point Now() const = 0;
    // Blocks for about `milliseconds`, or less when a stop is requested (or
    // a signal interrupts the wait).
    virtual void WaitAtMost(int milliseconds) = 0;
  };

  // The steady clock, and a wait that a stop request ends.
  StopAwareSleeper();
  explicit StopAwareSleeper(WaitSystem& system) : system_(system) {}
  void Sleep(std::uint32_t milliseconds) override;

 private:
  WaitSystem& system_;
};

}  // namespace quorvane::platform
