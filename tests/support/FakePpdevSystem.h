#pragma once
// A stand-in for the ppdev system calls that answers as the kernel does, after
// drivers/char/ppdev.c (pp_open, pp_release, pp_do_ioctl, register_device),
// drivers/parport/share.c (parport_register_dev_model, parport_claim,
// parport_claim_or_block, parport_release) and drivers/parport/procfs.c
// (do_active_device, /proc/sys/dev/parport/parportN/devices/active):
//  - open registers nothing and clears the descriptor's flags;
//  - PPEXCL only sets a flag for the registration to come; once the device is
//    registered it answers EINVAL (0 when it was registered exclusively);
//  - the first PPCLAIM registers the device and answers ENXIO when no port is
//    there, when another device registered exclusively ("no more devices
//    allowed"), or when this one asks for exclusive use while any other device
//    is registered ("cannot grant exclusive access"), as the printer driver lp
//    is on every port it finds. The device stays unregistered with its PPEXCL
//    flag set (PPSETFLAGS changes only PP_FLAGMASK): only closing and opening
//    again drops the flag;
//  - a PPCLAIM while another device holds the port sleeps in
//    parport_claim_or_block until the holder lets go (lp refuses to be
//    preempted while it prints): the stand-in counts the claim as one that
//    would sleep and answers EINTR, as a signal ends that sleep;
//  - the registers need the port claimed (EINVAL before);
//  - closing releases the claim and unregisters the device; a second
//    descriptor of this program gets the next number and is a device of its
//    own.
// Every call is recorded as a line of text; ioctlResults forces an answer.

#include <cerrno>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/ports/parallel/PpdevSystem.h"

#if defined(__linux__)
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#endif

namespace quorvane::testing {

// The ppdev backend is Linux's; elsewhere a ppdev port text is refused as such,
// so the cases written around its stand-in are left out there.
#ifdef __linux__
inline constexpr bool kPpdevHere = true;
#else
inline constexpr bool kPpdevHere = false;
#endif

// Why a ppdev port on a device that is not there cannot be opened.
inline std::string MissingPpdevReason(const std::string& device) {
  return kPpdevHere ? "no parallel port at " + device : "the ppdev port exists on Linux only";
}

class FakePpdevSystem final : public platform::PpdevSystem {
 public:
  static constexpr int kFd = 7;
  // The name this program's device registers under (ppdev and the minor).
  static constexpr const char* kOwnDevice = "ppdev0";

  // The lowest free descriptor from openResult on, as the kernel gives them.
  int Open(const std::string& path) override {
    calls.push_back("open " + path);
    if (openResult < 0) return openResult;
    int fd = openResult;
    while (devices_.contains(fd)) ++fd;
    devices_[fd] = {};
    return fd;
  }
  int Ioctl(int fd, unsigned long request, void* arg) override {
    calls.push_back("ioctl " + std::to_string(fd) + " " + Describe(request, arg));
#if defined(__linux__)
    if (request == PPWDATA || request == PPWCONTROL) {
      if (++registerWrites == failingWrite) return writeError;
      if (onRegisterWrite) onRegisterWrite(registerWrites);
    }
#endif
    const auto forced = ioctlResults.find(request);
    if (forced != ioctlResults.end()) return forced->second;
    return Kernel(devices_[fd], request);
  }
  void Close(int fd) override {
    calls.push_back("close " + std::to_string(fd));
    if (devices_[fd].claimed) holder.clear();
    devices_.erase(fd);
  }
  bool ModuleLoaded(const std::string& name) override {
    calls.push_back("look for module " + name);
    return loadedModules.contains(name);
  }
  std::string ActiveDevice(const std::string& path) override {
    calls.push_back("read active " + path);
    if (!activeReadable) return {};
    if (!holder.empty() && holderLooks == 0) holder.clear();  // the print job ended
    if (holderLooks > 0) --holderLooks;
    return holder.empty() ? "none" : holder;
  }

  // The bytes the program asked to put on the data lines, the failed write's too.
  std::vector<int> DataWrites() const {
    std::vector<int> values;
    for (const std::string& call : calls) {
      const auto at = call.find("PPWDATA 0x");
      if (at != std::string::npos) values.push_back(std::stoi(call.substr(at + 10), nullptr, 16));
    }
    return values;
  }

  int openResult = kFd;                       // a descriptor, or a negative errno
  std::map<unsigned long, int> ioctlResults;  // request -> forced answer
  // The register write (PPWDATA or PPWCONTROL, from 1) that answers
  // writeError, once; 0: none.
  int failingWrite = 0;
  int writeError = -EIO;
  int registerWrites = 0;
  // Runs after each register write that succeeds, with its number (from 1),
  // e.g. to stand for a signal arriving.
  std::function<void(int)> onRegisterWrite;
  std::set<std::string> loadedModules;  // kernel modules loaded (/sys/module/NAME)

  // The port behind the device, as the parport layer keeps it.
  bool portPresent = true;
  std::vector<std::string> otherDevices;  // registered by other drivers: {"lp"}
  bool otherExclusive = false;            // one of them registered exclusively
  std::string holder;                     // the device that has the port claimed
  int holderLooks = -1;                   // looks at "active" that still see it; -1: all
  bool activeReadable = true;             // /proc/sys/dev/parport is there
  int sleepingClaims = 0;                 // PPCLAIMs that would sleep in the kernel
  std::vector<std::string> calls;

 private:
  struct Device {
    bool exclusive = false;  // PP_EXCL
    bool registered = false;
    bool claimed = false;  // PP_CLAIMED
  };

  // Whether a device of this program's descriptors registered exclusively,
  // or at all.
  bool OwnRegistered(bool exclusiveOnly) const {
    for (const auto& [fd, device] : devices_) {
      if (device.registered && (device.exclusive || !exclusiveOnly)) return true;
    }
    return false;
  }

  int Kernel([[maybe_unused]] Device& device, [[maybe_unused]] unsigned long request) {
#if defined(__linux__)
    switch (request) {
      case PPEXCL:
        if (device.registered) return device.exclusive ? 0 : -EINVAL;
        device.exclusive = true;
        return 0;
      case PPCLAIM:
        if (device.claimed) return -EINVAL;
        if (!device.registered) {
          if (!portPresent || otherExclusive || OwnRegistered(true)) return -ENXIO;
          if (device.exclusive && (!otherDevices.empty() || OwnRegistered(false))) return -ENXIO;
          device.registered = true;
        }
        if (!holder.empty()) {
          ++sleepingClaims;
          return -EINTR;
        }
        device.claimed = true;
        holder = kOwnDevice;
        return 0;
      case PPRELEASE:
        if (!device.claimed) return -EINVAL;
        device.claimed = false;
        holder.clear();
        return 0;
      case PPDATADIR:
      case PPWDATA:
      case PPWCONTROL:
        return device.claimed ? 0 : -EINVAL;
    }
#endif
    return 0;
  }

  static std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
  }
  // The request by its name, with the value its argument points to.
  static std::string Describe(unsigned long request, void* arg) {
#if defined(__linux__)
    switch (request) {
      case PPEXCL:
        return "PPEXCL";
      case PPCLAIM:
        return "PPCLAIM";
      case PPRELEASE:
        return "PPRELEASE";
      case PPDATADIR:
        return "PPDATADIR " + std::to_string(*static_cast<int*>(arg));
      case PPWDATA:
        return "PPWDATA " + Hex(*static_cast<unsigned char*>(arg));
      case PPWCONTROL:
        return "PPWCONTROL " + Hex(*static_cast<unsigned char*>(arg));
    }
#endif
    return "request " + std::to_string(request) + (arg != nullptr ? " with argument" : "");
  }

  std::map<int, Device> devices_;  // the open descriptors
};

}  // namespace quorvane::testing
