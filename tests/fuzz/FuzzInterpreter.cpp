// The interpreter on any step array: at most 20 steps run, each writes at most
// 16 bytes and waits at most once, and nothing is left half done.

#include "FuzzInput.h"
#include "events/EventInterpreter.h"
#include "global/Diagnostics.h"
#include "platform/Sleeper.h"
#include "platform/ports/SimPort.h"
#include "port/OutputPort.h"

namespace {

class CountingSleeper final : public quorvane::platform::Sleeper {
 public:
  void Sleep(std::uint32_t milliseconds) override {
    ++waits;
    quorvane::fuzz::Check(milliseconds <= 32767);
  }
  int waits = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  if (size == 0) return 0;
  const std::uint8_t value = data[0];
  const auto lines = fuzz::SplitLines(fuzz::AsText(data + 1, size - 1));
  global::StepArray steps;
  steps.fill("X");
  for (std::size_t slot = 0; slot < lines.size() && slot < global::kStepSlots; ++slot) {
    steps[slot] = lines[slot];
  }
  global::Global global;
  platform::SimPort port;
  CountingSleeper sleeper;
  global::Diagnostics diagnostics;
  port::OutputPort output(port);
  events::EventInterpreter interpreter(global, output, sleeper, diagnostics);
  interpreter.ExecuteEvent(steps, value, true);
  fuzz::Check(port.Writes().size() <= 20 * 16);
  fuzz::Check(sleeper.waits <= 20);
  if (!port.Writes().empty()) fuzz::Check(port.Writes().back().value == global.OutputByte);
  return 0;
}
