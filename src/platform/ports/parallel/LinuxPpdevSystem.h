#pragma once
// The real system calls behind the ppdev backend (Linux only).

#include <string>

#include "platform/ports/parallel/PpdevSystem.h"

namespace quorvane::platform {

class LinuxPpdevSystem final : public PpdevSystem {
 public:
  int Open(const std::string& path) override;
  int Ioctl(int fd, unsigned long request, void* arg) override;
  void Close(int fd) override;
  bool ModuleLoaded(const std::string& name) override;
  std::string ActiveDevice(const std::string& path) override;
};

}  // namespace quorvane::platform
