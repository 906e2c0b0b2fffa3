#pragma once
// The one road to the data register: UpdateOutput, and the line procedures High
// and Low built on it.

#include <cstdint>

#include "global/Wiring.h"
#include "platform/ports/Port.h"

namespace quorvane::port {

class DisplayStep;
class WriteGate;

// The RESET line, the only line that High and Low are used for.
using global::kResetLine;

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
      : port_(&port), failed_(&port.FailedFlag()), display_(display) {}

  // Without DontUpdateForm the lamps, the trace and the window are updated
  // first; then the byte goes to the data register. Once the port has failed,
  // nothing is shown or written.
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
  // Asked before every write; null: every write goes.
  void SetWriteGate(WriteGate* gate) { gate_ = gate; }
  void SetPort(platform::Port& port) {
    port_ = &port;
    failed_ = &port.FailedFlag();
  }
  platform::Port& Port() const { return *port_; }

  // The port failed (a write or a flush): the running send stops at once. Read
  // before every write, and per step, item and frame.
  bool Failed() const { return *failed_; }
  // The writes handed to the port so far; a failed port says how many of the
  // last ones it did not send.
  std::uint64_t Writes() const { return writes_; }
  // Of the last `count` writes, how many were shown on the line display: a
  // failed port's unsent writes are taken back off the display.
  std::uint64_t ShownAmongLast(std::uint64_t count) const;

 private:
  platform::Port* port_;
  const bool* failed_;  // the port's latched failure, read before every write
  DisplayStep* display_;
  WriteGate* gate_ = nullptr;
  std::uint64_t writes_ = 0;
  // The latest writes shown, numbered from 1: from shownFrom_ to shownTo_ every
  // write was shown (kept on the display path only, so the rest stays cheap).
  std::uint64_t shownFrom_ = 0;
  std::uint64_t shownTo_ = 0;
};

}  // namespace quorvane::port
