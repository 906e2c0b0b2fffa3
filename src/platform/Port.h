#pragma once
// The port the program writes to: a byte to an I/O register, nothing read back.

#include <cstdint>

namespace quorvane::platform {

// The two registers of the parallel port as the program addresses them. A
// backend on a card with another base address maps them onto its own.
inline constexpr std::uint16_t kDataRegister = 0x378;
inline constexpr std::uint16_t kControlRegister = 0x37A;

class Port {
 public:
  virtual ~Port() = default;
  // Writes one byte to the register at once (or queues it, see Flush).
  virtual void Out32(std::uint16_t address, std::uint8_t value) = 0;
  // A backend that buffers sends what it holds; the others do nothing.
  virtual void Flush() {}
};

}  // namespace quorvane::platform
