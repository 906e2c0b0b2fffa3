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
// the port exclusively (another program with PPEXCL, or a driver), or, for an
// exclusive claim, any other device is registered on it. The shared claim
// meets only the first two.
std::string ClaimRefused(const std::string& path) {
  return path +
         " cannot be claimed: another program or driver has the port for itself, or no "
         "parallel port is behind " +
         path + " (the kernel's log, dmesg, says which)";
}

// The device that holds the port, by the name it registered under.
std::string HolderWords(const std::string& holder) {
  if (holder == "lp") return "the printer driver lp";
  if (holder.starts_with("ppdev")) return "another program through ppdev (" + holder + ")";
  return "the driver " + holder;
}

std::string HeldTooLong(const std::string& path, const std::string& holder) {
  constexpr std::uint32_t kWaitedMs = PpdevPort::kHeldLooks * PpdevPort::kHeldLookMs;
  static_assert(kWaitedMs % 1000 == 0);
  std::string text = path + " is held by " + HolderWords(holder) +
                     ", which did not let go of it within " + std::to_string(kWaitedMs / 1000) +
                     " s; ";
  if (holder == "lp") {
    return text + "try again once the printer is done, or free the port with 'sudo modprobe -r lp'";
  }
  return text + "try again once it has let go";
}

std::string FailureReason(const std::string& path, Step step, int error) {
  const bool noDevice =
      error == ENOENT || error == ENODEV || (error == ENXIO && step == Step::kOpen);
  const bool busy = error == EBUSY || (error == ENXIO && step == Step::kClaim);
  if (noDevice) return "no parallel port at " + path;
  if (error == EACCES || error == EPERM) {
    return "no permission to use " + path +
           "; add the user to the group lp (and log in again) or run with the right permissions";
  }
  if (busy) return ClaimRefused(path);
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
  explicit OpenDevice(PpdevSystem& system) : system_(system) {}
  ~OpenDevice() { Close(); }
  OpenDevice(const OpenDevice&) = delete;
  OpenDevice& operator=(const OpenDevice&) = delete;
  // 0, or the negative errno of the open.
  int Open(const std::string& path) {
    Close();
    const int fd = system_.Open(path);
    if (fd < 0) return fd;
    fd_ = fd;
    return 0;
  }
  void Close() {
    if (fd_ >= 0) system_.Close(std::exchange(fd_, -1));
  }
  int Fd() const { return fd_; }
  int Take() { return std::exchange(fd_, -1); }

 private:
  PpdevSystem& system_;
  int fd_ = -1;
};

// parport_claim_or_block sleeps for as long as another device holds the port
// and will not be preempted (lp will not while it prints; a program holding
// it through ppdev has no preemption at all), so the shared claim comes only
// once the port is free, looked for in bounded steps. Empty when it is free
// (or cannot be looked at), else why the claim is given up. A driver that
// takes the port between the last look and the claim holds the claim up
// until it lets go.
std::string WaitUntilFree(PpdevSystem& system, const std::string& path, Sleeper* sleeper) {
  for (int look = 0;; ++look) {
    const std::string holder = system.ActiveDevice(path);
    if (holder.empty() || holder == "none") return {};
    if (look == PpdevPort::kHeldLooks || sleeper == nullptr) return HeldTooLong(path, holder);
    sleeper->Sleep(PpdevPort::kHeldLookMs);
  }
}

PpdevPort::Opening Refused(std::string error) {
  PpdevPort::Opening opening;
  opening.error = std::move(error);
  return opening;
}

}  // namespace

PpdevPort::Opening PpdevPort::Open(PpdevSystem& system, const std::string& path, Sleeper* sleeper) {
  OpenDevice device(system);
  if (const int opened = device.Open(path); opened < 0) {
    return Refused(FailureReason(path, Step::kOpen, -opened));
  }
  // Exclusive use keeps other drivers and programs off the port while the
  // program runs; PPEXCL only marks the registration the first claim makes.
  if (const int result = system.Ioctl(device.Fd(), PPEXCL, nullptr); result < 0) {
    return Refused(FailureReason(path, Step::kExclusive, -result));
  }
  int claimed = system.Ioctl(device.Fd(), PPCLAIM, nullptr);
  bool shared = false;
  if (claimed == -ENXIO) {
    // The exclusive registration was refused, most often because lp is
    // registered. The descriptor keeps its PPEXCL flag (PPSETFLAGS changes
    // only PP_FLAGMASK), so a new one claims the shared way.
    if (const int opened = device.Open(path); opened < 0) {
      return Refused(FailureReason(path, Step::kOpen, -opened));
    }
    if (std::string held = WaitUntilFree(system, path, sleeper); !held.empty()) {
      return Refused(std::move(held));
    }
    claimed = system.Ioctl(device.Fd(), PPCLAIM, nullptr);
    shared = true;
  }
  if (claimed < 0) return Refused(FailureReason(path, Step::kClaim, -claimed));
  // From here the port releases the claim and closes the descriptor.
  const int fd = device.Take();
  auto port = std::make_unique<PpdevPort>(system, fd);
  int forward = 0;
  if (const int result = system.Ioctl(fd, PPDATADIR, &forward); result < 0) {
    return Refused(FailureReason(path, Step::kDataDirection, -result));
  }
  Opening opening;
  opening.port = std::move(port);
  if (shared) {
    opening.shared = true;
    opening.sharedWith =
        system.ModuleLoaded("lp") ? "the printer driver lp" : "another driver registered on it";
  }
  return opening;
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
