#include "platform/ports/PlatformPorts.h"

#include "platform/ports/parallel/UnavailablePpdevSystem.h"
#include "platform/ports/parallel/WindowsInpoutSystem.h"

namespace quorvane::platform {

// Windows reaches its parallel port through the inpout32 driver.
PortSystems PlatformPortSystems() {
  static UnavailablePpdevSystem ppdev;
  PortSystems systems{ppdev, nullptr};
  systems.inpout = [] { return std::make_unique<WindowsInpoutSystem>(); };
  return systems;
}

PpdevOpening OpenPlatformPpdev(PpdevSystem&, const std::string&, Sleeper*) {
  PpdevOpening opening;
  opening.error = kPpdevOnLinuxOnly;
  return opening;
}

}  // namespace quorvane::platform
