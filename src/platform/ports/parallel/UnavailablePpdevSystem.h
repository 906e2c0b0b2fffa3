#pragma once
// Stands in for the ppdev calls where there is no ppdev driver; never called,
// as the factory reports ppdev as unavailable first.

#include <cerrno>
#include <string>

#include "platform/ports/parallel/PpdevSystem.h"

namespace quorvane::platform {

// Why the ppdev port cannot be opened here.
inline constexpr char kPpdevOnLinuxOnly[] = "the ppdev port exists on Linux only";

class UnavailablePpdevSystem final : public PpdevSystem {
 public:
  int Open(const std::string&) override { return -ENOSYS; }
  int Ioctl(int, unsigned long, void*) override { return -ENOSYS; }
  void Close(int) override {}
  bool ModuleLoaded(const std::string&) override { return false; }
  std::string ActiveDevice(const std::string&) override { return {}; }
};

}  // namespace quorvane::platform
