// The desktop program's wait: it never ends before its time, also when the
// time left is a part of a millisecond or the wait underneath wakes early.

#include "platform/StopAwareSleeper.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace quorvane::platform {
namespace {

using namespace std::chrono_literals;
using Nanoseconds = std::chrono::nanoseconds;

// A clock that moves only as the fake says: each look at the clock costs
// `perLook` (time goes by between the sleeper's steps), and each wait lasts
// what `waitLength` makes of the milliseconds asked for.
class FakeWaitSystem final : public StopAwareSleeper::WaitSystem {
 public:
  std::chrono::steady_clock::time_point Now() const override {
    now_ += perLook;
    return now_;
  }
  void WaitAtMost(int milliseconds) override {
    asked.push_back(milliseconds);
    now_ += waitLength(milliseconds);
  }
  Nanoseconds Elapsed() const { return now_ - start_; }

  Nanoseconds perLook = 0ns;
  std::function<Nanoseconds(int)> waitLength = [](int ms) { return Nanoseconds(ms * 1'000'000LL); };
  std::vector<int> asked;

 private:
  const std::chrono::steady_clock::time_point start_{1h};
  mutable std::chrono::steady_clock::time_point now_ = start_;
};

TEST(StopAwareSleeper, WaitsTheWholeTimeWithThePartOfAMillisecondLeft) {
  FakeWaitSystem system;
  system.perLook = 250us;  // time that passes while the sleeper computes
  StopAwareSleeper sleeper(system);
  sleeper.Sleep(10);
  EXPECT_GE(system.Elapsed(), 10ms + 250us) << "the wait began at the first look";
  EXPECT_LT(system.Elapsed(), 12ms);
  // 9.75 ms left: 10 whole milliseconds are asked for, not 9.
  EXPECT_EQ(system.asked, (std::vector<int>{10}));
}

TEST(StopAwareSleeper, WaitsAgainWhenTheWaitUnderneathWakesEarly) {
  struct Case {
    std::uint32_t milliseconds;
    std::function<Nanoseconds(int)> waitLength;
    std::vector<int> asked;
  };
  const Case cases[] = {
      // A signal cuts every wait short by 0.4 ms: the rest is waited again.
      {10, [](int ms) { return Nanoseconds(ms * 1'000'000LL - 400'000); }, {10, 1}},
      // poll() wakes at half the time asked for.
      {50, [](int ms) { return Nanoseconds(ms * 500'000LL); }, {50, 25, 13, 6, 3, 2, 1}},
      // Long waits go in slices of at most 100 ms, so that a stop is seen.
      {250, [](int ms) { return Nanoseconds(ms * 1'000'000LL); }, {100, 100, 50}},
      {0, [](int ms) { return Nanoseconds(ms * 1'000'000LL); }, {}},
  };
  for (const Case& c : cases) {
    FakeWaitSystem system;
    system.waitLength = c.waitLength;
    StopAwareSleeper sleeper(system);
    sleeper.Sleep(c.milliseconds);
    EXPECT_GE(system.Elapsed(), std::chrono::milliseconds(c.milliseconds)) << c.milliseconds;
    EXPECT_EQ(system.asked, c.asked) << c.milliseconds;
  }
}

}  // namespace
}  // namespace quorvane::platform
