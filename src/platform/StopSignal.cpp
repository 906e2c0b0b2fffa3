#include "platform/StopSignal.h"

#include <atomic>

#include "platform/StopFlags.h"

namespace quorvane::platform {
namespace {

// The only state a signal handler may touch, besides what wakes a wait: two
// lock-free flags. On Windows the console's handler runs on a thread of its
// own, so the flags are atomic.
std::atomic<int> stopFlag = 0;
std::atomic<int> stopSignal = 0;
static_assert(std::atomic<int>::is_always_lock_free);

}  // namespace

void RecordStopRequest(int signal) {
  if (stopFlag == 0) stopSignal = signal;
  stopFlag = 1;
}

bool StopRequested() {
  return stopFlag != 0;
}

int StopSignalNumber() {
  return stopSignal;
}

int StopExitStatus() {
  return stopSignal != 0 ? 128 + stopSignal : 1;
}

void ThrowIfStopRequested() {
  if (StopRequested()) throw StopRequest();
}

}  // namespace quorvane::platform
