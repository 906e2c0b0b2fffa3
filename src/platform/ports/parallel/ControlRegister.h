#pragma once
// The control-register byte a hardware port is given for the byte the program
// wrote.

#include <cstdint>

namespace quorvane::platform {

// Bit 5 of the control register turns the data lines of a bidirectional port
// into inputs and bit 4 enables the port's interrupt. The program drives the
// module only through the data lines, so a hardware backend keeps both bits
// clear: a literal 0xFF to the control register would otherwise leave the
// module's lines floating.
inline constexpr std::uint8_t kControlDirectionBit = 0x20;
inline constexpr std::uint8_t kControlDirectionAndInterruptBits = kControlDirectionBit | 0x10;

constexpr std::uint8_t HardwareControlByte(std::uint8_t written) {
  return static_cast<std::uint8_t>(written & ~kControlDirectionAndInterruptBits);
}

}  // namespace quorvane::platform
