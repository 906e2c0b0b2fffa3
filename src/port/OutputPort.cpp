#include "port/OutputPort.h"

#include "platform/Port.h"
#include "port/DisplayStep.h"

namespace quorvane::port {

void OutputPort::UpdateOutput(std::uint8_t Value, bool DontUpdateForm) {
  if (!DontUpdateForm && display_ != nullptr) {
    display_->UpdateLeds(Value);
    display_->UpdateVisualizerByte(Value);
    display_->RepaintNow();
  }
  port_->Out32(platform::kDataRegister, Value);
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
  port_->Out32(platform::kControlRegister, value);
}

void OutputPort::WriteDataDirect(std::uint8_t value) {
  port_->Out32(platform::kDataRegister, value);
}

}  // namespace quorvane::port
