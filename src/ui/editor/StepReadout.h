#pragma once
// A selected step line taken apart into what the editor's frames show: which
// frame lights up and the values its inputs take.

#include <string>

#include "ui/editor/StepBuilders.h"

namespace quorvane::ui {

enum class StepFrame { None, Bits, Delay, Transmit };

struct StepReadout {
  // The frame that matches the line's kind; None for blank lines and unknown
  // kinds (compared exactly, case included).
  StepFrame frame = StepFrame::None;
  // False when the line's number cannot be read or lies outside the 16-bit
  // range: the frame lights up but its inputs keep what they hold.
  bool inRange = true;
  LineLevels levels{};     // "SB": D0 to D4; "TX": D2 to D4 (D0, D1 false)
  std::string delayText;   // "DL": the rest of the line, unconverted
  bool highToLow = false;  // "TX": clock field is "SH"
  bool msbFirst = false;   // "TX": order field is "DH"
  std::string value;       // "TX": what is left after the order field
};

// Reads a step line the way the engine splits it (PopValue fields).
StepReadout ReadStepLine(std::string line);

}  // namespace quorvane::ui
