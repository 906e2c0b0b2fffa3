#pragma once
// Blocking waits. The program waits only through a Sleeper, so tests hand in
// one that records the requested milliseconds instead of sleeping.

#include <cstdint>

namespace quorvane::platform {

class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

// Sleeps for real on the calling thread.
class ThreadSleeper final : public Sleeper {
 public:
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace quorvane::platform
