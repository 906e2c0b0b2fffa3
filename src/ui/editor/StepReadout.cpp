#include "ui/editor/StepReadout.h"

#include <cstdint>
#include <optional>

#include "events/StepLine.h"
#include "events/TextFields.h"
#include "global/NumberReading.h"

namespace quorvane::ui {
namespace {

// Bits of a 16-bit integer as line levels; a negative number has its upper
// bits set, as its two's complement has.
LineLevels LevelsOf(std::int16_t number) {
  LineLevels levels{};
  for (std::size_t line = 0; line < levels.size(); ++line) {
    levels[line] = ((number >> line) & 1) != 0;
  }
  return levels;
}

// Read as the engine reads the field, so a line it skips shows no levels.
std::optional<std::int16_t> ReadInt16(const std::string& field) {
  const auto number = events::ReadStepNumber(field);
  if (!number) return std::nullopt;
  return global::RoundToInt16(*number);
}

}  // namespace

StepReadout ReadStepLine(std::string line) {
  StepReadout readout;
  const std::string kind = events::PopValue(line);
  if (kind == "SB") {
    readout.frame = StepFrame::Bits;
    const auto bits = ReadInt16(events::PopValue(line));
    readout.inRange = bits.has_value();
    if (bits) readout.levels = LevelsOf(*bits);
  } else if (kind == "DL") {
    readout.frame = StepFrame::Delay;
    readout.delayText = line;
  } else if (kind == "TX") {
    readout.frame = StepFrame::Transmit;
    const auto bits = ReadInt16(events::PopValue(line));
    readout.inRange = bits.has_value();
    if (bits) {
      readout.levels = LevelsOf(*bits);
      readout.levels[0] = readout.levels[1] = false;
    }
    readout.highToLow = events::PopValue(line) == "SH";
    readout.msbFirst = events::PopValue(line) == "DH";
    readout.value = line;
  }
  return readout;
}

}  // namespace quorvane::ui
