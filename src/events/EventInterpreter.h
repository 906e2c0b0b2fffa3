#pragma once
// Runs a loaded event against the port: the only place where bytes are clocked
// out bit by bit onto SCLK and SDA.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "events/StepLine.h"
#include "global/Global.h"

namespace quorvane::global {
class DiagnosticsSink;
}
namespace quorvane::platform {
class Sleeper;
}
namespace quorvane::port {
class OutputPort;
}

namespace quorvane::events {

class EventInterpreter {
 public:
  EventInterpreter(global::Global& global, port::OutputPort& output, platform::Sleeper& sleeper,
                   global::DiagnosticsSink& diagnostics)
      : global_(global), output_(output), sleeper_(sleeper), diagnostics_(diagnostics) {}

  // Runs slots 0 to 19 of Commands up to the first "X". Transmit steps with an
  // empty value field send myValue; every port write of the run passes
  // DontUpdateForm on. A step of an unknown kind, or whose number cannot be
  // read or lies outside its range, is skipped and reported; so are the step
  // lines of the file after the 20th, once the 20 steps have run. Blank lines
  // do nothing. The run ends at a failed port write or flush: nothing after it
  // is written or waited for.
  void ExecuteEvent(const global::StepArray& Commands, std::uint8_t myValue, bool DontUpdateForm);
  // The port it writes to failed: sends stop.
  bool PortFailed() const;

 private:
  // What the lines of one step array read as, kept while each line stays the
  // same: the array is compared line by line, never trusted by its address.
  struct ReadArray {
    const global::StepArray* array = nullptr;
    std::array<std::string, global::kMaxSteps> text{};
    std::array<StepLine, global::kMaxSteps> lines{};
    std::array<bool, global::kMaxSteps> read{};
  };
  static constexpr std::size_t kReadArrays = 8;
  ReadArray& ReadArrayOf(const global::StepArray& Commands);
  const StepLine& LineAt(ReadArray& read, std::size_t slot, const std::string& step);

  void Delay(const std::string& step, std::int16_t milliseconds, bool DontUpdateForm);
  void Transmit(const StepLine& line, std::uint8_t& toSend, bool DontUpdateForm);
  void Skip(const std::string& step, const std::string& reason);

  std::vector<ReadArray> readArrays_;
  global::Global& global_;
  port::OutputPort& output_;
  platform::Sleeper& sleeper_;
  global::DiagnosticsSink& diagnostics_;
};

}  // namespace quorvane::events
