#pragma once
// The parallel ports ppdev offers: the device nodes /dev/parportN.

#include <string>
#include <vector>

namespace quorvane::platform {

// "/dev/parport0", "/dev/parport1", ... that exist, in order of their number.
std::vector<std::string> LinuxParallelDevices();

}  // namespace quorvane::platform
