#include "platform/ports/PlatformPorts.h"

#include "platform/ports/parallel/UnavailablePpdevSystem.h"

namespace quorvane::platform {

// A system other than Linux and Windows has no parallel-port backend here:
// the simulated port and the adapters remain.
PortSystems PlatformPortSystems() {
  static UnavailablePpdevSystem ppdev;
  return PortSystems{ppdev, nullptr};
}

PpdevOpening OpenPlatformPpdev(PpdevSystem&, const std::string&, Sleeper*) {
  return {nullptr, kPpdevOnLinuxOnly};
}

}  // namespace quorvane::platform
