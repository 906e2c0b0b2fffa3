#include "platform/Sleeper.h"

#include <chrono>
#include <thread>

namespace quorvane::platform {

void ThreadSleeper::Sleep(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void ThreadSleeper::SleepMicros(std::uint64_t micros) {
  std::this_thread::sleep_for(std::chrono::microseconds(micros));
}

}  // namespace quorvane::platform
