#pragma once
// The ports a user can choose among: the parallel ports ppdev offers (the
// inpout32 driver on Windows), the FTDI adapters plugged in, and the
// simulated port. GPIO lines cannot be found this way; they are named by
// their port text.

#include <string>
#include <vector>

namespace quorvane::platform {

struct PortSystems;

struct FoundPort {
  std::string text;         // the port text that opens it: "ppdev:/dev/parport0"
  std::string description;  // in words: "parallel port /dev/parport0"
  friend bool operator==(const FoundPort&, const FoundPort&) = default;
};

// Looks without opening anything; the simulated port comes last.
std::vector<FoundPort> FindPorts(const PortSystems& systems);

}  // namespace quorvane::platform
