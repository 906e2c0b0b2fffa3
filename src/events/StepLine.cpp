#include "events/StepLine.h"

#include "events/TextFields.h"
#include "global/NumberReading.h"

namespace quorvane::events {
namespace {

// "the value is" not a number, and how to write hex.
std::string NotANumber(const char* subjectAndVerb) {
  return std::string(subjectAndVerb) + " not a number (" + global::kHexHint + ")";
}

StepLine Skipped(std::string reason) {
  StepLine line;
  line.kind = StepLine::Kind::Skipped;
  line.skipped = std::move(reason);
  return line;
}

StepLine StaticBits(std::string_view rest) {
  const auto number = ReadStepNumber(PopField(rest));
  if (!number) return Skipped(NotANumber("the value is"));
  const auto value = global::RoundToByte(*number);
  if (!value) return Skipped("the value is not a byte (0 to 255)");
  StepLine line;
  line.kind = StepLine::Kind::StaticBits;
  line.byte = *value;
  return line;
}

StepLine Delay(std::string_view rest) {
  const auto number = ReadStepNumber(PopField(rest));
  if (!number) return Skipped("the delay is not a number of milliseconds");
  const auto milliseconds = global::RoundToInt16(*number);
  if (!milliseconds) return Skipped("the delay is outside -32768 to 32767 ms");
  StepLine line;
  line.kind = StepLine::Kind::Delay;
  line.milliseconds = *milliseconds;
  return line;
}

StepLine Transmit(std::string_view rest) {
  const auto bitsNumber = ReadStepNumber(PopField(rest));
  StepLine line;
  line.kind = StepLine::Kind::Transmit;
  line.clockStartsHigh = PopField(rest) != "SH";
  line.leastSignificantFirst = PopField(rest) == "DL";
  if (!bitsNumber) return Skipped(NotANumber("the static bits are"));
  const auto bits = global::RoundToByte(*bitsNumber);
  if (!bits) return Skipped("the static bits are not a byte (0 to 255)");
  line.byte = *bits;
  // An empty value field sends the byte given to the event.
  if (const std::string_view valueField = PopField(rest); !valueField.empty()) {
    const auto number = global::ReadWholeNumber(valueField);
    if (!number) return Skipped(NotANumber("the value to transmit is"));
    const auto value = global::RoundToByte(*number);
    if (!value) return Skipped("the value to transmit is not a byte (0 to 255)");
    line.value = *value;
  }
  return line;
}

}  // namespace

std::optional<double> ReadStepNumber(std::string_view field) {
  if (TrimBlanks(field).empty()) return 0.0;
  return global::ReadWholeNumber(field);
}

StepLine ReadStepLine(std::string_view step) {
  std::string_view rest = step;
  const std::string_view kind = PopField(rest);
  if (kind == "SB") return StaticBits(rest);
  if (kind == "DL") return Delay(rest);
  if (kind == "TX") return Transmit(rest);
  // Blank lines are the editor's own spacing; anything else is a slip.
  if (TrimBlanks(step).empty()) return {};
  return Skipped("unknown step kind (SB, DL or TX, in capitals; X alone ends the event)");
}

}  // namespace quorvane::events
