#pragma once
// The one road to the data register: UpdateOutput, and the line procedures High
// and Low built on it.

#include <cstdint>

namespace quorvane::platform {
class Port;
}

namespace quorvane::port {

class DisplayStep;

// The RESET line, the only line that High and Low are used for.
inline constexpr std::uint8_t kResetLine = 16;

// Mirrors the bit order: bit i of the result is bit 7 - i of b.
constexpr std::uint8_t ReverseBits(std::uint8_t b) {
  std::uint8_t result = 0;
  for (int n = 7; n >= 0; --n) {
    if (b & (1u << n)) result = static_cast<std::uint8_t>(result | (1u << (7 - n)));
  }
  return result;
}

class OutputPort {
 public:
  explicit OutputPort(platform::Port& port, DisplayStep* display = nullptr)
      : port_(&port), display_(display) {}

  // Without DontUpdateForm the lamps, the trace and the window are updated
  // first; then the byte goes to the data register.
  void UpdateOutput(std::uint8_t Value, bool DontUpdateForm);
  // Value with line Bit raised (High) or lowered (Low); written through
  // UpdateOutput with the display updated when WriteToPort is true, even when
  // the line already had that level. The caller stores the result.
  std::uint8_t High(std::uint8_t Value, std::uint8_t Bit, bool WriteToPort);
  std::uint8_t Low(std::uint8_t Value, std::uint8_t Bit, bool WriteToPort);

  // Writes that bypass the line display: the control register, and the data
  // register at power-off and exit.
  void WriteControl(std::uint8_t value);
  void WriteDataDirect(std::uint8_t value);

  void SetDisplayStep(DisplayStep* display) { display_ = display; }
  void SetPort(platform::Port& port) { port_ = &port; }
  platform::Port& Port() const { return *port_; }

 private:
  platform::Port* port_;
  DisplayStep* display_;
};

}  // namespace quorvane::port
