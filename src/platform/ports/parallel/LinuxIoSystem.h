#pragma once
// The real direct port I/O calls (x86 and x86_64 Linux only).

#if defined(__linux__) && (defined(__x86_64__) || defined(__i386__))
#define QUORVANE_HAS_LINUX_IO_SYSTEM 1

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

#endif
