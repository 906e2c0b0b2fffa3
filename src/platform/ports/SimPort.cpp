#include "platform/ports/SimPort.h"

namespace quorvane::platform {

std::vector<std::uint8_t> SimPort::ValuesAt(std::uint16_t address) const {
  std::vector<std::uint8_t> values;
  for (const PortWrite& write : writes_) {
    if (write.address == address) values.push_back(write.value);
  }
  return values;
}

}  // namespace quorvane::platform
