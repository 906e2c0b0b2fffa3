#include "platform/StopAwareSleeper.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/StopSignal.h"

#ifndef _WIN32
#include <poll.h>
#endif

namespace quorvane::platform {

void StopAwareSleeper::Sleep(std::uint32_t milliseconds) {
  ThrowIfStopRequested();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    // Waits in slices, so that also a stop without a readable descriptor is
    // seen within a tenth of a second.
    const int slice = static_cast<int>(std::min<std::int64_t>(left.count(), 100));
#ifndef _WIN32
    pollfd stop = {StopDescriptor(), POLLIN, 0};
    poll(&stop, stop.fd >= 0 ? 1 : 0, slice);
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(slice));
#endif
    ThrowIfStopRequested();
  }
}

}  // namespace quorvane::platform
