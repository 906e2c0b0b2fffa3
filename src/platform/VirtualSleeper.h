#pragma once
// A wait in virtual time: it only moves the VirtualClock on, so a script with
// long waits runs at once while its trace still shows the waits.

#include <cstdint>

#include "platform/Clock.h"
#include "platform/Sleeper.h"

namespace quorvane::platform {

class VirtualSleeper final : public Sleeper {
 public:
  explicit VirtualSleeper(VirtualClock& clock) : clock_(clock) {}
  void Sleep(std::uint32_t milliseconds) override {
    clock_.Advance(std::uint64_t{milliseconds} * 1000);
  }
  void SleepMicros(std::uint64_t micros) override { clock_.Advance(micros); }

 private:
  VirtualClock& clock_;
};

}  // namespace quorvane::platform
