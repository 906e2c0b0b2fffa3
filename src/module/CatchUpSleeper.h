#pragma once
// A sleeper that runs a hook before each wait, then waits through the sleeper
// behind it: the module window catches up at the start of a "#" delay, so the
// panel shows during the wait what the module shows.

#include <cstdint>
#include <functional>
#include <utility>

#include "platform/Sleeper.h"

namespace quorvane::module {

class CatchUpSleeper final : public platform::Sleeper {
 public:
  explicit CatchUpSleeper(platform::Sleeper& inner) : inner_(inner) {}
  void SetHook(std::function<void()> hook) { hook_ = std::move(hook); }
  void Sleep(std::uint32_t milliseconds) override {
    if (hook_) hook_();
    inner_.Sleep(milliseconds);
  }

 private:
  platform::Sleeper& inner_;
  std::function<void()> hook_;
};

}  // namespace quorvane::module
