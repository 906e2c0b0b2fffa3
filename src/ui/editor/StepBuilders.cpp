#include "ui/editor/StepBuilders.h"

#include "events/TextFields.h"
#include "global/NumberReading.h"
#include "global/NumberText.h"

namespace quorvane::ui {
namespace {

int BitsOf(const LineLevels& levels, std::size_t firstLine) {
  int bits = 0;
  for (std::size_t line = firstLine; line < levels.size(); ++line) {
    if (levels[line]) bits |= 1 << line;
  }
  return bits;
}

}  // namespace

std::string StaticBitsLine(const LineLevels& levels) {
  return "SB," + global::NumberText(BitsOf(levels, 0));
}

std::optional<std::string> DelayLine(std::string_view delayText) {
  const auto milliseconds = global::RoundToInt16(global::ReadNumber(delayText));
  if (!milliseconds) return std::nullopt;
  return "DL," + global::NumberText(*milliseconds);
}

std::string TransmitLine(const TransmitInputs& inputs) {
  // SCLK and SDA are driven by the transmission itself, so D0 and D1 never
  // belong to the static bits of a "TX" step.
  constexpr std::size_t kFirstStaticLine = 2;
  std::string line = "TX," + global::NumberText(BitsOf(inputs.levels, kFirstStaticLine));
  line += inputs.highToLow ? ",SH" : ",SL";
  line += inputs.msbFirst ? ",DH," : ",DL,";
  line += events::TrimBlanks(inputs.value);
  return line;
}

}  // namespace quorvane::ui
