#pragma once
// What UpdateOutput asks of the line display before a port write that shows on
// screen. The main window supplies it; the engine alone runs without one.

#include <cstdint>

namespace quorvane::port {

class DisplayStep {
 public:
  virtual ~DisplayStep() = default;
  // Sets the five lamps from bits 0 to 4 of the byte about to be written.
  virtual void UpdateLeds(std::uint8_t Value) = 0;
  // Shifts the byte into the line history and redraws the trace.
  virtual void UpdateVisualizerByte(std::uint8_t myByte) = 0;
  // Repaints the main window at once, so the new state is on screen before the
  // port changes.
  virtual void RepaintNow() = 0;
};

}  // namespace quorvane::port
