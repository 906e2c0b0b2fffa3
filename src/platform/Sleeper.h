#pragma once
// Blocking waits. The program waits only through a Sleeper, so tests hand in
// one that records the requested milliseconds instead of sleeping.

#include <cstdint>

namespace quorvane::platform {

class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // A wait of microseconds: the time a buffering port's pins take to catch
  // up. Never shorter than asked; by default the next whole millisecond.
  virtual void SleepMicros(std::uint64_t micros) {
    Sleep(static_cast<std::uint32_t>((micros + 999) / 1000));
  }
};

// Sleeps for real on the calling thread.
class ThreadSleeper final : public Sleeper {
 public:
  void Sleep(std::uint32_t milliseconds) override;
  void SleepMicros(std::uint64_t micros) override;
};

}  // namespace quorvane::platform
