#pragma once
// Sends bytes to the module through the standard events: one byte as a command
// ("1.evnt") or as data ("2.evnt"), or a whole value list.

#include <cstdint>
#include <string>

namespace quorvane::global {
struct Global;
class DiagnosticsSink;
}  // namespace quorvane::global
namespace quorvane::platform {
class Sleeper;
}

namespace quorvane::events {

class EventInterpreter;

class ByteWriter {
 public:
  ByteWriter(global::Global& global, EventInterpreter& interpreter, platform::Sleeper& sleeper,
             global::DiagnosticsSink& diagnostics)
      : global_(global), interpreter_(interpreter), sleeper_(sleeper), diagnostics_(diagnostics) {}

  // One run of the command event (IsCommand) or the data event with myValue.
  void WriteDataWithEvent(bool IsCommand, std::uint8_t myValue, bool DontUpdateForm);
  // The port failed: a send of many bytes stops.
  bool PortFailed() const;

  // Sends a value list, every byte with the display updated, "#" items as
  // waits. A refused list sends nothing, is reported, and gives false. The
  // list ends at a failed port write: no item after it is sent or waited for.
  bool MultiDataWrite(const std::string& myData, bool IsCommand);

 private:
  global::Global& global_;
  EventInterpreter& interpreter_;
  platform::Sleeper& sleeper_;
  global::DiagnosticsSink& diagnostics_;
};

}  // namespace quorvane::events
