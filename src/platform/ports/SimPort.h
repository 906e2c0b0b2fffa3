#pragma once
// The simulated port: nothing leaves the computer. It keeps every write in
// memory, in order, for the tests that read them back; a port that runs for a
// whole session keeps none, so its memory does not grow. For tests it can also
// fail as a hardware port does, at a chosen write.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/ports/Port.h"

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
    if (Failed()) return;
    if (failIn_ != 0 && --failIn_ == 0) return Fail(failReason_);
    if (keepWrites_) writes_.push_back({address, value});
  }
  // The write-th write from now (1: the next one) fails with this reason; it
  // and every later write are not kept.
  void FailAtWrite(std::uint64_t write, std::string reason) {
    failIn_ = write;
    failReason_ = std::move(reason);
  }
  const std::vector<PortWrite>& Writes() const { return writes_; }
  // The values written to one register, in order.
  std::vector<std::uint8_t> ValuesAt(std::uint16_t address) const;
  void Clear() { writes_.clear(); }

 private:
  bool keepWrites_;
  std::vector<PortWrite> writes_;
  std::uint64_t failIn_ = 0;  // writes until the one that fails; 0: none fails
  std::string failReason_;
};

}  // namespace quorvane::platform
