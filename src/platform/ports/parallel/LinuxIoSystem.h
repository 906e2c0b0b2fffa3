#pragma once
// The real direct port I/O calls (x86 and x86_64 Linux only; the build
// compiles them where <sys/io.h> has them and then defines
// QUORVANE_HAS_LINUX_IO_SYSTEM).

#include "platform/ports/parallel/IoSystem.h"

namespace quorvane::platform {

class LinuxIoSystem final : public IoSystem {
 public:
  int Ioperm(unsigned long from, unsigned long count, bool on) override;
  int Inb(std::uint16_t port) override;
  int Outb(std::uint8_t value, std::uint16_t port) override;
  std::string LockdownText() override;
};

}  // namespace quorvane::platform
