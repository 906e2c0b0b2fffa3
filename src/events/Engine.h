#pragma once
// The engine in one piece, as the fronts (desktop program, quorvane-send) use
// it: the program-wide values, the output port, the interpreter and the writer,
// wired to the port, sleeper and diagnostics sink that the front hands in.

#include "events/ByteWriter.h"
#include "events/EventInterpreter.h"
#include "global/Global.h"
#include "port/OutputPort.h"

namespace quorvane::events {

struct Engine {
  Engine(platform::Port& port, platform::Sleeper& sleeper, global::DiagnosticsSink& diagnostics)
      : sleeper(sleeper),
        output(port),
        interpreter(global, output, sleeper, diagnostics),
        writer(global, interpreter, sleeper, diagnostics) {}
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  global::Global global;
  platform::Sleeper& sleeper;
  port::OutputPort output;
  EventInterpreter interpreter;
  ByteWriter writer;
};

}  // namespace quorvane::events
