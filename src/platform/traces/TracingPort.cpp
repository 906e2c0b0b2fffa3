#include "platform/traces/TracingPort.h"

namespace quorvane::platform {

void TracingPort::Out32(std::uint16_t address, std::uint8_t value) {
  inner_.Out32(address, value);
  if (Failed() || stopped_) return;
  sink_.Record(index_, clock_.NowMicros(), address, value);
  if (sink_.Failed()) {
    stopped_ = true;
    return;
  }
  ++index_;
}

std::optional<TraceStop> TracingPort::Stopped() const {
  // Also when the file failed before the first write (its header).
  if (!sink_.Failed()) return std::nullopt;
  return TraceStop{index_ + 1, sink_.Failure()};
}

}  // namespace quorvane::platform
