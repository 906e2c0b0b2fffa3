#pragma once
// One step line read: its kind and its numbers, or why it is skipped. The
// interpreter reads each line once and keeps what it read while the line
// stays the same, so that a picture's 504 runs of the data event do not read
// the same three lines 504 times.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane::events {

// The number in one field of a step line: an empty field is 0 ("TX" alone has
// bits 0), any other must be wholly a number; nothing when it is not.
std::optional<double> ReadStepNumber(std::string_view field);

struct StepLine {
  enum class Kind {
    Blank,       // a blank line, which the editor inserts: nothing happens
    StaticBits,  // "SB": `byte` to all eight lines
    Delay,       // "DL": wait `milliseconds` (a negative delay waits 0 ms)
    Transmit,    // "TX": `byte` the static bits, the clock edge, the bit order, the value
    Skipped      // a step that cannot be run: `skipped` says why
  };
  Kind kind = Kind::Blank;
  std::uint8_t byte = 0;
  std::int16_t milliseconds = 0;
  bool clockStartsHigh = false;
  bool leastSignificantFirst = false;
  std::optional<std::uint8_t> value;  // a transmit step's own byte; none: the event's byte
  std::string skipped;
};

// Reads a step line that is not the end marker "X".
StepLine ReadStepLine(std::string_view step);

}  // namespace quorvane::events
