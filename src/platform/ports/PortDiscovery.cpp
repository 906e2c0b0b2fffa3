#include "platform/ports/PortDiscovery.h"

#include "platform/ports/PortFactory.h"
#include "platform/ports/adapters/AdapterAddresses.h"
#include "platform/ports/adapters/FtdiPort.h"

namespace quorvane::platform {

std::vector<FoundPort> FindPorts(const PortSystems& systems) {
  std::vector<FoundPort> found;
  if (systems.parallelDevices) {
    for (const std::string& device : systems.parallelDevices()) {
      found.push_back({"ppdev:" + device, "parallel port " + device});
    }
  }
  if (systems.inpout) found.push_back({"inpout32", "parallel port through the inpout32 driver"});
  if (systems.ftdi) {
    const std::unique_ptr<FtdiSystem> library = systems.ftdi();
    for (const UsbId id : {FtdiPort::kFt232r, FtdiPort::kFt232h}) {
      const int count = library->CountAdapters(id.vendor, id.product);
      for (int index = 0; index < count; ++index) {
        std::string description = "FTDI adapter " + UsbIdText(id);
        if (index > 0) description += " (number " + std::to_string(index + 1) + ")";
        found.push_back({FtdiPortText(id, static_cast<unsigned>(index)), description});
      }
    }
  }
  found.push_back({"sim", "simulated port (nothing leaves the computer)"});
  return found;
}

}  // namespace quorvane::platform
