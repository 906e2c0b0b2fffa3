#include "events/WriteCount.h"

#include "events/EventInterpreter.h"
#include "events/ValueList.h"
#include "global/Diagnostics.h"
#include "platform/Sleeper.h"
#include "platform/ports/Port.h"
#include "port/OutputPort.h"

namespace quorvane::events {
namespace {

class NowherePort final : public platform::Port {
 public:
  void Out32(std::uint16_t, std::uint8_t) override {}
};

class NoWait final : public platform::Sleeper {
 public:
  void Sleep(std::uint32_t) override {}
};

class NoReports final : public global::DiagnosticsSink {
 public:
  void Report(const std::string&) override {}
};

}  // namespace

std::uint64_t WritesPerRun(const global::StepArray& Commands) {
  NowherePort port;
  NoWait sleeper;
  NoReports reports;
  global::Global scratch;
  port::OutputPort output(port);
  EventInterpreter interpreter(scratch, output, sleeper, reports);
  interpreter.ExecuteEvent(Commands, 0, true);
  return output.Writes();
}

std::uint64_t WritesOfValueList(const global::Global& global, std::string_view myData,
                                bool IsCommand) {
  std::uint64_t bytes = 0;
  for (const ValueItem& item : ParseValueList(myData).items) bytes += item.isDelay ? 0 : 1;
  return bytes == 0
             ? 0
             : bytes * WritesPerRun(IsCommand ? global.CommandEventSteps : global.DataEventSteps);
}

}  // namespace quorvane::events
