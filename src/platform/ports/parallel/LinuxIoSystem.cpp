#include "platform/ports/parallel/LinuxIoSystem.h"

#include <sys/io.h>

#include <cerrno>
#include <fstream>
#include <sstream>

namespace quorvane::platform {

int LinuxIoSystem::Ioperm(unsigned long from, unsigned long count, bool on) {
  return ::ioperm(from, count, on ? 1 : 0) < 0 ? -errno : 0;
}

int LinuxIoSystem::Inb(std::uint16_t port) {
  // Like outb, the instruction reports nothing: a port the process may not
  // touch ends it with SIGSEGV.
  return ::inb(port);
}

int LinuxIoSystem::Outb(std::uint8_t value, std::uint16_t port) {
  // The instruction itself reports nothing: a port the process may not touch
  // ends it with SIGSEGV rather than failing the write.
  ::outb(value, port);
  return 0;
}

std::string LinuxIoSystem::LockdownText() {
  std::ifstream file("/sys/kernel/security/lockdown");
  std::ostringstream text;
  text << file.rdbuf();
  return file ? text.str() : std::string();
}

}  // namespace quorvane::platform
