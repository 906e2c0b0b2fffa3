#pragma once
// A real wait that ends early, with StopRequest, when the program is asked to
// stop: a long "#" delay never keeps the program from shutting down.

#include "platform/Sleeper.h"

namespace quorvane::platform {

class StopAwareSleeper final : public Sleeper {
 public:
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace quorvane::platform
