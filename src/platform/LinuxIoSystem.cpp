#include "platform/LinuxIoSystem.h"

#if defined(QUORVANE_HAS_LINUX_IO_SYSTEM)

#include <sys/io.h>

#include <cerrno>

namespace quorvane::platform {

int LinuxIoSystem::Ioperm(unsigned long from, unsigned long count, bool on) {
  return ::ioperm(from, count, on ? 1 : 0) < 0 ? -errno : 0;
}

int LinuxIoSystem::Iopl(int level) {
  return ::iopl(level) < 0 ? -errno : 0;
}

void LinuxIoSystem::Outb(std::uint8_t value, std::uint16_t port) {
  ::outb(value, port);
}

}  // namespace quorvane::platform

#endif
