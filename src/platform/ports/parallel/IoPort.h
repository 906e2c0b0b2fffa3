#pragma once
// A parallel port written with direct port I/O (x86 Linux): the port's
// registers are written with outb at its base address, which may differ from
// the 0x378 the program addresses (PCI cards sit at bases such as 0xE800).

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ports/Port.h"
#include "platform/ports/parallel/IoSystem.h"

namespace quorvane::platform {

class IoPort final : public Port {
 public:
  static constexpr std::uint16_t kDefaultBase = 0x378;
  // The highest base whose control register (base + 2) is still a port.
  static constexpr std::uint16_t kHighestBase = 0xFFFD;

  struct Opening {
    std::unique_ptr<IoPort> port;  // null when access was refused
    std::string error;             // one sentence naming the base and the reason
  };

  // Asks for access to the three registers at base with ioperm, which covers
  // every port since Linux 2.6.8, then clears the direction bit (bit 5) of
  // the control register, as ppdev's PPDATADIR does: a port that another
  // program left in reverse mode would not drive its data lines. Last it
  // checks that a port answers at base: two patterns written to the data
  // register read back (CS and RESET high in both, so the module keeps its
  // state), then the register gets back what it held; a base where nothing
  // reads back is refused.
  static Opening Open(IoSystem& system, std::uint16_t base);

  // What the active mode of the kernel's lockdown is, from the text of
  // /sys/kernel/security/lockdown ("none [integrity] confidentiality" gives
  // "integrity"); empty when the text names none.
  static std::string LockdownMode(const std::string& text);

  // Takes over access already granted for the registers at base.
  IoPort(IoSystem& system, std::uint16_t base) : system_(system), base_(base) {}
  // Gives the access back.
  ~IoPort() override;
  IoPort(const IoPort&) = delete;
  IoPort& operator=(const IoPort&) = delete;

  // The data register (0x378) goes to base, the control register (0x37A) to
  // base + 2 with bits 4 and 5 kept clear; other addresses are ignored. A write
  // that fails is latched ("io: ...") and nothing more is written.
  void Out32(std::uint16_t address, std::uint8_t value) override;

 private:
  IoSystem& system_;
  std::uint16_t base_;
};

}  // namespace quorvane::platform
