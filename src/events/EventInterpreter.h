#pragma once
// Runs a loaded event against the port: the only place where bytes are clocked
// out bit by bit onto SCLK and SDA.

#include <cstdint>
#include <string>
#include <string_view>

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
  // DontUpdateForm on. A step whose number lies outside its range is skipped
  // and reported. The run ends at a failed port write or flush: nothing after
  // it is written or waited for.
  void ExecuteEvent(const global::StepArray& Commands, std::uint8_t myValue, bool DontUpdateForm);
  // The port it writes to failed: sends stop.
  bool PortFailed() const;

 private:
  void StaticBits(const std::string& step, std::string_view rest, bool DontUpdateForm);
  void Delay(const std::string& step, std::string_view rest, bool DontUpdateForm);
  void Transmit(const std::string& step, std::string_view rest, std::uint8_t& toSend,
                bool DontUpdateForm);
  void Skip(const std::string& step, const char* reason);

  global::Global& global_;
  port::OutputPort& output_;
  platform::Sleeper& sleeper_;
  global::DiagnosticsSink& diagnostics_;
};

}  // namespace quorvane::events
