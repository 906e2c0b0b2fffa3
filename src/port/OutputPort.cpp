#include "port/OutputPort.h"

#include <algorithm>

#include "platform/ports/Port.h"
#include "port/DisplayStep.h"
#include "port/WriteGate.h"

namespace quorvane::port {

void OutputPort::UpdateOutput(std::uint8_t Value, bool DontUpdateForm) {
  if (*failed_) return;
  if (gate_ != nullptr) gate_->BeforeWrite(writes_);
  ++writes_;
  if (!DontUpdateForm && display_ != nullptr) {
    display_->UpdateLeds(Value);
    display_->UpdateVisualizerByte(Value);
    display_->RepaintNow();
    if (shownTo_ + 1 != writes_) shownFrom_ = writes_;
    shownTo_ = writes_;
  }
  port_->Out32(platform::kDataRegister, Value);
}

std::uint64_t OutputPort::ShownAmongLast(std::uint64_t count) const {
  // The last `count` writes are first to writes_; shownTo_ is never past writes_.
  const std::uint64_t first = std::max(count < writes_ ? writes_ - count + 1 : 1, shownFrom_);
  return shownTo_ >= first && shownTo_ != 0 ? shownTo_ - first + 1 : 0;
}

std::uint8_t OutputPort::High(std::uint8_t Value, std::uint8_t Bit, bool WriteToPort) {
  const std::uint8_t result = (Value & Bit) == Bit ? Value : static_cast<std::uint8_t>(Value ^ Bit);
  if (WriteToPort) UpdateOutput(result, false);
  return result;
}

std::uint8_t OutputPort::Low(std::uint8_t Value, std::uint8_t Bit, bool WriteToPort) {
  const std::uint8_t result = (Value & Bit) == Bit ? static_cast<std::uint8_t>(Value ^ Bit) : Value;
  if (WriteToPort) UpdateOutput(result, false);
  return result;
}

void OutputPort::WriteControl(std::uint8_t value) {
  if (*failed_) return;
  if (gate_ != nullptr) gate_->BeforeWrite(writes_);
  ++writes_;
  port_->Out32(platform::kControlRegister, value);
}

void OutputPort::WriteDataDirect(std::uint8_t value) {
  if (*failed_) return;
  if (gate_ != nullptr) gate_->BeforeWrite(writes_);
  ++writes_;
  port_->Out32(platform::kDataRegister, value);
}

}  // namespace quorvane::port
