#include "platform/ports/parallel/IoPort.h"

#include <cerrno>
#include <system_error>
#include <utility>

#include "platform/ports/parallel/ControlRegister.h"

namespace quorvane::platform {

namespace {

// The three registers of a parallel port: data, status, control.
constexpr unsigned long kRegisterCount = 3;

std::string HexText(std::uint16_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[value % 16]);
    value = static_cast<std::uint16_t>(value / 16);
  } while (value != 0);
  return "0x" + digits;
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
