#include "platform/ports/PlatformPorts.h"

#include <utility>

#include "platform/ports/parallel/LinuxIoSystem.h"
#include "platform/ports/parallel/LinuxParallelDevices.h"
#include "platform/ports/parallel/LinuxPpdevSystem.h"
#include "platform/ports/parallel/PpdevPort.h"

namespace quorvane::platform {

PortSystems PlatformPortSystems() {
  static LinuxPpdevSystem ppdev;
#if defined(QUORVANE_HAS_LINUX_IO_SYSTEM)
  static LinuxIoSystem io;
  PortSystems systems{ppdev, &io};
#else
  PortSystems systems{ppdev, nullptr};
#endif
  systems.parallelDevices = [] { return LinuxParallelDevices(); };
  return systems;
}

PpdevOpening OpenPlatformPpdev(PpdevSystem& system, const std::string& path, Sleeper* sleeper) {
  PpdevPort::Opening opening = PpdevPort::Open(system, path, sleeper);
  return {std::move(opening.port), std::move(opening.error), opening.shared,
          std::move(opening.sharedWith)};
}

}  // namespace quorvane::platform
