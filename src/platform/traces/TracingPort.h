#pragma once
// The port that traces: passes every write on to the port behind it and
// records it once the port took it, under the register address the program
// used: a write the port refused, and anything after it, is not in the trace.
// It fails when the port behind it fails. A trace file that cannot be written
// stops the recording, not the writes.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Clock.h"
#include "platform/ports/Port.h"
#include "platform/traces/TraceSink.h"

namespace quorvane::platform {

// Where a trace stopped: the first write it does not hold (counted from 1),
// and why.
struct TraceStop {
  std::uint64_t write = 0;
  std::string reason;
};

class TracingPort final : public Port {
 public:
  TracingPort(Port& inner, const Clock& clock, TraceSink& sink)
      : Port(inner), inner_(inner), clock_(clock), sink_(sink) {}
  void Out32(std::uint16_t address, std::uint8_t value) override;
  void Flush() override { inner_.Flush(); }
  // Set once the trace file could not be written.
  std::optional<TraceStop> Stopped() const;

 private:
  Port& inner_;
  const Clock& clock_;
  TraceSink& sink_;
  std::uint64_t index_ = 0;  // writes recorded
  bool stopped_ = false;
};

}  // namespace quorvane::platform
