#include "platform/ports/parallel/IoPort.h"

#include <cerrno>
#include <system_error>
#include <utility>

#include "global/HexText.h"
#include "platform/ports/parallel/ControlRegister.h"

namespace quorvane::platform {

namespace {

// The three registers of a parallel port: data, status, control.
constexpr unsigned long kRegisterCount = 3;

std::string HexText(std::uint16_t value) {
  return global::HexNumber(value);
}

// ioperm refuses a thread without CAP_SYS_RAWIO with EPERM, and a kernel in
// lockdown refuses everyone the same way (arch/x86/kernel/ioport.c,
// security_locked_down(LOCKDOWN_IOPORT)); a kernel built without I/O-port
// access has no ioperm at all (ENOSYS).
std::string AccessFailure(IoSystem& system, std::uint16_t base, int error) {
  const std::string where = "direct port I/O at " + HexText(base);
  if (error == EPERM) {
    const std::string mode = IoPort::LockdownMode(system.LockdownText());
    if (!mode.empty() && mode != "none") {
      return where + " is refused by the kernel's lockdown (mode " + mode +
             ", which Secure Boot usually switches on), also for root; use the ppdev port "
             "(ppdev:/dev/parportN) instead";
    }
  }
  if (error == EPERM || error == EACCES) {
    return where + " needs root or the CAP_SYS_RAWIO capability";
  }
  if (error == ENOSYS) {
    return where +
           " is not possible: this kernel was built without I/O-port access (ioperm is "
           "missing); use the ppdev port (ppdev:/dev/parportN) instead";
  }
  return where + " could not be enabled: " + std::generic_category().message(error);
}

// The patterns the opening writes to the data register and reads back: CS
// (bit 3) and RESET (bit 4) stay high in both, so the module takes no clock
// edge and keeps its state, and every other line goes both ways. An empty bus
// reads 0xFF.
constexpr std::uint8_t kCheckPatterns[] = {0x5A, 0xBD};

std::string Hex2(int value) {
  return global::HexNumber(static_cast<std::uint32_t>(value), 2);
}

// Whether a parallel port answers at base: on a standard port whose data lines
// drive (direction bit clear), the data register reads back what was written.
// Writes each pattern and reads it back, then writes back what the register
// held. Empty when it answers, else why not.
std::string CheckAnswers(IoSystem& system, std::uint16_t base) {
  const int held = system.Inb(base);
  if (held < 0) {
    return "cannot read the data register at " + HexText(base) + ": " +
           std::generic_category().message(-held);
  }
  std::string failure;
  for (const std::uint8_t pattern : kCheckPatterns) {
    if (const int written = system.Outb(pattern, base); written < 0) {
      failure = "cannot write the data register at " + HexText(base) + ": " +
                std::generic_category().message(-written);
      break;
    }
    if (const int read = system.Inb(base); read != pattern) {
      failure = "no parallel port answers at " + HexText(base) + ": its data register read " +
                (read < 0 ? std::generic_category().message(-read) : Hex2(read)) + " after " +
                Hex2(pattern) +
                " was written; give the card's base as /proc/ioports or lspci -v shows it "
                "(io:378, io:E800)";
      break;
    }
  }
  system.Outb(static_cast<std::uint8_t>(held), base);
  return failure;
}

}  // namespace

std::string IoPort::LockdownMode(const std::string& text) {
  const auto open = text.find('[');
  const auto close = text.find(']', open);
  if (open == std::string::npos || close == std::string::npos) return {};
  return text.substr(open + 1, close - open - 1);
}

IoPort::Opening IoPort::Open(IoSystem& system, std::uint16_t base) {
  if (const int result = system.Ioperm(base, kRegisterCount, true); result < 0) {
    return {nullptr, AccessFailure(system, base, -result)};
  }
  // From here the port gives the access back.
  auto port = std::make_unique<IoPort>(system, base);
  const auto control = static_cast<std::uint16_t>(base + 2);
  const int read = system.Inb(control);
  const int written =
      read < 0 ? read
               : system.Outb(static_cast<std::uint8_t>(read & ~kControlDirectionBit), control);
  if (written < 0) {
    return {nullptr, "cannot make the port at " + HexText(base) +
                         " drive its data lines: " + std::generic_category().message(-written)};
  }
  if (std::string silent = CheckAnswers(system, base); !silent.empty()) {
    return {nullptr, std::move(silent)};
  }
  return {std::move(port), {}};
}

IoPort::~IoPort() {
  system_.Ioperm(base_, kRegisterCount, false);
}

void IoPort::Out32(std::uint16_t address, std::uint8_t value) {
  if (Failed()) return;
  int result = 0;
  if (address == kDataRegister) {
    result = system_.Outb(value, base_);
  } else if (address == kControlRegister) {
    result = system_.Outb(HardwareControlByte(value), static_cast<std::uint16_t>(base_ + 2));
  }
  if (result < 0) Fail("io: " + std::generic_category().message(-result));
}

}  // namespace quorvane::platform
