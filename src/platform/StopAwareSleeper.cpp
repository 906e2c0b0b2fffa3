#include "platform/StopAwareSleeper.h"

#include <algorithm>

#include "platform/StopSignal.h"

namespace quorvane::platform {
namespace {

class RealWaitSystem final : public StopAwareSleeper::WaitSystem {
 public:
  std::chrono::steady_clock::time_point Now() const override {
    return std::chrono::steady_clock::now();
  }
  void WaitAtMost(int milliseconds) override { WaitAtMostUnlessStopped(milliseconds); }
};

RealWaitSystem& RealSystem() {
  static RealWaitSystem system;
  return system;
}

}  // namespace

StopAwareSleeper::StopAwareSleeper() : system_(RealSystem()) {}

void StopAwareSleeper::Sleep(std::uint32_t milliseconds) {
  ThrowIfStopRequested();
  const auto deadline = system_.Now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    const auto left = deadline - system_.Now();
    if (left <= left.zero()) break;
    // Whole milliseconds rounded up, so that the part of a millisecond left
    // is waited too. Waits in slices, so that also a stop without a readable
    // descriptor is seen within a tenth of a second.
    const auto slice = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    system_.WaitAtMost(static_cast<int>(std::min<decltype(slice)>(slice, 100)));
    ThrowIfStopRequested();
  }
}

}  // namespace quorvane::platform
