#pragma once
// What the port factory takes from the system it was built for: the system
// layers of the parallel-port backends that the system has, and the ppdev
// port. One file per platform defines these (LinuxPlatformPorts.cpp,
// WindowsPlatformPorts.cpp, OtherPlatformPorts.cpp); the build picks it.

#include <memory>
#include <string>

#include "platform/ports/Port.h"
#include "platform/ports/PortFactory.h"
#include "platform/ports/parallel/PpdevSystem.h"

namespace quorvane::platform {

// The real parallel-port layers: ppdev, and direct port I/O where the build
// has it, on Linux; the inpout32 driver DLL on Windows. Without ppdev the
// ppdev layer is one that is never called.
PortSystems PlatformPortSystems();

struct PpdevOpening {
  std::unique_ptr<Port> port;  // null when the device could not be used
  std::string error;           // one sentence naming the device and the reason
  bool shared = false;         // claimed the shared way: another driver is registered
  std::string sharedWith;      // "the printer driver lp", when shared
};

// The ppdev port on the device at path, its waits (for a driver that holds
// the port) through `sleeper`; without ppdev, the reason.
PpdevOpening OpenPlatformPpdev(PpdevSystem& system, const std::string& path, Sleeper* sleeper);

}  // namespace quorvane::platform
