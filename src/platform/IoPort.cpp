#include "platform/IoPort.h"

#include <cerrno>
#include <system_error>

#include "platform/ControlRegister.h"

namespace quorvane::platform {

namespace {

// The three registers of a parallel port: data, status, control.
constexpr unsigned long kRegisterCount = 3;
constexpr int kFullIoPrivilege = 3;

std::string HexText(std::uint16_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[value % 16]);
    value = static_cast<std::uint16_t>(value / 16);
  } while (value != 0);
  return "0x" + digits;
}

}  // namespace

IoPort::Opening IoPort::Open(IoSystem& system, std::uint16_t base) {
  const int result =
      NeedsIopl(base) ? system.Iopl(kFullIoPrivilege) : system.Ioperm(base, kRegisterCount, true);
  if (result == 0) return {std::make_unique<IoPort>(system, base), {}};
  const int error = -result;
  if (error == EPERM || error == EACCES) {
    return {nullptr,
            "direct port I/O at " + HexText(base) + " needs root or the CAP_SYS_RAWIO capability"};
  }
  return {nullptr, "direct port I/O at " + HexText(base) +
                       " could not be enabled: " + std::generic_category().message(error)};
}

IoPort::~IoPort() {
  if (NeedsIopl(base_)) {
    system_.Iopl(0);
  } else {
    system_.Ioperm(base_, kRegisterCount, false);
  }
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
