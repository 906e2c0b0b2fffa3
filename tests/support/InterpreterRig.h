#pragma once
// The event interpreter on the simulated port, with a recording sleeper and
// diagnostics; the output shows each write on a recording display when asked.

#include "RecordingDisplay.h"
#include "RecordingSleeper.h"
#include "events/EventInterpreter.h"
#include "global/Diagnostics.h"
#include "global/Global.h"
#include "platform/ports/SimPort.h"
#include "port/OutputPort.h"

namespace quorvane::testing {

struct InterpreterRig {
  explicit InterpreterRig(bool shown = false) : output(port, shown ? &display : nullptr) {}

  global::Global global;
  platform::SimPort port;
  RecordingSleeper sleeper;
  RecordingDisplay display;
  global::Diagnostics diagnostics;
  port::OutputPort output;
  events::EventInterpreter interpreter{global, output, sleeper, diagnostics};
};

}  // namespace quorvane::testing
