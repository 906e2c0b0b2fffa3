#pragma once
// The simulated port: nothing leaves the computer. It keeps every write in
// memory, in order, for the tests that read them back; a port that runs for a
// whole session keeps none, so its memory does not grow.

#include <cstdint>
#include <vector>

#include "platform/Port.h"

namespace quorvane::platform {

struct PortWrite {
  std::uint16_t address;
  std::uint8_t value;
  friend bool operator==(const PortWrite&, const PortWrite&) = default;
};

class SimPort final : public Port {
 public:
  explicit SimPort(bool keepWrites = true) : keepWrites_(keepWrites) {}
  void Out32(std::uint16_t address, std::uint8_t value) override {
    if (keepWrites_) writes_.push_back({address, value});
  }
  const std::vector<PortWrite>& Writes() const { return writes_; }
  // The values written to one register, in order.
  std::vector<std::uint8_t> ValuesAt(std::uint16_t address) const;
  void Clear() { writes_.clear(); }

 private:
  bool keepWrites_;
  std::vector<PortWrite> writes_;
};

}  // namespace quorvane::platform
