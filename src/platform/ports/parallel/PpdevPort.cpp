#include "platform/ports/parallel/PpdevPort.h"

#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "platform/ports/parallel/ControlRegister.h"

namespace quorvane::platform {

namespace {

// The step of opening that failed; the same errno means different things at
// different steps.
enum class Step { kOpen, kExclusive, kClaim, kDataDirection };

// PPCLAIM registers this program's device on the port at the first claim and
// answers ENXIO when that fails (drivers/char/ppdev.c, register_device): when
// no port has the device's number, and when the registration is refused
// (drivers/parport/share.c, parport_register_dev_model): another device holds
// the port exclusively (another program with PPEXCL, or a driver), or, as this
// program asks for exclusive use, any other device is registered on it, such
// as the printer driver lp, which registers on every port it finds.
std::string ClaimRefused(PpdevSystem& system, const std::string& path) {
  if (system.ModuleLoaded("lp")) {
    return path +
           " cannot be claimed: the printer driver lp is loaded and holds the port (free it with "
           "'sudo modprobe -r lp'), or another program has the port for itself";
  }
  return path +
         " cannot be claimed: another program or driver has the port for itself, or no "
         "parallel port is behind " +
         path + " (the kernel's log, dmesg, says which)";
}

std::string FailureReason(PpdevSystem& system, const std::string& path, Step step, int error) {
  const bool noDevice =
      error == ENOENT || error == ENODEV || (error == ENXIO && step == Step::kOpen);
  const bool busy = error == EBUSY || (error == ENXIO && step == Step::kClaim);
  if (noDevice) return "no parallel port at " + path;
  if (error == EACCES || error == EPERM) {
    return "no permission to use " + path +
           "; add the user to the group lp (and log in again) or run with the right permissions";
  }
  if (busy) return ClaimRefused(system, path);
  const std::string message = std::generic_category().message(error);
  switch (step) {
    case Step::kOpen:
      return "cannot open " + path + ": " + message;
    case Step::kExclusive:
      return "cannot get exclusive use of " + path + ": " + message;
    case Step::kClaim:
      return "cannot claim " + path + ": " + message;
    case Step::kDataDirection:
      break;
  }
  return "cannot make " + path + " drive its data lines: " + message;
}

// An open descriptor on which the port is not claimed yet; closed unless taken.
class OpenDevice {
 public:
  OpenDevice(PpdevSystem& system, int fd) : system_(system), fd_(fd) {}
  ~OpenDevice() {
    if (fd_ >= 0) system_.Close(fd_);
  }
  OpenDevice(const OpenDevice&) = delete;
  OpenDevice& operator=(const OpenDevice&) = delete;
  int Fd() const { return fd_; }
  int Take() { return std::exchange(fd_, -1); }

 private:
  PpdevSystem& system_;
  int fd_;
};

}  // namespace

PpdevPort::Opening PpdevPort::Open(PpdevSystem& system, const std::string& path) {
  const int fd = system.Open(path);
  if (fd < 0) return {nullptr, FailureReason(system, path, Step::kOpen, -fd)};
  OpenDevice device(system, fd);
  // Exclusive use makes the claim fail at once when another driver has the
  // port registered; a plain claim would wait until that driver lets go.
  if (const int result = system.Ioctl(fd, PPEXCL, nullptr); result < 0) {
    return {nullptr, FailureReason(system, path, Step::kExclusive, -result)};
  }
  if (const int result = system.Ioctl(fd, PPCLAIM, nullptr); result < 0) {
    return {nullptr, FailureReason(system, path, Step::kClaim, -result)};
  }
  // From here the port releases the claim and closes the descriptor.
  auto port = std::make_unique<PpdevPort>(system, device.Take());
  int forward = 0;
  if (const int result = system.Ioctl(fd, PPDATADIR, &forward); result < 0) {
    return {nullptr, FailureReason(system, path, Step::kDataDirection, -result)};
  }
  return {std::move(port), {}};
}

PpdevPort::~PpdevPort() {
  system_.Ioctl(fd_, PPRELEASE, nullptr);
  system_.Close(fd_);
}

void PpdevPort::Out32(std::uint16_t address, std::uint8_t value) {
  if (Failed()) return;
  int result = 0;
  if (address == kDataRegister) {
    unsigned char byte = value;
    result = system_.Ioctl(fd_, PPWDATA, &byte);
  } else if (address == kControlRegister) {
    unsigned char byte = HardwareControlByte(value);
    result = system_.Ioctl(fd_, PPWCONTROL, &byte);
  }
  // A claimed port refuses a write only when something is wrong with it (the
  // port went away, or its driver lost the claim): nothing more is written.
  if (result < 0) Fail("ppdev: " + std::generic_category().message(-result));
}

}  // namespace quorvane::platform
