#include "platform/Sleeper.h"

#include <chrono>
#include <thread>

namespace quorvane::platform {

void ThreadSleeper::Sleep(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace quorvane::platform
