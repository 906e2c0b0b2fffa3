#include "cli/SendStop.h"

#include <ostream>

#include "cli/CountingPort.h"
#include "global/CountText.h"
#include "platform/StopSignal.h"
#include "port/OutputPort.h"
#include "port/PowerSequences.h"

namespace quorvane::cli {

void StopPointSleeper::Sleep(std::uint32_t milliseconds) {
  if (!points_.AtBoundary(writes_)) {
    withinByte_.Sleep(milliseconds);
    return;
  }
  platform::ThrowIfStopRequested();
  betweenBytes_.Sleep(milliseconds);
}

int EndStoppedRun(const StoppedAction& stopped, CountingPort& counter, port::OutputPort& output,
                  std::ostream& out, std::ostream& err) {
  counter.checkStops = false;
  // What a buffering port holds goes out: the bytes before the stop are
  // whole, and the adapter's pins show the last of them.
  counter.Flush();
  out << stopped.name << ": stopped " << stopped.progress << ", "
      << global::CountText(stopped.writes, "port write", "port writes") << ", waited "
      << stopped.waitedMs << " ms\n";
  const bool shutdown = stopped.shutdownAsked && !counter.Failed();
  if (shutdown) {
    port::ShutdownWrites(output);
    counter.Flush();
  }
  // The write the stop kept from going out is not counted: the counting port
  // throws before it counts it.
  const std::uint64_t wentOut =
      counter.writes - (counter.Failed() ? counter.Failure().unsentWrites : 0);
  out << "stopped by " << platform::StopSignalName() << ": "
      << global::CountText(wentOut, "port write", "port writes") << " went out"
      << (shutdown ? ", the shut-down writes last" : "") << '\n';
  err << "quorvane-send: stopped by " << platform::StopSignalName() << " during " << stopped.name
      << ", " << stopped.progress << "; ";
  if (shutdown) {
    err << "the shut-down writes followed (--shutdown): all lines low, control register 0\n";
  } else {
    err << "the lines keep their levels (the shut-down writes follow a stop only when --shutdown "
           "is among the actions)\n";
  }
  if (counter.Failed()) {
    err << "quorvane-send: the port failed as the run stopped: " << counter.Failure().reason
        << '\n';
  }
  return platform::StopExitStatus();
}

}  // namespace quorvane::cli
