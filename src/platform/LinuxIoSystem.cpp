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

int LinuxIoSystem::Outb(std::uint8_t value, std::uint16_t port) {
  // The instruction itself reports nothing: a port the process may not touch
  // ends it with SIGSEGV rather than failing the write.
  ::outb(value, port);
  return 0;
}

}  // namespace quorvane::platform

#endif
