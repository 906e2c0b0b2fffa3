#pragma once
// The system calls of direct port I/O on x86 Linux, behind an interface so that
// the io backend's logic runs against a stand-in where it may not touch ports.

#include <cstdint>
#include <string>

namespace quorvane::platform {

class IoSystem {
 public:
  virtual ~IoSystem() = default;
  // ioperm(from, count, on): 0, or the negative errno.
  virtual int Ioperm(unsigned long from, unsigned long count, bool on) = 0;
  // inb(port): the byte read from one I/O port (0 to 255), or the negative
  // errno.
  virtual int Inb(std::uint16_t port) = 0;
  // outb(value, port): one byte to one I/O port; 0, or the negative errno.
  virtual int Outb(std::uint8_t value, std::uint16_t port) = 0;
  // The text of /sys/kernel/security/lockdown ("none [integrity]
  // confidentiality", the mode in force in brackets); empty where the file
  // is missing or cannot be read.
  virtual std::string LockdownText() = 0;
};

}  // namespace quorvane::platform
